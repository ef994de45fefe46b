#pragma once

#include <QTableView>

class TPlanTableModel;

// A table of the plan's result: rows are selected whole, and Ctrl+C copies
// the selected ones under the table's header, as tab-separated text with
// CR LF line ends (the window's grid format).
class TCopyableTable : public QTableView
{
    Q_OBJECT
public:
    TCopyableTable(TPlanTableModel* model, QWidget* parent);

    TPlanTableModel* planModel() const { return FModel; }
    // The selected rows as the clipboard gets them.
    QString selectedText() const;
    void fitColumns();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    TPlanTableModel* FModel;
};
