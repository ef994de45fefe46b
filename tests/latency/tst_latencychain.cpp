// The chain's rules without any window: where a network goes in, which
// element is selected after each edit, the limits of one and fourteen
// networks, and that an element keeps its role.

#include "latency/LatencyChain.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QtTest>

namespace {

QString qText(const std::string& text)
{
    return QString::fromStdString(text);
}

QPoint qPoint(const TPanelPoint& point)
{
    return QPoint(point.X, point.Y);
}

// A chain of node A, `networks` networks named "1", "2", ... in packet
// order, and node B, with node B selected.
void build(TLatencyChain& chain, int networks)
{
    std::vector<TNetworkElement> list;
    for (int i = 1; i <= networks; ++i) {
        TNetworkElement network = TChainValue::freshNetwork();
        network.NetworkName = std::to_string(i);
        list.push_back(network);
    }
    chain.replaceNetworks(list);
    chain.selectElement(chain.count() - 1);
}

// The chain by names, e.g. "A 1 2 B"; a fresh network reads "new".
QString names(const TLatencyChain& chain)
{
    QStringList words;
    for (int i = 0; i < chain.count(); ++i) {
        const QString name = qText(chain.at(i).NetworkName);
        if (name == QLatin1String("Node A") || name == QLatin1String("Node B"))
            words << name.right(1);
        else if (name == QLatin1String(UnknownNetworkName))
            words << QStringLiteral("new");
        else
            words << name;
    }
    return words.join(QLatin1Char(' '));
}

QString networksNamed(int count)
{
    QStringList words{"A"};
    for (int i = 1; i <= count; ++i)
        words << QString::number(i);
    return (words << "B").join(QLatin1Char(' '));
}

} // namespace

class TestLatencyChain : public QObject
{
    Q_OBJECT

private slots:
    void fresh();
    void insert_data();
    void insert();
    void remove_data();
    void remove();
    void reset_data();
    void reset();
    void replaceNetworks_data();
    void replaceNetworks();
    void elementsKeepTheirRole_data();
    void elementsKeepTheirRole();
};

void TestLatencyChain::fresh()
{
    TLatencyChain chain;
    QCOMPARE(names(chain), QString("A new B"));
    QCOMPARE(chain.selectedElement(), 1);
    QCOMPARE(chain.nodeA().Kind, nbDesktopCPU);
    QCOMPARE(chain.nodeB().Kind, nbTowerCPU);
    QCOMPARE(qPoint(chain.nodeA().Position), QPoint(8, 8));
    QCOMPARE(qPoint(chain.nodeB().Position), QPoint(210, 200));
    QCOMPARE(qText(chain.nodeA().Hint), QString("Node A (512 bytes)"));
    const TNetworkElement& network = chain.at(1);
    QCOMPARE(network.Kind, nbUnknownNetwork);
    QCOMPARE(qText(network.Hint), QString("<Unknown Network>"));
    QCOMPARE(qPoint(network.Position), QPoint(75, 72));
    QVERIFY(chain.canInsert());
    QVERIFY(!chain.canRemove());
}

void TestLatencyChain::insert_data()
{
    QTest::addColumn<int>("networks");
    QTest::addColumn<int>("selected");
    QTest::addColumn<int>("inserted");
    QTest::addColumn<QString>("after");

    QTest::newRow("node A selected: right after it") << 2 << 0 << 1 << "A new 1 2 B";
    QTest::newRow("first network selected: before it") << 2 << 1 << 1 << "A new 1 2 B";
    QTest::newRow("second network selected: before it") << 2 << 2 << 2 << "A 1 new 2 B";
    QTest::newRow("node B selected: before it") << 2 << 3 << 3 << "A 1 2 new B";
    QTest::newRow("thirteen networks: the fourteenth fits")
        << 13 << 14 << 14 << networksNamed(13).replace(" B", " new B");
    QTest::newRow("fourteen networks: full") << 14 << 15 << -1 << networksNamed(14);
}

void TestLatencyChain::insert()
{
    QFETCH(int, networks);
    QFETCH(int, selected);
    QFETCH(int, inserted);
    QFETCH(QString, after);
    TLatencyChain chain;
    build(chain, networks);
    chain.selectElement(selected);
    QSignalSpy changes(&chain, &TLatencyChain::changed);

    QCOMPARE(chain.insertNetwork(), inserted);
    QCOMPARE(names(chain), after);
    if (inserted < 0) {
        QVERIFY(!chain.canInsert());
        QCOMPARE(chain.selectedElement(), selected);
        QCOMPARE(changes.size(), 0);
        return;
    }
    QCOMPARE(chain.selectedElement(), inserted);
    QCOMPARE(qPoint(chain.at(inserted).Position), QPoint(75, 72));
    QCOMPARE(qText(chain.at(inserted).Hint), QString("<Unknown Network>"));
    QCOMPARE(chain.canInsert(), chain.count() < 16);
    QCOMPARE(changes.size(), 1);
    QCOMPARE(changes[0][0].value<TLatencyChain::TChange>(), TLatencyChain::ccInserted);
    QCOMPARE(changes[0][1].toInt(), inserted);
}

void TestLatencyChain::remove_data()
{
    QTest::addColumn<int>("networks");
    QTest::addColumn<int>("removed");
    QTest::addColumn<bool>("taken");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QString>("selected");

    QTest::newRow("first network") << 3 << 1 << true << "A 2 3 B"
                                   << "2";
    QTest::newRow("middle network") << 3 << 2 << true << "A 1 3 B"
                                    << "3";
    QTest::newRow("last network: node B follows") << 3 << 3 << true << "A 1 2 B"
                                                  << "Node B";
    QTest::newRow("from a full chain")
        << 14 << 7 << true << networksNamed(14).remove(QRegularExpression(" 7\\b")) << "8";
    QTest::newRow("the sole network stays") << 1 << 1 << false << "A 1 B"
                                            << "Node B";
    QTest::newRow("node A is no network") << 2 << 0 << false << "A 1 2 B"
                                          << "Node B";
    QTest::newRow("node B is no network") << 2 << 3 << false << "A 1 2 B"
                                          << "Node B";
    QTest::newRow("past the chain") << 2 << 9 << false << "A 1 2 B"
                                    << "Node B";
}

void TestLatencyChain::remove()
{
    QFETCH(int, networks);
    QFETCH(int, removed);
    QFETCH(bool, taken);
    QFETCH(QString, after);
    QFETCH(QString, selected);
    TLatencyChain chain;
    build(chain, networks);
    QSignalSpy changes(&chain, &TLatencyChain::changed);

    QCOMPARE(chain.removeNetwork(removed), taken);
    QCOMPARE(names(chain), after);
    QCOMPARE(qText(chain.at(chain.selectedElement()).NetworkName), selected);
    QCOMPARE(chain.canRemove(), chain.networkCount() >= 2);
    QVERIFY(chain.canInsert());
    QCOMPARE(changes.size(), taken ? 1 : 0);
    if (taken) {
        QCOMPARE(changes[0][0].value<TLatencyChain::TChange>(), TLatencyChain::ccRemoved);
        QCOMPARE(changes[0][1].toInt(), removed);
    }
}

void TestLatencyChain::reset_data()
{
    QTest::addColumn<int>("networks");

    QTest::newRow("one network") << 1;
    QTest::newRow("five networks") << 5;
    QTest::newRow("full chain") << 14;
}

void TestLatencyChain::reset()
{
    QFETCH(int, networks);
    TLatencyChain chain;
    build(chain, networks);
    TNetworkElement nodeA = chain.nodeA();
    nodeA.ProcessTime = 15;
    nodeA.PacketSize = 64;
    chain.setElement(0, nodeA);
    chain.moveElement(1, {143, 136});
    QSignalSpy changes(&chain, &TLatencyChain::changed);

    chain.reset();
    QCOMPARE(names(chain), QString("A new B"));
    QCOMPARE(chain.selectedElement(), 1);
    QCOMPARE(qPoint(chain.at(1).Position), QPoint(75, 72));
    QCOMPARE(chain.at(1).Kind, nbUnknownNetwork);
    QCOMPARE(chain.nodeA().ProcessTime, 15);
    QCOMPARE(chain.nodeA().PacketSize, 64);
    QCOMPARE(qPoint(chain.nodeB().Position), QPoint(210, 200));
    QVERIFY(!chain.canRemove());
    QCOMPARE(changes.size(), 1);
    QCOMPARE(changes[0][0].value<TLatencyChain::TChange>(), TLatencyChain::ccNetworks);
}

void TestLatencyChain::replaceNetworks_data()
{
    QTest::addColumn<int>("given");
    QTest::addColumn<int>("nodesAmongThem");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("selected");

    QTest::newRow("none: one fresh network") << 0 << 0 << "A new B" << 1;
    QTest::newRow("three, the last selected") << 3 << 0 << "A 1 2 3 B" << 3;
    QTest::newRow("more than fourteen: the first fourteen") << 20 << 0 << networksNamed(14) << 14;
    QTest::newRow("node kinds are no networks") << 3 << 2 << "A 3 B" << 1;
}

void TestLatencyChain::replaceNetworks()
{
    QFETCH(int, given);
    QFETCH(int, nodesAmongThem);
    QFETCH(QString, after);
    QFETCH(int, selected);
    std::vector<TNetworkElement> networks;
    for (int i = 1; i <= given; ++i) {
        TNetworkElement network;
        network.NetworkName = std::to_string(i);
        if (i <= nodesAmongThem)
            network.Kind = i % 2 ? nbDesktopCPU : nbTowerCPU;
        networks.push_back(network);
    }
    TLatencyChain chain;
    chain.replaceNetworks(networks);
    QCOMPARE(names(chain), after);
    QCOMPARE(chain.selectedElement(), selected);
}

void TestLatencyChain::elementsKeepTheirRole_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("taken");
    QTest::addColumn<int>("kindAfter");

    QTest::newRow("network becomes an Ethernet") << 1 << int(nbEthernet) << true << int(nbEthernet);
    QTest::newRow("network given node A's kind")
        << 1 << int(nbDesktopCPU) << false << int(nbUnknownNetwork);
    QTest::newRow("node A given a network kind") << 0 << int(nbATM) << false << int(nbDesktopCPU);
    QTest::newRow("node A given node B's kind")
        << 0 << int(nbTowerCPU) << true << int(nbDesktopCPU);
    QTest::newRow("node B given node A's kind")
        << 2 << int(nbDesktopCPU) << true << int(nbTowerCPU);
}

void TestLatencyChain::elementsKeepTheirRole()
{
    QFETCH(int, position);
    QFETCH(int, kind);
    QFETCH(bool, taken);
    QFETCH(int, kindAfter);
    TLatencyChain chain;
    TNetworkElement values = chain.at(position);
    values.Kind = TNetworkButtonKind(kind);
    values.PropagationDelay = 7;
    QSignalSpy changes(&chain, &TLatencyChain::changed);

    chain.setElement(position, values);
    QCOMPARE(int(chain.at(position).Kind), kindAfter);
    QCOMPARE(chain.at(position).PropagationDelay, taken ? 7 : 0);
    QCOMPARE(changes.size(), taken ? 1 : 0);

    // Only networks move; moving is no change of values.
    chain.moveElement(position, {143, 8});
    const bool network = position == 1;
    QCOMPARE(qPoint(chain.at(position).Position) == QPoint(143, 8), network);
    QCOMPARE(changes.size(), (taken ? 1 : 0) + (network ? 1 : 0));
    if (network)
        QCOMPARE(changes.last()[0].value<TLatencyChain::TChange>(), TLatencyChain::ccMoved);
}

QTEST_GUILESS_MAIN(TestLatencyChain)
#include "tst_latencychain.moc"
