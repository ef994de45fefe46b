#pragma once

#include <QString>
#include <QToolButton>

// A flat picture button that never takes the keyboard focus, so clicking it
// leaves the focus (and whatever depends on it) where it was. Its glyph has a
// normal and a disabled picture, both scalable; the disabled one, two-tone
// grey, is drawn in tones of the button's palette. Its hint doubles as its
// accessible name, so a screen reader says what the picture means.
class TSpeedButton : public QToolButton
{
    Q_OBJECT
public:
    explicit TSpeedButton(QWidget* parent = nullptr);

    // Resource paths of the two pictures, e.g. ":/bitmaps/COPY.svg".
    void setGlyph(const QString& normalResource, const QString& disabledResource);

protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void updateGlyph();

    QString FNormalGlyph;
    QString FDisabledGlyph;
};
