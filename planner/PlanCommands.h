#pragma once

#include "ipaddress/PlanRules.h"
#include "ipaddress/PlanText.h"

#include <QUndoCommand>

#include <functional>
#include <vector>

class TRequestModel;

// The edits of a plan as undoable commands: the request table's, and the
// options'. Each keeps what it needs to take itself back, and changes the
// model only through its operations.
namespace plancommands {

QUndoCommand* editCell(TRequestModel* model, int row, int column, const std::string& before,
                       const std::string& after);
QUndoCommand* insertRows(TRequestModel* model, int row, std::vector<plantext::RequestText> requests,
                         const QString& text);
QUndoCommand* removeRows(TRequestModel* model, int row, int count, QUndoCommand* parent);
QUndoCommand* moveRows(TRequestModel* model, int first, int count, int delta);

// `apply` shows the options in the window and plans with them.
using ApplyOptions = std::function<void(const PlanOptions&)>;
QUndoCommand* changeOptions(ApplyOptions apply, const PlanOptions& before, const PlanOptions& after,
                            const QString& text);

} // namespace plancommands
