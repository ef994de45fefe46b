#pragma once

#include "performance/PlotPicture.h"

#include <QWidget>

class QImage;

// The plot of one flow's rate against loss or round trip on screen:
// TPlotPicture at the widget's size. It copies itself as an image and saves
// itself as PNG or SVG.
class TRatePlot : public QWidget
{
    Q_OBJECT
public:
    TRatePlot(TPlotAxis axis, QWidget* parent);

    TPlotAxis axis() const { return FAxis; }
    void setPath(const TPathInput& input, const TPathResult& result);
    void clear(const QString& why);
    const TPlotPicture& picture() const { return FPicture; }

    // The plot as the window shows it, one pixel per layout pixel.
    QImage image() const;
    // PNG, or SVG when the name ends in .svg; false when it cannot be written.
    bool save(const QString& fileName) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void describe();

    TPlotAxis FAxis;
    TPlotPicture FPicture;
};
