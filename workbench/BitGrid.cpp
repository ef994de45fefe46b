#include "workbench/BitGrid.h"

#include "controls/PaletteTone.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPen>
#include <QStyleOptionFocusRect>

namespace {

constexpr int Margin = 4;
constexpr unsigned RowBits = 32;
// The gap at a byte boundary, beside the space between any two cells.
constexpr int ByteGap = 6;
constexpr int CellGap = 2;

// Tints of the float fields, mixed into the desktop's colours so that they
// read on a light palette and on a dark one alike.
const QColor SignTint(220, 60, 60);
const QColor ExponentTint(60, 130, 220);
const QColor FractionTint(60, 170, 90);

} // namespace

TBitGrid::TBitGrid(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setAccessibleName(QStringLiteral("Bits"));
    setMouseTracking(false);
    describe();
}

void TBitGrid::setWord(const BitWord& word)
{
    const bool resized = word.width != FWord.width;
    FWord = word;
    if (FCursor >= word.width)
        FCursor = word.width - 1;
    if (FField && FField->high >= word.width)
        FField.reset();
    if (resized)
        updateGeometry();
    describe();
    update();
}

void TBitGrid::setField(std::optional<BitRange> field)
{
    if (field && field->high >= FWord.width)
        field.reset();
    FField = field;
    describe();
    update();
}

void TBitGrid::setFloatLayout(std::optional<FloatFormat> format)
{
    FFloat = format;
    update();
}

unsigned TBitGrid::rows() const
{
    return (FWord.width + RowBits - 1) / RowBits;
}

unsigned TBitGrid::columns() const
{
    return FWord.width < RowBits ? FWord.width : RowBits;
}

int TBitGrid::numberHeight() const
{
    return QFontMetrics(numberFont()).height();
}

QFont TBitGrid::numberFont() const
{
    QFont small = font();
    if (small.pointSizeF() > 0)
        small.setPointSizeF(small.pointSizeF() * 0.8);
    else
        small.setPixelSize(std::max(8, small.pixelSize() * 4 / 5));
    return small;
}

int TBitGrid::narrowestCell() const
{
    const int number = QFontMetrics(numberFont()).horizontalAdvance(QStringLiteral("127"));
    const int digit = fontMetrics().horizontalAdvance(QLatin1Char('0')) + 6;
    return std::max(number, digit) + 2;
}

int TBitGrid::cellWidth() const
{
    // Cells share the width, with room for the byte gaps.
    const int gaps = int(RowBits / 8 - 1) * ByteGap + int(RowBits - 1) * CellGap;
    return std::max(narrowestCell(), (width() - 2 * Margin - gaps) / int(RowBits));
}

int TBitGrid::cellHeight() const
{
    return fontMetrics().height() + 8;
}

int TBitGrid::rowHeight() const
{
    return numberHeight() + cellHeight() + 6;
}

QSize TBitGrid::sizeHint() const
{
    const int gaps = int(RowBits / 8 - 1) * ByteGap + int(RowBits - 1) * CellGap;
    return {2 * Margin + int(RowBits) * (narrowestCell() + 8) + gaps, minimumSizeHint().height()};
}

QSize TBitGrid::minimumSizeHint() const
{
    const int gaps = int(RowBits / 8 - 1) * ByteGap + int(RowBits - 1) * CellGap;
    return {2 * Margin + int(RowBits) * narrowestCell() + gaps,
            2 * Margin + int(rows()) * rowHeight()};
}

QRect TBitGrid::cellRect(unsigned bit) const
{
    // The top row holds the highest bits; within a row, the highest is left.
    const unsigned row = rows() - 1 - bit / RowBits;
    const unsigned column = columns() - 1 - bit % RowBits;
    const int x = Margin + int(column) * (cellWidth() + CellGap) + int(column / 8) * ByteGap;
    const int y = Margin + int(row) * rowHeight() + numberHeight();
    return {x, y, cellWidth(), cellHeight()};
}

std::optional<unsigned> TBitGrid::bitAt(const QPoint& point) const
{
    for (unsigned bit = 0; bit < FWord.width; ++bit) {
        const QRect cell = cellRect(bit);
        // A press between two cells, or on a bit's number, counts for the
        // cell beside or under it.
        const QRect reach = cell.adjusted(-CellGap, -numberHeight(), CellGap, 3);
        if (reach.contains(point))
            return bit;
    }
    return std::nullopt;
}

QColor TBitGrid::cellColour(unsigned bit, bool set) const
{
    const QPalette& colours = palette();
    QColor face =
        set ? toneBetween(colours.color(QPalette::Base), colours.color(QPalette::Text), 0.7)
            : colours.color(QPalette::Base);
    if (FFloat) {
        const FloatLayout& layout = floatLayout(*FFloat);
        const QColor& tint = bit == layout.width - 1      ? SignTint
                             : bit >= layout.fractionBits ? ExponentTint
                                                          : FractionTint;
        face = toneBetween(face, tint, set ? 0.45 : 0.25);
    }
    return face;
}

void TBitGrid::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QPalette& colours = palette();
    const QFont small = numberFont();
    const QColor numberColour =
        toneBetween(colours.color(QPalette::WindowText), colours.color(QPalette::Window), 0.35);
    const QColor chosenTint = colours.color(QPalette::Highlight);
    for (unsigned bit = 0; bit < FWord.width; ++bit) {
        const QRect cell = cellRect(bit);
        const bool set = wordmath::bit(FWord.bits, bit);
        const bool chosen = FField && bit >= FField->low && bit <= FField->high;
        QColor face = cellColour(bit, set);
        if (chosen)
            face = toneBetween(face, chosenTint, 0.35);
        painter.fillRect(cell, face);
        if (chosen) {
            // A field stands out from the float's tints by its frame and
            // by a bar under it that runs on to the next bit of the field.
            painter.setPen(QPen(chosenTint, 2));
            painter.drawRect(cell.adjusted(1, 1, -1, -1));
            QRect bar(cell.left(), cell.bottom() + 3, cell.width(), 3);
            if (bit > FField->low && bit % RowBits != 0)
                bar.setRight(cellRect(bit - 1).left());
            painter.fillRect(bar, chosenTint);
        } else {
            painter.setPen(colours.color(QPalette::Mid));
            painter.drawRect(cell.adjusted(0, 0, -1, -1));
        }
        painter.setFont(font());
        // Whichever of the text and the field colour stands out more on the face.
        const QColor text = colours.color(QPalette::Text);
        const QColor base = colours.color(QPalette::Base);
        const int light = face.lightness();
        painter.setPen(
            std::abs(text.lightness() - light) >= std::abs(base.lightness() - light) ? text : base);
        painter.drawText(cell, Qt::AlignCenter, set ? QStringLiteral("1") : QStringLiteral("0"));
        painter.setFont(small);
        painter.setPen(numberColour);
        painter.drawText(QRect(cell.left() - CellGap, cell.top() - numberHeight(),
                               cell.width() + 2 * CellGap, numberHeight()),
                         Qt::AlignHCenter | Qt::AlignBottom, QString::number(bit));
    }
    if (hasFocus() && FCursor < FWord.width) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = cellRect(FCursor).adjusted(-2, -2, 2, 2);
        option.backgroundColor = colours.color(QPalette::Window);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

void TBitGrid::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    FPressed = bitAt(event->position().toPoint());
    FDragging = false;
    if (FPressed) {
        FCursor = FAnchor = *FPressed;
        update();
    }
}

void TBitGrid::mouseMoveEvent(QMouseEvent* event)
{
    if (!FPressed || !(event->buttons() & Qt::LeftButton))
        return;
    const std::optional<unsigned> over = bitAt(event->position().toPoint());
    if (!over)
        return;
    // A drag from one bit onto another chooses the field between them; a
    // hand that wavers within one cell still clicks it.
    if (!FDragging && *over == *FPressed)
        return;
    FDragging = true;
    FCursor = *over;
    FField = BitRange::between(*FPressed, *over);
    describe();
    update();
}

void TBitGrid::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !FPressed)
        return;
    const unsigned pressed = *FPressed;
    FPressed.reset();
    if (FDragging)
        emit fieldChosen(FField);
    else
        emit bitFlipped(pressed);
}

void TBitGrid::keyPressEvent(QKeyEvent* event)
{
    const bool extend = event->modifiers() & Qt::ShiftModifier;
    switch (event->key()) {
    case Qt::Key_Left:
        moveCursor(1, extend);
        return;
    case Qt::Key_Right:
        moveCursor(-1, extend);
        return;
    case Qt::Key_Up:
        moveCursor(int(RowBits), extend);
        return;
    case Qt::Key_Down:
        moveCursor(-int(RowBits), extend);
        return;
    case Qt::Key_Home:
        moveCursor(int(FWord.width) - 1 - int(FCursor), extend);
        return;
    case Qt::Key_End:
        moveCursor(-int(FCursor), extend);
        return;
    case Qt::Key_Space:
        emit bitFlipped(FCursor);
        return;
    case Qt::Key_Escape:
        if (FField) {
            chooseField(std::nullopt);
            return;
        }
        break;
    default:
        break;
    }
    QWidget::keyPressEvent(event);
}

void TBitGrid::moveCursor(int step, bool extend)
{
    const int next = int(FCursor) + step;
    if (next < 0 || next >= int(FWord.width))
        return;
    if (extend && !FField)
        FAnchor = FCursor;
    FCursor = unsigned(next);
    if (extend)
        chooseField(BitRange::between(FAnchor, FCursor));
    describe();
    update();
}

void TBitGrid::chooseField(std::optional<BitRange> field)
{
    FField = field;
    describe();
    update();
    emit fieldChosen(FField);
}

void TBitGrid::focusInEvent(QFocusEvent* event)
{
    update();
    QWidget::focusInEvent(event);
}

void TBitGrid::focusOutEvent(QFocusEvent* event)
{
    update();
    QWidget::focusOutEvent(event);
}

void TBitGrid::describe()
{
    // A screen reader says the bit under the cursor and the field chosen.
    QString text = QStringLiteral("Bit %1 of %2 is %3")
                       .arg(FCursor)
                       .arg(FWord.width)
                       .arg(wordmath::bit(FWord.bits, FCursor) ? 1 : 0);
    if (FField)
        text += QStringLiteral("; field: bits %1 to %2").arg(FField->low).arg(FField->high);
    setAccessibleDescription(text);
}
