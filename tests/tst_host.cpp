#include "host/DVDLabel.h"
#include "host/DataInputString.h"
#include "host/DataOutputString.h"
#include "host/MediaSourceInfo.h"
#include "host/Property.h"
#include "host/PropertySerializer.h"
#include "host/RefCount.h"
#include "host/T2S.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>
#include <boost/intrusive_ptr.hpp>
#include <limits>

using namespace Tarvos;
using namespace Tarvos::Core;
using namespace Tarvos::io;

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
    static const char* const valueKeys[] = { nullptr, "string", "int", nullptr, "ratio" };
    QJsonObject object { { "name", QString::fromStdString(node.GetName()) } };
    if (node.GetType() == Property::Type::Bool)
        object.insert("bool", node.GetBool());
    else if (const char* key = valueKeys[int(node.GetType())])
        object.insert(key, QString::fromStdString(node.GetString()));
    if (node.IsArrayType())
        object.insert("array", true);
    QJsonArray children;
    for (unsigned i = 0; i < node.Count(); ++i)
        children.append(ToQtJson(node[i]));
    if (!children.isEmpty())
        object.insert("children", children);
    return object;
}

// Counts destructions, so that tests see when the last reference went.
struct Counted final : Tarvos::RefCounted<>
{
    ~Counted() override { ++deletions; }
    static inline int deletions = 0;
};

} // namespace

Q_DECLARE_METATYPE(Conversion)
Q_DECLARE_METATYPE(Property)

// The host layer: property trees and their text form, reference counting and
// the small services the widgets ask the host for.
class tst_Host : public QObject
{
    Q_OBJECT

private slots:
    void childrenAndEquality();
    void conversions_data();
    void conversions();
    void serialized_data();
    void serialized();
    void malformed_data();
    void malformed();
    void largestAndNoInput();
    void refCount();
    void timeToText();
    void dvdLabelLookupCanBeReplaced();
    void mediaSourceInfo();
};

void tst_Host::childrenAndEquality()
{
    Property root("root");
    root.SetChild("b", "2");
    root.SetChild("a", 1u).SetChild("deep", qint64(1) << 40);
    root.SetChild("a", 2);
    const Property list("list");
    root.Add(list).Add(Property()) = "x";
    // A text literal must not turn into a boolean, nor an integer of any width.
    QCOMPARE(root["b"].GetType(), Property::Type::String);
    QCOMPARE(root["a"].GetType(), Property::Type::Int64);
    // The first child of a name answers; names are case-sensitive.
    QCOMPARE(root["a"]["deep"].GetInt64(), std::int64_t(1) << 40);
    QCOMPARE(root[3u][0u].GetString(), std::string("x"));
    QVERIFY(!root.ChildExists("A"));

    // Reading what is not there adds nothing, not even through the scratch
    // node of an index out of range; writing through a missing name adds it.
    QCOMPARE(std::as_const(root)["none"].GetString(), std::string());
    root[4u] = "lost";
    QCOMPARE(root[4u].GetString(), std::string());
    root["made"] = "here";
    QCOMPARE(root.Count(), 5u);
    QCOMPARE(root[4u].GetString(), std::string("here"));
    Property empty;
    QCOMPARE(std::as_const(empty)[0u].GetString(), std::string());
    empty[0u] = "lost";
    QCOMPARE(empty.Count(), 0u);

    // Equality compares names, values, types and array flags all the way down.
    Property deep = root, array = root, text = root;
    deep["a"]["deep"] = "other";
    array.SetArrayType();
    text["b"] = 2;
    QVERIFY(Property(root) == root && deep != root && array != root && text != root);
}

void tst_Host::conversions_data()
{
    QTest::addColumn<Conversion>("row");
    const auto row
        = [](const char* name, const Conversion& conversion) { QTest::newRow(name) << conversion; };
    const auto node = [](const auto& value) { return Property("n") = value; };
    row("no value", { Property("n"), "", 0, false, "0/1" });
    row("numeric text", { node(std::string("-42")), "-42", -42, false, "-42/1" });
    row("text true", { node("true"), "true", 0, true, "0/1" });
    row("int64 max", { node(Max), "9223372036854775807", Max, true, "9223372036854775807/1" });
    row("bool true", { node(true), "true", 1, true, "1/1" });
    row("bool false", { node(false), "false", 0, false, "0/1" });
    row("ratio truncates", { node(Property::Ratio(-7, 2)), "-7/2", -3, true, "-7/2" });
    row("ratio text", { node("30000/1001"), "30000/1001", 0, false, "30000/1001" });
    row("zero denominator", { node("3/0"), "3/0", 0, false, "0/1" });
}

void tst_Host::conversions()
{
    QFETCH(Conversion, row);
    QCOMPARE(QString::fromStdString(row.node.GetString()), row.asString);
    QCOMPARE(qint64(row.node.GetInt64()), row.asInt);
    QCOMPARE(row.node.GetBool(), row.asBool);
    const Property::Ratio ratio = row.node.GetRatio();
    QCOMPARE(QStringLiteral("%1/%2").arg(ratio.numerator()).arg(ratio.denominator()), row.asRatio);
}

void tst_Host::serialized_data()
{
    QTest::addColumn<Property>("tree");
    QTest::addColumn<bool>("readsBack");

    Property tree("tree");
    tree = "root value";
    tree.SetArrayType();
    for (const char* name : { "z", "a", "m", "a", "" })
        tree.SetChild(name, name);
    tree.SetChild("min", std::numeric_limits<std::int64_t>::min());
    tree.SetChild("max", Max);
    tree.SetChild("false", false);
    tree.SetChild("negative ratio", Property::Ratio(-1, 3));
    tree.SetChild("huge ratio", Property::Ratio(Max, 2));
    Property& inner = tree.Add(Property("no value"));
    inner.SetArrayType();
    inner.Add(Property()).SetChild("deep", 3).SetChild("deeper", true);
    QTest::newRow("values, order, nesting") << tree << true;

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

void tst_Host::serialized()
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

void tst_Host::malformed_data()
{
    QTest::addColumn<QByteArray>("text");
    const auto row = [](const char* name, const QByteArray& text) { QTest::newRow(name) << text; };
    row("truncated", R"({"name":"a","children":[{"name":"b")");
    row("top-level array", R"([{"name":"a"}])");
    row("root no name", R"({"string":"a"})");
    row("child no name", R"({"name":"","children":[{"int":"1"}]})");
    row("child not object", R"({"name":"","children":[1]})");
    row("children not array", R"({"name":"","children":{}})");
    row("string not text", R"({"name":"","string":1})");
    row("int not text", R"({"name":"","int":1})");
    row("bool as text", R"({"name":"","bool":"true"})");
    row("array as text", R"({"name":"","array":"true"})");
    row("two values", R"({"name":"","string":"a","bool":true})");
    row("int with zeros", R"({"name":"","int":"007"})");
    row("int overflow", R"({"name":"","int":"9223372036854775808"})");
    row("ratio zero denominator", R"({"name":"","ratio":"1/0"})");
    row("ratio unreduced", R"({"name":"","ratio":"2/4"})");
    row("ratio min over two", R"({"name":"","ratio":"-9223372036854775808/2"})");
    row("unknown key", R"({"name":"","colour":"red"})");
    row("bad child", R"({"name":"","children":[{"name":"b","int":"x"}]})");
    row("trailing garbage", R"({"name":""} {"name":""})");
    row("zero byte inside", QByteArray("{\"name\":\"a\0\"}", 13));
    // Far deeper than any real tree: must fail cleanly, not exhaust the stack.
    row("nested too deep",
        QByteArray(R"({"name":"","children":[)").repeated(100000) + R"({"name":""})"
            + QByteArray("]}").repeated(100000));
    row("one byte too large",
        QByteArray(R"({"name":""})").leftJustified(PropertySerializer::MaxInputSize + 1, ' '));
}

void tst_Host::malformed()
{
    QFETCH(QByteArray, text);
    Property tree("keep");
    (tree = "old value").SetChild("old", 1);
    tree.SetArrayType();
    QVERIFY(!Read(tree, text.toStdString()));
    QCOMPARE(tree, Property("keep"));
}

void tst_Host::largestAndNoInput()
{
    std::string text = R"({"name":"last"})";
    text.resize(PropertySerializer::MaxInputSize, ' ');
    Property tree;
    QVERIFY(Read(tree, text));
    QVERIFY(!PropertySerializer::Deserialize(tree, nullptr, true));
    QVERIFY(!PropertySerializer::Deserialize(tree, DataInputString::Create(nullptr), true));
}

void tst_Host::refCount()
{
    boost::intrusive_ptr<Counted> object(new Counted);
    QCOMPARE(object->AddRef(), 2u);
    QCOMPARE(object->Release(), 1u);
    // The count is read through the interface, as a host holding one would.
    boost::intrusive_ptr<const IRefCountable> copy = object;
    QCOMPARE(copy->GetRefCount(), 2u);
    object.reset();
    QCOMPARE(Counted::deletions, 0);
    copy.reset();
    QCOMPARE(Counted::deletions, 1);
}

void tst_Host::timeToText()
{
    const std::pair<qint64, const char*> rows[] = { { 0, "0:00:00.000000" },
        { 90061000001, "25:01:01.000001" }, { -1500000, "-0:00:01.500000" },
        { std::numeric_limits<qint64>::min(), "-2562047788:00:54.775808" } };
    for (const auto& [time, text] : rows)
        QCOMPARE(Proc::T2S(time), std::string(text));
}

void tst_Host::dvdLabelLookupCanBeReplaced()
{
    Util::SetDVDLabelLookup([](const ioPath& drive) { return drive.utf8string() + "MY_MOVIE"; });
    QCOMPARE(Util::DVDLabel(ioPath("E:/")), std::string("E:/MY_MOVIE"));
    // Back to the system lookup: a drive that does not exist has no label.
    Util::SetDVDLabelLookup({});
    QCOMPARE(Util::DVDLabel(ioPath("Q:/")), std::string());
}

void tst_Host::mediaSourceInfo()
{
    const auto info = Sarnet::MediaSourceInfo::Create(ioPath("/a.mkv"), 5000000, std::string());
    QVERIFY(info->IsEmpty());
    QVERIFY(!Sarnet::MediaSourceInfo::Create(ioPath(), 0, "matroska,webm")->IsEmpty());
    QCOMPARE(info->GetStreamMediaType(0), Sarnet::MediaType::Unknown);
    QCOMPARE(info->GetStreamCodecInfo(0).Count(), 0u);
    info->AddStream(Sarnet::MediaType::Video, Property("video"));
    info->AddStream(Sarnet::MediaType::Audio, Property("audio"));
    QVERIFY(!info->IsEmpty());
    // The numbers the playlist's track menu relies on.
    QCOMPARE(int(info->GetStreamMediaType(1)), 2);
    QCOMPARE(info->GetStreamCodecInfo(1).GetName(), std::string("audio"));
}

QTEST_GUILESS_MAIN(tst_Host)
#include "tst_host.moc"
