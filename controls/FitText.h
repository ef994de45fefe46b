#pragma once

class QLabel;
class QWidget;

// The layouts are drawn in pixels for a narrow face. With a wider face, a
// caption that would run past the room it has is made to fit rather than
// cut off; with the intended face it stays as it is.

// Sets the widget's font a pixel or two smaller, down to 9 pixels, until its
// size hint fits `width`.
void fitFontToWidth(QWidget* widget, int nominalPixels, int width);

// Condenses the label's font until its text fits the room its parent leaves
// right of it, and gives it that width.
void condenseToParent(QLabel* label);
