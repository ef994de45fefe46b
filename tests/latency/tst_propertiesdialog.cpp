// The latency calculator's properties dialog, opened from the elements of
// the Network Setup tab in the real main window, as a user does.

#include "tests/support/LatencyDriver.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>

class TestPropertiesDialog : public QObject, LatencyDriver
{
    Q_OBJECT

private slots:
    void init() { start("LatencyCalculator1"); }
    void cleanup() { finish(); }

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
    void onlyTheDialogsOwnRoutesCommit_data();
    void onlyTheDialogsOwnRoutesCommit();
    void selectionMovedToOtherSortOfElement();

private:
    static QStringList entriesOf(const QComboBox* box)
    {
        QStringList entries;
        for (int i = 0; i < box->count(); ++i)
            entries << box->itemText(i);
        return entries;
    }
};

void TestPropertiesDialog::topologyChoice_data()
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

void TestPropertiesDialog::topologyChoice()
{
    QFETCH(QString, topology);
    QFETCH(bool, typed);
    QFETCH(int, kind);
    QFETCH(QStringList, bandwidths);
    QFETCH(QString, bandwidth);
    QFETCH(bool, delayEnabled);
    QFETCH(int, delay);
    QFETCH(QString, label);

    TTNetworkButtonForm* dialog = calc()->propertiesForm();
    openProperties(1);
    QCOMPARE(dialog->windowTitle(), QString("<Unknown Network> Properties"));
    QCOMPARE(topologyBox()->currentText(), QString("<Unknown Network>"));
    QCOMPARE(bandwidthBox()->count(), 0);
    QCOMPARE(bandwidthBox()->currentText(), QString("0"));
    QCOMPARE(dialog->height(), 171);
    typeOver(dialogChild("PropDelaySpinEdit"), "42");

    if (typed) {
        typeOver(topologyBox(), topology);
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

    clickOk();
    QVERIFY(!dialog->isVisible());
    QCOMPARE(int(element(1).Kind), kind);
    QCOMPARE(qText(element(1).NetworkName), topology);
    QCOMPARE(qText(element(1).Hint), label);
    QCOMPARE(element(1).PropagationDelay, delay);
    QVERIFY(!removeOffered(1)); // still the sole network
    QVERIFY(calc()->latencyStale());

    // Reopening shows the element as it is now.
    openProperties(1);
    QCOMPARE(dialog->windowTitle(), topology + " Properties");
    QCOMPARE(topologyBox()->currentText(), topology);
    QCOMPARE(bandwidthBox()->currentText(), bandwidth);
    QCOMPARE(qobject_cast<QLineEdit*>(dialogChild("PropDelaySpinEdit"))->text(),
             QString::number(delay));
}

void TestPropertiesDialog::sameKindKeepsPropagationDelay()
{
    openProperties(1);
    choose(topologyBox(), "T1");
    typeOver(dialogChild("PropDelaySpinEdit"), "33");
    choose(topologyBox(), "T3");
    QCOMPARE(bandwidthBox()->currentText(), QString("44.736"));
    QCOMPARE(bandwidthBox()->count(), 9);
    clickOk();
    QCOMPARE(element(1).PropagationDelay, 33);
    QCOMPARE(qText(element(1).Hint), QString("T3 (44.736 Mbps)"));
}

void TestPropertiesDialog::emptiedTopologyIsUnknown()
{
    openProperties(1);
    typeOver(topologyBox(), "");
    QCOMPARE(topologyBox()->currentText(), QString());
    dialogChild("PropDelaySpinEdit")->setFocus();
    QCOMPARE(topologyBox()->currentText(), QString("<Unknown Network>"));
    QCOMPARE(topologyBox()->count(), 14);
    clickOk();
    QCOMPARE(element(1).Kind, nbOther);
    QCOMPARE(qText(element(1).NetworkName), QString("<Unknown Network>"));
}

void TestPropertiesDialog::typedBandwidth()
{
    openProperties(1);
    choose(topologyBox(), "Ethernet");
    // Letters never arrive; the point and Backspace do.
    typeOver(bandwidthBox(), "1x2.57");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
    QCOMPARE(bandwidthBox()->currentText(), QString("12.5"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(calc()->propertiesForm()->isVisible());
    QCOMPARE(bandwidthBox()->count(), 4);
    clickOk();
    QCOMPARE(element(1).Bandwidth, 12.5f);
    QCOMPARE(element(1).BandwidthIndex, int16_t(-1));
    QCOMPARE(qText(element(1).Hint), QString("Ethernet (12.5 Mbps)"));

    openProperties(1);
    QCOMPARE(bandwidthBox()->currentText(), QString("12.5"));
    QCOMPARE(topologyBox()->currentText(), QString("Ethernet"));
}

void TestPropertiesDialog::reopenedUnchanged_data()
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

void TestPropertiesDialog::reopenedUnchanged()
{
    QFETCH(QString, topology);
    QFETCH(bool, typed);
    QFETCH(QString, bandwidth);
    QFETCH(QString, label);
    openProperties(1);
    if (typed) {
        typeOver(topologyBox(), topology);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    } else {
        choose(topologyBox(), topology);
    }
    typeOver(dialogChild("PropDelaySpinEdit"), "7");
    typeOver(bandwidthBox(), bandwidth);
    clickOk();
    QCOMPARE(qText(element(1).Hint), label);
    const TNetworkElement before = element(1);

    openProperties(1);
    QCOMPARE(topologyBox()->currentText(), topology);
    QCOMPARE(bandwidthBox()->currentText(), bandwidth);
    clickOk();
    const TNetworkElement after = element(1);
    QCOMPARE(qText(element(1).Hint), label);
    QCOMPARE(after.Kind, before.Kind);
    QCOMPARE(qText(after.NetworkName), topology);
    QCOMPARE(after.Bandwidth, before.Bandwidth);
    QCOMPARE(after.PropagationDelay, 7);
    QCOMPARE(after.BandwidthIndex, before.BandwidthIndex);
    QCOMPARE(after.TopologyIndex, before.TopologyIndex);
}

void TestPropertiesDialog::invalidBandwidthLeavesElement_data()
{
    QTest::addColumn<QString>("pasted");

    // Keys let neither a second point nor a sign through; pasting does.
    QTest::newRow("two points") << "1.2.3";
    QTest::newRow("below zero") << "-5";
    QTest::newRow("minus zero") << "-0";
}

void TestPropertiesDialog::invalidBandwidthLeavesElement()
{
    QFETCH(QString, pasted);
    calc()->ComputeLatencies();
    openProperties(1);
    choose(topologyBox(), "Satellite");
    bandwidthBox()->lineEdit()->setText(pasted);
    clickOk();
    QCOMPARE(MessageBoxCatcher::instance().take(),
             QStringList{"'" + pasted + "' is not a valid floating point value"});
    QVERIFY(!calc()->propertiesForm()->isVisible());
    QCOMPARE(element(1).Kind, nbUnknownNetwork);
    QCOMPARE(qText(element(1).Hint), QString("<Unknown Network>"));
    QCOMPARE(element(1).PropagationDelay, 0);
    QVERIFY(!calc()->latencyStale());
}

void TestPropertiesDialog::nodeProperties()
{
    TTNetworkButtonForm* dialog = calc()->propertiesForm();
    openProperties(0);
    QCOMPARE(dialog->windowTitle(), QString("Node A Properties"));
    QVERIFY(dialogChild("StationPanel")->isVisible());
    QVERIFY(!dialogChild("NetworkPanel")->isVisible());
    QCOMPARE(dialog->height(), 139);
    QCOMPARE(dialog->OKButton()->y(), 104);
    QCOMPARE(qobject_cast<QLineEdit*>(dialogChild("PacketSizeSpinEdit"))->text(), QString("64"));
    typeOver(dialogChild("PacketSizeSpinEdit"), "1500");
    clickOk();
    QCOMPARE(element(0).PacketSize, 1500);
    QCOMPARE(qText(element(0).Hint), QString("Node A (1500 bytes)"));
    QCOMPARE(element(0).Kind, nbDesktopCPU);

    // Back to a network: the network fields return.
    openProperties(1);
    QCOMPARE(dialog->height(), 171);
    QCOMPARE(dialog->OKButton()->y(), 136);
    QVERIFY(dialogChild("NetworkPanel")->isVisible());
}

void TestPropertiesDialog::dialogLayout_data()
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

void TestPropertiesDialog::dialogLayout()
{
    QFETCH(bool, node);
    QFETCH(QString, panel);
    QFETCH(QStringList, fields);
    QFETCH(int, panelHeight);
    QFETCH(int, buttonTop);
    TTNetworkButtonForm* dialog = calc()->propertiesForm();
    openProperties(node ? 0 : 1);
    QCOMPARE(dialog->size(), QSize(238, buttonTop + 25 + 10));
    QCOMPARE(dialogChild(qPrintable(panel))->geometry(), QRect(54, 0, 129, panelHeight));
    for (const QString& field : fields)
        QCOMPARE(dialogChild(qPrintable(field))->width(), 121);
    QCOMPARE(dialog->OKButton()->geometry(), QRect(41, buttonTop, 75, 25));
    QCOMPARE(dialogChild("CancelButton")->geometry(), QRect(121, buttonTop, 75, 25));
}

void TestPropertiesDialog::cancelWritesNothing()
{
    TTNetworkButtonForm* dialog = calc()->propertiesForm();
    openProperties(1);
    choose(topologyBox(), "ATM");
    click(dialogChild("CancelButton"));
    QVERIFY(!dialog->isVisible());
    QCOMPARE(element(1).Kind, nbUnknownNetwork);

    openProperties(2);
    typeOver(dialogChild("ProcessTimeSpinEdit"), "99");
    QTest::keyClick(dialog, Qt::Key_Escape);
    QVERIFY(!dialog->isVisible());
    QCOMPARE(element(2).ProcessTime, 0);
}

void TestPropertiesDialog::onlyTheDialogsOwnRoutesCommit_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("listed");

    // Leaving the dialog commits nothing: typing in a box joins its list only
    // when the focus moves on to another control of the dialog, or on Enter.
    QTest::newRow("Esc") << QStringList{"topology:Metro", "Esc"} << "Metro" << false;
    QTest::newRow("Cancel clicked")
        << QStringList{"topology:Metro", "click:CancelButton"} << "Metro" << false;
    QTest::newRow("Alt+C") << QStringList{"bandwidth:12.5", "keys:Alt+C"} << "12.5" << false;
    QTest::newRow("close box") << QStringList{"topology:Metro", "close"} << "Metro" << false;
    QTest::newRow("switching windows while typing")
        << QStringList{"topology:Camp", "switch", "topology+us", "switch", "Esc"} << "Camp"
        << false;
    QTest::newRow("switching windows, then Tab")
        << QStringList{"topology:Camp", "switch", "topology+us", "switch", "keys:Tab"} << "Campus"
        << true;
    QTest::newRow("Tab") << QStringList{"bandwidth:12.5", "keys:Tab"} << "12.5" << true;
    QTest::newRow("Enter") << QStringList{"topology:Metro", "keys:Return"} << "Metro" << true;
    QTest::newRow("OK") << QStringList{"topology:Metro", "click:OKButton"} << "Metro" << true;
    QTest::newRow("rested on Cancel, then moved on")
        << QStringList{"topology:Metro", "focus:CancelButton", "keys:Shift+Tab"} << "Metro" << true;
    QTest::newRow("rested on Cancel, then cancelled")
        << QStringList{"bandwidth:12.5", "focus:CancelButton", "keys:Space"} << "12.5" << false;
}

void TestPropertiesDialog::onlyTheDialogsOwnRoutesCommit()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, name);
    QFETCH(bool, listed);
    TTNetworkButtonForm* dialog = calc()->propertiesForm();
    openProperties(1);
    for (const QString& step : steps) {
        const QString verb = step.section(QRegularExpression("[:+]"), 0, 0);
        const QString arg = step.section(QRegularExpression("[:+]"), 1);
        QComboBox* box = verb == "topology" ? topologyBox() : bandwidthBox();
        if (step.contains('+') && !step.startsWith("keys")) {
            box->setFocus();
            QTest::keyClicks(QApplication::focusWidget(), arg);
        } else if (verb == "topology" || verb == "bandwidth") {
            typeOver(box, arg);
        } else if (verb == "Esc") {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        } else if (verb == "click") {
            click(dialogChild(qPrintable(arg)));
        } else if (verb == "focus") {
            dialogChild(qPrintable(arg))->setFocus(Qt::TabFocusReason);
        } else if (verb == "keys") {
            QTest::keySequence(dialog->windowHandle(), QKeySequence(arg));
        } else if (verb == "close") {
            dialog->close();
        } else if (verb == "switch") {
            activate(form());
            activate(dialog);
        }
    }
    // An animated click (Alt+C, Space) lands a moment later.
    QTest::qWait(200);
    QCOMPARE(dialog->TopologyList().contains(name) || entriesOf(bandwidthBox()).contains(name),
             listed);
    for (const QString& typed : {QStringLiteral("Camp"), QStringLiteral("Metro")}) {
        if (typed != name)
            QVERIFY2(!dialog->TopologyList().contains(typed), qPrintable(typed));
    }
}

void TestPropertiesDialog::selectionMovedToOtherSortOfElement()
{
    // The dialog shows node A; the user then presses the network and OKs.
    openProperties(0);
    typeOver(dialogChild("PacketSizeSpinEdit"), "700");
    press(1);
    clickOk();
    QCOMPARE(element(1).Kind, nbUnknownNetwork);
    QCOMPARE(element(1).PacketSize, 512);
    QCOMPARE(element(0).PacketSize, 64);

    // Between two nodes the values go to the one pressed last.
    openProperties(0);
    typeOver(dialogChild("PacketSizeSpinEdit"), "700");
    press(2);
    clickOk();
    QCOMPARE(qText(element(2).Hint), QString("Node B (700 bytes)"));
}

ZENTRIX_UI_TEST_MAIN(TestPropertiesDialog)
#include "tst_propertiesdialog.moc"
