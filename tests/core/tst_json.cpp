#include "core/Json.h"
#include "output/JsonText.h"

#include <QtTest>

namespace {

// A document read, as the one JSON writer writes it.
Value written(const json::Value& value)
{
    switch (value.type) {
    case json::Type::Null:
        return Value::null();
    case json::Type::Boolean:
        return Value::boolean(value.boolean, "");
    case json::Type::Integer:
        return Value::integer(value.integer);
    case json::Type::String:
        return Value::of(value.text);
    case json::Type::Array: {
        Value list = Value::list();
        for (const json::Value& item : value.items)
            list.items.push_back(written(item));
        return list;
    }
    case json::Type::Object:
        break;
    }
    Value object = Value::object();
    for (const json::Member& member : value.members)
        object.members.push_back({member.key, "", written(member.value)});
    return object;
}

std::string writeJson(const json::Value& value)
{
    std::string text;
    jsontext::appendValue(text, written(value));
    return text;
}

} // namespace

// The plan files' JSON reader: what it reads, written back by the writer, or where it
// stops and why.
class TestJson : public QObject
{
    Q_OBJECT

private slots:
    void read_data()
    {
        QTest::addColumn<QByteArray>("text");
        // The value written back ("accepted" where that is too long to
        // show), or "L:C" and the start of what the message expects.
        QTest::addColumn<QString>("expected");

        QTest::newRow("short escapes") << QByteArray("\"q\\\" b\\\\ s\\/ \\b\\f\\n\\r\\t\"")
                                       << "\"q\\\" b\\\\ s/ \\b\\f\\n\\r\\t\"";
        QTest::newRow("\\u escapes to UTF-8")
            << QByteArray("\"\\u00e9\\u20AC\\u0001\"") << QString::fromUtf8("\"é€\\u0001\"");
        QTest::newRow("surrogate pair")
            << QByteArray("\"\\ud83d\\ude00\"") << QString::fromUtf8("\"😀\"");
        QTest::newRow("raw UTF-8 kept") << QByteArray("\"Büro 3\"") << "\"Büro 3\"";
        QTest::newRow("byte order mark skipped") << QByteArray("\xEF\xBB\xBF[]") << "[]";
        QTest::newRow("lowest integer")
            << QByteArray("-9223372036854775808") << "-9223372036854775808";
        QTest::newRow("nested")
            << QByteArray(" {\"a\": [1, true, null], \"b\": {\"c\": \"d\"}} ")
            << "{\n  \"a\": [\n    1,\n    true,\n    null\n  ],\n  \"b\": {\"c\": \"d\"}\n}";
        QTest::newRow("64 levels") << QByteArray(64, '[') + QByteArray(64, ']') << "accepted";

        // Where a text goes wrong: line and column (in characters) of the
        // first fault.
        QTest::newRow("empty") << QByteArray("") << "1:1 a value";
        QTest::newRow("lone low surrogate") << QByteArray("\"a\\udc00\"") << "1:3 a high surrogate";
        QTest::newRow("high surrogate alone")
            << QByteArray("\"\\ud83d x\"") << "1:8 a low surrogate";
        QTest::newRow("high surrogate, then no low one")
            << QByteArray("\"\\ud83d\\u0041\"") << "1:14 a low surrogate";
        QTest::newRow("short \\u") << QByteArray("\"\\u12\"") << "1:6 four hexadecimal digits";
        QTest::newRow("unknown escape") << QByteArray("\"a\\x\"") << "1:3 an escape of";
        QTest::newRow("raw tab in a string")
            << QByteArray("\"a\tb\"") << "1:3 no control character";
        QTest::newRow("bytes that are no UTF-8, after a wide character")
            << QByteArray("\"é\xFF\"") << "1:3 UTF-8 text";
        QTest::newRow("overlong UTF-8") << QByteArray("\"\xC0\xAF\"") << "1:2 UTF-8 text";
        QTest::newRow("string across lines")
            << QByteArray("[\"a\nb\"]") << "1:4 a closing '\"' before the end of the line";
        QTest::newRow("unclosed string") << QByteArray("\"abc") << "1:5 a closing";
        QTest::newRow("trailing comma") << QByteArray("[1, 2,]") << "1:7 a value";
        QTest::newRow("missing comma")
            << QByteArray("{\"a\": 1 \"b\": 2}") << "1:9 ',' or '}' after an object member";
        QTest::newRow("repeated key")
            << QByteArray("{\"a\": 1,\n \"a\": 2}") << "2:2 each member name once";
        QTest::newRow("unquoted key") << QByteArray("{a: 1}") << "1:2 a member name";
        QTest::newRow("fraction") << QByteArray("[1.5]") << "1:3 an integer";
        QTest::newRow("exponent") << QByteArray("1e3") << "1:2 an integer";
        QTest::newRow("leading zero") << QByteArray("012") << "1:2 no digits after a leading zero";
        QTest::newRow("integer too large")
            << QByteArray("[9223372036854775808]") << "1:2 an integer from";
        QTest::newRow("misspelt literal") << QByteArray("[tru]") << "1:2 a value";
        QTest::newRow("literal run on") << QByteArray("nullx") << "1:5 a value";
        QTest::newRow("second document") << QByteArray("{} {}") << "1:4 the end of the document";
        QTest::newRow("position after lines and wide characters")
            << QByteArray("{\n  \"ü\": \"€\",\n  \"b\": tru\n}") << "3:8 a value";
        QTest::newRow("65 levels")
            << QByteArray(65, '[') + QByteArray(65, ']') << "1:65 at most 64 levels";
    }

    void read()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, expected);
        QString got;
        try {
            const std::string written = writeJson(json::parse(text.toStdString()));
            // What the writer writes reads back to the same.
            QCOMPARE(writeJson(json::parse(written)), written);
            got = expected == "accepted" ? expected : QString::fromStdString(written);
        } catch (const json::ParseError& e) {
            const QString position = QString("%1:%2").arg(e.where.line).arg(e.where.column);
            const QString message = e.what();
            const QString start =
                QString("line %1, column %2: expected ").arg(e.where.line).arg(e.where.column);
            QVERIFY2(message.startsWith(start), qPrintable(message));
            got = position + " " + message.mid(start.size());
            // The table names the start of the message.
            got.truncate(expected.size());
        }
        QCOMPARE(got, expected);
    }

    // What the writer gets that is not valid text still makes valid JSON.
    void writeBadBytes()
    {
        std::string written;
        jsontext::appendString(written, "a\xFF"
                                        "b\x1F");
        QCOMPARE(QString::fromStdString(written), QString::fromUtf8("\"a\xEF\xBF\xBD"
                                                                    "b\\u001f\""));
    }
};

QTEST_MAIN(TestJson)
#include "tst_json.moc"
