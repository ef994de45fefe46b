#include "planner/PlanCommands.h"

#include "planner/RequestModel.h"

namespace plancommands {

namespace {

class TEditCell : public QUndoCommand
{
public:
    TEditCell(TRequestModel* model, int row, int column, std::string before, std::string after)
        : FModel(model), FRow(row), FColumn(column), FBefore(std::move(before)),
          FAfter(std::move(after))
    {
        setText(column == TRequestModel::NameColumn ? QStringLiteral("Edit Name")
                                                    : QStringLiteral("Edit Size"));
    }
    void redo() override { FModel->setCell(FRow, FColumn, FAfter); }
    void undo() override { FModel->setCell(FRow, FColumn, FBefore); }

private:
    TRequestModel* FModel;
    int FRow;
    int FColumn;
    std::string FBefore;
    std::string FAfter;
};

class TInsertRows : public QUndoCommand
{
public:
    TInsertRows(TRequestModel* model, int row, std::vector<plantext::RequestText> requests,
                const QString& text)
        : FModel(model), FRow(row), FRequests(std::move(requests))
    {
        setText(text);
    }
    void redo() override { FModel->insertRequests(FRow, FRequests); }
    void undo() override { FModel->removeRequests(FRow, int(FRequests.size())); }

private:
    TRequestModel* FModel;
    int FRow;
    std::vector<plantext::RequestText> FRequests;
};

class TRemoveRows : public QUndoCommand
{
public:
    TRemoveRows(TRequestModel* model, int row, int count, QUndoCommand* parent)
        : QUndoCommand(parent), FModel(model), FRow(row), FCount(count)
    {
        setText(QStringLiteral("Remove"));
    }
    void redo() override { FRemoved = FModel->removeRequests(FRow, FCount); }
    void undo() override { FModel->insertRequests(FRow, FRemoved); }

private:
    TRequestModel* FModel;
    int FRow;
    int FCount;
    std::vector<plantext::RequestText> FRemoved;
};

class TMoveRows : public QUndoCommand
{
public:
    TMoveRows(TRequestModel* model, int first, int count, int delta)
        : FModel(model), FFirst(first), FCount(count), FDelta(delta)
    {
        setText(delta < 0 ? QStringLiteral("Move Up") : QStringLiteral("Move Down"));
    }
    void redo() override { FModel->moveRequests(FFirst, FCount, FDelta); }
    void undo() override { FModel->moveRequests(FFirst + FDelta, FCount, -FDelta); }

private:
    TRequestModel* FModel;
    int FFirst;
    int FCount;
    int FDelta;
};

class TChangeOptions : public QUndoCommand
{
public:
    TChangeOptions(ApplyOptions apply, const PlanOptions& before, const PlanOptions& after,
                   const QString& text)
        : FApply(std::move(apply)), FBefore(before), FAfter(after)
    {
        setText(text);
    }
    void redo() override { FApply(FAfter); }
    void undo() override { FApply(FBefore); }

private:
    ApplyOptions FApply;
    PlanOptions FBefore;
    PlanOptions FAfter;
};

} // namespace

QUndoCommand* editCell(TRequestModel* model, int row, int column, const std::string& before,
                       const std::string& after)
{
    return new TEditCell(model, row, column, before, after);
}

QUndoCommand* insertRows(TRequestModel* model, int row, std::vector<plantext::RequestText> requests,
                         const QString& text)
{
    return new TInsertRows(model, row, std::move(requests), text);
}

QUndoCommand* removeRows(TRequestModel* model, int row, int count, QUndoCommand* parent)
{
    return new TRemoveRows(model, row, count, parent);
}

QUndoCommand* moveRows(TRequestModel* model, int first, int count, int delta)
{
    return new TMoveRows(model, first, count, delta);
}

QUndoCommand* changeOptions(ApplyOptions apply, const PlanOptions& before, const PlanOptions& after,
                            const QString& text)
{
    return new TChangeOptions(std::move(apply), before, after, text);
}

} // namespace plancommands
