#include "app/Image.h"

#include <QMouseEvent>
#include <QPainter>
#include <QSvgRenderer>

TImage::TImage(QWidget* parent) : QWidget(parent) {}

void TImage::setPicture(QSvgRenderer* picture)
{
    if (picture == FPicture)
        return;
    FPicture = picture;
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
    const QRectF target((width() - size.width()) / 2, (height() - size.height()) / 2, size.width(),
                        size.height());
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    FPicture->render(&painter, target);
}

void TImage::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

void TImage::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}
