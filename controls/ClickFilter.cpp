#include "controls/ClickFilter.h"

#include "controls/ErrorReport.h"

#include <QMouseEvent>
#include <QWidget>

TClickFilter::TClickFilter(QWidget* widget) : QObject(widget)
{
    widget->installEventFilter(this);
}

bool TClickFilter::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
        type != QEvent::MouseButtonRelease)
        return QObject::eventFilter(watched, event);
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::LeftButton)
        return QObject::eventFilter(watched, event);

    switch (type) {
    case QEvent::MouseButtonPress:
        FEndsDoubleClick = false;
        break;
    case QEvent::MouseButtonDblClick:
        FEndsDoubleClick = true;
        reportErrors([this] { emit doubleClicked(); });
        break;
    default: {
        const bool endsDoubleClick = FEndsDoubleClick;
        FEndsDoubleClick = false;
        auto* widget = static_cast<QWidget*>(watched);
        if (!endsDoubleClick && widget->rect().contains(mouse->position().toPoint()))
            reportErrors([this] { emit clicked(); });
        break;
    }
    }
    return QObject::eventFilter(watched, event);
}
