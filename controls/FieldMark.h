#pragma once

#include <QColor>
#include <QString>

class QPalette;
class QWidget;

// How a tool window marks a field whose text it cannot use: its face turns
// towards red, from the desktop's own colours, so that the mark reads on a
// light desktop as on a dark one; its tooltip and its accessible
// description say why.
namespace fieldmark {

QColor markedBase(const QPalette& palette);

// An empty message takes the mark away.
void setMarked(QWidget* field, const QString& message);
bool isMarked(const QWidget* field);

} // namespace fieldmark
