#include "latency/PageControl.h"

#include <QStyle>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>

namespace {

class TPageTabBar : public QTabBar
{
public:
    using QTabBar::QTabBar;

protected:
    QSize tabSizeHint(int index) const override
    {
        QSize hint = QTabBar::tabSizeHint(index);
        const QWidget* control = parentWidget();
        const bool horizontal = shape() == RoundedNorth || shape() == RoundedSouth ||
                                shape() == TriangularNorth || shape() == TriangularSouth;
        if (!control || !horizontal)
            return hint;
        int total = 0;
        for (int i = 0; i < count(); ++i)
            total += QTabBar::tabSizeHint(i).width();
        // The overflow is shared out a pixel at a time, first tabs first.
        const int excess = total - control->width();
        if (excess > 0)
            hint.rwidth() -= excess / count() + (index < excess % count() ? 1 : 0);
        return hint;
    }
};

} // namespace

TPageControl::TPageControl(QWidget* parent) : QTabWidget(parent)
{
    setTabBar(new TPageTabBar(this));
}

void TPageControl::fitPages(const QSize& page)
{
    // The tabs and the frame take the same room whatever the control's size.
    resize(page + size() - pageRect(size()).size());
}

QRect TPageControl::pageRect(const QSize& size) const
{
    QStyleOptionTabWidgetFrame option;
    initStyleOption(&option);
    option.rect = QRect(QPoint(), size);
    return style()->subElementRect(QStyle::SE_TabWidgetTabContents, &option, this);
}
