#include "controls/FieldMark.h"

#include "controls/PaletteTone.h"

#include <QPalette>
#include <QWidget>

namespace {

const char* const markProperty = "zentrixMarked";

} // namespace

QColor fieldmark::markedBase(const QPalette& palette)
{
    return toneBetween(palette.color(QPalette::Base), QColor(220, 40, 40), 0.3);
}

void fieldmark::setMarked(QWidget* field, const QString& message)
{
    const bool marked = !message.isEmpty();
    if (marked == isMarked(field) && field->toolTip() == message)
        return;
    field->setProperty(markProperty, marked);
    field->setToolTip(message);
    field->setAccessibleDescription(message);
    if (!marked) {
        // Back to the desktop's colours, whatever they are by now.
        field->setPalette(QPalette());
        return;
    }
    QPalette palette = field->parentWidget() ? field->parentWidget()->palette() : field->palette();
    const QColor tint = markedBase(palette);
    palette.setColor(QPalette::Base, tint);
    palette.setColor(QPalette::Button, toneBetween(palette.color(QPalette::Button), tint, 0.7));
    palette.setColor(QPalette::Window, toneBetween(palette.color(QPalette::Window), tint, 0.7));
    field->setPalette(palette);
    // A check box shows its own face only when it fills its background.
    field->setAutoFillBackground(true);
}

bool fieldmark::isMarked(const QWidget* field)
{
    return field->property(markProperty).toBool();
}
