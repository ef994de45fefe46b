// The latency calculator's Network Setup tab and properties dialog, driven
// through the real main window as a user would. The chain's own rules are
// checked without a window in tst_latencychain.

#include "controls/QorvelPanels.h"
#include "controls/SpeedButton.h"
#include "latency/LatencyCalc.h"
#include "latency/NetworkButton.h"
#include "latency/NetworkButtonForm.h"
#include "tests/latency/LatencyDriver.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

class TestNetworkSetup : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

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

    void topologyChoice_data();
    void topologyChoice();
    void sameKindKeepsPropagationDelay();
    void emptiedTopologyIsUnknown();
    void typedBandwidth();
    void reopenedUnchanged_data();
    void reopenedUnchanged();
    void invalidBandwidthLeavesElement_data();
    void invalidBandwidthLeavesElement();
    void nodeProperties();
    void dialogLayout_data();
    void dialogLayout();
    void cancelWritesNothing();
    void selectionMovedToOtherSortOfElement();

private:
    const TNetworkElement& element(int position) const { return D.element(position); }
    TNetworkButton* elementButton(int position) const { return D.elementButton(position); }
    QWidget* dialogChild(const char* name) const { return D.dialogChild(name); }
    QComboBox* topologyBox() const { return D.topologyBox(); }
    QComboBox* bandwidthBox() const { return D.bandwidthBox(); }
    QPushButton* button(const char* name) const { return D.button(name); }
    QAction* menuEntry(int position, const char* name) const { return D.menuEntry(position, name); }
    bool removeOffered(int position) const
    {
        return menuEntry(position, "RemoveItem")->isVisible();
    }
    QMenu* removeMenu() const { return FCalc->findChild<QMenu*>("RemoveNetwork1"); }
    // The submenu's entries as it shows them: they are made as it opens.
    QList<QAction*> removeEntries() const
    {
        emit removeMenu()->aboutToShow();
        return removeMenu()->actions();
    }
    void press(int position, Qt::MouseButton mouseButton = Qt::LeftButton)
    {
        D.press(position, mouseButton);
    }
    void openProperties(int position) { D.openProperties(position); }
    void choose(QComboBox* box, const QString& entry) { D.choose(box, entry); }
    void typeInto(QWidget* field, const QString& text) { D.typeInto(field, text); }
    int insert() { return D.insert(); }
    TCanvasPanel* panel() const;
    void dragTo(int position, const QPoint& panelPoint);
    // Each element of the chain has one button on the panel, in chain order,
    // showing its kind, label and place; no other button is shown.
    void buttonsShowTheChain() const;
    QImage panelPicture() const;
    bool lineDrawnAt(const QImage& picture, const QPoint& point) const;
    QStringList entriesOf(const QComboBox* box) const;

    LatencyDriver D;
    TLatencyCalc* FCalc = nullptr;
};

void TestNetworkSetup::init()
{
    D.start();
    FCalc = D.calc();
}

void TestNetworkSetup::cleanup()
{
    D.stop();
    ZENTRIX_EXPECT_NO_MESSAGES();
}

TCanvasPanel* TestNetworkSetup::panel() const
{
    return FCalc->findChild<TCanvasPanel*>("NetworkSetupPanel");
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
    const TLatencyChain& chain = FCalc->chain();
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
        QCOMPARE(button->Hint(), chain.at(i).Hint);
        QCOMPARE(button->pos(), chain.at(i).Position);
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

QStringList TestNetworkSetup::entriesOf(const QComboBox* box) const
{
    QStringList entries;
    for (int i = 0; i < box->count(); ++i)
        entries << box->itemText(i);
    return entries;
}

void TestNetworkSetup::firstRunLayout()
{
    const TLatencyChain& chain = FCalc->chain();
    QCOMPARE(chain.count(), 3);
    QCOMPARE(element(0).Kind, nbDesktopCPU);
    QCOMPARE(element(2).Kind, nbTowerCPU);
    QCOMPARE(element(0).Hint, QString("Node A (64 bytes)"));
    QCOMPARE(element(2).Hint, QString("Node B (1024 bytes)"));
    QCOMPARE(element(1).Hint, QString("<Unknown Network>"));
    QCOMPARE(element(1).Kind, nbUnknownNetwork);
    QCOMPARE(element(1).Position, QPoint(75, 72));
    QCOMPARE(chain.selectedElement(), 1);
    buttonsShowTheChain();
    QCOMPARE(elementButton(0)->objectName(), QString("DesktopNetworkButton"));
    QCOMPARE(elementButton(2)->objectName(), QString("TowerNetworkButton"));
    QVERIFY(!removeOffered(1));
    QVERIFY(!removeOffered(0));
    QVERIFY(!removeMenu()->menuAction()->isVisible());
    QVERIFY(FCalc->latencyStale());

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
    QCOMPARE(FCalc->chain().count(), 4);
    QList<TNetworkButton*> before;
    for (int i = 0; i < 4; ++i)
        before << elementButton(i);

    press(selected);
    QCOMPARE(FCalc->chain().selectedElement(), selected);
    QCOMPARE(insert(), expected);
    QCOMPARE(FCalc->chain().selectedElement(), expected);
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
    QCOMPARE(FCalc->chain().count(), 5);
    TNetworkButton* gone = elementButton(removed);
    TNetworkButton* follower = elementButton(removed + 1);
    FCalc->ComputeLatencies();
    QVERIFY(!FCalc->latencyStale());

    press(removed);
    menuEntry(removed, "RemoveItem")->trigger();
    QCOMPARE(FCalc->chain().count(), 4);
    QCOMPARE(elementButton(removed), follower);
    QCOMPARE(FCalc->chain().selectedElement(), removed);
    QVERIFY(FCalc->latencyStale());
    QVERIFY(!gone->isVisible());
    buttonsShowTheChain();
    QPointer<TNetworkButton> watch(gone);
    QTRY_VERIFY(watch.isNull());
}

void TestNetworkSetup::soleNetworkStays()
{
    TNetworkButton* network = elementButton(1);
    QVERIFY(!FCalc->chain().removeNetwork(1));
    QCOMPARE(FCalc->chain().count(), 3);
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
    D.clickOk();
    press(D.nodeB());
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
    QCOMPARE(FCalc->chain().count(), 3);
    QCOMPARE(element(1).NetworkName, QString("<Unknown Network>"));
    QCOMPARE(removeEntries().size(), 1);
    QVERIFY(!submenu->menuAction()->isVisible());
}

void TestNetworkSetup::chainLimit()
{
    QAction* newNetwork1 = FCalc->findChild<QAction*>("NewNetwork1");
    for (int networks = 2; networks <= 14; ++networks)
        QVERIFY(insert() > 0);
    QCOMPARE(FCalc->chain().count(), 16);
    QVERIFY(!button("NewNetworkButton")->isEnabled());
    QVERIFY(!newNetwork1->isEnabled());
    QCOMPARE(removeEntries().size(), 14);
    buttonsShowTheChain();

    QVERIFY(FCalc->chain().removeNetwork(7));
    QVERIFY(button("NewNetworkButton")->isEnabled());
    QVERIFY(newNetwork1->isEnabled());
    buttonsShowTheChain();
}

void TestNetworkSetup::resetLayout()
{
    openProperties(0);
    typeInto(dialogChild("ProcessTimeSpinEdit"), "15");
    D.clickOk();
    for (int i = 0; i < 4; ++i)
        dragTo(insert(), QPoint(150, 150));
    QCOMPARE(FCalc->chain().count(), 7);
    FCalc->ComputeLatencies();

    QTest::mouseClick(button("ResetButton"), Qt::LeftButton);
    QCOMPARE(FCalc->chain().count(), 3);
    QCOMPARE(element(1).Kind, nbUnknownNetwork);
    QCOMPARE(elementButton(1)->pos(), QPoint(75, 72));
    QCOMPARE(FCalc->chain().selectedElement(), 1);
    QVERIFY(!removeOffered(1));
    QCOMPARE(element(0).ProcessTime, 15);
    QCOMPARE(element(0).PacketSize, 64);
    QCOMPARE(elementButton(2)->pos(), QPoint(210, 200));
    QVERIFY(FCalc->latencyStale());
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
    FCalc->ComputeLatencies();
    dragTo(1, mouse);
    QCOMPARE(network->pos(), landed);
    QCOMPARE(element(1).Position, landed);
    QCOMPARE(elementButton(1), network);
    QVERIFY(!network->isDragging());
    // Positions play no part in the latencies.
    QVERIFY(!FCalc->latencyStale());
}

void TestNetworkSetup::dragNeedsLeftButtonOnNetwork()
{
    TNetworkButton* network = elementButton(1);
    const int distance = QApplication::startDragDistance() + 2;

    // A right press selects and opens the menu, but never drags.
    press(D.nodeB());
    QTimer::singleShot(50, [] {
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
    });
    QTest::mousePress(network, Qt::RightButton, {}, QPoint(25, 25));
    QCOMPARE(FCalc->chain().selectedElement(), 1);
    QTest::mouseMove(network, QPoint(25 + distance, 25 + distance));
    QTest::mouseMove(network, network->mapFrom(panel(), QPoint(150, 10)));
    QTest::mouseRelease(network, Qt::RightButton, {}, QPoint(25, 25));
    QCOMPARE(network->pos(), QPoint(75, 72));

    // A node never drags.
    dragTo(0, QPoint(150, 150));
    QCOMPARE(elementButton(0)->pos(), QPoint(8, 8));
    QCOMPARE(FCalc->chain().selectedElement(), 0);

    // A click without moving only selects.
    press(1);
    QCOMPARE(network->pos(), QPoint(75, 72));
    QCOMPARE(FCalc->chain().selectedElement(), 1);
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
    FCalc->ComputeLatencies();
    QTest::mousePress(network, Qt::LeftButton, {}, QPoint(25, 25));
    const int distance = QApplication::startDragDistance() + 2;
    QTest::mouseMove(network, QPoint(25 + distance, 25 + distance));
    QTest::mouseMove(network, network->mapFrom(panel(), QPoint(150, 10)));
    QCOMPARE(network->pos(), QPoint(143, 8));
    QVERIFY(QApplication::overrideCursor());

    // Esc reaches the window the way a key does, through its focus widget.
    QTest::keyClick(D.form()->windowHandle(), Qt::Key_Escape);
    QVERIFY(!network->isDragging());
    QCOMPARE(network->pos(), QPoint(143, 8));
    QVERIFY(!QApplication::overrideCursor());
    QVERIFY(lineDrawnAt(panelPicture(), QPoint(100, 33)));

    // The rest of that press moves nothing and clicks nothing.
    QTest::mouseMove(network, network->mapFrom(panel(), QPoint(0, 257)));
    QTest::mouseRelease(network, Qt::LeftButton, {}, network->mapFrom(panel(), QPoint(0, 257)));
    QCOMPARE(network->pos(), QPoint(143, 8));
    QCOMPARE(element(1).Position, QPoint(143, 8));
    QCOMPARE(elementButton(1), network);
    QVERIFY(!FCalc->latencyStale());
}

void TestNetworkSetup::copyPicture()
{
    QGuiApplication::clipboard()->clear();
    FCalc->findChild<TSpeedButton*>("CopyNetworkSetupButton")->click();
    const QImage copied = QGuiApplication::clipboard()->image();
    QCOMPARE(copied.size() / copied.devicePixelRatio(), QSize(268, 258));
    QCOMPARE(panel()->size(), QSize(268, 258));
    // The control is no wider than its pages need, yet every tab shows whole.
    const QTabBar* tabs = FCalc->pageControl()->tabBar();
    QVERIFY(tabs->tabRect(tabs->count() - 1).right() < tabs->width());

    // Edit > Copy on this tab takes the same picture.
    QGuiApplication::clipboard()->clear();
    QAction* copy = D.form()->findChild<QAction*>("Copy1");
    QVERIFY(copy->isEnabled());
    copy->trigger();
    QCOMPARE(QGuiApplication::clipboard()->image(), copied);
}

void TestNetworkSetup::topologyChoice_data()
{
    QTest::addColumn<QString>("topology");
    QTest::addColumn<bool>("typed");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QStringList>("bandwidths");
    QTest::addColumn<QString>("bandwidth");
    QTest::addColumn<bool>("delayEnabled");
    QTest::addColumn<int>("delay");
    QTest::addColumn<QString>("label");

    const QStringList carriers = {"0.064", "0.128", "0.256",  "0.512",  "1.024",
                                  "1.544", "6.312", "44.736", "274.176"};
    // Before each choice the propagation delay is typed as 42, so a kind
    // that keeps the value shows 42.
    QTest::newRow("56-Switched") << "56-Switched" << false << int(nb56Switched)
                                 << QStringList{"0.056"} << "0.056" << true << 10
                                 << "56-Switched (0.056 Mbps)";
    QTest::newRow("ATM") << "ATM" << false << int(nbATM) << QStringList{"25", "155.52", "622.08"}
                         << "155.52" << true << 1 << "ATM (155.52 Mbps)";
    QTest::newRow("B-ISDN keeps the delay")
        << "B-ISDN" << false << int(nbBISDN) << QStringList{"25", "155.52", "622.08"} << "155.52"
        << true << 42 << "B-ISDN (155.52 Mbps)";
    QTest::newRow("DQDB") << "DQDB" << false << int(nbDQDB) << QStringList{"44.736"} << "44.736"
                          << true << 1 << "DQDB (44.736 Mbps)";
    QTest::newRow("Ethernet") << "Ethernet" << false << int(nbEthernet)
                              << QStringList{"10", "100", "1000"} << "10" << false << 0
                              << "Ethernet (10 Mbps)";
    QTest::newRow("FDDI") << "FDDI" << false << int(nbFDDI) << QStringList{"100"} << "100" << false
                          << 0 << "FDDI (100 Mbps)";
    QTest::newRow("Frame Relay") << "Frame Relay" << false << int(nbFrameRelay) << carriers
                                 << "1.544" << true << 20 << "Frame Relay (1.544 Mbps)";
    QTest::newRow("HIPPI") << "HIPPI" << false << int(nbHIPPI) << QStringList{"800", "1600"}
                           << "800" << false << 0 << "HIPPI (800 Mbps)";
    QTest::newRow("Satellite") << "Satellite" << false << int(nbSatellite) << carriers << "0.512"
                               << true << 270 << "Satellite (0.512 Mbps)";
    QTest::newRow("SMDS") << "SMDS" << false << int(nbSMDS) << QStringList{"44.736"} << "44.736"
                          << true << 1 << "SMDS (44.736 Mbps)";
    QTest::newRow("T1") << "T1" << false << int(nbTCarrier) << carriers << "1.544" << true << 5
                        << "T1 (1.544 Mbps)";
    QTest::newRow("T3") << "T3" << false << int(nbTCarrier) << carriers << "44.736" << true << 5
                        << "T3 (44.736 Mbps)";
    QTest::newRow("Token Ring") << "Token Ring" << false << int(nbTokenRing)
                                << QStringList{"4", "16"} << "16" << false << 0
                                << "Token Ring (16 Mbps)";
    QTest::newRow("X.25") << "X.25" << false << int(nbX25) << carriers << "0.064" << true << 10
                          << "X.25 (0.064 Mbps)";
    QTest::newRow("typed: a topology of one's own")
        << "Campus WAN" << true << int(nbOther)
        << QStringList{"0.056",  "0.064",   "0.128",  "0.256", "0.512", "1.024",  "1.544",
                       "4",      "6.312",   "10",     "16",    "25",    "44.736", "100",
                       "155.52", "274.176", "622.08", "800",   "1000",  "1600"}
        << "0" << true << 10 << "Campus WAN (0 Mbps)";
    QTest::newRow("typed in other letter case: still one's own")
        << "ETHERNET" << true << int(nbOther) << QStringList() << "0" << true << 10
        << "ETHERNET (0 Mbps)";
}

void TestNetworkSetup::topologyChoice()
{
    QFETCH(QString, topology);
    QFETCH(bool, typed);
    QFETCH(int, kind);
    QFETCH(QStringList, bandwidths);
    QFETCH(QString, bandwidth);
    QFETCH(bool, delayEnabled);
    QFETCH(int, delay);
    QFETCH(QString, label);

    TTNetworkButtonForm* dialog = FCalc->propertiesForm();
    openProperties(1);
    QCOMPARE(dialog->windowTitle(), QString("<Unknown Network> Properties"));
    QCOMPARE(topologyBox()->currentText(), QString("<Unknown Network>"));
    QCOMPARE(bandwidthBox()->count(), 0);
    QCOMPARE(bandwidthBox()->currentText(), QString("0"));
    QCOMPARE(dialog->height(), 171);
    typeInto(dialogChild("PropDelaySpinEdit"), "42");

    if (typed) {
        typeInto(topologyBox(), topology);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    } else {
        choose(topologyBox(), topology);
    }
    QCOMPARE(dialog->CurrentKind(), std::optional<TNetworkButtonKind>(TNetworkButtonKind(kind)));
    if (!bandwidths.isEmpty())
        QCOMPARE(entriesOf(bandwidthBox()), bandwidths);
    QCOMPARE(bandwidthBox()->currentText(), bandwidth);
    QCOMPARE(dialogChild("PropDelaySpinEdit")->isEnabled(), delayEnabled);
    QCOMPARE(dialogChild("PropDelayLabel")->isEnabled(), delayEnabled);
    QCOMPARE(qobject_cast<QLineEdit*>(dialogChild("PropDelaySpinEdit"))->text(),
             QString::number(delay));
    QCOMPARE(dialog->windowTitle(), topology + " Properties");
    // A typed topology joins the list, once, whatever its letter case.
    QCOMPARE(topologyBox()->count(), typed && topology == "Campus WAN" ? 15 : 14);

    D.clickOk();
    QVERIFY(!dialog->isVisible());
    QCOMPARE(int(element(1).Kind), kind);
    QCOMPARE(element(1).NetworkName, topology);
    QCOMPARE(element(1).Hint, label);
    QCOMPARE(element(1).PropagationDelay, delay);
    QVERIFY(!removeOffered(1)); // still the sole network
    QVERIFY(FCalc->latencyStale());

    // Reopening shows the element as it is now.
    openProperties(1);
    QCOMPARE(dialog->windowTitle(), topology + " Properties");
    QCOMPARE(topologyBox()->currentText(), topology);
    QCOMPARE(bandwidthBox()->currentText(), bandwidth);
    QCOMPARE(qobject_cast<QLineEdit*>(dialogChild("PropDelaySpinEdit"))->text(),
             QString::number(delay));
}

void TestNetworkSetup::sameKindKeepsPropagationDelay()
{
    openProperties(1);
    choose(topologyBox(), "T1");
    typeInto(dialogChild("PropDelaySpinEdit"), "33");
    choose(topologyBox(), "T3");
    QCOMPARE(bandwidthBox()->currentText(), QString("44.736"));
    QCOMPARE(bandwidthBox()->count(), 9);
    D.clickOk();
    QCOMPARE(element(1).PropagationDelay, 33);
    QCOMPARE(element(1).Hint, QString("T3 (44.736 Mbps)"));
}

void TestNetworkSetup::emptiedTopologyIsUnknown()
{
    openProperties(1);
    typeInto(topologyBox(), "");
    QCOMPARE(topologyBox()->currentText(), QString());
    dialogChild("PropDelaySpinEdit")->setFocus();
    QCOMPARE(topologyBox()->currentText(), QString("<Unknown Network>"));
    QCOMPARE(topologyBox()->count(), 14);
    D.clickOk();
    QCOMPARE(element(1).Kind, nbOther);
    QCOMPARE(element(1).NetworkName, QString("<Unknown Network>"));
}

void TestNetworkSetup::typedBandwidth()
{
    openProperties(1);
    choose(topologyBox(), "Ethernet");
    // Letters never arrive; the point and Backspace do.
    typeInto(bandwidthBox(), "1x2.57");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
    QCOMPARE(bandwidthBox()->currentText(), QString("12.5"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(FCalc->propertiesForm()->isVisible());
    QCOMPARE(bandwidthBox()->count(), 4);
    D.clickOk();
    QCOMPARE(element(1).Bandwidth, 12.5f);
    QCOMPARE(element(1).BandwidthIndex, int16_t(-1));
    QCOMPARE(element(1).Hint, QString("Ethernet (12.5 Mbps)"));

    openProperties(1);
    QCOMPARE(bandwidthBox()->currentText(), QString("12.5"));
    QCOMPARE(topologyBox()->currentText(), QString("Ethernet"));
}

void TestNetworkSetup::reopenedUnchanged_data()
{
    QTest::addColumn<QString>("topology");
    QTest::addColumn<bool>("typed");
    QTest::addColumn<QString>("bandwidth");
    QTest::addColumn<QString>("label");

    QTest::newRow("typed topology and bandwidth") << "MPLS WAN" << true << "12.5"
                                                  << "MPLS WAN (12.5 Mbps)";
    QTest::newRow("listed topology, typed bandwidth") << "Frame Relay" << false << "2.048"
                                                      << "Frame Relay (2.048 Mbps)";
    // More digits than the label shows: the field shows them all.
    QTest::newRow("typed bandwidth of eight digits") << "Campus" << true << "1.2345678"
                                                     << "Campus (1.23457 Mbps)";
}

void TestNetworkSetup::reopenedUnchanged()
{
    QFETCH(QString, topology);
    QFETCH(bool, typed);
    QFETCH(QString, bandwidth);
    QFETCH(QString, label);
    openProperties(1);
    if (typed) {
        typeInto(topologyBox(), topology);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    } else {
        choose(topologyBox(), topology);
    }
    typeInto(dialogChild("PropDelaySpinEdit"), "7");
    typeInto(bandwidthBox(), bandwidth);
    D.clickOk();
    QCOMPARE(element(1).Hint, label);
    const TNetworkElement before = element(1);

    openProperties(1);
    QCOMPARE(topologyBox()->currentText(), topology);
    QCOMPARE(bandwidthBox()->currentText(), bandwidth);
    D.clickOk();
    const TNetworkElement after = element(1);
    QCOMPARE(element(1).Hint, label);
    QCOMPARE(after.Kind, before.Kind);
    QCOMPARE(after.NetworkName, topology);
    QCOMPARE(after.Bandwidth, before.Bandwidth);
    QCOMPARE(after.PropagationDelay, 7);
    QCOMPARE(after.BandwidthIndex, before.BandwidthIndex);
    QCOMPARE(after.TopologyIndex, before.TopologyIndex);
}

void TestNetworkSetup::invalidBandwidthLeavesElement_data()
{
    QTest::addColumn<QString>("pasted");

    // Keys let neither a second point nor a sign through; pasting does.
    QTest::newRow("two points") << "1.2.3";
    QTest::newRow("below zero") << "-5";
    QTest::newRow("minus zero") << "-0";
}

void TestNetworkSetup::invalidBandwidthLeavesElement()
{
    QFETCH(QString, pasted);
    FCalc->ComputeLatencies();
    openProperties(1);
    choose(topologyBox(), "Satellite");
    bandwidthBox()->lineEdit()->setText(pasted);
    D.clickOk();
    QCOMPARE(MessageBoxCatcher::instance().take(),
             QStringList{"'" + pasted + "' is not a valid floating point value"});
    QVERIFY(!FCalc->propertiesForm()->isVisible());
    QCOMPARE(element(1).Kind, nbUnknownNetwork);
    QCOMPARE(element(1).Hint, QString("<Unknown Network>"));
    QCOMPARE(element(1).PropagationDelay, 0);
    QVERIFY(!FCalc->latencyStale());
}

void TestNetworkSetup::nodeProperties()
{
    TTNetworkButtonForm* dialog = FCalc->propertiesForm();
    openProperties(0);
    QCOMPARE(dialog->windowTitle(), QString("Node A Properties"));
    QVERIFY(dialogChild("StationPanel")->isVisible());
    QVERIFY(!dialogChild("NetworkPanel")->isVisible());
    QCOMPARE(dialog->height(), 139);
    QCOMPARE(dialog->OKButton()->y(), 104);
    QCOMPARE(qobject_cast<QLineEdit*>(dialogChild("PacketSizeSpinEdit"))->text(), QString("64"));
    typeInto(dialogChild("PacketSizeSpinEdit"), "1500");
    D.clickOk();
    QCOMPARE(element(0).PacketSize, 1500);
    QCOMPARE(element(0).Hint, QString("Node A (1500 bytes)"));
    QCOMPARE(element(0).Kind, nbDesktopCPU);

    // Back to a network: the network fields return.
    openProperties(1);
    QCOMPARE(dialog->height(), 171);
    QCOMPARE(dialog->OKButton()->y(), 136);
    QVERIFY(dialogChild("NetworkPanel")->isVisible());
}

void TestNetworkSetup::dialogLayout_data()
{
    QTest::addColumn<bool>("node");
    QTest::addColumn<QString>("panel");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<int>("panelHeight");
    QTest::addColumn<int>("buttonTop");

    // The client area ends 10 pixels below OK and Cancel: no bare band.
    QTest::newRow("network") << false << "NetworkPanel"
                             << QStringList{"TopologyComboBox", "BandwidthComboBox",
                                            "PropDelaySpinEdit"}
                             << 129 << 136;
    QTest::newRow("node") << true << "StationPanel"
                          << QStringList{"ProcessTimeSpinEdit", "PacketSizeSpinEdit"} << 97 << 104;
}

void TestNetworkSetup::dialogLayout()
{
    QFETCH(bool, node);
    QFETCH(QString, panel);
    QFETCH(QStringList, fields);
    QFETCH(int, panelHeight);
    QFETCH(int, buttonTop);
    TTNetworkButtonForm* dialog = FCalc->propertiesForm();
    openProperties(node ? 0 : 1);
    QCOMPARE(dialog->size(), QSize(238, buttonTop + 25 + 10));
    QCOMPARE(dialogChild(qPrintable(panel))->geometry(), QRect(54, 0, 129, panelHeight));
    for (const QString& field : fields)
        QCOMPARE(dialogChild(qPrintable(field))->width(), 121);
    QCOMPARE(dialog->OKButton()->geometry(), QRect(41, buttonTop, 75, 25));
    QCOMPARE(dialogChild("CancelButton")->geometry(), QRect(121, buttonTop, 75, 25));
}

void TestNetworkSetup::cancelWritesNothing()
{
    TTNetworkButtonForm* dialog = FCalc->propertiesForm();
    openProperties(1);
    choose(topologyBox(), "ATM");
    QTest::mouseClick(qobject_cast<QPushButton*>(dialogChild("CancelButton")), Qt::LeftButton);
    QVERIFY(!dialog->isVisible());
    QCOMPARE(element(1).Kind, nbUnknownNetwork);

    openProperties(2);
    typeInto(dialogChild("ProcessTimeSpinEdit"), "99");
    QTest::keyClick(dialog, Qt::Key_Escape);
    QVERIFY(!dialog->isVisible());
    QCOMPARE(element(2).ProcessTime, 0);
}

void TestNetworkSetup::selectionMovedToOtherSortOfElement()
{
    // The dialog shows node A; the user then presses the network and OKs.
    openProperties(0);
    typeInto(dialogChild("PacketSizeSpinEdit"), "700");
    press(1);
    D.clickOk();
    QCOMPARE(element(1).Kind, nbUnknownNetwork);
    QCOMPARE(element(1).PacketSize, 512);
    QCOMPARE(element(0).PacketSize, 64);

    // Between two nodes the values go to the one pressed last.
    openProperties(0);
    typeInto(dialogChild("PacketSizeSpinEdit"), "700");
    press(2);
    D.clickOk();
    QCOMPARE(element(2).Hint, QString("Node B (700 bytes)"));
}

ZENTRIX_UI_TEST_MAIN(TestNetworkSetup)
#include "tst_networksetup.moc"
