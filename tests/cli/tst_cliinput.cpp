#include "cli/Command.h"
#include "cli/SettingsFile.h"

#include <QByteArray>
#include <QProcess>
#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

// zentrix-cli's own input: bad arguments on the real program, and the
// settings reader against what Qt writes.
class TestCliInput : public QObject
{
    Q_OBJECT

private slots:
    void badInput_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("named"); // what the message must name

        QTest::newRow("octet above 255") << QStringList{"cidr", "10.0.0.256/8"} << "10.0.0.256/8";
        QTest::newRow("prefix above 32") << QStringList{"cidr", "10.0.0.0/33"} << "10.0.0.0/33";
        QTest::newRow("bare prefix") << QStringList{"cidr", "/33"} << "/33";
        QTest::newRow("IPv6 letter") << QStringList{"cidr", "::g"} << "::g";
        QTest::newRow("IPv6 prefix above 128") << QStringList{"cidr", "::/129"} << "::/129";
        QTest::newRow("two gaps") << QStringList{"cidr", "1::2::3"} << "1::2::3";
        QTest::newRow("leading zero") << QStringList{"cidr", "010.0.0.1"} << "010.0.0.1";
        QTest::newRow("gapped mask")
            << QStringList{"cidr", "10.0.0.0/255.0.255.0"} << "10.0.0.0/255.0.255.0";
        QTest::newRow("split shorter than network")
            << QStringList{"cidr", "10.0.0.0/16", "--split", "8"} << "8";
        QTest::newRow("split past 32")
            << QStringList{"cidr", "10.0.0.0/16", "--split", "33"} << "33";
        QTest::newRow("range backwards")
            << QStringList{"cidr", "10.0.0.9-10.0.0.1"} << "10.0.0.9-10.0.0.1";
        QTest::newRow("range across families")
            << QStringList{"cidr", "10.0.0.1-::1"} << "10.0.0.1-::1";
        QTest::newRow("bad network in summary")
            << QStringList{"cidr", "--summarize", "10.0.0.0/8", "10.0.0.0/40"} << "10.0.0.0/40";
        QTest::newRow("bad address to look for")
            << QStringList{"cidr", "10.0.0.0/8", "--contains", "10.1"} << "10.1";
        QTest::newRow("negative limit")
            << QStringList{"cidr", "10.0.0.0/8", "--limit", "-1"} << "-1";
        QTest::newRow("unknown option")
            << QStringList{"cidr", "10.0.0.0/8", "--bogus"} << "--bogus";
        QTest::newRow("two formats")
            << QStringList{"cidr", "10.0.0.0/8", "--json", "--csv"} << "--csv";
        QTest::newRow("tsv without a window table")
            << QStringList{"cidr", "1.2.3.4", "--tsv"} << "--tsv";
        QTest::newRow("unknown command") << QStringList{"subnets", "1.2.3.4"} << "subnets";
        QTest::newRow("subnet bits above 22")
            << QStringList{"subnet", "10.0.0.1", "--bits", "23"} << "23";
        QTest::newRow("subnet bits 0") << QStringList{"subnet", "10.0.0.1", "--bits", "0"} << "0";
        QTest::newRow("class D") << QStringList{"subnet", "10.0.0.1", "--class", "D"} << "D";
        QTest::newRow("subnet of IPv6") << QStringList{"subnet", "::1"} << "::1";
        QTest::newRow("subnet without address") << QStringList{"subnet"} << "address";
        QTest::newRow("supernet bits above 24")
            << QStringList{"supernet", "192.0.0.1", "--bits", "25"} << "25";
        QTest::newRow("radix value above the width")
            << QStringList{"radix", "256", "--width", "8"} << "256";
        QTest::newRow("radix value below the width")
            << QStringList{"radix", "-129", "--width", "8"} << "-129";
        QTest::newRow("radix value beyond 64 bits")
            << QStringList{"radix", "0x1FFFFFFFFFFFFFFFF"} << "0x1FFFFFFFFFFFFFFFF";
        QTest::newRow("radix digit of another base") << QStringList{"radix", "0b102"} << "0b102";
        QTest::newRow("radix short dotted quad") << QStringList{"radix", "1.2.3"} << "1.2.3";
        QTest::newRow("radix width 12") << QStringList{"radix", "1", "--width", "12"} << "12";
        QTest::newRow("unknown topology")
            << QStringList{"latency", "--network", "Campus WAN:10"} << "Campus WAN";
        QTest::newRow("bandwidth no number")
            << QStringList{"latency", "--network", "T1:fast"} << "T1:fast";
        QTest::newRow("negative bandwidth")
            << QStringList{"latency", "--network", "T1:-1"} << "T1:-1";
        QTest::newRow("propagation delay on a LAN")
            << QStringList{"latency", "--network", "Ethernet:10:5"} << "Ethernet:10:5";
        QTest::newRow("negative packet size")
            << QStringList{"latency", "--node-a", "-1", "--network", "T1"} << "-1";
        QTest::newRow("no network") << QStringList{"latency"} << "--network";
        QStringList fifteen{"latency"};
        for (int n = 1; n <= 15; ++n)
            fifteen << "--network" << (n < 15 ? "T1" : "T3");
        QTest::newRow("fifteen networks") << fifteen << "T3";
        QTest::newRow("packet sizes overflow")
            << QStringList{"latency", "--node-a", "2147483647", "--network", "T1", "--node-b", "1"}
            << "2147483647";
        QTest::newRow("settings file missing")
            << QStringList{"latency", "--settings", "/nonexistent/Zentrix.conf"}
            << "/nonexistent/Zentrix.conf";
        QTest::newRow("settings and a chain")
            << QStringList{"latency", "--settings", "Zentrix.conf", "--network", "T1"}
            << "--settings";
    }

    void badInput()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, named);
        QProcess cli;
        cli.start(QStringLiteral(ZENTRIX_CLI_PATH), args);
        QVERIFY(cli.waitForFinished(10000));
        const QString err = QString::fromUtf8(cli.readAllStandardError());
        QCOMPARE(cli.exitCode(), 2);
        QCOMPARE(cli.readAllStandardOutput(), QByteArray());
        QVERIFY2(err.startsWith("zentrix-cli: ") && err.endsWith('\n') && err.count('\n') == 1,
                 qPrintable(err));
        QVERIFY2(err.contains(named), qPrintable(err));
    }

    // The command line reads the window's settings file without Qt: what Qt
    // writes, it must read back the same, with the store's messages.
    void settingsFileReadsWhatQtWrites_data()
    {
        QTest::addColumn<QVariant>("written");
        QTest::addColumn<QString>("read"); // "text:", "bytes:" (hex), "integer:" or "error:"

        QTest::newRow("integer") << QVariant(2) << "integer:2";
        QTest::newRow("negative integer") << QVariant(-14) << "integer:-14";
        QTest::newRow("integer as text") << QVariant("7") << "integer:7";
        QTest::newRow("text is no integer")
            << QVariant("seven") << "integer error:Invalid data type";
        QTest::newRow("plain name") << QVariant("Ethernet") << "text:Ethernet";
        QTest::newRow("name with specials")
            << QVariant(QString::fromUtf8("Frame Relay, \"x\"; \\ ü = 1 #2"))
            << QString::fromUtf8("text:Frame Relay, \"x\"; \\ ü = 1 #2");
        QTest::newRow("leading blanks and @") << QVariant("  @lead") << "text:  @lead";
        QTest::newRow("starts with @") << QVariant("@ByteArray(x)") << "text:@ByteArray(x)";
        QTest::newRow("name with NUL end") << QVariant(QString("T1") + QChar(0)) << "text:T1";
        QTest::newRow("list is no text")
            << QVariant(QStringList{"a", "b"}) << "text error:Invalid data type";
        QTest::newRow("bytes are no text")
            << QVariant(QByteArray("ab")) << "text error:Invalid data type";
        QTest::newRow("text is no bytes") << QVariant("ab") << "bytes error:Invalid data type";

        // Every byte value, in records of the stored sizes, where escapes
        // meet the digits that follow them.
        QByteArray all;
        for (int i = 0; i < 256; ++i)
            all.append(char(i));
        QTest::newRow("all bytes") << QVariant(all) << "bytes:" + QString(all.toHex());
        QRandomGenerator random(20240613);
        for (int i = 0; i < 40; ++i) {
            QByteArray record(i % 2 ? 20 : 8, Qt::Uninitialized);
            for (char& byte : record)
                byte = char(random.bounded(0, 256) & (i % 3 ? 0xFF : 0x3F));
            QTest::newRow(qPrintable(QStringLiteral("random record %1").arg(i)))
                << QVariant(record) << "bytes:" + QString(record.toHex());
        }
    }

    void settingsFileReadsWhatQtWrites()
    {
        QFETCH(QVariant, written);
        QFETCH(QString, read);
        QTemporaryDir dir;
        const QString path = dir.filePath("Zentrix.conf");
        {
            QSettings settings(path, QSettings::IniFormat);
            settings.setValue("Value", written);
            settings.setValue("Other", "after"); // later lines read apart
        }
        const SettingsFile file(path.toStdString());
        const QString kind = read.section(':', 0, 0);
        QString got;
        try {
            if (kind.startsWith("integer"))
                got = "integer:" + QString::number(file.ReadInteger("Value"));
            else if (kind.startsWith("text"))
                got = "text:" + QString::fromStdString(file.ReadString("Value"));
            else
                got = "bytes:" +
                      QString(QByteArray::fromStdString(file.ReadBinaryData("Value", 256)).toHex());
        } catch (const UsageError& e) {
            got = kind + ":" + QString::fromStdString(e.what());
            got.remove(" for 'Value'");
        }
        QCOMPARE(got, read);
        QCOMPARE(QString::fromStdString(file.ReadString("Other")), QString("after"));
        QCOMPARE(QString::fromStdString(file.ReadString("Missing")), QString());
    }
};

QTEST_MAIN(TestCliInput)
#include "tst_cliinput.moc"
