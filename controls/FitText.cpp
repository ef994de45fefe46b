#include "controls/FitText.h"

#include <QFont>
#include <QLabel>

namespace {

constexpr int SmallestFittedPixels = 9;

} // namespace

void fitFontToWidth(QWidget* widget, int nominalPixels, int width)
{
    QFont font = widget->font();
    for (int pixels = nominalPixels; pixels >= SmallestFittedPixels; --pixels) {
        font.setPixelSize(pixels);
        widget->setFont(font);
        if (widget->sizeHint().width() <= width)
            return;
    }
}

void condenseToParent(QLabel* label)
{
    const int room = label->parentWidget()->width() - label->x();
    const QString shown = QString(label->text()).remove(QLatin1Char('&'));
    const int needed = label->fontMetrics().horizontalAdvance(shown);
    if (needed <= room)
        return;
    QFont font = label->font();
    font.setStretch(room * QFont::Unstretched / needed);
    label->setFont(font);
    label->resize(room, label->height());
}
