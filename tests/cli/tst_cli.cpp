#include "cli/Cli.h"
#include "cli/Command.h"
#include "tests/support/LatencyDriver.h"
#include "tests/support/RadixDriver.h"
#include "tests/support/SubnetDriver.h"

#include "controls/SuperStringGrid.h"

#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QtEndian>

// zentrix-cli beside the window. Bad input is checked on the real program;
// the classful, number-base and latency results are checked against the
// real window, driven as a user drives it with the same input: the window is
// the reference, so no expected value is written down here.
class TestCli : public QObject, SubnetDriver, RadixDriver, LatencyDriver
{
    Q_OBJECT

    // The window's caption of a result panel: the label that names it.
    QString captionOf(const QString& panelName) const
    {
        QWidget* panel = find(panelName);
        for (QLabel* label : form()->findChildren<QLabel*>()) {
            if (label->buddy() == panel)
                return label->text().remove('&');
        }
        return "no caption for " + panelName;
    }

    // zentrix-cli run in-process: its standard output.
    static QString cli(const QStringList& args)
    {
        std::vector<std::string> words{"zentrix-cli"};
        for (const QString& arg : args)
            words.push_back(arg.toStdString());
        std::vector<const char*> argv;
        for (const std::string& word : words)
            argv.push_back(word.c_str());
        std::string text;
        {
            Output out(text);
            const int status = runCli(int(argv.size()), argv.data(), out);
            if (status != 0)
                return QStringLiteral("exit status %1").arg(status);
        }
        return QString::fromStdString(text);
    }

    // The value the command line shows under a caption: "  caption  value".
    static QString valueUnder(const QString& output, const QString& caption)
    {
        for (const QString& line : output.split('\n')) {
            const QString trimmed = line.trimmed();
            if (trimmed.startsWith(caption.trimmed() + "  "))
                return trimmed.mid(caption.trimmed().size()).trimmed();
        }
        return "no line for " + caption;
    }

    // Every panel of a tab, shown by the window and by the command line,
    // under the same caption.
    void compareTab(const QString& output, const QStringList& panels)
    {
        for (const QString& panel : panels) {
            const QString caption = captionOf(panel);
            QCOMPARE(caption + ": " + valueUnder(output, caption),
                     caption + ": " + find<QLabel>(panel)->text());
        }
    }

    // The statistics table of each packet direction, as the window's copy
    // has it, one after the other.
    QString windowStatistics()
    {
        showPage(1);
        QStringList tables;
        for (const char* direction : {"PacketDirAtoB", "PacketDirBtoA", "PacketDirRoundTrip"}) {
            chooseDirection(direction);
            TSuperStringGrid* grid = statsGrid();
            QString table;
            for (int row = 0; row < grid->RowCount(); ++row)
                table += grid->Cells(0, row) + '\t' + grid->Cells(1, row) + '\t' +
                         grid->Cells(2, row) + "\r\n";
            tables << table;
        }
        return tables.join("\r\n");
    }

private slots:
    void init() { start("VantrelCalculator1"); }
    void cleanup() { finish(); }

    void subnetMatchesWindow_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("classLetter"); // empty: not chosen
        QTest::addColumn<QString>("bits");        // empty: not changed

        QTest::newRow("start values") << "128.0.0.1"
                                      << ""
                                      << "";
        QTest::newRow("class B, 4 bits") << "172.16.5.9"
                                         << ""
                                         << "4";
        QTest::newRow("class C clamps the bits") << "200.1.2.3"
                                                 << ""
                                                 << "";
        QTest::newRow("raising class C bits switches to B") << "200.1.2.3"
                                                            << ""
                                                            << "9";
        QTest::newRow("raising past 14 switches to A") << "150.7.8.9"
                                                       << ""
                                                       << "15";
        QTest::newRow("class A, 22 bits") << "10.20.30.40"
                                          << ""
                                          << "22";
        QTest::newRow("class chosen rewrites octet") << "10.20.30.40"
                                                     << "C"
                                                     << "";
        QTest::newRow("first octet 0 and 127") << "0.1.2.3"
                                               << ""
                                               << "2";
        QTest::newRow("loopback octet") << "127.1.1.1"
                                        << "B"
                                        << "14";
        QTest::newRow("last class C network") << "223.255.255.9"
                                              << ""
                                              << "6";
        QTest::newRow("last octet 0 is clamped") << "10.0.0.0"
                                                 << ""
                                                 << "";
        QTest::newRow("last octet 255 is clamped") << "172.16.0.255"
                                                   << ""
                                                   << "";
    }

    void subnetMatchesWindow()
    {
        QFETCH(QString, address);
        QFETCH(QString, classLetter);
        QFETCH(QString, bits);

        runStep("tab:Address Info");
        typeAddress(address, 1);
        if (!classLetter.isEmpty())
            runStep("class:" + classLetter);
        if (!bits.isEmpty())
            runStep("bits:" + bits);

        QStringList args{"subnet", address};
        if (!classLetter.isEmpty())
            args << "--class" << classLetter;
        if (!bits.isEmpty())
            args << "--bits" << bits;
        const QString output = cli(args);

        QCOMPARE(valueUnder(output, "Address Type"), "Class " + shown("class"));
        QCOMPARE(valueUnder(output, "Subnet Bits"), find<QLineEdit>("BitsSpinEdit")->text());
        runStep("tab:General Info");
        compareTab(output, {"MaxSubnetsPanel", "MaxHostsPanel", "BitMapPanel", "DecClassMaskPanel",
                            "HexClassMaskPanel", "DecMaskPanel", "HexMaskPanel"});
        // Coming back shows the octets the model took, not what was typed.
        runStep("tab:Address Info");
        compareTab(output, {"HexAddressPanel", "AddressRangePanel", "SubnetMaskPanel",
                            "SubnetIDPanel", "NetworkIDPanel", "HostIDPanel"});
        QCOMPARE(valueUnder(output, "IP Address"),
                 QStringList(
                     {find<QLineEdit>("MaskEdit1")->text(), find<QLineEdit>("MaskEdit2")->text(),
                      find<QLineEdit>("MaskEdit3")->text(), find<QLineEdit>("MaskEdit4")->text()})
                     .join('.'));

        // The table as the window's copy has it, every row the window lists.
        // The window stops at 16,385 subnets; the command line would go on.
        runStep("tab:Subnets/Hosts");
        auto* grid = find<TSuperStringGrid>("SubnetHostStringGrid");
        args << "--table"
             << "--tsv"
             << "--limit" << QString::number(grid->RowCount() - 1);
        const QStringList rows = cli(args).split("\r\n");
        for (int row = 0; row < grid->RowCount(); ++row)
            QCOMPARE(rows.value(row), grid->Cells(0, row) + '\t' + grid->Cells(1, row));
    }

    void supernetMatchesWindow_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("bits");

        QTest::newRow("start values") << "192.0.0.1"
                                      << "";
        QTest::newRow("class C, 22 bits") << "192.168.4.0"
                                          << "22";
        QTest::newRow("class A octet lowers the bits") << "10.0.0.0"
                                                       << "";
        QTest::newRow("raising into 9 to 16 gives class B") << "10.1.2.3"
                                                            << "12";
        QTest::newRow("lowering to 2 gives class B") << "200.1.2.3"
                                                     << "2";
        QTest::newRow("lowering to 1 gives class A") << "150.1.2.3"
                                                     << "1";
        QTest::newRow("octet 240") << "240.9.9.9"
                                   << "24";
    }

    void supernetMatchesWindow()
    {
        QFETCH(QString, address);
        QFETCH(QString, bits);

        runStep("tab:CIDR");
        typeAddress(address, 5);
        if (!bits.isEmpty())
            runStep("bits:" + bits);
        QStringList args{"supernet", address};
        if (!bits.isEmpty())
            args << "--bits" << bits;
        const QString output = cli(args);

        QCOMPARE(valueUnder(output, "Address Prefix"), "Class " + shown("class"));
        QCOMPARE(valueUnder(output, "Supernet Bits"), find<QLineEdit>("BitsSpinEdit")->text());
        compareTab(output,
                   {"NumNetworksPanel", "AllocationPanel", "RouteMaskPanel", "HexRouteMaskPanel"});
        QCOMPARE(valueUnder(output, "IP Address"),
                 QStringList(
                     {find<QLineEdit>("MaskEdit5")->text(), find<QLineEdit>("MaskEdit6")->text(),
                      find<QLineEdit>("MaskEdit7")->text(), find<QLineEdit>("MaskEdit8")->text()})
                     .join('.'));
    }

    void radixMatchesWindow_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("field"); // the window's field the value is typed into
        QTest::addColumn<QString>("typed");

        QTest::newRow("start width, zero") << 16 << "Dec"
                                           << "0";
        QTest::newRow("largest of a byte") << 8 << "Dec"
                                           << "255";
        QTest::newRow("binary byte") << 8 << "Bin"
                                     << "10100101";
        QTest::newRow("short hexadecimal") << 16 << "Hex"
                                           << "ABC";
        QTest::newRow("largest of a word") << 16 << "Hex"
                                           << "FFFF";
        QTest::newRow("thousands") << 32 << "Dec"
                                   << "1234567";
        QTest::newRow("largest at 32 bits") << 32 << "Dec"
                                            << "2147483647";
        QTest::newRow("negative hexadecimal") << 32 << "Hex"
                                              << "FFFFFFFA";
        QTest::newRow("smallest at 32 bits") << 32 << "Hex"
                                             << "80000000";
        QTest::newRow("thirty-two ones") << 32 << "Bin" << QString(32, '1');
    }

    void radixMatchesWindow()
    {
        QFETCH(int, width);
        QFETCH(QString, field);
        QFETCH(QString, typed);

        trigger("RadixorCalculator1");
        selectWidth(QList<int>{8, 16, 32}.indexOf(width));
        typeInto(memo(field + "Memo"), typed);

        const QString prefix = field == "Hex" ? "0x" : field == "Bin" ? "0b" : "";
        const QString output = cli({"radix", prefix + typed, "--width", QString::number(width)});
        // The window's value is a signed 32-bit number no larger than the
        // width's largest: at 32 bits its decimal is the signed reading of
        // the bits, at 8 and 16 bits the unsigned one.
        const QStringList captions{width == 32 ? "Signed decimal" : "Unsigned decimal",
                                   "Hexadecimal", "Binary"};
        const QStringList fields{"Dec", "Hex", "Bin"};
        // The field typed in keeps the text as typed; the other two show the value.
        for (int i = 0; i < 3; ++i) {
            if (fields[i] != field)
                QCOMPARE(captions[i] + ": " + valueUnder(output, captions[i]),
                         captions[i] + ": " + memo(fields[i] + "Memo")->text());
        }
    }

    void latencyMatchesWindow_data()
    {
        QTest::addColumn<QString>("nodeA");        // BYTES:MS
        QTest::addColumn<QStringList>("networks"); // NAME[:MBPS[:MS]], in packet order
        QTest::addColumn<QString>("nodeB");

        QTest::newRow("Ethernet and T1")
            << "64:10" << QStringList{"Ethernet:10", "T1"} << "1024:20";
        QTest::newRow("satellite counts its delay twice")
            << "512:0" << QStringList{"Satellite:0.512"} << "512:0";
        QTest::newRow("frame relay counts it once")
            << "512:0" << QStringList{"Frame Relay:0.512:270"} << "512:0";
        QTest::newRow("typed bandwidths and delays")
            << "1500:3" << QStringList{"Ethernet:12.5", "ATM:622.08:7", "X.25", "T3:44.736:0"}
            << "40:7";
        QTest::newRow("topologies that keep or grey the delay")
            << "64:0" << QStringList{"B-ISDN", "HIPPI:1600", "Token Ring:4", "FDDI",
                                     "DQDB",   "SMDS",       "56-Switched"}
            << "1024:0";
        QTest::newRow("nothing to share") << "0:0" << QStringList{"Token Ring:0"} << "0:0";
    }

    void latencyMatchesWindow()
    {
        QFETCH(QString, nodeA);
        QFETCH(QStringList, networks);
        QFETCH(QString, nodeB);

        start("LatencyCalculator1");
        // BYTES:MS, typed into a node's properties dialog.
        const auto typeNode = [this](int position, const QString& given) {
            setNode(position, given.section(':', 1).toInt(), given.section(':', 0, 0).toInt());
        };
        typeNode(0, nodeA);
        for (int n = 0; n < networks.size(); ++n) {
            int position = 1;
            if (n > 0) {
                // Each further network goes in front of node B.
                press(LatencyDriver::nodeB());
                position = insert();
                QVERIFY(position > 0);
            }
            setNetwork(position, networks[n]);
        }
        typeNode(LatencyDriver::nodeB(), nodeB);
        QCOMPARE(calc()->chain().count(), networks.size() + 2);

        const QString tables = windowStatistics();

        QStringList args{"latency", "--node-a", nodeA, "--node-b", nodeB, "--tsv"};
        for (const QString& network : networks)
            args << "--network" << network;
        QCOMPARE(cli(args), tables);

        // Closing, the window keeps the chain in its settings file, where the
        // command line finds it.
        stop();
        QCOMPARE(cli({"latency", "--settings", QSettings().fileName(), "--tsv"}), tables);
    }

    // Settings files the window did not write as they are: what it makes of
    // damaged records when it starts, the command line makes of them too.
    void latencyOfStoredLayoutMatchesWindow_data()
    {
        QTest::addColumn<QVariantMap>("stored");

        const auto node = [](qint32 packetSize, qint32 processTime) {
            QByteArray record(8, '\0');
            qToLittleEndian(packetSize, record.data());
            qToLittleEndian(processTime, record.data() + 4);
            return record;
        };
        const auto network = [](float bandwidth, int kind, qint32 delay) {
            QByteArray record(20, '\0');
            qToLittleEndian(bandwidth, record.data());
            record[4] = char(kind);
            qToLittleEndian(delay, record.data() + 12);
            return record;
        };
        QTest::newRow("nothing stored") << QVariantMap();
        QTest::newRow("no networks") << QVariantMap{{"Calculator", 2},
                                                    {"NumNetworks", 0},
                                                    {"NodeA", node(100, 1)},
                                                    {"NodeB", node(200, 2)}};
        QTest::newRow("damaged records")
            << QVariantMap{{"Calculator", 2},
                           {"NumNetworks", 4},
                           {"NodeA", node(-5, 7)},
                           {"NodeB", node(64, 9).left(4)},
                           {"Network1", network(qQNaN(), nbTowerCPU, -3)},
                           {"Network1Name", "Odd"},
                           {"Network2", network(-2, 99, 5)},
                           {"Network3Name", "Lost"},
                           {"Network4", network(0.512f, nbSatellite, 270)},
                           {"Network4Name", "Satellite"}};
        QVariantMap full{{"Calculator", 2}, {"NumNetworks", 20}};
        for (int n = 1; n <= 20; ++n) {
            full.insert(QStringLiteral("Network%1").arg(n), network(float(n), nbEthernet, 0));
            full.insert(QStringLiteral("Network%1Name").arg(n), "Ethernet");
        }
        QTest::newRow("more networks than the chain holds") << full;
    }

    void latencyOfStoredLayoutMatchesWindow()
    {
        QFETCH(QVariantMap, stored);
        stop();
        clearStoredSettings();
        QString path;
        {
            QSettings settings;
            for (auto value = stored.begin(); value != stored.end(); ++value)
                settings.setValue(value.key(), value.value());
            path = settings.fileName();
        }
        QFile file(path);
        if (stored.isEmpty())
            QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();

        open();
        trigger("LatencyCalculator1");
        QCOMPARE(cli({"latency", "--settings", path, "--tsv"}), windowStatistics());
    }
};

ZENTRIX_UI_TEST_MAIN(TestCli)
#include "tst_cli.moc"
