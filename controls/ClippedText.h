#pragma once

class QLabel;
class QWidget;

// Fixed layouts leave some labels too narrow for what they may show (a long
// element name in a legend, a long bit map). Such a label shows its whole
// text in its tooltip; a label whose text fits gets no tooltip. The check is
// made when the label shows, and again whenever it is resized, repainted (as
// after a new text) or asked for its tooltip while its text, face or room
// have changed, so the tooltip follows the text. A hint that the label was
// given for its own sake is never replaced.
void showWholeTextWhenClipped(QLabel* label);
// The same for every label inside `root`.
void showWholeTextsWhenClipped(QWidget* root);

// Whether the label's one line of text is wider than the room it has.
// Rich text and word-wrapped labels lay out otherwise and never count.
bool isTextClipped(const QLabel* label);
