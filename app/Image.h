#pragma once

#include <QPixmap>
#include <QWidget>

class QSvgRenderer;

// A picture shown centred at its natural size, crisp at any screen scale,
// that reports clicks and double-clicks (the logos and the about picture).
// Its hint doubles as its accessible name, so a screen reader says what
// clicking the picture does.
class TImage : public QWidget
{
    Q_OBJECT
public:
    explicit TImage(QWidget* parent = nullptr);

    // The picture is owned by the caller and must outlive its display here.
    void setPicture(QSvgRenderer* picture);
    QSvgRenderer* picture() const { return FPicture; }

signals:
    void clicked();
    void doubleClicked();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QSvgRenderer* FPicture = nullptr;
    // The picture as last drawn: the window repaints the logos often, and
    // drawing an SVG each time would slow every refresh.
    QPixmap FRendered;
};
