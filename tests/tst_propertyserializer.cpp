#include "host/DataInputString.h"
#include "host/DataOutputString.h"
#include "host/Property.h"
#include "host/PropertySerializer.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>
#include <limits>

using Tarvos::Core::Property;
using Tarvos::Core::PropertySerializer;
using Tarvos::io::DataInputString;
using Tarvos::io::DataOutputString;

Q_DECLARE_METATYPE(Property)

namespace {

std::string Write(const Property& tree, bool compact = true)
{
    std::string text;
    PropertySerializer::Serialize(tree, DataOutputString::Create(&text), compact);
    return text;
}

bool Read(Property& tree, const std::string& text, bool readRootName = true)
{
    return PropertySerializer::Deserialize(tree, DataInputString::Create(&text), readRootName);
}

// The tree as QJsonDocument would write it: the writer must give the same text.
QJsonObject ToQtJson(const Property& node)
{
    QJsonObject object;
    object.insert("name", QString::fromStdString(node.GetName()));
    switch (node.GetType()) {
    case Property::Type::None:
        break;
    case Property::Type::String:
        object.insert("string", QString::fromStdString(node.GetString()));
        break;
    case Property::Type::Int64:
        object.insert("int", QString::fromStdString(node.GetString()));
        break;
    case Property::Type::Bool:
        object.insert("bool", node.GetBool());
        break;
    case Property::Type::Ratio:
        object.insert("ratio", QString::fromStdString(node.GetString()));
        break;
    }
    if (node.IsArrayType())
        object.insert("array", true);
    if (node.Count() > 0) {
        QJsonArray children;
        for (unsigned i = 0; i < node.Count(); ++i)
            children.append(ToQtJson(node[i]));
        object.insert("children", children);
    }
    return object;
}

} // namespace

class tst_PropertySerializer : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void rootNameFollowsThirdArgument();
    void malformed_data();
    void malformed();
    void deepNestingIsRefused();
    void oversizedInputIsRefused();
};

void tst_PropertySerializer::roundTrip_data()
{
    QTest::addColumn<Property>("tree");
    QTest::addColumn<bool>("readsBack");

    QTest::newRow("all value types") << [] {
        Property p("types");
        p = "root value";
        p.SetChild("text", "hello");
        p.SetChild("empty text", "");
        p.SetChild("min", std::numeric_limits<std::int64_t>::min());
        p.SetChild("max", std::numeric_limits<std::int64_t>::max());
        p.SetChild("true", true);
        p.SetChild("false", false);
        p.SetChild("negative ratio", Property::Ratio(-1, 3));
        p.SetChild("huge ratio", Property::Ratio(std::numeric_limits<std::int64_t>::max(), 2));
        p.Add(Property("no value"));
        return p;
    }() << true;
    QTest::newRow("order, duplicates, nesting") << [] {
        Property p("outer");
        p.SetArrayType();
        for (const char* name : { "z", "a", "m", "a", "" })
            p.SetChild(name, name);
        Property& inner = p.Add(Property("inner"));
        inner.SetArrayType();
        inner.Add(Property()).SetChild("deep", 3).SetChild("deeper", true);
        return p;
    }() << true;
    // Quotes, backslashes, control characters and UTF-8, in names and texts.
    const std::string pieces[]
        = { "\"", "\\", "/", "\n", "\t", "\b", "\f", "\r", std::string(1, '\0'), "\x01", "\x1f",
              "\x7f", "\xc3\xa9", "\xe2\x82\xac", "\xf0\x9f\x8e\xac" };
    Property escapes("имя ☃");
    for (const std::string& piece : pieces)
        escapes.SetChild("a" + piece, piece + "z");
    QTest::newRow("escapes and UTF-8") << escapes << true;
    // Replaced as Qt replaces them, so they cannot come back.
    Property broken("\xff");
    for (const char* piece : { "\xff", "\xc3", "\xed\xa0\x80" })
        broken.SetChild(piece, piece);
    QTest::newRow("bytes that are not UTF-8") << broken << false;
}

void tst_PropertySerializer::roundTrip()
{
    QFETCH(Property, tree);
    QFETCH(bool, readsBack);
    const QJsonDocument document(ToQtJson(tree));
    QCOMPARE(QByteArray::fromStdString(Write(tree, true)), document.toJson(QJsonDocument::Compact));
    QCOMPARE(
        QByteArray::fromStdString(Write(tree, false)), document.toJson(QJsonDocument::Indented));
    for (bool compact : { true, false }) {
        Property back("previous");
        back.SetChild("stale", 1);
        QVERIFY(Read(back, Write(tree, compact)));
        QCOMPARE(back == tree, readsBack);
    }
}

void tst_PropertySerializer::rootNameFollowsThirdArgument()
{
    Property tree("stored");
    tree.SetChild("a", 1);
    const std::string text = Write(tree);

    Property kept("mine");
    QVERIFY(Read(kept, text, false));
    QCOMPARE(kept.GetName(), std::string("mine"));
    QCOMPARE(kept["a"].GetInt64(), std::int64_t(1));

    Property taken("mine");
    QVERIFY(Read(taken, text, true));
    QCOMPARE(taken.GetName(), std::string("stored"));
}

void tst_PropertySerializer::malformed_data()
{
    QTest::addColumn<QByteArray>("text");

    QTest::newRow("truncated") << QByteArray(R"({"name":"a","children":[{"name":"b")");
    QTest::newRow("top-level array") << QByteArray(R"([{"name":"a"}])");
    QTest::newRow("child no name") << QByteArray(R"({"name":"","children":[{"int":"1"}]})");
    QTest::newRow("two values") << QByteArray(R"({"name":"","string":"a","bool":true})");
    QTest::newRow("int with zeros") << QByteArray(R"({"name":"","int":"007"})");
    QTest::newRow("int overflow") << QByteArray(R"({"name":"","int":"9223372036854775808"})");
    QTest::newRow("ratio zero denominator") << QByteArray(R"({"name":"","ratio":"1/0"})");
    QTest::newRow("ratio unreduced") << QByteArray(R"({"name":"","ratio":"2/4"})");
    QTest::newRow("ratio min over two")
        << QByteArray(R"({"name":"","ratio":"-9223372036854775808/2"})");
    QTest::newRow("unknown key") << QByteArray(R"({"name":"","colour":"red"})");
    QTest::newRow("deep bad child") << QByteArray(
        R"({"name":"","children":[{"name":"a","children":[{"name":"b","int":"x"}]}]})");
    QTest::newRow("trailing garbage") << QByteArray(R"({"name":""} {"name":""})");
    QTest::newRow("zero byte inside") << QByteArray("{\"name\":\"a\0\"}", 13);
}

void tst_PropertySerializer::malformed()
{
    QFETCH(QByteArray, text);
    Property tree("keep");
    tree.SetChild("old", 1);
    tree = "old value";
    tree.SetArrayType();
    QVERIFY(!Read(tree, text.toStdString()));
    QCOMPARE(tree, Property("keep"));
}

void tst_PropertySerializer::deepNestingIsRefused()
{
    // Far deeper than any real tree: must fail cleanly, not exhaust the stack.
    std::string text;
    const int depth = 100000;
    for (int i = 0; i < depth; ++i)
        text += R"({"name":"","children":[)";
    text += R"({"name":""})";
    for (int i = 0; i < depth; ++i)
        text += "]}";
    Property tree;
    QVERIFY(!Read(tree, text));
    QCOMPARE(tree.Count(), 0u);
}

void tst_PropertySerializer::oversizedInputIsRefused()
{
    std::string text = R"({"name":")";
    text.append(PropertySerializer::MaxInputSize, 'a');
    text += R"("})";
    Property tree;
    QVERIFY(!Read(tree, text));
}

QTEST_GUILESS_MAIN(tst_PropertySerializer)
#include "tst_propertyserializer.moc"
