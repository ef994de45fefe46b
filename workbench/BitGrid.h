#pragma once

#include "bits/BitWord.h"
#include "bits/FloatBits.h"

#include <QWidget>

#include <optional>

// The bits of a word as a grid of cells, 32 to a row with the highest bits
// in the top row, each numbered above and with a gap at every byte
// boundary. A click or Space flips a bit; the arrow keys move between bits
// (Left towards the higher ones, as they are drawn). A drag across bits, or
// Shift with the arrow keys, chooses a field, which the window's field
// operations act on; Escape lets it go. With a float layout set, the sign,
// exponent and fraction fields are tinted.
class TBitGrid : public QWidget
{
    Q_OBJECT
public:
    explicit TBitGrid(QWidget* parent = nullptr);

    // Shows the word; the field goes if it no longer fits.
    void setWord(const BitWord& word);
    void setField(std::optional<BitRange> field);
    std::optional<BitRange> field() const { return FField; }
    void setFloatLayout(std::optional<FloatFormat> format);

    // The bit with the keyboard's cursor.
    unsigned cursorBit() const { return FCursor; }
    // Where a bit is drawn (tests click there).
    QRect cellRect(unsigned bit) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void bitFlipped(unsigned bit);
    // A field chosen, or none (no range).
    void fieldChosen(std::optional<BitRange> field);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    unsigned rows() const;
    unsigned columns() const;
    int cellWidth() const;
    int cellHeight() const;
    int numberHeight() const;
    int rowHeight() const;
    QFont numberFont() const;
    // The narrowest a cell may be: its bit's number and its digit fit.
    int narrowestCell() const;
    std::optional<unsigned> bitAt(const QPoint& point) const;
    QColor cellColour(unsigned bit, bool set) const;
    void moveCursor(int step, bool extend);
    void chooseField(std::optional<BitRange> field);
    void describe();

    BitWord FWord;
    std::optional<BitRange> FField;
    std::optional<FloatFormat> FFloat;
    unsigned FCursor = 0;
    // The bit a press or a Shift+arrow selection started at.
    unsigned FAnchor = 0;
    std::optional<unsigned> FPressed;
    bool FDragging = false;
};
