#include "controls/Align.h"

#include <QEvent>
#include <QWidget>

namespace {

class TAligner : public QObject
{
public:
    TAligner(QWidget* child, TAlign align) : QObject(child), FChild(child), FAlign(align)
    {
        // The parent's first real size arrives as a resize once it is laid
        // out; until then the child keeps the geometry its layout gave it.
        child->parentWidget()->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Resize && watched == FChild->parentWidget())
            apply();
        return QObject::eventFilter(watched, event);
    }

private:
    void apply()
    {
        const QWidget* parent = FChild->parentWidget();
        switch (FAlign) {
        case TAlign::Top:
            FChild->setGeometry(0, 0, parent->width(), FChild->height());
            break;
        case TAlign::Bottom:
            FChild->setGeometry(0, parent->height() - FChild->height(), parent->width(),
                                FChild->height());
            break;
        case TAlign::Client:
            FChild->setGeometry(parent->rect());
            break;
        }
    }

    QWidget* FChild;
    TAlign FAlign;
};

} // namespace

void alignInParent(QWidget* child, TAlign align)
{
    if (child && child->parentWidget())
        new TAligner(child, align);
}
