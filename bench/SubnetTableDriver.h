#pragma once

#include <QString>
#include <QStringList>
#include <memory>

class QTabWidget;
class TMainForm;
class TOctetEdit;
class TSuperStringGrid;

// Drives the subnet calculator of a real, shown main window into the state
// of the longest Subnets/Hosts table (class A, 22 subnet bits: 16,385 subnet
// rows) and through the steps a user takes around it. The steps go through
// the window's own handlers, or call the very functions the calculator's
// table build calls, so what is timed is what the program does.
class SubnetTableDriver
{
public:
    SubnetTableDriver();
    ~SubnetTableDriver();

    SubnetTableDriver(const SubnetTableDriver&) = delete;
    SubnetTableDriver& operator=(const SubnetTableDriver&) = delete;

    // Leaves the Subnets/Hosts tab for Address Info and enters the other of
    // two first octets (10 and 11), so that the table is stale and every
    // one of its range cells is due to change.
    void changeAddress();
    // Opens the Subnets/Hosts tab, which rebuilds a stale table, and lays the
    // grid out as its next paint needs it.
    void showTable();
    // The calculator's table build on its own, call for call, on the shown
    // grid: the table of another network (20 and 21 in turn) written in,
    // and the grid laid out as its next paint needs it.
    void rebuildTable();
    // Paints the grid now, as the event loop would after a change.
    void paintGrid();
    // Empty when the grid holds the table of the network last written into
    // it; otherwise what is wrong, so that no time of a wrong result counts.
    QString checkTable() const;

    TSuperStringGrid* grid() const { return FGrid; }

private:
    void buildTable(int network);
    QStringList allCells() const;

    std::unique_ptr<TMainForm> FForm;
    QTabWidget* FPages = nullptr;
    TOctetEdit* FFirstOctet = nullptr;
    TSuperStringGrid* FGrid = nullptr;
    int FAddressOctet = 10;   // what the calculator's address entry holds
    int FRebuildNetwork = 21; // what rebuildTable wrote last
    int FGridNetwork = 0;     // the network the grid lists
};
