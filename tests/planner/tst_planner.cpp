// The address planner as a user types a plan: worked cases of steps and
// what the window then shows, computed by hand in the comments; pasting
// from spreadsheets; the selection shared by the map and the tables; and
// the keyboard.

#include "tests/planner/PlannerDriver.h"
#include "tests/support/UiFixture.h"

#include "planner/PlanMap.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QTableView>

namespace {

// The 10.20.0.0/22 example: sales 100 hosts need a /25 (126 usable), then
// operations 50 a /26 (62), the lab its /28, and each link of 2 hosts a /31
// (RFC 3021: no network or broadcast address). Largest first, each at the
// lowest aligned free address: .0/25, .128/26, .192/28, .208, .210, .212.
const QString workedRequests = QStringLiteral(
    "paste:Name\tHosts\nsales\t100\noperations\t50\nlab\t/28\nlink 1\t2\nlink 2\t2\nlink 3\t2");
const QString workedRows =
    QStringLiteral("sales|100|/25|10.20.0.0/25|10.20.0.1|10.20.0.126|10.20.0.127|126|26;"
                   "operations|50|/26|10.20.0.128/26|10.20.0.129|10.20.0.190|10.20.0.191|62|12;"
                   "lab|/28|/28|10.20.0.192/28|10.20.0.193|10.20.0.206|10.20.0.207|14|;"
                   "link 1|2|/31|10.20.0.208/31|10.20.0.208|10.20.0.209||2|0;"
                   "link 2|2|/31|10.20.0.210/31|10.20.0.210|10.20.0.211||2|0;"
                   "link 3|2|/31|10.20.0.212/31|10.20.0.212|10.20.0.213||2|0");

} // namespace

class TestPlanner : public QObject, PlannerDriver
{
    Q_OBJECT

private slots:
    void init() { startPlanner(); }
    void cleanup() { finish(); }

    void typingAPlan_data()
    {
        QTest::addColumn<QStringList>("steps");
        // "WHAT=text" reads exactly, "WHAT~text" reads text somewhere in it.
        QTest::addColumn<QStringList>("expected");
        const auto row = [](const char* name, QStringList steps, QStringList expected) {
            QTest::newRow(name) << steps << expected;
        };

        row("the 10.20.0.0/22 example", {"parents:10.20.0.0/22", workedRequests},
            {"rows=" + workedRows, "marked=", "Summary=6 placed, 5 free blocks.",
             // 1024 - 214 addresses in use leave .214/31, .216/29, .224/27, .1.0/24 and .2.0/23.
             "free~10.20.0.214/31|2;", "free~10.20.2.0/23|512", "fact:Netmask=255.255.252.0",
             "FactsTitle=Facts of 10.20.0.0/22"});
        row("the facts are the first line's", {"parents:192.168.1.0/24\n2001:db8::/48"},
            {"fact:Netmask=255.255.255.0", "fact:Usable hosts=254",
             "ParentsFault~'2001:db8::/48'"});
        row("IPv6 facts", {"parents:2001:db8::/48"},
            {"fact:Addresses=1208925819614629174706176", "fact:Type=documentation"});
        row("a bad parent is marked, kept and plans nothing",
            {workedRequests, "parents:10.20.0.0/33"},
            {"rows=", "marked=ParentsEdit", "parentsText=10.20.0.0/33",
             "ParentsFault~Line 1: '10.20.0.0/33': expected",
             "Summary=No plan: correct the marked field."});
        row("host bits in a parent", {"parents:10.20.0.5/22", workedRequests},
            {"rows=", "ParentsFault~'10.20.0.5/22'", "ParentsFault~10.20.0.0/22"});
        row("overlapping parents name the second line",
            {"parents:10.0.0.0/8\n10.1.0.0/16", "paste:a\t1"},
            {"rows=", "marked=ParentsEdit", "ParentsFault~Line 2: '10.1.0.0/16'"});
        row("no parent yet is no mistake", {"paste:a\t1"},
            {"marked=", "ParentsFault~such as 10.20.0.0/22"});
        row("a cloud mode on IPv6", {"parents:2001:db8::/48", "paste:lan\t/64", "mode:1"},
            {"rows=", "marked=ModeBox", "OptionsFault~'aws'"});
        row("nibble boundaries on IPv4", {"parents:10.0.0.0/24", "paste:a\t10", "nibble"},
            {"rows=", "marked=NibbleBox"});
        row("/30 links with a cloud mode", {"parents:10.0.0.0/24", "paste:a\t2", "mode:3", "p2p30"},
            {"rows=", "marked=P2p30Box"});
        row("a prefix below the mode's smallest", {"parents:10.0.0.0/24", "paste:a\t/30", "mode:2"},
            {"rows=", "marked=cell 1,1", "RequestsFault~Row 1: '/30'", "RequestsFault~/29"});
        row("a size outside the mode's range", {"parents:10.0.0.0/8", "paste:big\t/12", "mode:1"},
            {"rows=", "marked=cell 1,1", "RequestsFault~Row 1: '/12'", "RequestsFault~/16 to /28"});
        row("a name twice marks the second", {"parents:10.0.0.0/24", "paste:a\t1\nb\t2\na\t3"},
            {"rows=", "marked=cell 3,0", "RequestsFault~Row 3: 'a'",
             "RequestsFault~(row 1 has it too)"});
        row("/127 links on IPv4", {"parents:10.0.0.0/24", "paste:a\t2", "p2p127"},
            {"rows=", "marked=P2p127Box"});
        row("an IPv6 host count is a /64, a link a /127 when asked",
            {"parents:2001:db8::/48", "paste:lan\t300\nlink\t2", "p2p127"},
            {"rows~lan|300|/64|2001:db8::/64", "rows~link|2|/127|2001:db8:0:1::/127"});
        row("bad sizes are marked in their cells",
            {"parents:10.0.0.0/24", "paste:a\t10\nb\t10x\nc\t0"},
            {"rows=", "marked=cell 2,1 cell 3,1", "RequestsFault~Row 2: '10x': expected",
             "RequestsFault~(2 rows to correct)", "requests=a 10;b 10x;c 0"});
        // /56 is 2^72 addresses; /62 widens to the nibble /60, 2^68, after it.
        row("IPv6 on nibbles, without a broadcast column",
            {"parents:2001:db8::/48", "paste:site\t/56\nlab\t/62", "nibble"},
            {"rows=site|/56|/56|2001:db8::/56|2001:db8::|2001:db8:0:ff:ffff:ffff:ffff:ffff|"
             "4722366482869645213696|;"
             "lab|/62|/60|2001:db8:0:100::/60|2001:db8:0:100::|2001:db8:0:10f:ffff:ffff:ffff:"
             "ffff|295147905179352825856|"});
        // A /30 holds two /31 links; the third has no room left at all.
        row("what did not fit", {"parents:10.0.0.0/30", "paste:a\t2\nb\t2\nc\t2"},
            {"unplaced=c|2|/31", "Summary~1 did not fit (largest free block: none)",
             "rows~b|2|/31|10.0.0.2/31"});
        // 100 hosts and 30% more are 130, which a /24 (254) holds, not a /25 (126).
        row("a growth margin", {"parents:10.0.0.0/24", "paste:a\t100", "grow:30"},
            {"rows=a|100|/24|10.0.0.0/24|10.0.0.1|10.0.0.254|10.0.0.255|254|154"});
        // In the order given the /30 takes .0 and the /25 the next /25 boundary.
        row("the order given", {"parents:10.0.0.0/24", "paste:small\t/30\nbig\t/25", "order:1"},
            {"rows~small|/30|/30|10.0.0.0/30", "rows~big|/25|/25|10.0.0.128/25"});
        row("largest first", {"parents:10.0.0.0/24", "paste:small\t/30\nbig\t/25"},
            {"rows~big|/25|/25|10.0.0.0/25", "rows~small|/30|/30|10.0.0.128/30"});
        row("two hosts as /30", {"parents:10.0.0.0/24", "paste:link\t2", "p2p30"},
            {"rows=link|2|/30|10.0.0.0/30|10.0.0.1|10.0.0.2|10.0.0.3|2|0"});
        // Typing in a cell plans each keystroke; Esc takes the text back.
        row("a cell plans as it is typed", {"parents:10.0.0.0/24", "paste:a\t10", "type:1:1:200"},
            {"rows~a|200|/24"});
        row("Esc takes a typed cell back",
            {"parents:10.0.0.0/24", "paste:a\t10", "type:1:1:200", "esc"},
            {"rows~a|10|/28", "requests=a 10"});
        row("an edit undone and redone",
            {"parents:10.0.0.0/24", "paste:a\t10", "edit:1:1:20", "undo"},
            {"requests=a 10", "rows~a|10|/28"});
        row("an edit redone", {"parents:10.0.0.0/24", "paste:a\t10", "edit:1:1:20", "undo", "redo"},
            {"requests=a 20", "rows~a|20|/27"});
        row("rows moved, removed and added",
            {"paste:a\t1\nb\t2\nc\t3", "select:3", "up", "select:1", "remove", "add", "edit:2:0:d",
             "edit:2:1:4"},
            {"requests=c 3;d 4;b 2"});
        row("a removal undone", {"paste:a\t1\nb\t2\nc\t3", "select:2", "remove", "undo"},
            {"requests=a 1;b 2;c 3"});
        row("an option undone", {"parents:10.0.0.0/24", "paste:a\t2", "p2p30", "undo"},
            {"rows~a|2|/31", "marked="});
        row("a blank row is a row being made", {"parents:10.0.0.0/24", "paste:a\t1", "add"},
            {"rows~a|1|/32", "marked="});
    }

    void typingAPlan()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, expected);
        runAll(steps);
        for (const QString& check : expected) {
            const int at = check.indexOf(QRegularExpression(QStringLiteral("[=~]")));
            const QString what = check.left(at);
            const QString value = check.mid(at + 1);
            const QString shown = read(what);
            if (check[at] == QLatin1Char('='))
                QCOMPARE(shown, value);
            else
                QVERIFY2(shown.contains(value), qPrintable(what + " is: " + shown));
        }
    }

    void pastingFromSpreadsheets_data()
    {
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("requests");
        QTest::newRow("tabs, a header, CR LF") << "Name\tHosts\r\nsales\t100\r\nlab\t/28\r\n"
                                               << "sales 100;lab /28";
        QTest::newRow("CSV with quotes") << "name,size\n\"Smith, J\",\"20\"\nlab,/28"
                                         << "Smith, J 20;lab /28";
        QTest::newRow("no header") << "a,10\nb,/30\n\n"
                                   << "a 10;b /30";
        QTest::newRow("lines of a request file") << "web servers 20\ndb 5"
                                                 << "web servers 20;db 5";
        QTest::newRow("the planner's own result table")
            << "Name\tAsked\tPrefix\tNetwork\r\nsales\t100\t/25\t10.20.0.0/25\r\n"
            << "sales 100";
        QTest::newRow("columns named in another order") << "Prefix,VLAN,Name\n/24,10,core"
                                                        << "core /24";
        QTest::newRow("a mistyped size is no header") << "a\t10x\nb\t5"
                                                      << "a 10x;b 5";
    }

    void pastingFromSpreadsheets()
    {
        QFETCH(QString, clipboard);
        QFETCH(QString, requests);
        run(QStringLiteral("paste:") + clipboard);
        QCOMPARE(read(QStringLiteral("requests")), requests);
        // One paste is one step to undo.
        run(QStringLiteral("undo"));
        QCOMPARE(read(QStringLiteral("requests")), QString());
    }

    // The map, the placed table and the request table show one selection.
    void selectionIsShared()
    {
        runAll({QStringLiteral("parents:10.20.0.0/22"), workedRequests});
        auto* map = inPlanner<TPlanMap>(QStringLiteral("PlanMap"));
        auto* placed = inPlanner<QTableView>(QStringLiteral("PlacedTable"));
        clickMapBlock(2);
        QCOMPARE(placed->currentIndex().row(), 2);
        QCOMPARE(map->accessibleDescription(), QStringLiteral("lab: 10.20.0.192/28 (/28 asked)"));
        clickPlacedRow(4);
        QCOMPARE(map->selected(), 4);
        // Choosing a request shows its block; the block stays chosen while
        // other requests change around it and it moves.
        run(QStringLiteral("select:2")); // operations, the second block
        QCOMPARE(map->selected(), 1);
        run(QStringLiteral("parents:10.20.4.0/22")); // every block moves
        QCOMPARE(map->selected(), 1);
        QCOMPARE(placed->currentIndex().row(), 1);
        QCOMPARE(placed->model()->index(1, 3).data().toString(), QStringLiteral("10.20.4.128/26"));
        // The arrow keys walk the map's blocks in address order.
        map->setFocus();
        QTest::keyClick(map, Qt::Key_Right);
        QCOMPARE(placed->currentIndex().row(), 2);
    }

    void keyboardAndScreenReader()
    {
        TPlannerWindow* window = planner();
        QMultiMap<QString, QString> owners;
        QStringList unnamed;
        const auto note = [&owners](const QString& text, const QString& owner) {
            const QString key = QKeySequence::mnemonic(text).toString();
            if (!key.isEmpty())
                owners.insert(key, owner);
        };
        for (QWidget* widget : window->findChildren<QWidget*>()) {
            if (!widget->isVisible())
                continue;
            if (auto* label = qobject_cast<QLabel*>(widget))
                note(label->text(), label->text());
            else if (auto* button = qobject_cast<QAbstractButton*>(widget))
                note(button->text(), button->text());
            else if (auto* group = qobject_cast<QGroupBox*>(widget))
                note(group->title(), group->title());
            else if (auto* menuBar = qobject_cast<QMenuBar*>(widget))
                for (QAction* menu : menuBar->actions())
                    note(menu->text(), menu->text());
            // Whatever takes the keyboard says what it is.
            // (A spin box's line edit is the spin box to a screen reader.)
            const QWidget* parent = widget->parentWidget();
            if (widget->focusPolicy() & Qt::TabFocus && widget->accessibleName().isEmpty() &&
                !qobject_cast<QAbstractButton*>(widget) && !widget->inherits("QScrollBar") &&
                !(parent && parent->inherits("QAbstractSpinBox")))
                unnamed << widget->metaObject()->className() + QStringLiteral(" ") +
                               widget->objectName();
        }
        QVERIFY2(unnamed.isEmpty(), qPrintable("no accessible name: " + unnamed.join(", ")));
        for (const QString& key : owners.uniqueKeys())
            QVERIFY2(owners.values(key).size() == 1,
                     qPrintable(key + " is taken by " + owners.values(key).join(", ")));

        // Tab reaches the tables and the map.
        QStringList reached;
        inPlanner(QStringLiteral("ParentsEdit"))->setFocus();
        for (int i = 0; i < 40 && reached.size() < 3; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            const QString name = QApplication::focusWidget()->objectName();
            if (name == QLatin1String("RequestTable") || name == QLatin1String("PlacedTable") ||
                name == QLatin1String("PlanMap"))
                if (!reached.contains(name))
                    reached << name;
        }
        reached.sort();
        QCOMPARE(reached, (QStringList{"PlacedTable", "PlanMap", "RequestTable"}));

        // Every action of the menus has a shortcut, or is in a menu.
        for (QAction* action : window->findChildren<QAction*>())
            if (!action->isSeparator() && !action->menu() && action->shortcut().isEmpty())
                QVERIFY2(!action->associatedObjects().isEmpty(), qPrintable(action->text()));
    }

    // One planner, opened from the menu as often as asked, and never at start-up.
    void oneWindowBuiltWhenFirstOpened()
    {
        start();
        QVERIFY(planner() == nullptr);
        auto* entry = find<QAction>(QStringLiteral("AddressPlanner1"));
        QCOMPARE(entry->shortcut(), QKeySequence(QStringLiteral("Ctrl+P")));
        QVERIFY(!entry->isCheckable());
        entry->trigger();
        TPlannerWindow* opened = planner();
        QVERIFY(opened && opened->isVisible() && opened->isWindow());
        opened->close();
        entry->trigger();
        QCOMPARE(planner(), opened);
        QVERIFY(opened->isVisible());
    }
};

ZENTRIX_UI_TEST_MAIN(TestPlanner)
#include "tst_planner.moc"
