#include "performance/RatePlot.h"

#include "controls/PictureFile.h"

#include <QImage>
#include <QPainter>

TRatePlot::TRatePlot(TPlotAxis axis, QWidget* parent) : QWidget(parent), FAxis(axis)
{
    setAccessibleName(axis == TPlotAxis::Loss ? QStringLiteral("Rate against loss rate")
                                              : QStringLiteral("Rate against round trip"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    describe();
}

void TRatePlot::setPath(const TPathInput& input, const TPathResult& result)
{
    FPicture.setPath(input, result);
    describe();
    update();
}

void TRatePlot::clear(const QString& why)
{
    FPicture.clear(why);
    describe();
    update();
}

void TRatePlot::describe()
{
    // A screen reader says what a sighted user sees at the marked point.
    setAccessibleDescription(FPicture.describe(FAxis));
}

QImage TRatePlot::image() const
{
    return picturefile::image(size(), palette().color(QPalette::Base), [this](QPainter& painter) {
        FPicture.paint(painter, rect(), palette(), font(), FAxis);
    });
}

bool TRatePlot::save(const QString& fileName) const
{
    return picturefile::save(
        fileName, size(), accessibleName(), palette().color(QPalette::Base),
        [this](QPainter& painter) { FPicture.paint(painter, rect(), palette(), font(), FAxis); });
}

QSize TRatePlot::sizeHint() const
{
    return {560, 260};
}

QSize TRatePlot::minimumSizeHint() const
{
    return {320, 180};
}

void TRatePlot::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    FPicture.paint(painter, rect(), palette(), font(), FAxis);
}
