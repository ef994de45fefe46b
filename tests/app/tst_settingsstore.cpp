#include "app/SettingsStore.h"
#include "core/Errors.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

class TestSettingsStore : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    QString path() const { return dir.filePath(QStringLiteral("store.conf")); }

    // Writes raw values the way another program or a damaged file might.
    void plant(const QString& name, const QVariant& value)
    {
        QSettings raw(path(), QSettings::IniFormat);
        raw.setValue(name, value);
    }

    static QString errorOf(const std::function<void()>& action)
    {
        try {
            action();
        } catch (const EZentrixError& error) {
            return QString::fromStdString(error.what());
        }
        return QString();
    }

private slots:
    void init() { QFile::remove(path()); }

    void emptyStoreHasNoKey()
    {
        TSettingsStore store(path());
        QVERIFY(!store.KeyExists());
        QVERIFY(!store.OpenKey(false));
        QVERIFY(store.OpenKey(true));
        store.WriteInteger(QStringLiteral("Calculator"), 2);
        QVERIFY(store.KeyExists());
    }

    void valuesSurviveReopening()
    {
        const QByteArray record("\x01\x00\x00\x00\xff\xff\xff\x7f", 8);
        {
            TSettingsStore store(path());
            store.WriteInteger(QStringLiteral("NumNetworks"), -3);
            store.WriteString(QStringLiteral("Network1Name"), QStringLiteral("Ethernet"));
            store.WriteBinaryData(QStringLiteral("NodeA"), record);
            store.CloseKey();
        }
        TSettingsStore store(path());
        QCOMPARE(store.ReadInteger(QStringLiteral("NumNetworks")), -3);
        QCOMPARE(store.ReadString(QStringLiteral("Network1Name")), QStringLiteral("Ethernet"));
        QCOMPARE(store.ReadBinaryData(QStringLiteral("NodeA"), 8), record);
    }

    void readErrors_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing integer") << "Calculator" << QVariant() << "integer"
                                         << "Failed to get data for 'Calculator'";
        QTest::newRow("integer as text") << "Calculator" << QVariant("two") << "integer"
                                         << "Invalid data type for 'Calculator'";
        QTest::newRow("integer beyond 32 bits")
            << "NumNetworks" << QVariant("4294967296") << "integer"
            << "Invalid data type for 'NumNetworks'";
        QTest::newRow("integer as binary")
            << "NumNetworks" << QVariant(QByteArray("\x03", 1)) << "integer"
            << "Invalid data type for 'NumNetworks'";
        QTest::newRow("binary as text") << "NodeA" << QVariant("12345678") << "binary"
                                        << "Invalid data type for 'NodeA'";
        QTest::newRow("binary longer than record")
            << "NodeA" << QVariant(QByteArray(9, '\0')) << "binary"
            << "Invalid data type for 'NodeA'";
        QTest::newRow("string as binary")
            << "Network1Name" << QVariant(QByteArray("ATM")) << "string"
            << "Invalid data type for 'Network1Name'";
    }

    void readErrors()
    {
        QFETCH(QString, name);
        QFETCH(QVariant, stored);
        QFETCH(QString, kind);
        QFETCH(QString, message);
        if (stored.isValid())
            plant(name, stored);
        TSettingsStore store(path());
        const QString error = errorOf([&] {
            if (kind == "integer")
                store.ReadInteger(name);
            else if (kind == "binary")
                store.ReadBinaryData(name, 8);
            else
                store.ReadString(name);
        });
        QCOMPARE(error, message);
    }

    void shortOrMissingBinaryReadsWhatIsThere()
    {
        plant(QStringLiteral("NodeB"), QByteArray("\x40\x00", 2));
        TSettingsStore store(path());
        QCOMPARE(store.ReadBinaryData(QStringLiteral("NodeB"), 8), QByteArray("\x40\x00", 2));
        QCOMPARE(store.ReadBinaryData(QStringLiteral("Network7"), 20), QByteArray());
    }

    void stringReaderDropsATerminatingNul()
    {
        plant(QStringLiteral("Network1Name"), QString(QStringLiteral("FDDI") + QChar(0)));
        TSettingsStore store(path());
        QCOMPARE(store.ReadString(QStringLiteral("Network1Name")), QStringLiteral("FDDI"));
        QCOMPARE(store.ReadString(QStringLiteral("Network2Name")), QString());
    }

    // A file that cannot be parsed is never written over: it moves aside, or,
    // when it cannot, every write is refused.
    void unreadableFileIsNeverWrittenOver_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("error");
        QTest::newRow("kept aside") << "store.conf" << QString();
        // With ".unreadable" the name would pass the longest a file name may
        // be, while the store's own temporary name still fits.
        QTest::newRow("cannot be moved")
            << QString(246, 'z') << "Failed to set data for 'Calculator'";
    }

    void unreadableFileIsNeverWrittenOver()
    {
        QFETCH(QString, fileName);
        QFETCH(QString, error);
        const QString file = dir.filePath(fileName);
        const QByteArray garbage("[General\n\x01\xfe\x00", 12);
        {
            QFile raw(file);
            QVERIFY(raw.open(QIODevice::WriteOnly));
            raw.write(garbage);
        }
        {
            TSettingsStore store(file);
            QVERIFY(store.WasUnreadable());
            QCOMPARE(errorOf([&] { store.WriteInteger(QStringLiteral("Calculator"), 1); }), error);
            store.CloseKey();
        }
        QFile kept(error.isEmpty() ? file + QStringLiteral(".unreadable") : file);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), garbage);
        if (error.isEmpty())
            QCOMPARE(TSettingsStore(file).ReadInteger(QStringLiteral("Calculator")), 1);
        QFile::remove(kept.fileName());
    }

    void refusedWriteIsReported()
    {
        // A folder where the file should be: the store cannot be written.
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("blocked.conf")));
        TSettingsStore store(dir.filePath(QStringLiteral("blocked.conf")));
        QCOMPARE(errorOf([&] { store.WriteInteger(QStringLiteral("Calculator"), 1); }),
                 QStringLiteral("Failed to set data for 'Calculator'"));
    }
};

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
