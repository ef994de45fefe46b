#pragma once

#include <QStyledItemDelegate>
#include <QTableView>

class TRequestModel;

// The request table's view: edited in place, and a cell's text reaches the
// plan with each keystroke (the model previews it) before it is committed
// by Enter, Tab or leaving the cell. Ctrl+V pastes rows, Delete removes
// the selected ones; the window does both, through its actions.
class TRequestTable : public QTableView
{
    Q_OBJECT
public:
    explicit TRequestTable(QWidget* parent = nullptr);

    void setRequestModel(TRequestModel* model);

    // The selected rows, in order; the current row when none is selected.
    std::vector<int> chosenRows() const;
    // Selects rows first .. last and makes the first current.
    void chooseRows(int first, int last);

signals:
    void pasteRequested();
    void removeRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    TRequestModel* FModel = nullptr;
};

// Hands each keystroke in a cell's editor to the model as a preview.
class TRequestDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    TRequestDelegate(TRequestModel* model, QObject* parent);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;

private:
    TRequestModel* FModel;
};
