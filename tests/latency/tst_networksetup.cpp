// The latency calculator's Network Setup tab, driven through the real main
// window as a user would. The chain's own rules are checked without a window
// in tst_latencychain, the properties dialog in tst_propertiesdialog.

#include "controls/QorvelPanels.h"
#include "controls/SpeedButton.h"
#include "tests/support/LatencyDriver.h"

#include <QClipboard>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

class TestNetworkSetup : public QObject, LatencyDriver
{
    Q_OBJECT

private slots:
    void init() { start("LatencyCalculator1"); }
    void cleanup() { finish(); }

    void firstRunLayout();
    void insertPosition_data();
    void insertPosition();
    void removeMovesSelection_data();
    void removeMovesSelection();
    void soleNetworkStays();
    void removeSubmenu();
    void chainLimit();
    void resetLayout();
    void dragSnapsToCells_data();
    void dragSnapsToCells();
    void dragNeedsLeftButtonOnNetwork();
    void linesHiddenWhileDragging();
    void escEndsDrag();
    void copyPicture();

private:
    QMenu* removeMenu() const { return calc()->findChild<QMenu*>("RemoveNetwork1"); }
    // The submenu's entries as it shows them: they are made as it opens.
    QList<QAction*> removeEntries() const
    {
        emit removeMenu()->aboutToShow();
        return removeMenu()->actions();
    }
    TCanvasPanel* panel() const;
    void dragTo(int position, const QPoint& panelPoint);
    // Each element of the chain has one button on the panel, in chain order,
    // showing its kind, label and place; no other button is shown.
    void buttonsShowTheChain() const;
    QImage panelPicture() const;
    bool lineDrawnAt(const QImage& picture, const QPoint& point) const;
};

TCanvasPanel* TestNetworkSetup::panel() const
{
    return calc()->findChild<TCanvasPanel*>("NetworkSetupPanel");
}

void TestNetworkSetup::dragTo(int position, const QPoint& panelPoint)
{
    TNetworkButton* target = elementButton(position);
    const QPoint start(25, 25);
    QTest::mousePress(target, Qt::LeftButton, {}, start);
    // Past the drag distance first, then to the point; the element follows
    // the mouse, so every position is taken from where it is now.
    const int distance = QApplication::startDragDistance() + 2;
    QTest::mouseMove(target, start + QPoint(distance, distance));
    QTest::mouseMove(target, target->mapFrom(panel(), panelPoint));
    QTest::mouseRelease(target, Qt::LeftButton, {}, target->mapFrom(panel(), panelPoint));
}

void TestNetworkSetup::buttonsShowTheChain() const
{
    const TLatencyChain& chain = calc()->chain();
    QList<TNetworkButton*> shown;
    for (TNetworkButton* button :
         panel()->findChildren<TNetworkButton*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!button->isHidden())
            shown << button;
    }
    QCOMPARE(shown.size(), chain.count());
    for (int i = 0; i < chain.count(); ++i) {
        const TNetworkButton* button = elementButton(i);
        QVERIFY(shown.contains(button));
        QCOMPARE(button->Kind(), chain.at(i).Kind);
        QCOMPARE(button->Hint(), qText(chain.at(i).Hint));
        QCOMPARE(button->pos(), qPoint(chain.at(i).Position));
    }
}

QImage TestNetworkSetup::panelPicture() const
{
    return panel()->grab().toImage().scaled(panel()->size());
}

bool TestNetworkSetup::lineDrawnAt(const QImage& picture, const QPoint& point) const
{
    const QColor ink = panel()->palette().color(QPalette::WindowText);
    // The 2-pixel pen may fall a pixel either side of the exact point.
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy)
            if (picture.pixelColor(point + QPoint(dx, dy)) == ink)
                return true;
    return false;
}

void TestNetworkSetup::firstRunLayout()
{
    const TLatencyChain& chain = calc()->chain();
    QCOMPARE(chain.count(), 3);
    QCOMPARE(element(0).Kind, nbDesktopCPU);
    QCOMPARE(element(2).Kind, nbTowerCPU);
    QCOMPARE(qText(element(0).Hint), QString("Node A (64 bytes)"));
    QCOMPARE(qText(element(2).Hint), QString("Node B (1024 bytes)"));
    QCOMPARE(qText(element(1).Hint), QString("<Unknown Network>"));
    QCOMPARE(element(1).Kind, nbUnknownNetwork);
    QCOMPARE(qPoint(element(1).Position), QPoint(75, 72));
    QCOMPARE(chain.selectedElement(), 1);
    buttonsShowTheChain();
    QCOMPARE(elementButton(0)->objectName(), QString("DesktopNetworkButton"));
    QCOMPARE(elementButton(2)->objectName(), QString("TowerNetworkButton"));
    QVERIFY(!removeOffered(1));
    QVERIFY(!removeOffered(0));
    QVERIFY(!removeMenu()->menuAction()->isVisible());
    QVERIFY(calc()->latencyStale());

    // The lines run through the centres (33, 33), (100, 97) and (235, 225).
    const QImage picture = panelPicture();
    QVERIFY(lineDrawnAt(picture, QPoint(66, 65)));
    QVERIFY(lineDrawnAt(picture, QPoint(167, 161)));
    QVERIFY(!lineDrawnAt(picture, QPoint(66, 20)));
}

void TestNetworkSetup::insertPosition_data()
{
    QTest::addColumn<int>("selected");
    QTest::addColumn<int>("expected");

    // Chain before inserting: node A, two networks, node B.
    QTest::newRow("node A selected: right after it") << 0 << 1;
    QTest::newRow("first network selected: before it") << 1 << 1;
    QTest::newRow("second network selected: before it") << 2 << 2;
    QTest::newRow("node B selected: before it") << 3 << 3;
}

// A press selects, and Insert Network puts a new button where the chain
// took the new network; the other buttons stay as they were.
void TestNetworkSetup::insertPosition()
{
    QFETCH(int, selected);
    QFETCH(int, expected);
    QCOMPARE(insert(), 1);
    QCOMPARE(calc()->chain().count(), 4);
    QList<TNetworkButton*> before;
    for (int i = 0; i < 4; ++i)
        before << elementButton(i);

    press(selected);
    QCOMPARE(calc()->chain().selectedElement(), selected);
    QCOMPARE(insert(), expected);
    QCOMPARE(calc()->chain().selectedElement(), expected);
    QCOMPARE(elementButton(expected)->pos(), QPoint(75, 72));
    QVERIFY(!before.contains(elementButton(expected)));
    QList<TNetworkButton*> others;
    for (int i = 0; i < 5; ++i) {
        if (i != expected)
            others << elementButton(i);
    }
    QCOMPARE(others, before);
    buttonsShowTheChain();
}

void TestNetworkSetup::removeMovesSelection_data()
{
    QTest::addColumn<int>("removed");

    QTest::newRow("first network") << 1;
    QTest::newRow("middle network") << 2;
    QTest::newRow("last network: node B follows") << 3;
}

// The element menu's Remove: the button goes from the panel at once and is
// destroyed once its menu command is over.
void TestNetworkSetup::removeMovesSelection()
{
    QFETCH(int, removed);
    insert();
    insert();
    QCOMPARE(calc()->chain().count(), 5);
    TNetworkButton* gone = elementButton(removed);
    TNetworkButton* follower = elementButton(removed + 1);
    calc()->ComputeLatencies();
    QVERIFY(!calc()->latencyStale());

    press(removed);
    menuEntry(removed, "RemoveItem")->trigger();
    QCOMPARE(calc()->chain().count(), 4);
    QCOMPARE(elementButton(removed), follower);
    QCOMPARE(calc()->chain().selectedElement(), removed);
    QVERIFY(calc()->latencyStale());
    QVERIFY(!gone->isVisible());
    buttonsShowTheChain();
    QPointer<TNetworkButton> watch(gone);
    QTRY_VERIFY(watch.isNull());
}

void TestNetworkSetup::soleNetworkStays()
{
    TNetworkButton* network = elementButton(1);
    QVERIFY(!calc()->chain().removeNetwork(1));
    QCOMPARE(calc()->chain().count(), 3);
    QCOMPARE(elementButton(1), network);
    QVERIFY(network->isVisible());

    // Two networks offer Remove; removing one withdraws it from the other.
    QCOMPARE(insert(), 1);
    QVERIFY(removeOffered(1));
    QVERIFY(removeOffered(2));
    QVERIFY(removeMenu()->menuAction()->isVisible());
    menuEntry(1, "RemoveItem")->trigger();
    QVERIFY(!removeOffered(1));
    QVERIFY(!removeOffered(0));
    QVERIFY(!removeMenu()->menuAction()->isVisible());
}

void TestNetworkSetup::removeSubmenu()
{
    // Make the first network an Ethernet so the entries differ.
    openProperties(1);
    choose(topologyBox(), "Ethernet");
    clickOk();
    press(nodeB());
    insert();

    QMenu* submenu = removeMenu();
    QVERIFY(submenu->menuAction()->isVisible());
    const QList<QAction*> entries = removeEntries();
    QCOMPARE(entries.size(), 2);
    QCOMPARE(entries[0]->text(), QString("1.  Ethernet (10 Mbps)"));
    QCOMPARE(entries[1]->text(), QString("2.  <Unknown Network>"));
    QCOMPARE(submenu->defaultAction(), entries[1]);

    press(1);
    QCOMPARE(removeEntries(), entries);
    QCOMPARE(submenu->defaultAction(), entries[0]);
    // A node selected marks no entry anew: the mark stays where it was.
    press(0);
    removeEntries();
    QCOMPARE(submenu->defaultAction(), entries[0]);

    entries[0]->trigger();
    QCOMPARE(calc()->chain().count(), 3);
    QCOMPARE(qText(element(1).NetworkName), QString("<Unknown Network>"));
    QCOMPARE(removeEntries().size(), 1);
    QVERIFY(!submenu->menuAction()->isVisible());
}

void TestNetworkSetup::chainLimit()
{
    QAction* newNetwork1 = calc()->findChild<QAction*>("NewNetwork1");
    for (int networks = 2; networks <= 14; ++networks)
        QVERIFY(insert() > 0);
    QCOMPARE(calc()->chain().count(), 16);
    QVERIFY(!button("NewNetworkButton")->isEnabled());
    QVERIFY(!newNetwork1->isEnabled());
    QCOMPARE(calc()->chain().insertNetwork(), -1);
    QCOMPARE(calc()->chain().count(), 16);
    QCOMPARE(removeEntries().size(), 14);
    buttonsShowTheChain();

    QVERIFY(calc()->chain().removeNetwork(7));
    QVERIFY(button("NewNetworkButton")->isEnabled());
    QVERIFY(newNetwork1->isEnabled());
    buttonsShowTheChain();
}

void TestNetworkSetup::resetLayout()
{
    openProperties(0);
    typeOver(dialogChild("ProcessTimeSpinEdit"), "15");
    clickOk();
    for (int i = 0; i < 4; ++i)
        dragTo(insert(), QPoint(150, 150));
    QCOMPARE(calc()->chain().count(), 7);
    calc()->ComputeLatencies();

    click(button("ResetButton"));
    QCOMPARE(calc()->chain().count(), 3);
    QCOMPARE(element(1).Kind, nbUnknownNetwork);
    QCOMPARE(elementButton(1)->pos(), QPoint(75, 72));
    QCOMPARE(calc()->chain().selectedElement(), 1);
    QVERIFY(!removeOffered(1));
    QCOMPARE(element(0).ProcessTime, 15);
    QCOMPARE(element(0).PacketSize, 64);
    QCOMPARE(elementButton(2)->pos(), QPoint(210, 200));
    QVERIFY(calc()->latencyStale());
    QCOMPARE(removeEntries().size(), 1);
    buttonsShowTheChain();
}

void TestNetworkSetup::dragSnapsToCells_data()
{
    QTest::addColumn<QPoint>("mouse");
    QTest::addColumn<QPoint>("landed");

    QTest::newRow("top row, third column") << QPoint(150, 10) << QPoint(143, 8);
    QTest::newRow("bottom-left corner of the panel") << QPoint(0, 257) << QPoint(8, 200);
    QTest::newRow("last pixels of the first cells") << QPoint(66, 64) << QPoint(8, 8);
    QTest::newRow("first pixels of the second cells") << QPoint(67, 65) << QPoint(75, 72);
    QTest::newRow("third cells") << QPoint(200, 194) << QPoint(143, 136);
    QTest::newRow("right edge") << QPoint(267, 130) << QPoint(210, 136);
    QTest::newRow("over node B: stays where it was") << QPoint(235, 225) << QPoint(75, 72);
    QTest::newRow("off the panel: stays where it was") << QPoint(300, 10) << QPoint(75, 72);
}

void TestNetworkSetup::dragSnapsToCells()
{
    QFETCH(QPoint, mouse);
    QFETCH(QPoint, landed);
    TNetworkButton* network = elementButton(1);
    calc()->ComputeLatencies();
    dragTo(1, mouse);
    QCOMPARE(network->pos(), landed);
    QCOMPARE(qPoint(element(1).Position), landed);
    QCOMPARE(elementButton(1), network);
    QVERIFY(!network->isDragging());
    // Positions play no part in the latencies.
    QVERIFY(!calc()->latencyStale());
}

void TestNetworkSetup::dragNeedsLeftButtonOnNetwork()
{
    TNetworkButton* network = elementButton(1);
    const int distance = QApplication::startDragDistance() + 2;

    // A right press selects and opens the menu, but never drags.
    press(nodeB());
    QTimer::singleShot(50, [] {
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
    });
    QTest::mousePress(network, Qt::RightButton, {}, QPoint(25, 25));
    QCOMPARE(calc()->chain().selectedElement(), 1);
    QTest::mouseMove(network, QPoint(25 + distance, 25 + distance));
    QTest::mouseMove(network, network->mapFrom(panel(), QPoint(150, 10)));
    QTest::mouseRelease(network, Qt::RightButton, {}, QPoint(25, 25));
    QCOMPARE(network->pos(), QPoint(75, 72));

    // A node never drags.
    dragTo(0, QPoint(150, 150));
    QCOMPARE(elementButton(0)->pos(), QPoint(8, 8));
    QCOMPARE(calc()->chain().selectedElement(), 0);

    // A click without moving only selects.
    press(1);
    QCOMPARE(network->pos(), QPoint(75, 72));
    QCOMPARE(calc()->chain().selectedElement(), 1);
}

void TestNetworkSetup::linesHiddenWhileDragging()
{
    TNetworkButton* network = elementButton(1);
    const QPoint onLine(66, 65);
    QVERIFY(lineDrawnAt(panelPicture(), onLine));

    QTest::mousePress(network, Qt::LeftButton, {}, QPoint(25, 25));
    const int distance = QApplication::startDragDistance() + 2;
    QTest::mouseMove(network, QPoint(25 + distance, 25 + distance));
    QVERIFY(network->isDragging());
    QVERIFY(!lineDrawnAt(panelPicture(), onLine));
    const QPoint target = network->mapFrom(panel(), QPoint(150, 10));
    QTest::mouseMove(network, target);
    QTest::mouseRelease(network, Qt::LeftButton, {}, network->mapFrom(panel(), QPoint(150, 10)));

    // Back at the drop, through the new place (168, 33).
    const QImage after = panelPicture();
    QVERIFY(lineDrawnAt(after, QPoint(100, 33)));
    QVERIFY(!lineDrawnAt(after, onLine));
}

void TestNetworkSetup::escEndsDrag()
{
    TNetworkButton* network = elementButton(1);
    calc()->ComputeLatencies();
    QTest::mousePress(network, Qt::LeftButton, {}, QPoint(25, 25));
    const int distance = QApplication::startDragDistance() + 2;
    QTest::mouseMove(network, QPoint(25 + distance, 25 + distance));
    QTest::mouseMove(network, network->mapFrom(panel(), QPoint(150, 10)));
    QCOMPARE(network->pos(), QPoint(143, 8));
    QVERIFY(QApplication::overrideCursor());

    // Esc reaches the window the way a key does, through its focus widget.
    QTest::keyClick(form()->windowHandle(), Qt::Key_Escape);
    QVERIFY(!network->isDragging());
    QCOMPARE(network->pos(), QPoint(143, 8));
    QVERIFY(!QApplication::overrideCursor());
    QVERIFY(lineDrawnAt(panelPicture(), QPoint(100, 33)));

    // The rest of that press moves nothing and clicks nothing.
    QTest::mouseMove(network, network->mapFrom(panel(), QPoint(0, 257)));
    QTest::mouseRelease(network, Qt::LeftButton, {}, network->mapFrom(panel(), QPoint(0, 257)));
    QCOMPARE(network->pos(), QPoint(143, 8));
    QCOMPARE(qPoint(element(1).Position), QPoint(143, 8));
    QCOMPARE(elementButton(1), network);
    QVERIFY(!calc()->latencyStale());
}

void TestNetworkSetup::copyPicture()
{
    QGuiApplication::clipboard()->clear();
    calc()->findChild<TSpeedButton*>("CopyNetworkSetupButton")->click();
    const QImage copied = QGuiApplication::clipboard()->image();
    QCOMPARE(copied.size(), QSize(268, 258));
    QCOMPARE(panel()->size(), QSize(268, 258));
    // The control is no wider than its pages need, yet every tab shows whole.
    const QTabBar* tabs = calc()->pageControl()->tabBar();
    QVERIFY(tabs->tabRect(tabs->count() - 1).right() < tabs->width());

    // Edit > Copy on this tab takes the same picture.
    QGuiApplication::clipboard()->clear();
    QAction* copy = form()->findChild<QAction*>("Copy1");
    QVERIFY(copy->isEnabled());
    copy->trigger();
    QCOMPARE(QGuiApplication::clipboard()->image(), copied);
}

ZENTRIX_UI_TEST_MAIN(TestNetworkSetup)
#include "tst_networksetup.moc"
