#include "output/Report.h"

#include <QtTest>

// The one writer: each format of one small table and one record, the
// quoting and escaping at their edges, and JSON lines that stay whole.
class TestOutput : public QObject
{
    Q_OBJECT

    static QString written(Format format, const std::function<void(Report&)>& write)
    {
        std::string text;
        Output out(text);
        Report report(out, format);
        write(report);
        out.flush();
        return QString::fromStdString(text);
    }

    static void table(Report& report)
    {
        report.beginTable({}, "blocks",
                          {{"network", "Network", 0, false, Field::Show::Everywhere, true},
                           {"name", "Name", 0},
                           {"broadcast", "Broadcast", 0},
                           {"hosts", "Hosts", 0, true}});
        const Cell first[] = {{"10.0.0.0/31"}, {"a \"b\", c"}, {"-", false, true}, {"2", true}};
        const Cell second[] = {{"10.0.0.2/31"}, {"line\nend\x01\xFF"}, {"10.0.0.3"}, {"2", true}};
        report.row(first);
        report.row(second);
        report.endTable(2, Value::count("2"), false, "blocks");
    }

private slots:
    void formats_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<QString>("expected");
        QTest::newRow("csv: RFC 4180 quoting, LF, empty null")
            << int(Format::Csv)
            << "network,name,broadcast,hosts\n10.0.0.0/31,\"a \"\"b\"\", c\",,2\n"
               "10.0.0.2/31,\"line\nend\x01\xFF\",10.0.0.3,2\n";
        QTest::newRow("json lines: one whole object per line, escaped, null")
            << int(Format::JsonLines)
            << QString::fromUtf8("{\"network\": \"10.0.0.0/31\", \"name\": \"a \\\"b\\\", c\", "
                                 "\"broadcast\": null, \"hosts\": 2}\n"
                                 "{\"network\": \"10.0.0.2/31\", \"name\": "
                                 "\"line\\nend\\u0001\xEF\xBF\xBD\", "
                                 "\"broadcast\": \"10.0.0.3\", \"hosts\": 2}\n");
        QTest::newRow("plain: the network alone")
            << int(Format::Plain) << "10.0.0.0/31\n10.0.0.2/31\n";
        QTest::newRow("tsv: headers, CR LF") << int(Format::Tsv)
                                             << "Network\tName\tBroadcast\tHosts\r\n"
                                                "10.0.0.0/31\ta \"b\", c\t-\t2\r\n"
                                                "10.0.0.2/31\tline\nend\x01\xFF\t10.0.0.3\t2\r\n";
    }

    void formats()
    {
        QFETCH(int, format);
        QFETCH(QString, expected);
        QCOMPARE(written(Format(format), table), expected);
    }

    // Absent is null: a record's null field is null in JSON, an empty cell
    // in CSV and no line for people; nested values only in JSON.
    void nullAndNested()
    {
        const Record record = {
            {"",
             {{"address", "Address", Value::of("::1")},
              {"broadcast", "Broadcast", Value::null()},
              {"free", "", Value::list({Value::of("10.0.0.0/8")}), Field::Show::DataOnly}}}};
        const auto write = [&record](Report& report) { report.writeRecord(record); };
        QCOMPARE(written(Format::Json, write),
                 QString("{\n  \"address\": \"::1\",\n  \"broadcast\": null,\n"
                         "  \"free\": [\n    \"10.0.0.0/8\"\n  ]\n}\n"));
        QCOMPARE(
            written(Format::JsonLines, write),
            QString("{\"address\": \"::1\", \"broadcast\": null, \"free\": [\"10.0.0.0/8\"]}\n"));
        QCOMPARE(written(Format::Text, write), QString("Address  ::1\n"));
    }

    // A buffer that fills mid-line sends whole lines only: a stream cut
    // afterwards ends on a line end.
    void drainsWholeLines()
    {
        std::string sink;
        Output out(sink);
        const std::string line = std::string(1000, 'x') + "\n";
        while (sink.empty())
            out.write(line.substr(0, 700)), out.write(line.substr(700));
        out.write("unfinished");
        out.discard();
        QVERIFY(!sink.empty());
        QCOMPARE(sink.back(), '\n');
        QCOMPARE(sink.size() % line.size(), size_t(0));
    }
};

QTEST_GUILESS_MAIN(TestOutput)
#include "tst_output.moc"
