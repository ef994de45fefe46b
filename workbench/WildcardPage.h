#pragma once

#include "bits/WildcardMask.h"

#include <QWidget>

#include <optional>

class QLabel;
class QLineEdit;
class QTableView;
class TBlockModel;
class TViewPanel;

// The wildcard tab: an address and an ACL wildcard mask, and as they are
// typed, how many addresses match, the first and the last, whether an
// address to test matches, and the shortest list of CIDR blocks matching
// the same set, in a table whose rows are made only when shown. A wildcard
// in a netmask's shape is said to be one.
class TWildcardPage : public QWidget
{
    Q_OBJECT
public:
    explicit TWildcardPage(QWidget* parent = nullptr);

    // The three fields as typed, for the window to remember.
    QStringList texts() const;
    void setTexts(const QStringList& texts);

    QTableView* blockTable() const { return FTable; }
    const TBlockModel* blocks() const { return FBlocks; }

private:
    void update();
    void copyBlocks();
    bool eventFilter(QObject* watched, QEvent* event) override;

    QLineEdit* FAddress;
    QLineEdit* FWildcard;
    QLineEdit* FTest;
    QLabel* FFault;
    QLabel* FNetmaskNote;
    QLabel* FMatch;
    TViewPanel* FFacts;
    QLabel* FBlocksCaption;
    QTableView* FTable;
    TBlockModel* FBlocks;
};
