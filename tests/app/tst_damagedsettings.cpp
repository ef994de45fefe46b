#include "tests/app/StoredSettings.h"
#include "tests/support/LatencyDriver.h"

#include "path/LatencyLayout.h"
#include "radix/RadixorCalc.h"
#include "subnet/SubnetCalc.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QSettings>
#include <cmath>
#include <limits>

namespace {

// Bytes that are no settings file at all.
QByteArray garbage()
{
    QByteArray bytes;
    for (int i = 0; i < 256; ++i)
        bytes.append(char(i * 37 + 11));
    return bytes;
}

QByteArray contentOf(const QString& fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

void writeFile(const QString& fileName, const QByteArray& content)
{
    QFile file(fileName);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(content), content.size());
}

} // namespace

// A store that is damaged, foreign, unreadable or cannot be written: the
// window repairs what it reads, says what it could not read or write, and
// never crashes or loses the user's file.
class TestDamagedSettings : public QObject, LatencyDriver
{
    Q_OBJECT

    // Where system-wide settings are looked for while the tests run.
    QTemporaryDir systemFolder;

private slots:
    void initTestCase()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, systemFolder.path());
    }
    void init() { clearStoredSettings(); }
    void cleanup() { finish(); }

    void damagedRecordsAreRepaired_data()
    {
        const float nan = std::numeric_limits<float>::quiet_NaN();
        const float inf = std::numeric_limits<float>::infinity();
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<int>("kind");
        QTest::addColumn<float>("bandwidth");
        QTest::addColumn<int>("delay");
        QTest::newRow("node kind A")
            << networkBytes(10, nbDesktopCPU, 8, 3) << int(nbUnknownNetwork) << 10.0f << 3;
        QTest::newRow("node kind B")
            << networkBytes(10, nbTowerCPU) << int(nbUnknownNetwork) << 10.0f << 0;
        QTest::newRow("kind 255") << networkBytes(10, 255) << int(nbUnknownNetwork) << 10.0f << 0;
        QTest::newRow("negative bandwidth") << networkBytes(-5, nbATM) << int(nbATM) << 0.0f << 0;
        QTest::newRow("NaN bandwidth") << networkBytes(nan, nbATM) << int(nbATM) << 0.0f << 0;
        QTest::newRow("infinite bandwidth")
            << networkBytes(inf, nbFDDI) << int(nbFDDI) << 0.0f << 0;
        QTest::newRow("negative delay")
            << networkBytes(10, nbATM, 100, -5) << int(nbATM) << 10.0f << 0;
        QTest::newRow("lowest delay")
            << networkBytes(10, nbX25, 100, INT32_MIN) << int(nbX25) << 10.0f << 0;
        QTest::newRow("short record")
            << networkBytes(10, nbATM, 8, 9).left(19) << int(nbUnknownNetwork) << 0.0f << 0;
        QTest::newRow("empty record") << QByteArray() << int(nbUnknownNetwork) << 0.0f << 0;
    }

    void damagedRecordsAreRepaired()
    {
        QFETCH(QByteArray, record);
        QFETCH(int, kind);
        QFETCH(float, bandwidth);
        QFETCH(int, delay);
        plant(
            {{"Calculator", 2}, {"NumNetworks", 1}, {"Network1", record}, {"Network1Name", "Net"}});
        open();
        const TLatencyChain& chain = calc()->chain();
        QCOMPARE(chain.count(), 3);
        QCOMPARE(int(chain.at(1).Kind), kind);
        QCOMPARE(chain.at(1).Bandwidth, bandwidth);
        QCOMPARE(chain.at(1).PropagationDelay, delay);
        QCOMPARE(chain.nodeA().Kind, nbDesktopCPU);
        QCOMPARE(chain.nodeB().Kind, nbTowerCPU);
    }

    void chainLengthStaysWithinItsRoom_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("elements");
        QTest::newRow("more than fourteen") << 99 << 16;
        QTest::newRow("fourteen") << 14 << 16;
        QTest::newRow("none") << 0 << 3;
        QTest::newRow("negative") << -4 << 3;
    }

    void chainLengthStaysWithinItsRoom()
    {
        QFETCH(int, stored);
        QFETCH(int, elements);
        plant({{"Calculator", 1}, {"NumNetworks", stored}});
        open();
        QCOMPARE(calc()->chain().count(), elements);
    }

    void missingOrShortNodeKeepsItsValues()
    {
        plant({{"Calculator", 1}, {"NumNetworks", 1}, {"NodeA", QByteArray(5, '\x7f')}});
        open();
        const TNetworkElement& nodeA = calc()->chain().nodeA();
        const TNetworkElement& nodeB = calc()->chain().nodeB();
        QCOMPARE(nodeA.PacketSize, TNetworkElement().PacketSize);
        QCOMPARE(nodeA.ProcessTime, 0);
        QCOMPARE(nodeB.PacketSize, TNetworkElement().PacketSize);
    }

    // Negative sizes and times have no meaning; they would show shares of
    // negative delays.
    void damagedNodeRecordsAreRepaired_data()
    {
        QTest::addColumn<int>("packetSize");
        QTest::addColumn<int>("processTime");
        QTest::addColumn<int>("repairedSize");
        QTest::addColumn<int>("repairedTime");
        QTest::newRow("negative packet size") << -64 << 5 << 0 << 5;
        QTest::newRow("negative processing time") << 64 << -5 << 64 << 0;
        QTest::newRow("both lowest") << INT32_MIN << INT32_MIN << 0 << 0;
        QTest::newRow("sound") << 1500 << 250 << 1500 << 250;
    }

    void damagedNodeRecordsAreRepaired()
    {
        QFETCH(int, packetSize);
        QFETCH(int, processTime);
        QFETCH(int, repairedSize);
        QFETCH(int, repairedTime);
        TNodeRecord record;
        record.PacketSize = packetSize;
        record.ProcessTime = processTime;
        const QByteArray bytes = bytesOf(encodeNodeRecord(record));
        plant({{"Calculator", 2}, {"NumNetworks", 1}, {"NodeA", bytes}, {"NodeB", bytes}});
        open();
        const TLatencyChain& chain = calc()->chain();
        for (const TNetworkElement& node : {chain.nodeA(), chain.nodeB()}) {
            QCOMPARE(node.PacketSize, repairedSize);
            QCOMPARE(node.ProcessTime, repairedTime);
        }
    }

    void elementsStayOnThePanel()
    {
        plant({{"Calculator", 2},
               {"NumNetworks", 2},
               {"Network1", networkBytes(1, nbATM, -40000, 0, 1 << 30)},
               {"Network2", networkBytes(1, nbATM, INT32_MAX, 0, INT32_MIN)}});
        open();
        for (int i = 0; i < calc()->chain().count(); ++i) {
            const TNetworkButton* element = elementButton(i);
            const QRect panel = element->parentWidget()->rect();
            QVERIFY2(panel.contains(element->geometry()), qPrintable(element->Hint()));
        }
    }

    void reportedErrors_data()
    {
        QTest::addColumn<QVariant>("calculator");
        QTest::addColumn<QVariant>("network2");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("elements");
        QTest::newRow("calculator missing") << QVariant() << QVariant(networkBytes(1, nbATM))
                                            << "Failed to get data for 'Calculator'" << 3;
        QTest::newRow("calculator as text")
            << QVariant("latency") << QVariant(networkBytes(1, nbATM))
            << "Invalid data type for 'Calculator'" << 3;
        QTest::newRow("network as text")
            << QVariant(2) << QVariant("ATM") << "Invalid data type for 'Network2'" << 3;
        QTest::newRow("network too long") << QVariant(2) << QVariant(QByteArray(21, '\0'))
                                          << "Invalid data type for 'Network2'" << 3;
    }

    void reportedErrors()
    {
        QFETCH(QVariant, calculator);
        QFETCH(QVariant, network2);
        QFETCH(QString, message);
        QFETCH(int, elements);
        QMap<QString, QVariant> values{{"NumNetworks", 3},
                                       {"Network1", networkBytes(1, nbATM)},
                                       {"Network2", network2},
                                       {"Network3", networkBytes(1, nbATM)}};
        if (calculator.isValid())
            values.insert("Calculator", calculator);
        plant(values);
        open();
        QStringList shown;
        QTRY_VERIFY((shown += MessageBoxCatcher::instance().take(), !shown.isEmpty()));
        QCOMPARE(shown, QStringList{message});
        // The window goes on with what was read: one calculator, a whole chain.
        int visible = 0;
        for (QWidget* view :
             {static_cast<QWidget*>(form()->radixorCalc()),
              static_cast<QWidget*>(form()->subnetCalc()), static_cast<QWidget*>(calc())})
            visible += !view->isHidden();
        QCOMPARE(visible, 1);
        QCOMPARE(calc()->chain().count(), elements);
    }

    void garbageStoreGivesAtMostOneMessage()
    {
        QRandomGenerator random(20261207);
        for (int round = 0; round < 20; ++round) {
            QMap<QString, QVariant> values;
            const QStringList names{"Calculator", "NumNetworks",  "NodeA",    "NodeB",
                                    "Network1",   "Network1Name", "Network2", "Network3Name"};
            for (const QString& name : names) {
                QByteArray bytes(int(random.bounded(24)), '\0');
                for (char& byte : bytes)
                    byte = char(random.bounded(256));
                switch (random.bounded(4)) {
                case 0:
                    values.insert(name, bytes);
                    break;
                case 1:
                    values.insert(name, int(random.generate()));
                    break;
                case 2:
                    values.insert(name, QString::fromLatin1(bytes));
                    break;
                default:
                    break;
                }
            }
            plant(values);
            open();
            QTest::qWait(1);
            QVERIFY(MessageBoxCatcher::instance().take().size() <= 1);
            const TLatencyChain& chain = calc()->chain();
            QVERIFY(chain.count() >= 3 && chain.count() <= 16);
            QCOMPARE(chain.nodeA().Kind, nbDesktopCPU);
            QCOMPARE(chain.nodeB().Kind, nbTowerCPU);
            stop();
            MessageBoxCatcher::instance().take();
        }
    }

    // Other programs of the organization and system-wide defaults keep files
    // of their own beside Zentrix's; none of them is its store.
    void onlyItsOwnFileIsRead_data()
    {
        QTest::addColumn<int>("scope");
        QTest::addColumn<QString>("application");
        QTest::newRow("organization file") << int(QSettings::UserScope) << QString();
        QTest::newRow("system file") << int(QSettings::SystemScope) << "Zentrix";
        QTest::newRow("system organization file") << int(QSettings::SystemScope) << QString();
    }

    void onlyItsOwnFileIsRead()
    {
        QFETCH(int, scope);
        QFETCH(QString, application);
        QSettings foreign(QSettings::Scope(scope), QCoreApplication::organizationName(),
                          application);
        foreign.setValue("Calculator", 0);
        foreign.setValue("Editor", "vi");
        foreign.sync();
        const auto removeForeign = qScopeGuard([&] { QFile::remove(foreign.fileName()); });
        open();
        QTest::qWait(1);
        QCOMPARE(MessageBoxCatcher::instance().take(), QStringList());
        QVERIFY(find<QAction>("VantrelCalculator1")->isChecked());
        QCOMPARE(calc()->chain().nodeA().PacketSize, 64);
        stop();
        QCOMPARE(QSettings(QSettings::UserScope, QCoreApplication::organizationName(),
                           QCoreApplication::applicationName())
                     .value("Calculator"),
                 QVariant(1));
        foreign.sync();
        QCOMPARE(foreign.value("Calculator"), QVariant(0));
    }

    // A file that is no settings file at all: what it holds is kept beside it
    // under a name of its own, the run starts afresh, and closing saves a
    // whole, sound file.
    void unreadableFileIsKeptAside_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("earlier");
        QTest::addColumn<QString>("keptAs");
        QTest::newRow("binary garbage") << garbage() << QString() << "Zentrix.conf.unreadable";
        QTest::newRow("broken section")
            << QByteArray("[General\nCalculator=2\n") << QString() << "Zentrix.conf.unreadable";
        QTest::newRow("earlier one kept") << garbage() << "Zentrix.conf.unreadable"
                                          << "Zentrix.conf.unreadable-2";
    }

    void unreadableFileIsKeptAside()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, earlier);
        QFETCH(QString, keptAs);
        const QString file = QSettings().fileName();
        QDir folder = QFileInfo(file).dir();
        QVERIFY(folder.mkpath(QStringLiteral(".")));
        for (const QString& kept : folder.entryList({QStringLiteral("Zentrix.conf.*")}))
            QVERIFY(folder.remove(kept));
        writeFile(file, content);
        if (!earlier.isEmpty())
            writeFile(folder.filePath(earlier), "earlier");
        open();
        QStringList shown;
        QTRY_VERIFY((shown += MessageBoxCatcher::instance().take(), !shown.isEmpty()));
        QCOMPARE(shown, QStringList{"Failed to get data for 'Calculator'\nThe unreadable file "
                                    "was kept as " +
                                    QDir::toNativeSeparators(folder.filePath(keptAs)) +
                                    "; Zentrix starts with its default settings."});
        QCOMPARE(calc()->chain().count(), 3);
        QCOMPARE(calc()->chain().nodeA().PacketSize, 64);
        stop();
        QCOMPARE(MessageBoxCatcher::instance().take(), QStringList());
        QCOMPARE(contentOf(folder.filePath(keptAs)), content);
        if (!earlier.isEmpty())
            QCOMPARE(contentOf(folder.filePath(earlier)), QByteArray("earlier"));
        {
            QSettings stored(file, QSettings::IniFormat);
            QStringList keys = stored.allKeys();
            keys.sort();
            QCOMPARE(keys, QStringList({"Calculator", "Network1", "Network1Name", "NodeA", "NodeB",
                                        "NumNetworks"}));
            QCOMPARE(stored.status(), QSettings::NoError);
        }
        // The next start is silent (cleanup() fails on any message).
        open();
        QTest::qWait(1);
    }

    // When not even a name to keep it under is free, the file stays where it
    // is, as it is, and the message says so.
    void unmovableUnreadableFileIsLeftAsItIs()
    {
        const QString file = QSettings().fileName();
        QDir folder = QFileInfo(file).dir();
        QVERIFY(folder.mkpath(QStringLiteral(".")));
        writeFile(file, garbage());
        const QString kept = file + QStringLiteral(".unreadable");
        for (int n = 1; n <= 1000; ++n)
            writeFile(n == 1 ? kept : kept + QStringLiteral("-%1").arg(n), "earlier");
        open();
        QStringList shown;
        QTRY_VERIFY((shown += MessageBoxCatcher::instance().take(), !shown.isEmpty()));
        QCOMPARE(shown, QStringList{"Failed to get data for 'Calculator'\n" +
                                    QDir::toNativeSeparators(file) +
                                    " could not be read; Zentrix starts with its default "
                                    "settings and leaves that file as it is."});
        stop();
        // Closing cannot save, and says so; the file is untouched.
        QCOMPARE(MessageBoxCatcher::instance().take(),
                 QStringList{"Failed to set data for 'Calculator'"});
        QCOMPARE(contentOf(file), garbage());
        for (const QString& each : folder.entryList({QStringLiteral("Zentrix.conf*")}))
            QVERIFY(folder.remove(each));
    }

    void refusedWriteIsReportedOnClosing()
    {
        const QString file = QSettings().fileName();
        QFile::remove(file);
        // A folder where the file belongs: the store cannot be written.
        QVERIFY(QDir().mkpath(file));
        open();
        stop();
        QCOMPARE(MessageBoxCatcher::instance().take(),
                 QStringList{"Failed to set data for 'Calculator'"});
        QVERIFY(QDir().rmdir(file));
    }
};

ZENTRIX_UI_TEST_MAIN(TestDamagedSettings)
#include "tst_damagedsettings.moc"
