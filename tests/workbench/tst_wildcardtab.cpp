// The wildcard tab: an address and a wildcard typed, what they match, an
// address tested, the CIDR list as a table whose rows are made only when
// shown (65,536 blocks come at once), its rows copied, and a netmask typed
// where a wildcard belongs.

#include "tests/support/UiFixture.h"
#include "tests/workbench/WorkbenchDriver.h"

#include "workbench/BlockModel.h"
#include "workbench/ViewPanel.h"
#include "workbench/WildcardPage.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableView>

class TestWildcardTab : public QObject, WorkbenchDriver
{
    Q_OBJECT

    void typeMask(const QString& address, const QString& wildcard, const QString& test = {})
    {
        typeOver(inWorkbench(QStringLiteral("AclAddressEdit")), address);
        typeOver(inWorkbench(QStringLiteral("WildcardEdit")), wildcard);
        typeOver(inWorkbench(QStringLiteral("MatchEdit")), test);
    }
    QString fact(const char* key) const
    {
        return inWorkbench<TViewPanel>(QStringLiteral("WildcardFacts"))->text(QLatin1String(key));
    }
    QString line(const char* name) const
    {
        auto* label = inWorkbench<QLabel>(QLatin1String(name));
        return label->isVisibleTo(workbench()) ? label->text() : QString();
    }
    QTableView* table() const { return inWorkbench<QTableView>(QStringLiteral("BlockTable")); }

private slots:
    void init()
    {
        startWorkbench();
        // The tab, by its shortcut.
        QTest::keySequence(workbench()->windowHandle(), QKeySequence(QStringLiteral("Ctrl+2")));
        QCOMPARE(inWorkbench<QTabWidget>(QStringLiteral("WorkbenchPages"))->currentIndex(), 1);
    }
    void cleanup() { finish(); }

    void everyOtherSlash24()
    {
        typeMask(QStringLiteral("10.0.0.0"), QStringLiteral("0.255.0.255"),
                 QStringLiteral("10.7.0.9"));
        QCOMPARE(fact("matches"), QStringLiteral("65536"));
        QCOMPARE(fact("first"), QStringLiteral("10.0.0.0"));
        QCOMPARE(fact("last"), QStringLiteral("10.255.0.255"));
        QCOMPARE(fact("contiguous"), QStringLiteral("no"));
        QCOMPARE(line("MatchResult"), QStringLiteral("10.7.0.9 matches."));
        QCOMPARE(line("NetmaskNote"), QString());
        QCOMPARE(table()->model()->rowCount(), 256);
        QCOMPARE(table()->model()->index(7, 1).data().toString(), QStringLiteral("10.7.0.0/24"));
        typeOver(inWorkbench(QStringLiteral("MatchEdit")), QStringLiteral("10.7.1.9"));
        QCOMPARE(line("MatchResult"), QStringLiteral("10.7.1.9 does not match."));

        // The chosen rows copy as the table shows them.
        table()->setFocus();
        table()->selectRow(1);
        QTest::keyClick(table(), Qt::Key_Down, Qt::ShiftModifier);
        QTest::keyClick(table(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(clipboardText(), QStringLiteral("#\tBlock\tFirst\tLast\r\n"
                                                 "2\t10.1.0.0/24\t10.1.0.0\t10.1.0.255\r\n"
                                                 "3\t10.2.0.0/24\t10.2.0.0\t10.2.0.255"));
    }

    // 2^16 blocks of one address each, and 2^24 of which the table holds
    // the first 2^20: the table follows each key at once, and its last rows
    // show as soon as they are scrolled to.
    void longListsStayInstant()
    {
        typeMask(QStringLiteral("10.1.2.3"), QStringLiteral("0.0.0.0"));
        QElapsedTimer timer;
        timer.start();
        typeOver(inWorkbench(QStringLiteral("WildcardEdit")), QStringLiteral("0.255.255.0"));
        QCOMPARE(table()->model()->rowCount(), 65536);
        table()->scrollToBottom();
        workbench()->repaint();
        QCOMPARE(table()->model()->index(65535, 1).data().toString(),
                 QStringLiteral("10.255.255.3/32"));
        const qint64 sixteenBits = timer.restart();
        typeOver(inWorkbench(QStringLiteral("WildcardEdit")), QStringLiteral("255.255.255.0"));
        QCOMPARE(table()->model()->rowCount(), TBlockModel::MaxRows);
        QVERIFY(inWorkbench<QLabel>(QStringLiteral("BlocksCaption"))
                    ->text()
                    .contains(QLatin1String("16,777,216 of /32 (the first 1,048,576 listed)")));
        table()->scrollToBottom();
        workbench()->repaint();
        const qint64 twentyFourBits = timer.elapsed();
        qInfo("11 keys to 65,536 blocks: %lld ms; 13 keys to 2^24 blocks: %lld ms", sixteenBits,
              twentyFourBits);
        QVERIFY2(sixteenBits < 1000 && twentyFourBits < 3000, "the table did not keep up");
    }

    void netmaskShapedWildcard()
    {
        typeMask(QStringLiteral("192.168.1.0"), QStringLiteral("255.255.255.0"));
        QCOMPARE(line("NetmaskNote"),
                 QStringLiteral("255.255.255.0 looks like a netmask (/24), not a wildcard: as a "
                                "wildcard it matches any value in the bits that netmask keeps. "
                                "The wildcard of /24 is 0.0.0.255."));
        QCOMPARE(fact("matches"), QStringLiteral("16777216"));
    }

    void faults()
    {
        typeMask(QStringLiteral("10.0.0.0"), QStringLiteral("::ff"));
        QCOMPARE(line("AclFault"),
                 QStringLiteral("The wildcard mask '::ff' is IPv6 but the address is IPv4"));
        QCOMPARE(table()->model()->rowCount(), 0);
        typeMask(QStringLiteral("10.0.0.0"), QStringLiteral("0.0.0.3"), QStringLiteral("::1"));
        QCOMPARE(line("AclFault"), QString());
        QCOMPARE(line("MatchResult"), QStringLiteral("'::1' is IPv6 but the mask is IPv4"));
    }

    // What was typed comes back with the window.
    void remembered()
    {
        typeMask(QStringLiteral("2001:db8::"), QStringLiteral("::ffff:0:0:0:ffff"),
                 QStringLiteral("2001:db8::5:0:0:0:7"));
        stop();
        open();
        openWorkbench();
        QCOMPARE(inWorkbench<QTabWidget>(QStringLiteral("WorkbenchPages"))->currentIndex(), 1);
        QCOMPARE(line("MatchResult"), QStringLiteral("2001:db8:0:5::7 matches."));
        QCOMPARE(table()->model()->rowCount(), 65536);
    }
};

ZENTRIX_UI_TEST_MAIN(TestWildcardTab)
#include "tst_wildcardtab.moc"
