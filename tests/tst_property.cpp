#include "host/Property.h"
#include "host/RefCount.h"
#include "host/ioPath.h"

#include <QtTest>
#include <boost/intrusive_ptr.hpp>
#include <limits>
#include <memory>

using Tarvos::Core::Property;

Q_DECLARE_METATYPE(Property)

namespace {

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

template <class T> Property Node(const T& value)
{
    Property node("n");
    node = value;
    return node;
}

} // namespace

class tst_Property : public QObject
{
    Q_OBJECT

private slots:
    void children();
    void conversions_data();
    void conversions();
    void setChildKeepsTheValueType();
    void equalityIsDeep();
    void refCountAcrossThreads();
    void pathRoundTrip();
};

void tst_Property::children()
{
    Property root("root");
    root.SetChild("b", "2");
    root.SetChild("a", 1);
    root.SetChild("a", 2);
    Property list("list");
    list.SetArrayType();
    list.Add(Property()) = "x";
    root.Add(list);
    QCOMPARE(root.Count(), 4u);
    QCOMPARE(root[1u].GetName(), std::string("a"));
    QCOMPARE(root[3u][0u].GetString(), std::string("x"));
    // The first child of a name answers; names are case-sensitive.
    QCOMPARE(root["a"].GetInt64(), std::int64_t(1));
    QVERIFY(!root.ChildExists("A"));

    // Reading what is not there adds nothing, not even through the scratch
    // node of an index out of range; writing through a missing name adds it.
    const Property& constRoot = root;
    QCOMPARE(constRoot["none"].GetString(), std::string());
    root[7u] = "lost";
    QCOMPARE(root[7u].GetString(), std::string());
    QCOMPARE(root.Count(), 4u);
    root["made"] = "here";
    QCOMPARE(root.Count(), 5u);
    QCOMPARE(root["made"].GetString(), std::string("here"));
}

void tst_Property::conversions_data()
{
    QTest::addColumn<Property>("node");
    QTest::addColumn<QString>("asString");
    QTest::addColumn<qint64>("asInt");
    QTest::addColumn<bool>("asBool");
    QTest::addColumn<QString>("asRatio");

    QTest::newRow("numeric text") << Node(std::string("-42")) << "-42" << -42ll << false << "-42/1";
    QTest::newRow("int64 max") << Node(std::numeric_limits<std::int64_t>::max())
                               << "9223372036854775807" << std::numeric_limits<qint64>::max()
                               << true << "9223372036854775807/1";
    QTest::newRow("bool") << Node(true) << "true" << 1ll << true << "1/1";
    QTest::newRow("ratio truncates")
        << Node(Property::Ratio(-7, 2)) << "-7/2" << -3ll << true << "-7/2";
    QTest::newRow("ratio text") << Node("30000/1001") << "30000/1001" << 0ll << false
                                << "30000/1001";
    QTest::newRow("zero denominator") << Node("3/0") << "3/0" << 0ll << false << "0/1";
}

void tst_Property::conversions()
{
    QFETCH(Property, node);
    QFETCH(QString, asString);
    QFETCH(qint64, asInt);
    QFETCH(bool, asBool);
    QFETCH(QString, asRatio);
    QCOMPARE(QString::fromStdString(node.GetString()), asString);
    QCOMPARE(qint64(node.GetInt64()), asInt);
    QCOMPARE(node.GetBool(), asBool);
    const Property::Ratio ratio = node.GetRatio();
    QCOMPARE(QStringLiteral("%1/%2").arg(ratio.numerator()).arg(ratio.denominator()), asRatio);
}

void tst_Property::setChildKeepsTheValueType()
{
    // A text literal must not turn into a boolean, nor an integer of any width.
    Property root;
    root.SetChild("int", 7);
    root.SetChild("unsigned", 3u);
    root.SetChild("qint64", qint64(1) << 40);
    root.SetChild("literal", "7");
    QCOMPARE(root["int"].GetType(), Property::Type::Int64);
    QCOMPARE(root["unsigned"].GetType(), Property::Type::Int64);
    QCOMPARE(root["qint64"].GetInt64(), std::int64_t(1) << 40);
    QCOMPARE(root["literal"].GetType(), Property::Type::String);
}

void tst_Property::equalityIsDeep()
{
    Property a("a");
    a.SetChild("x", 1).SetChild("y", "z");
    Property b = a;
    QVERIFY(a == b);
    b["x"]["y"] = "other";
    QVERIFY(a != b);
    Property c = a;
    c.SetArrayType();
    QVERIFY(a != c);
    Property d = a;
    d["x"] = std::string("1"); // same text, other type
    QVERIFY(a != d);
}

void tst_Property::refCountAcrossThreads()
{
    int deletions = 0;
    boost::intrusive_ptr<Counted> object(new Counted(&deletions));
    std::vector<std::unique_ptr<QThread>> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back(QThread::create([object] {
            for (int i = 0; i < 200000; ++i)
                boost::intrusive_ptr<const Tarvos::IRefCountable> copy = object;
        }));
        threads.back()->start();
    }
    for (const auto& thread : threads)
        QVERIFY(thread->wait(10000));
    threads.clear();
    QCOMPARE(object->GetRefCount(), 1u);
    QCOMPARE(deletions, 0);
    object.reset();
    QCOMPARE(deletions, 1);
}

void tst_Property::pathRoundTrip()
{
    const std::string text = "E:/Фильмы/été ☃.mkv";
    Tarvos::ioPath path(text);
    QCOMPARE(path.utf8string(), text);
    Tarvos::ioPath other;
    QVERIFY(other != path);
    other = text;
    QVERIFY(!(other != path));
}

QTEST_GUILESS_MAIN(tst_Property)
#include "tst_property.moc"
