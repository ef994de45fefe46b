#include "app/Image.h"

#include "controls/ClickFilter.h"

#include <QEvent>
#include <QPainter>
#include <QSvgRenderer>

TImage::TImage(QWidget* parent) : QWidget(parent)
{
    auto* clicks = new TClickFilter(this);
    connect(clicks, &TClickFilter::clicked, this, &TImage::clicked);
    connect(clicks, &TClickFilter::doubleClicked, this, &TImage::doubleClicked);
}

void TImage::setPicture(QSvgRenderer* picture)
{
    if (picture == FPicture)
        return;
    FPicture = picture;
    FRendered = QPixmap();
    update();
}

bool TImage::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTipChange)
        setAccessibleName(toolTip());
    return QWidget::event(event);
}

void TImage::paintEvent(QPaintEvent*)
{
    if (!FPicture || !FPicture->isValid())
        return;
    const QSize size = FPicture->defaultSize();
    const qreal ratio = devicePixelRatioF();
    if (FRendered.isNull() || FRendered.devicePixelRatio() != ratio) {
        FRendered = QPixmap(size * ratio);
        FRendered.setDevicePixelRatio(ratio);
        FRendered.fill(Qt::transparent);
        QPainter picturePainter(&FRendered);
        picturePainter.setRenderHint(QPainter::Antialiasing);
        FPicture->render(&picturePainter, QRectF(QPointF(0, 0), size));
    }
    QPainter painter(this);
    painter.drawPixmap((width() - size.width()) / 2, (height() - size.height()) / 2, FRendered);
}
