#include "host/DataInputString.h"
#include "host/DataOutputString.h"
#include "host/Property.h"
#include "host/PropertySerializer.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>
#include <functional>
#include <iterator>
#include <limits>
#include <random>

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

Property PlaylistLike(int entries)
{
    Property root("playlist");
    Property& files = root.SetChild("files", std::string());
    files.SetArrayType();
    for (int i = 0; i < entries; ++i) {
        Property entry;
        entry.SetChild("path", "/films/" + std::to_string(i) + ".mkv");
        entry.SetChild("duration", std::int64_t(i) * 1000003);
        entry.SetChild("valid", i % 2 == 0);
        files.Add(entry);
    }
    return root;
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
    void textHasNoZeroByte();
    void compactIsOneLine();
    void sameTextAsQtJson();
    void malformed_data();
    void malformed();
    void failureClearsPreviousChildren();
    void deepNestingIsRefused();
    void oversizedInputIsRefused();
    void largeTreeRoundTrip();
};

void tst_PropertySerializer::roundTrip_data()
{
    QTest::addColumn<Property>("tree");

    QTest::newRow("empty root") << Property();
    QTest::newRow("named root with value") << [] {
        Property p("root");
        p = "value";
        return p;
    }();
    QTest::newRow("all value types") << [] {
        Property p("types");
        p.SetChild("text", "hello");
        p.SetChild("empty text", "");
        p.SetChild("int", 42);
        p.SetChild("min", std::numeric_limits<std::int64_t>::min());
        p.SetChild("max", std::numeric_limits<std::int64_t>::max());
        p.SetChild("true", true);
        p.SetChild("false", false);
        p.SetChild("fps", Property::Ratio(30000, 1001));
        p.SetChild("negative ratio", Property::Ratio(-1, 3));
        p.SetChild("huge ratio", Property::Ratio(std::numeric_limits<std::int64_t>::max(), 2));
        p.Add(Property("no value"));
        return p;
    }();
    QTest::newRow("order and duplicates") << [] {
        Property p("order");
        for (const char* name : { "z", "a", "m", "a", "" })
            p.SetChild(name, name);
        return p;
    }();
    QTest::newRow("nested arrays") << [] {
        Property p("outer");
        p.SetArrayType();
        Property inner("inner");
        inner.SetArrayType();
        inner.Add(Property()) = "1";
        inner.Add(Property()).SetChild("deep", 3).SetChild("deeper", true);
        p.Add(inner);
        p.Add(Property());
        return p;
    }();
    QTest::newRow("utf-8 and escapes") << [] {
        Property p("имя ☃");
        p.SetChild("quote\"back\\slash", "line\nbreak\ttab \x01 control");
        p.SetChild("emoji", "🎬 Première");
        return p;
    }();
    QTest::newRow("playlist") << PlaylistLike(3);
}

void tst_PropertySerializer::roundTrip()
{
    QFETCH(Property, tree);
    for (bool compact : { true, false }) {
        Property back("previous");
        back.SetChild("stale", 1);
        QVERIFY(Read(back, Write(tree, compact)));
        QVERIFY(back == tree);
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

void tst_PropertySerializer::textHasNoZeroByte()
{
    Property tree("zero");
    tree.SetChild("nul", std::string("a\0b", 3));
    const std::string text = Write(tree);
    QCOMPARE(text.find('\0'), std::string::npos);
    Property back;
    QVERIFY(Read(back, text));
    QCOMPARE(back["nul"].GetString(), std::string("a\0b", 3));
}

void tst_PropertySerializer::compactIsOneLine()
{
    const std::string compact = Write(PlaylistLike(2), true);
    QCOMPARE(compact.find('\n'), std::string::npos);
    const std::string indented = Write(PlaylistLike(2), false);
    QVERIFY(indented.find('\n') != std::string::npos);
}

void tst_PropertySerializer::sameTextAsQtJson()
{
    std::mt19937 random(4242);
    // Quotes, backslashes, control characters, UTF-8 and bytes that are not UTF-8.
    const std::string pieces[] = { "a", "Z", " ", "\"", "\\", "/", "\n", "\t", "\b", "\f", "\r",
        std::string(1, '\0'), "\x01", "\x1f", "\x7f", "\xc3\xa9", "\xe2\x82\xac",
        "\xf0\x9f\x8e\xac", "\xff", "\xc3", "\xed\xa0\x80", "\xef\xbb\xbf" };
    const auto text = [&] {
        std::string result;
        for (unsigned n = random() % 6; n > 0; --n)
            result += pieces[random() % std::size(pieces)];
        return result;
    };
    std::function<Property(int)> make = [&](int depth) {
        Property node(text());
        switch (random() % 5) {
        case 0:
            node = text();
            break;
        case 1:
            node = static_cast<std::int64_t>(random()) * (random() % 2 == 0 ? -1 : 1);
            break;
        case 2:
            node = random() % 2 == 0;
            break;
        case 3:
            node
                = Property::Ratio(static_cast<std::int64_t>(random() % 100) - 50, 1 + random() % 9);
            break;
        default:
            break;
        }
        node.SetArrayType(random() % 2 == 0);
        for (unsigned n = depth > 0 ? random() % 4 : 0; n > 0; --n)
            node.Add(make(depth - 1));
        return node;
    };
    for (int round = 0; round < 300; ++round) {
        const Property tree = make(static_cast<int>(random() % 4));
        const QJsonDocument document(ToQtJson(tree));
        QCOMPARE(
            QByteArray::fromStdString(Write(tree, true)), document.toJson(QJsonDocument::Compact));
        QCOMPARE(QByteArray::fromStdString(Write(tree, false)),
            document.toJson(QJsonDocument::Indented));
    }
}

void tst_PropertySerializer::malformed_data()
{
    QTest::addColumn<QByteArray>("text");

    QTest::newRow("empty") << QByteArray();
    QTest::newRow("blank") << QByteArray("   ");
    QTest::newRow("not json") << QByteArray("file:///home/a.mkv");
    QTest::newRow("truncated") << QByteArray(R"({"name":"a","children":[{"name":"b")");
    QTest::newRow("top-level array") << QByteArray(R"([{"name":"a"}])");
    QTest::newRow("top-level string") << QByteArray(R"("name")");
    QTest::newRow("no name") << QByteArray(R"({"string":"x"})");
    QTest::newRow("name not text") << QByteArray(R"({"name":5})");
    QTest::newRow("child no name") << QByteArray(R"({"name":"","children":[{"int":"1"}]})");
    QTest::newRow("child not object") << QByteArray(R"({"name":"","children":["x"]})");
    QTest::newRow("children not array") << QByteArray(R"({"name":"","children":{}})");
    QTest::newRow("two values") << QByteArray(R"({"name":"","string":"a","bool":true})");
    QTest::newRow("int as number") << QByteArray(R"({"name":"","int":5})");
    QTest::newRow("int not decimal") << QByteArray(R"({"name":"","int":"5x"})");
    QTest::newRow("int with zeros") << QByteArray(R"({"name":"","int":"007"})");
    QTest::newRow("int overflow") << QByteArray(R"({"name":"","int":"9223372036854775808"})");
    QTest::newRow("ratio zero denominator") << QByteArray(R"({"name":"","ratio":"1/0"})");
    QTest::newRow("ratio negative denominator") << QByteArray(R"({"name":"","ratio":"1/-2"})");
    QTest::newRow("ratio unreduced") << QByteArray(R"({"name":"","ratio":"2/4"})");
    QTest::newRow("ratio min over two")
        << QByteArray(R"({"name":"","ratio":"-9223372036854775808/2"})");
    QTest::newRow("bool as text") << QByteArray(R"({"name":"","bool":"true"})");
    QTest::newRow("array as number") << QByteArray(R"({"name":"","array":1})");
    QTest::newRow("unknown key") << QByteArray(R"({"name":"","colour":"red"})");
    QTest::newRow("deep bad child") << QByteArray(
        R"({"name":"","children":[{"name":"a","children":[{"name":"b","int":"x"}]}]})");
    QTest::newRow("trailing garbage") << QByteArray(R"({"name":""} {"name":""})");
    QTest::newRow("zero byte inside") << QByteArray("{\"name\":\"a\0\"}", 13);
    QTest::newRow("invalid utf-8") << QByteArray("{\"name\":\"\xff\xfe\"}");
}

void tst_PropertySerializer::malformed()
{
    QFETCH(QByteArray, text);
    Property tree("keep");
    tree.SetChild("old", 1);
    tree = "old value";
    QVERIFY(!Read(tree, text.toStdString()));
    QCOMPARE(tree.Count(), 0u);
    QCOMPARE(tree.GetType(), Property::Type::None);
    QCOMPARE(tree.GetName(), std::string("keep"));
}

void tst_PropertySerializer::failureClearsPreviousChildren()
{
    Property tree;
    QVERIFY(Read(tree, Write(PlaylistLike(4))));
    QCOMPARE(tree["files"].Count(), 4u);
    QVERIFY(!Read(tree, "{"));
    QCOMPARE(tree.Count(), 0u);
    QVERIFY(!tree.IsArrayType());
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

void tst_PropertySerializer::largeTreeRoundTrip()
{
    const Property tree = PlaylistLike(20000);
    Property back;
    QVERIFY(Read(back, Write(tree)));
    QVERIFY(back == tree);
}

QTEST_GUILESS_MAIN(tst_PropertySerializer)
#include "tst_propertyserializer.moc"
