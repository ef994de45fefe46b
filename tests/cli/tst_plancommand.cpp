#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// zentrix-cli plan on the real program: what makes it exit 2 and how the
// one line says so, and when it exits 0 or 1.
class TestPlanCommand : public QObject
{
    Q_OBJECT

private slots:
    void exitStatus_data()
    {
        QTest::addColumn<QStringList>("args"); // FILE stands for a file holding `input`
        QTest::addColumn<QByteArray>("input"); // also given on standard input
        QTest::addColumn<int>("status");
        // What the message (status 2) or the output must hold; '|' between
        // several.
        QTest::addColumn<QString>("named");

        const QByteArray none;
        const auto row = [](const char* name, QStringList args, QByteArray input, int status,
                            QString named) {
            QTest::newRow(name) << args << input << status << named;
        };

        row("overlapping parents", {"plan", "10.0.0.0/8", "10.1.0.0/16", "--need", "a=1"}, none, 2,
            "'10.1.0.0/16'|10.0.0.0/8");
        row("repeated parent", {"plan", "10.0.0.0/8", "10.0.0.0/8"}, none, 2,
            "'10.0.0.0/8': expected each parent network once");
        row("parent with host bits", {"plan", "10.20.0.5/22"}, none, 2,
            "'10.20.0.5/22'|10.20.0.0/22");
        row("parents of both families", {"plan", "10.0.0.0/8", "2001:db8::/32"}, none, 2,
            "'2001:db8::/32'|one address family");
        row("parent that is no network", {"plan", "10.0.0.0/33"}, none, 2, "'10.0.0.0/33'");
        row("no parent", {"plan", "--need", "a=1"}, none, 2, "at least one parent network");
        row("cloud mode on IPv6", {"plan", "2001:db8::/32", "--mode", "aws"}, none, 2, "'aws'");
        row("nibble on IPv4", {"plan", "10.0.0.0/8", "--nibble"}, none, 2, "'--nibble'");
        row("/30 links with a cloud mode", {"plan", "10.0.0.0/8", "--mode", "oci", "--p2p30"}, none,
            2, "'--p2p30'");
        row("unknown mode", {"plan", "10.0.0.0/8", "--mode", "ibm"}, none, 2, "'ibm'");
        row("growth past 1000%", {"plan", "10.0.0.0/8", "--grow", "1001"}, none, 2, "'1001'");
        row("growth as a fraction", {"plan", "10.0.0.0/8", "--grow", "2.5"}, none, 2, "'2.5'");
        row("unknown order", {"plan", "10.0.0.0/8", "--order", "random"}, none, 2, "'random'");
        row("need without a size", {"plan", "10.0.0.0/8", "--need", "sales"}, none, 2, "'sales'");
        row("zero hosts", {"plan", "10.0.0.0/8", "--need", "a=0"}, none, 2, "'a=0'");
        row("prefix past 32", {"plan", "10.0.0.0/8", "--need", "a=/33"}, none, 2, "'a=/33'");
        row("prefix below the mode's smallest",
            {"plan", "10.0.0.0/8", "--mode", "azure", "--need", "a=/30"}, none, 2, "'a=/30'|/29");
        row("more hosts than IPv4 has", {"plan", "0.0.0.0/0", "--need", "all=4294967295"}, none, 2,
            "'all=4294967295'");
        row("missing file", {"plan", "10.0.0.0/8", "--file", "/nonexistent/plan"}, none, 2,
            "'/nonexistent/plan'");
        row("request line without a size", {"plan", "10.0.0.0/8", "--file", "FILE"},
            "# office\na 10\n\nsales\n", 2, "FILE:4: 'sales'");
        row("request line with a bad size", {"plan", "10.0.0.0/8", "--file", "-"},
            "web servers 10x\n", 2, "<stdin>:1: 'web servers 10x'");
        row("control character in a name", {"plan", "10.0.0.0/8", "--file", "FILE"},
            "a\x01"
            "b 10\n",
            2, "FILE:1:|control characters");
        row("name that is no UTF-8", {"plan", "10.0.0.0/8", "--file", "FILE"}, "ok 1\nb\xFF 10\n",
            2, "FILE:2:|UTF-8");
        row("plan file with a JSON fault", {"plan", "--file", "FILE"},
            "{\"format\": \"zentrix-plan\",\n \"version\": 1,,}", 2,
            "FILE:2:15: expected a member name");
        row("plan file with an unknown member", {"plan", "--file", "FILE"},
            "{\"format\": \"zentrix-plan\", \"version\": 1, \"parents\": [],\n"
            " \"requests\": [], \"colour\": 1}",
            2, "FILE:2:18: |\"colour\"");
        row("plan file from a newer Zentrix", {"plan", "--file", "FILE"},
            "{\"format\": \"zentrix-plan\", \"version\": 2, \"future\": []}", 2, "newer Zentrix");
        row("plan file with a bad request", {"plan", "--file", "FILE"},
            "{\"format\": \"zentrix-plan\", \"version\": 1, \"parents\": [\"10.0.0.0/8\"],\n"
            " \"requests\": [\n  {\"name\": \"a\", \"size\": \"5\"},\n"
            "  {\"name\": \"b\", \"size\": \"-5\"}]}",
            2, "FILE:4: 'b -5'");
        row("plan file's mode against command-line parents",
            {"plan", "2001:db8::/32", "--file", "FILE"},
            "{\"format\": \"zentrix-plan\", \"version\": 1, \"parents\": [\"10.0.0.0/8\"],"
            " \"requests\": [], \"options\": {\"mode\": \"gcp\"}}",
            2, "FILE: 'gcp'");

        QByteArray tooMany;
        for (int i = 0; i <= 100000; ++i)
            tooMany += "host " + QByteArray::number(i) + " 1\n";
        row("100,001 requests", {"plan", "10.0.0.0/8", "--file", "FILE"}, tooMany, 2,
            "FILE:100001: 'host 100000 1'|at most 100000 requests");

        // IPv6 LANs are /64s; links /127 when asked; the cloud modes' ranges.
        row("IPv6 host count", {"plan", "2001:db8::/48", "--need", "hosts=300", "--csv"}, none, 0,
            "hosts,300,64,2001:db8::/64,");
        row("IPv6 link as /127",
            {"plan", "2001:db8::/48", "--need", "lan=300", "--need", "link=2", "--p2p127", "--csv"},
            none, 0, "link,2,127,2001:db8:0:1::/127");
        row("/127 links on IPv4", {"plan", "10.0.0.0/8", "--p2p127"}, none, 2, "'--p2p127'");
        row("AWS subnet larger than /16",
            {"plan", "10.0.0.0/8", "--mode", "aws", "--need", "big=/12"}, none, 2,
            "'big=/12'|/16 to /28");
        row("OCI host count past a /16",
            {"plan", "10.0.0.0/8", "--mode", "oci", "--need", "big=70000"}, none, 2,
            "'big=70000'|a /16");
        row("Azure subnet of /29 is allowed",
            {"plan", "10.0.0.0/24", "--mode", "azure", "--need", "a=/29", "--csv"}, none, 0,
            "a,/29,29,10.0.0.0/29");

        // The reader: a name twice, a header row, lines at and past the limit.
        row("a name twice", {"plan", "10.0.0.0/8", "--file", "FILE"}, "a 10\nb 20\na 30\n", 2,
            "FILE:3: 'a 30'|FILE:1 has it too");
        row("CSV with a header as Paste reads it",
            {"plan", "10.0.0.0/24", "--file", "FILE", "--csv"},
            "\xEF\xBB\xBFprefix,name,note\r\n/26,lab,x\r\n/27,\"web, public\",y\r\n", 0,
            "lab,/26,26,10.0.0.0/26|\"web, public\",/27,27,10.0.0.64/27");
        row("the window's own table pasted back", {"plan", "10.0.0.0/24", "--file", "-", "--csv"},
            "Name\tAsked\tPrefix\tNetwork\r\nsales\t100\t/25\t10.0.0.0/25\r\n", 0,
            "sales,100,25,10.0.0.0/25");
        row("a line of 65,537 bytes", {"plan", "10.0.0.0/8", "--file", "FILE"},
            "a 1\n" + QByteArray(65537, 'x') + "\n", 2, "FILE:2: expected a line of at most 65536");

        row("bad request lines skipped",
            {"plan", "10.0.0.0/24", "--file", "FILE", "--skip-invalid", "--csv"},
            "a 10\nb x\nc /26\n", 0, "a,10,28,|c,/26,26,");

        // Exit 1: some requests did not fit, and are listed.
        row("did not fit", {"plan", "10.0.0.0/24", "--need", "big=300", "--need", "small=/26"},
            none, 1, "Did not fit|big|/23");
        // Exit 0: parents on the command line replace the file's, --need
        // requests follow its requests.
        row("plan file with command-line parents",
            {"plan", "10.9.0.0/24", "--file", "FILE", "--need", "c=/26", "--csv"},
            "{\"format\": \"zentrix-plan\", \"version\": 1, \"parents\": [\"10.0.0.0/8\"],\n"
            " \"requests\": [{\"name\": \"a\", \"size\": \"/25\"}]}",
            0, "a,/25,25,10.9.0.0/25|c,/26,26,10.9.0.128/26");
        row("request lines on standard input", {"plan", "10.0.0.0/24", "--file", "-", "--tsv"},
            "# name hosts\nweb servers 20\n", 0, "web servers\t20\t/27\t10.0.0.0/27");
    }

    void exitStatus()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, input);
        QFETCH(int, status);
        QFETCH(QString, named);
        QTemporaryDir dir;
        const QString path = dir.filePath("FILE");
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(input);
        }
        args.replaceInStrings(QRegularExpression("^FILE$"), path);

        QProcess cli;
        cli.start(QStringLiteral(ZENTRIX_CLI_PATH), args);
        QVERIFY(cli.waitForStarted());
        cli.write(input);
        cli.closeWriteChannel();
        QVERIFY(cli.waitForFinished(30000));
        const QString out = QString::fromUtf8(cli.readAllStandardOutput());
        QString err = QString::fromUtf8(cli.readAllStandardError());
        QCOMPARE(cli.exitCode(), status);
        if (status == 2) {
            QCOMPARE(out, QString());
            QVERIFY2(err.startsWith("zentrix-cli: ") && err.count('\n') == 1, qPrintable(err));
        } else if (args.contains("--skip-invalid")) {
            QVERIFY2(err.contains(":2: 'b x'") && err.contains("skipped 1 invalid item"),
                     qPrintable(err));
        } else {
            QCOMPARE(err, QString());
        }
        err.replace(path, "FILE");
        for (const QString& part : named.split('|'))
            QVERIFY2((status == 2 ? err : out).contains(part),
                     qPrintable((status == 2 ? err : out) + "lacks " + part));
    }
};

QTEST_GUILESS_MAIN(TestPlanCommand)
#include "tst_plancommand.moc"
