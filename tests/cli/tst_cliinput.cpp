#include "cli/Command.h"
#include "cli/SettingsFile.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

// zentrix-cli's own input: bad arguments and unwritable output on the real
// program, and the settings reader against what Qt writes.
class TestCliInput : public QObject
{
    Q_OBJECT

    // Files the table's rows name as $DIR/...: made once.
    QTemporaryDir files;

    void writeFile(const QString& name, const QByteArray& contents)
    {
        QFile file(files.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(contents);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(files.isValid());
        QVERIFY(QDir(files.path()).mkdir("folder"));
        writeFile("other.conf", "[Other]\nCalculator=2\n");
        writeFile("comments.conf", "; written by hand\n\n# nothing yet\n");
        writeFile("long-name.conf",
                  "[General]\nNumNetworks=1\nNetwork1Name=" + QByteArray(2040, 'N') + "\n");
        writeFile("routes.txt", "10.0.0.0/8\n10.0.0.0/33\n");
    }

    // Every way a command line can fail, with the exit status it must give
    // and what its one line on standard error must name (nothing: no line);
    // and the cases near them that must work. A row may feed standard input,
    // and send standard output to /dev/full, a closed descriptor or a pipe
    // that closes after one line.
    void badInput_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("named"); // what the message must name
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("output"); // "", "full", "closed" or "head"

        const auto row = [](const char* name, const QStringList& args, const QString& named,
                            int status = 2, const QByteArray& input = {},
                            const QString& output = {}) {
            QTest::newRow(name) << args << named << status << input << output;
        };

        // Empty values and options that cannot go together.
        row("empty --contains", {"cidr", "10.0.0.0/8", "--contains", ""}, "--contains");
        row("empty --split", {"cidr", "10.0.0.0/8", "--split", ""}, "--split");
        row("empty --limit", {"cidr", "10.0.0.0/8", "--split", "9", "--limit", ""}, "--limit");
        row("empty --bits", {"subnet", "10.0.0.1", "--bits", ""}, "--bits");
        row("empty --settings", {"latency", "--settings", ""}, "--settings");
        row("--contains with --split",
            {"cidr", "10.0.0.0/8", "--contains", "10.1.1.1", "--split", "9"}, "--split");
        row("--limit on facts", {"cidr", "10.0.0.0/8", "--limit", "3"}, "--limit");
        row("--limit on --contains",
            {"cidr", "10.0.0.0/8", "--contains", "10.1.1.1", "--limit", "1"}, "--limit");
        row("--limit without --table", {"subnet", "10.0.0.1", "--limit", "3"}, "--limit");
        row("--in without --lookup", {"cidr", "10.0.0.1", "--in", "10.0.0.0/8"}, "--in");
        row("--lookup without --in", {"cidr", "--lookup", "10.0.0.1"}, "--lookup");
        row("standard input twice", {"cidr", "-", "--exclude", "-"}, "'-'");
        row("a range among inputs", {"cidr", "10.0.0.1", "10.0.0.1-10.0.0.9"}, "10.0.0.1-10.0.0.9");
        row("--strict adjusted", {"subnet", "200.1.2.3", "--bits", "9", "--strict"}, "200.1.2.3");

        // Output that cannot be written; a reader that stops early.
        row("--help to a full disk", {"--help"}, "cannot write", 2, {}, "full");
        row("--version to nowhere", {"--version"}, "cannot write", 2, {}, "closed");
        row("command help to nowhere", {"cidr", "--help"}, "cannot write", 2, {}, "closed");
        row("facts to a full disk", {"cidr", "10.0.0.0/8"}, "cannot write", 2, {}, "full");
        row("closed pipe ends quietly", {"cidr", "10.0.0.0/8", "--split", "28"}, "", 0, {}, "head");

        // The window's settings file: long names, and files it is not.
        row("element name of 2040 characters", {"latency", "--settings", "$DIR/long-name.conf"}, "",
            0);
        row("settings directory", {"latency", "--settings", "$DIR/folder"}, "$DIR/folder");
        row("settings of another program", {"latency", "--settings", "$DIR/other.conf"},
            "$DIR/other.conf");
        row("settings with comments only is a first run",
            {"latency", "--settings", "$DIR/comments.conf"}, "", 0);

        // Brackets and commas are text, not CLI11's lists.
        row("bracketed address", {"cidr", "[2001:db8::1]"}, "[2001:db8::1]");
        row("empty brackets", {"cidr", "10.0.0.0/8", "[]"}, "[]");
        row("bracketed list", {"cidr", "--summarize", "[10.0.0.0/8,11.0.0.0/8]"},
            "[10.0.0.0/8,11.0.0.0/8]");
        row("bracketed option value", {"cidr", "10.0.0.0/8", "--exclude=[10.1.0.0/16]"},
            "[10.1.0.0/16]");
        row("bracketed networks", {"latency", "--network", "[T1,T3]"}, "[T1");

        // Messages stay one line and say where the token came from.
        row("control characters", {"cidr", "10.0.0.1\n\t"}, "'10.0.0.1\\n\\t'");
        row("bytes that are no UTF-8", {"cidr", "-"}, "<stdin>:1: '\\xFF\\xFE1'", 2,
            "\xff\xfe"
            "1\n");
        row("NUL byte", {"cidr", "-"}, "'10.0.0.1\\x00x'", 2, QByteArray("10.0.0.1\0x\n", 11));
        row("long token cut", {"cidr", QString(200, 'a')}, "'" + QString(80, 'a') + "...'");
        row("line of standard input", {"cidr", "--summarize", "-"}, "<stdin>:4: '10.0.0.300'", 2,
            "10.0.0.1\n\n# comment\n10.0.0.300\n");
        row("line of a file", {"cidr", "--summarize", "@$DIR/routes.txt"},
            "$DIR/routes.txt:2: '10.0.0.0/33'");

        // Items are what the line names, each argument one, ADDRESS MASK
        // only as the whole line; nothing is read that was not asked for.
        row("gapped mask after an address", {"cidr", "10.1.1.1", "255.0.255.0"},
            "not a contiguous mask");
        row("two words on a line", {"cidr", "-"}, "<stdin>:1: '10.0.0.1 255.0.0.0'", 2,
            "10.0.0.1 255.0.0.0\n");
        row("a list option took the items", {"cidr", "--exclude", "10.1.0.0/16", "10.0.0.0/8"},
            "no items: the values after --exclude are its own");
        row("a question without items", {"cidr", "--summarize"}, "no items: give");
        row("a line of 65,537 bytes", {"cidr", "-"}, "<stdin>:2: expected a line of at most 65536",
            2, "10.0.0.0/8\n" + QByteArray(65537, '1') + "\n");

        row("negative prefix", {"cidr", "10.1.1.1/-1"}, "a prefix length");
        row("missing file", {"cidr", "@$DIR/none.txt"}, "@$DIR/none.txt");

        row("octet above 255", {"cidr", "10.0.0.256/8"}, "10.0.0.256/8");
        row("prefix above 32", {"cidr", "10.0.0.0/33"}, "10.0.0.0/33");
        row("bare prefix", {"cidr", "/33"}, "/33");
        row("IPv6 letter", {"cidr", "::g"}, "::g");
        row("IPv6 prefix above 128", {"cidr", "::/129"}, "::/129");
        row("two gaps", {"cidr", "1::2::3"}, "1::2::3");
        row("leading zero", {"cidr", "010.0.0.1"}, "010.0.0.1");
        row("gapped mask", {"cidr", "10.0.0.0/255.0.255.0"}, "10.0.0.0/255.0.255.0");
        row("split shorter than network", {"cidr", "10.0.0.0/16", "--split", "8"}, "8");
        row("split past 32", {"cidr", "10.0.0.0/16", "--split", "33"}, "33");
        row("range backwards", {"cidr", "10.0.0.9-10.0.0.1"}, "10.0.0.9-10.0.0.1");
        row("range across families", {"cidr", "10.0.0.1-::1"}, "10.0.0.1-::1");
        row("bad network in summary", {"cidr", "--summarize", "10.0.0.0/8", "10.0.0.0/40"},
            "10.0.0.0/40");
        row("bad address to look for", {"cidr", "10.0.0.0/8", "--contains", "10.1"}, "10.1");
        row("negative limit", {"cidr", "10.0.0.0/8", "--limit", "-1"}, "-1");
        row("unknown option", {"cidr", "10.0.0.0/8", "--bogus"}, "--bogus");
        row("two formats", {"cidr", "10.0.0.0/8", "--json", "--csv"}, "--csv");
        row("tsv without a window table", {"cidr", "1.2.3.4", "--tsv"}, "--tsv");
        row("unknown command", {"subnets", "1.2.3.4"}, "subnets");
        row("subnet bits above 22", {"subnet", "10.0.0.1", "--bits", "23"}, "23");
        row("subnet bits 0", {"subnet", "10.0.0.1", "--bits", "0"}, "0");
        row("class D", {"subnet", "10.0.0.1", "--class", "D"}, "D");
        row("subnet of IPv6", {"subnet", "::1"}, "::1");
        row("subnet without address", {"subnet"}, "ADDRESS");
        row("supernet bits above 24", {"supernet", "192.0.0.1", "--bits", "25"}, "25");
        row("radix value above the width", {"radix", "256", "--width", "8"}, "256");
        row("radix value below the width", {"radix", "-129", "--width", "8"}, "-129");
        row("radix value beyond 64 bits", {"radix", "0x1FFFFFFFFFFFFFFFF"}, "0x1FFFFFFFFFFFFFFFF");
        row("radix digit of another base", {"radix", "0b102"}, "0b102");
        row("radix short dotted quad", {"radix", "1.2.3"}, "1.2.3");
        row("radix width 12", {"radix", "1", "--width", "12"}, "12");
        row("unknown topology", {"latency", "--network", "Campus WAN:10"}, "Campus WAN");
        row("bandwidth no number", {"latency", "--network", "T1:fast"}, "T1:fast");
        row("negative bandwidth", {"latency", "--network", "T1:-1"}, "T1:-1");
        row("propagation delay on a LAN", {"latency", "--network", "Ethernet:10:5"},
            "Ethernet:10:5");
        row("negative packet size", {"latency", "--node-a", "-1", "--network", "T1"}, "-1");
        row("no network", {"latency"}, "--network");
        QStringList fifteen{"latency"};
        for (int n = 1; n <= 15; ++n)
            fifteen << "--network" << (n < 15 ? "T1" : "T3");
        row("fifteen networks", fifteen, "T3");
        row("packet sizes overflow",
            {"latency", "--node-a", "2147483647", "--network", "T1", "--node-b", "1"},
            "2147483647");
        row("settings file missing", {"latency", "--settings", "/nonexistent/Zentrix.conf"},
            "/nonexistent/Zentrix.conf");
        row("settings and a chain", {"latency", "--settings", "Zentrix.conf", "--network", "T1"},
            "--settings");
    }

    void badInput()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, named);
        QFETCH(int, status);
        QFETCH(QByteArray, input);
        QFETCH(QString, output);
        for (QString& arg : args)
            arg.replace("$DIR", files.path());
        named.replace("$DIR", files.path());

        QProcess cli;
        QString program = QStringLiteral(ZENTRIX_CLI_PATH);
        if (output == "closed" || output == "head") {
            args.prepend(program);
            args.prepend(output == "closed" ? "exec >&-; \"$0\" \"$@\""
                                            : "\"$0\" \"$@\" | head -n 1 >/dev/null");
            args.prepend("-c");
            program = "sh";
        } else if (output == "full") {
            cli.setStandardOutputFile("/dev/full");
        }
        cli.start(program, args);
        QVERIFY(cli.waitForStarted(10000));
        cli.write(input);
        cli.closeWriteChannel();
        QVERIFY(cli.waitForFinished(10000));
        const QString err = QString::fromUtf8(cli.readAllStandardError());
        QCOMPARE(cli.exitCode(), status);
        if (named.isEmpty()) {
            QCOMPARE(err, QString());
            return;
        }
        QCOMPARE(cli.readAllStandardOutput(), QByteArray());
        QVERIFY2(err.startsWith("zentrix-cli: ") && err.endsWith('\n') && err.count('\n') == 1,
                 qPrintable(err));
        QVERIFY2(err.contains(named), qPrintable(err));
    }

    // Answers to what scripts give: the item rule, the reader's edges, one
    // shape per command, null for what does not exist. `out` and `err`
    // hold parts the output must have ('|' between them); `lines` counts
    // standard output's lines (-1: any).
    void answers_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out");
        QTest::addColumn<int>("lines");
        QTest::addColumn<QString>("err");
        const auto row = [](const char* name, const QStringList& args, const QByteArray& input,
                            int status, const QString& out, int lines, const QString& err = {}) {
            QTest::newRow(name) << args << input << status << out << lines << err;
        };
        const QByteArray none;

        row("four arguments are four items",
            {"cidr", "10.1.1.1", "255.255.255.255", "10.2.2.2", "0.0.0.0", "--jsonl"}, none, 0,
            "\"network\": \"10.1.1.1/32\"|\"network\": \"0.0.0.0/32\"", 4);
        row("a mask among three items is an address",
            {"cidr", "10.1.1.1", "224.0.0.0", "192.0.0.0", "--jsonl"}, none, 0,
            "\"network\": \"10.1.1.1/32\"|\"network\": \"224.0.0.0/32\"", 3);
        row("ADDRESS MASK as the whole line", {"cidr", "10.1.2.3", "255.255.240.0", "--json"}, none,
            0, "{\n|\"network\": \"10.1.0.0/20\"", -1);

        const QByteArray line65536 = "10.0.0.0/8" + QByteArray(65536 - 10, ' ') + "\n";
        row("a line of 65,536 bytes", {"cidr", "--summarize", "-", "--plain"}, line65536, 0,
            "10.0.0.0/8\n", 1);
        row("byte order mark on standard input", {"cidr", "--summarize", "-", "--plain"},
            "\xEF\xBB\xBF"
            "10.0.0.0/24\r\n10.0.1.0/24\r\n",
            0, "10.0.0.0/23\n", 1);
        row("skip invalid lines, name them, count them",
            {"cidr", "--summarize", "-", "--plain", "--skip-invalid"},
            "10.0.0.0/24\nbad\n10.0.1.0/24\n10.0.0.0/33\n", 0, "10.0.0.0/23\n", 1,
            "<stdin>:2: 'bad'|<stdin>:4: '10.0.0.0/33'|skipped 2 invalid items");
        row("skip invalid items, the answer still no",
            {"cidr", "10.0.0.0/8", "--contains", "-", "--skip-invalid", "--csv"},
            "10.1.1.1\nx\n11.0.0.1\n", 1, "10.0.0.0/8,11.0.0.1,false", 3, "skipped 1");
        row("only invalid items skipped", {"cidr", "--summarize", "-", "--skip-invalid"}, "x\ny\n",
            2, "", 0, "<stdin>:2: 'y'|expected at least one valid item");
        row("plain summary into exclusion", {"cidr", "-", "--exclude", "10.0.0.0/24", "--plain"},
            "10.0.0.0/23\n", 0, "10.0.1.0/24\n", 1);

        row("one PTR argument is an object", {"cidr", "--ptr", "2001:db8::1", "--json"}, none, 0,
            "{\n  \"address\": \"2001:db8::1\",\n  \"ptr\": ", -1);
        row("PTR names from a list are an array", {"cidr", "--ptr", "-", "--json"}, "192.0.2.1\n",
            0, "[\n  {\"address\": \"192.0.2.1\"", -1);
        row("one lookup argument is an object",
            {"cidr", "--lookup", "10.1.2.3", "--in", "10.0.0.0/8", "--json"}, none, 0,
            "{\n  \"item\": \"10.1.2.3\",\n  \"match\": \"10.0.0.0/8\"\n}", -1);
        row("facts from a list of one are an array", {"cidr", "-", "--json"}, "10.0.0.0/8\n", 0,
            "[\n  {", -1);
        row("IPv6 facts have IPv4's keys, null", {"cidr", "2001:db8::/64", "--json"}, none, 0,
            "\"broadcast\": null|\"netmask\": null|\"class\": null|\"hosts\": "
            "\"18446744073709551616\"",
            -1);
        row("IPv4 facts have IPv6's keys, null", {"cidr", "10.0.0.0/8", "--json"}, none, 0,
            "\"expanded\": null|\"subnets_64\": null", -1);
        row("IPv6 subnets have IPv4's keys", {"cidr", "2001:db8::/64", "--split", "65", "--jsonl"},
            none, 0, "\"broadcast\": null, \"hosts\": \"9223372036854775808\"", 2);
        row("JSON lines of a split", {"cidr", "10.0.0.0/30", "--split", "31", "--jsonl"}, none, 0,
            "{\"network\": \"10.0.0.0/31\", \"first\": \"10.0.0.0\", \"last\": \"10.0.0.1\", "
            "\"broadcast\": null, \"hosts\": \"2\", \"addresses\": \"2\"}\n",
            2);
        row("version", {"--version"}, none, 0, "zentrix-cli 1.02\n", 1);
        row("a command's version", {"plan", "-V"}, none, 0, "zentrix-cli 1.02\n", 1);
    }

    void answers()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, input);
        QFETCH(int, status);
        QFETCH(QString, out);
        QFETCH(int, lines);
        QFETCH(QString, err);
        QProcess cli;
        cli.start(QStringLiteral(ZENTRIX_CLI_PATH), args);
        QVERIFY(cli.waitForStarted(10000));
        cli.write(input);
        cli.closeWriteChannel();
        QVERIFY(cli.waitForFinished(10000));
        const QString output = QString::fromUtf8(cli.readAllStandardOutput());
        const QString errors = QString::fromUtf8(cli.readAllStandardError());
        QVERIFY2(cli.exitCode() == status, qPrintable(errors));
        for (const QString& part : out.split('|'))
            QVERIFY2(output.contains(part), qPrintable(output + "lacks " + part));
        if (lines >= 0)
            QCOMPARE(output.count('\n'), lines);
        if (err.isEmpty())
            QCOMPARE(errors, QString());
        for (const QString& part : err.split('|', Qt::SkipEmptyParts))
            QVERIFY2(errors.contains(part), qPrintable(errors + "lacks " + part));
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
