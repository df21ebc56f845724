#include "host/DataInputString.h"
#include "host/DataOutputString.h"
#include "host/Property.h"
#include "host/PropertySerializer.h"
#include "host/RefCount.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>
#include <boost/intrusive_ptr.hpp>
#include <limits>
#include <thread>

using Tarvos::Core::Property;
using Tarvos::Core::PropertySerializer;
using Tarvos::io::DataInputString;
using Tarvos::io::DataOutputString;

namespace {

constexpr std::int64_t Max = std::numeric_limits<std::int64_t>::max();

struct Conversion
{
    Property node;
    QString asString;
    qint64 asInt;
    bool asBool;
    QString asRatio;
};

template <class T> Property Node(const T& value)
{
    Property node("n");
    node = value;
    return node;
}

std::string Write(const Property& tree, bool compact)
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
    static const char* const valueKeys[] = { nullptr, "string", "int", "bool", "ratio" };
    QJsonObject object { { "name", QString::fromStdString(node.GetName()) } };
    const char* valueKey = valueKeys[int(node.GetType())];
    if (node.GetType() == Property::Type::Bool)
        object.insert(valueKey, node.GetBool());
    else if (valueKey)
        object.insert(valueKey, QString::fromStdString(node.GetString()));
    if (node.IsArrayType())
        object.insert("array", true);
    QJsonArray children;
    for (unsigned i = 0; i < node.Count(); ++i)
        children.append(ToQtJson(node[i]));
    if (!children.isEmpty())
        object.insert("children", children);
    return object;
}

// Counts its own destruction so that tests see when the last reference went.
class Counted final : public Tarvos::RefCounted<>
{
public:
    explicit Counted(int* deletions)
        : m_deletions(deletions)
    {}
    ~Counted() override { ++*m_deletions; }

private:
    int* m_deletions;
};

} // namespace

Q_DECLARE_METATYPE(Conversion)
Q_DECLARE_METATYPE(Property)

class tst_Property : public QObject
{
    Q_OBJECT

private slots:
    void children();
    void conversions_data();
    void conversions();
    void typesAndEquality();
    void serialized_data();
    void serialized();
    void malformed_data();
    void malformed();
    void readingLimits();
    void refCountAcrossThreads();
};

void tst_Property::children()
{
    Property root("root");
    root.SetChild("b", "2");
    root.SetChild("a", 1);
    root.SetChild("a", 2);
    root.Add(Property("list")).Add(Property()) = "x";
    QCOMPARE(root[1u].GetName(), std::string("a"));
    QCOMPARE(root[3u][0u].GetString(), std::string("x"));
    // The first child of a name answers; names are case-sensitive.
    QCOMPARE(root["a"].GetInt64(), std::int64_t(1));
    QVERIFY(!root.ChildExists("A"));

    // Reading what is not there adds nothing, not even through the scratch
    // node of an index out of range; writing through a missing name adds it.
    QCOMPARE(std::as_const(root)["none"].GetString(), std::string());
    root[4u] = "lost";
    QCOMPARE(root[4u].GetString(), std::string());
    QCOMPARE(root.Count(), 4u);
    root["made"] = "here";
    QCOMPARE(root.Count(), 5u);
    QCOMPARE(root["made"].GetString(), std::string("here"));
    Property empty;
    QCOMPARE(std::as_const(empty)[0u].GetString(), std::string());
    empty[0u] = "lost";
    QCOMPARE(empty.Count(), 0u);
}

void tst_Property::conversions_data()
{
    QTest::addColumn<Conversion>("row");
    const auto row
        = [](const char* name, const Conversion& conversion) { QTest::newRow(name) << conversion; };
    row("no value", { Property("n"), "", 0, false, "0/1" });
    row("numeric text", { Node(std::string("-42")), "-42", -42, false, "-42/1" });
    row("text true", { Node("true"), "true", 0, true, "0/1" });
    row("int64 max", { Node(Max), "9223372036854775807", Max, true, "9223372036854775807/1" });
    row("bool true", { Node(true), "true", 1, true, "1/1" });
    row("bool false", { Node(false), "false", 0, false, "0/1" });
    row("ratio truncates", { Node(Property::Ratio(-7, 2)), "-7/2", -3, true, "-7/2" });
    row("ratio text", { Node("30000/1001"), "30000/1001", 0, false, "30000/1001" });
    row("zero denominator", { Node("3/0"), "3/0", 0, false, "0/1" });
}

void tst_Property::conversions()
{
    QFETCH(Conversion, row);
    QCOMPARE(QString::fromStdString(row.node.GetString()), row.asString);
    QCOMPARE(qint64(row.node.GetInt64()), row.asInt);
    QCOMPARE(row.node.GetBool(), row.asBool);
    const Property::Ratio ratio = row.node.GetRatio();
    QCOMPARE(QStringLiteral("%1/%2").arg(ratio.numerator()).arg(ratio.denominator()), row.asRatio);
}

void tst_Property::typesAndEquality()
{
    // A text literal must not turn into a boolean, nor an integer of any width.
    Property a("a");
    a.SetChild("int", 7);
    a.SetChild("unsigned", 3u).SetChild("qint64", qint64(1) << 40);
    a.SetChild("literal", "7");
    QCOMPARE(a["int"].GetType(), Property::Type::Int64);
    QCOMPARE(a["unsigned"].GetType(), Property::Type::Int64);
    QCOMPARE(a["unsigned"]["qint64"].GetInt64(), std::int64_t(1) << 40);
    QCOMPARE(a["literal"].GetType(), Property::Type::String);

    // Equality compares names, values, types and array flags all the way down.
    Property deep = a;
    QVERIFY(deep == a);
    deep["unsigned"]["qint64"] = "other";
    Property array = a;
    array.SetArrayType();
    Property text = a;
    text["int"] = std::string("7");
    QVERIFY(deep != a && array != a && text != a);
}

void tst_Property::serialized_data()
{
    QTest::addColumn<Property>("tree");
    QTest::addColumn<bool>("readsBack");

    Property types("types");
    types = "root value";
    types.SetChild("empty text", "");
    types.SetChild("min", std::numeric_limits<std::int64_t>::min());
    types.SetChild("max", Max);
    types.SetChild("true", true);
    types.SetChild("false", false);
    types.SetChild("negative ratio", Property::Ratio(-1, 3));
    types.SetChild("huge ratio", Property::Ratio(Max, 2));
    types.Add(Property("no value"));
    QTest::newRow("all value types") << types << true;

    Property order("outer");
    order.SetArrayType();
    for (const char* name : { "z", "a", "m", "a", "" })
        order.SetChild(name, name);
    Property& inner = order.Add(Property("inner"));
    inner.SetArrayType();
    inner.Add(Property()).SetChild("deep", 3).SetChild("deeper", true);
    QTest::newRow("order, duplicates, nesting") << order << true;

    // Quotes, backslashes, control characters and UTF-8, in names and texts.
    Property escapes("имя ☃");
    const std::string pieces[] = { "\"", "\\", "/", "\n", "\t", "\b", "\f", "\r",
        std::string(1, '\0'), "\x01", "\x1f", "\x7f", "\xc3\xa9", "\xf0\x9f\x8e\xac" };
    for (const std::string& piece : pieces)
        escapes.SetChild("a" + piece, piece + "z");
    QTest::newRow("escapes and UTF-8") << escapes << true;
    // Replaced as Qt replaces them, so they cannot come back.
    Property broken("\xff");
    for (const char* piece : { "\xff", "\xc3", "\x80", "\xed\xa0\x80" })
        broken.SetChild(piece, piece);
    QTest::newRow("bytes that are not UTF-8") << broken << false;
}

void tst_Property::serialized()
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
        // Without the stored root name, the reader's own name stays.
        Property kept("kept");
        QVERIFY(Read(kept, Write(tree, compact), false));
        QCOMPARE(kept.GetName(), std::string("kept"));
        QCOMPARE(kept.Count(), tree.Count());
    }
}

void tst_Property::malformed_data()
{
    QTest::addColumn<QByteArray>("text");

    QTest::newRow("truncated") << QByteArray(R"({"name":"a","children":[{"name":"b")");
    QTest::newRow("top-level array") << QByteArray(R"([{"name":"a"}])");
    QTest::newRow("root no name") << QByteArray(R"({"string":"a"})");
    QTest::newRow("child no name") << QByteArray(R"({"name":"","children":[{"int":"1"}]})");
    QTest::newRow("child not object") << QByteArray(R"({"name":"","children":[1]})");
    QTest::newRow("children not array") << QByteArray(R"({"name":"","children":{}})");
    QTest::newRow("string not text") << QByteArray(R"({"name":"","string":1})");
    QTest::newRow("int not text") << QByteArray(R"({"name":"","int":1})");
    QTest::newRow("bool as text") << QByteArray(R"({"name":"","bool":"true"})");
    QTest::newRow("array as text") << QByteArray(R"({"name":"","array":"true"})");
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

void tst_Property::malformed()
{
    QFETCH(QByteArray, text);
    Property tree("keep");
    tree.SetChild("old", 1);
    tree = "old value";
    tree.SetArrayType();
    QVERIFY(!Read(tree, text.toStdString()));
    QCOMPARE(tree, Property("keep"));
}

void tst_Property::readingLimits()
{
    // Far deeper than any real tree: must fail cleanly, not exhaust the stack.
    const int depth = 100000;
    std::string text;
    for (int i = 0; i < depth; ++i)
        text += R"({"name":"","children":[)";
    text += R"({"name":""})";
    for (int i = 0; i < depth; ++i)
        text += "]}";
    Property tree;
    QVERIFY(!Read(tree, text));

    // Input of exactly the largest size is read; one byte more is refused.
    text = R"({"name":"last"})";
    text.resize(PropertySerializer::MaxInputSize, ' ');
    QVERIFY(Read(tree, text));
    QCOMPARE(tree.GetName(), std::string("last"));
    QVERIFY(!Read(tree, text + ' '));

    QVERIFY(!PropertySerializer::Deserialize(tree, nullptr, true));
    QVERIFY(!PropertySerializer::Deserialize(tree, DataInputString::Create(nullptr), true));
}

void tst_Property::refCountAcrossThreads()
{
    int deletions = 0;
    boost::intrusive_ptr<Counted> object(new Counted(&deletions));
    QCOMPARE(object->AddRef(), 2u);
    QCOMPARE(object->Release(), 1u);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([object] {
            for (int i = 0; i < 200000; ++i)
                boost::intrusive_ptr<const Tarvos::IRefCountable> copy = object;
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    QCOMPARE(object->GetRefCount(), 1u);
    object.reset();
    QCOMPARE(deletions, 1);
}

QTEST_GUILESS_MAIN(tst_Property)
#include "tst_property.moc"
