#pragma once

#include <QTabWidget>

// A tab control sized from its pages: the layouts give the size of a page,
// and how much the tabs and the frame around the pages take is the style's
// business. Tabs that would run past the control's edge give up a little of
// their padding instead of the bar growing scroll arrows or eliding a caption.
class TPageControl : public QTabWidget
{
    Q_OBJECT
public:
    explicit TPageControl(QWidget* parent = nullptr);

    // Resizes the control so that every page gets exactly `page`.
    void fitPages(const QSize& page);

    // Where the style puts the pages in a control of the given size.
    QRect pageRect(const QSize& size) const;
};
