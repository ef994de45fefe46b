#pragma once

#include <QObject>

class QWidget;

// Reports a widget's clicks and double-clicks with the left button, for
// pictures and links that act on a click. Qt delivers a double-click as a
// click, then a second press that also comes as a double-click, then a
// release; that last release is part of the double-click and no second
// click, so one double-click never acts twice.
class TClickFilter : public QObject
{
    Q_OBJECT
public:
    // Watches `widget` and goes with it.
    explicit TClickFilter(QWidget* widget);

signals:
    // The button went up over the widget.
    void clicked();
    void doubleClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool FEndsDoubleClick = false;
};
