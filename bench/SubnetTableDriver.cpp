#include "bench/SubnetTableDriver.h"

#include "app/MainForm.h"
#include "controls/BetterSpinEdit.h"
#include "controls/SuperStringGrid.h"
#include "ipaddress/IPAddress.h"
#include "subnet/OctetEdit.h"
#include "subnet/SubnetTable.h"

#include <QRadioButton>
#include <QStringList>
#include <QTabWidget>
#include <QTest>

#include <stdexcept>

namespace {

// Class A with 22 subnet bits lists subnets 0 to 16384; one header row more.
const int TableRows = 16386;

template <class T> T* child(QObject* parent, const char* name)
{
    T* found = parent->findChild<T*>(QString::fromLatin1(name));
    if (!found)
        throw std::runtime_error(std::string("the window has no ") + name);
    return found;
}

} // namespace

SubnetTableDriver::SubnetTableDriver() : FForm(std::make_unique<TMainForm>())
{
    FForm->show();
    if (!QTest::qWaitForWindowExposed(FForm.get()))
        throw std::runtime_error("the main window was never shown");

    FPages = child<QTabWidget>(FForm.get(), "SubnetPageControl");
    FFirstOctet = child<TOctetEdit>(FForm.get(), "MaskEdit1");
    FGrid = child<TSuperStringGrid>(FForm.get(), "SubnetHostStringGrid");

    // Class A first: it is the only class with room for 22 subnet bits.
    child<QRadioButton>(FForm.get(), "AddressTypeClassA")->click();
    child<TBetterSpinEdit>(FForm.get(), "BitsSpinEdit")->setValue(22);
    // One build of the same size beforehand, so the timed ones start from a
    // full table as a user's second visit does.
    changeAddress();
    showTable();
    const QString fault = checkTable();
    if (!fault.isEmpty())
        throw std::runtime_error(fault.toStdString());

    // rebuildTable stands for the calculator's own build only while the two
    // write the same table.
    const QStringList calculatorTable = allCells();
    buildTable(FAddressOctet);
    if (allCells() != calculatorTable)
        throw std::runtime_error("the table built here differs from the calculator's");
}

SubnetTableDriver::~SubnetTableDriver() = default;

void SubnetTableDriver::changeAddress()
{
    FPages->setCurrentWidget(child<QWidget>(FPages, "AddressInfoTab"));
    FAddressOctet = FAddressOctet == 10 ? 11 : 10;
    FFirstOctet->setText(QString::number(FAddressOctet));
    QTest::keyClick(FFirstOctet, Qt::Key_Return);
}

void SubnetTableDriver::showTable()
{
    // The tab control's page change runs the window's page handlers, which
    // refresh the tab and rebuild the table when it is stale.
    FPages->setCurrentWidget(child<QWidget>(FPages, "SubnetHostTab"));
    // Row counts and scroll ranges are settled by a deferred layout pass;
    // run it now instead of on the next paint.
    FGrid->doItemsLayout();
    FGridNetwork = FAddressOctet;
}

void SubnetTableDriver::rebuildTable()
{
    FRebuildNetwork = FRebuildNetwork == 20 ? 21 : 20;
    buildTable(FRebuildNetwork);
}

void SubnetTableDriver::buildTable(int network)
{
    TIPAddSubnet subnet;
    subnet.SetAddress(static_cast<uint32_t>(network) << 24 | 1);
    subnet.SetSubnetBits(22);

    const int32_t last = subnettable::lastListedSubnet(subnet);
    FGrid->setRowCount(last + 2);
    QStringList cells;
    cells.reserve(2 * (last + 1));
    subnettable::forEachRow(subnet,
                            [&cells](int32_t, const QString& numberCell, const QString& rangeCell) {
                                cells << numberCell << rangeCell;
                            });
    FGrid->setCellBlock(0, 1, 2, cells);
    FGrid->doItemsLayout();
    FGridNetwork = network;
}

QStringList SubnetTableDriver::allCells() const
{
    QStringList cells;
    for (int row = 0; row < FGrid->RowCount(); ++row)
        for (int col = 0; col < FGrid->ColCount(); ++col)
            cells << FGrid->Cells(col, row);
    return cells;
}

void SubnetTableDriver::paintGrid()
{
    FGrid->repaint();
}

QString SubnetTableDriver::checkTable() const
{
    const int lastRow = TableRows - 1;
    const QString network = QString::number(FGridNetwork);
    struct Expected
    {
        int col;
        int row;
        QString text;
    };
    const Expected cells[] = {
        {0, 0, QStringLiteral("Subnet")},
        {1, 0, QStringLiteral("Host Range")},
        {0, 1, QStringLiteral("    0")},
        {1, 1, network + QStringLiteral(".0.0.1  -  ") + network + QStringLiteral(".0.0.2")},
        {0, lastRow, QStringLiteral("16384")},
        {1, lastRow, network + QStringLiteral(".1.0.1  -  ") + network + QStringLiteral(".1.0.2")},
    };
    if (FGrid->RowCount() != TableRows)
        return QStringLiteral("the table has %1 rows, not %2")
            .arg(FGrid->RowCount())
            .arg(TableRows);
    for (const Expected& cell : cells) {
        const QString text = FGrid->Cells(cell.col, cell.row);
        if (text != cell.text)
            return QStringLiteral("cell (%1, %2) holds \"%3\", not \"%4\"")
                .arg(cell.col)
                .arg(cell.row)
                .arg(text, cell.text);
    }
    return QString();
}
