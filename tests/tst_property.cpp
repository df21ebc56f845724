#include "host/Property.h"
#include "host/RefCount.h"
#include "host/ioPath.h"

#include <QtTest>
#include <boost/intrusive_ptr.hpp>
#include <limits>

using Tarvos::Core::Property;

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

} // namespace

class tst_Property : public QObject
{
    Q_OBJECT

private slots:
    void childrenKeepInsertionOrder();
    void lookupByName();
    void missingChildren();
    void conversions_data();
    void conversions();
    void integerOverloadsStoreInt64();
    void equalityIsDeep();
    void refCountDeletesWithLastReference();
    void refCountAcrossThreads();
    void pathRoundTrip();
};

void tst_Property::childrenKeepInsertionOrder()
{
    Property root("root");
    root.SetChild("b", "2");
    root.SetChild("a", 1);
    Property list("list");
    list.SetArrayType();
    list.Add(Property()) = "x";
    list.Add(Property()) = "y";
    root.Add(list);

    QCOMPARE(root.Count(), 3u);
    QCOMPARE(root[0u].GetName(), std::string("b"));
    QCOMPARE(root[1u].GetName(), std::string("a"));
    QCOMPARE(root[2u].GetName(), std::string("list"));
    QVERIFY(root[2u].IsArrayType());
    QVERIFY(!root.IsArrayType());
    QCOMPARE(root[2u][1u].GetString(), std::string("y"));
}

void tst_Property::lookupByName()
{
    Property root("root");
    root.SetChild("title", "first");
    root.SetChild("title", "second");
    QVERIFY(root.ChildExists("title"));
    QVERIFY(!root.ChildExists("Title"));
    // The first child of that name answers.
    QCOMPARE(root["title"].GetString(), std::string("first"));

    const Property& constRoot = root;
    QCOMPARE(constRoot["title"].GetString(), std::string("first"));
}

void tst_Property::missingChildren()
{
    Property root("root");
    const Property& constRoot = root;
    QCOMPARE(constRoot["none"].GetString(), std::string());
    QCOMPARE(constRoot[5u].Count(), 0u);
    QCOMPARE(root.Count(), 0u);

    // The scratch node of an out-of-range index belongs to no tree.
    root[7u] = "lost";
    QCOMPARE(root.Count(), 0u);
    QCOMPARE(root[7u].GetString(), std::string());

    // Writing through a missing name adds the child.
    root["made"] = "here";
    QCOMPARE(root.Count(), 1u);
    QCOMPARE(root["made"].GetString(), std::string("here"));
}

void tst_Property::conversions_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("asString");
    QTest::addColumn<qint64>("asInt");
    QTest::addColumn<bool>("asBool");
    QTest::addColumn<QString>("asRatio");

    // kind: 0 none, 1 "text", 2 "-42", 3 int64 max, 4 true, 5 ratio -7/2, 6 "30000/1001", 7 "3/0"
    QTest::newRow("none") << 0 << "" << 0ll << false << "0/1";
    QTest::newRow("text") << 1 << "text" << 0ll << false << "0/1";
    QTest::newRow("numeric text") << 2 << "-42" << -42ll << false << "-42/1";
    QTest::newRow("int64 max") << 3 << "9223372036854775807" << std::numeric_limits<qint64>::max()
                               << true << "9223372036854775807/1";
    QTest::newRow("bool") << 4 << "true" << 1ll << true << "1/1";
    QTest::newRow("ratio truncates") << 5 << "-7/2" << -3ll << true << "-7/2";
    QTest::newRow("ratio text") << 6 << "30000/1001" << 0ll << false << "30000/1001";
    QTest::newRow("zero denominator") << 7 << "3/0" << 0ll << false << "0/1";
}

void tst_Property::conversions()
{
    QFETCH(int, kind);
    QFETCH(QString, asString);
    QFETCH(qint64, asInt);
    QFETCH(bool, asBool);
    QFETCH(QString, asRatio);

    Property node("n");
    switch (kind) {
    case 1:
        node = "text";
        break;
    case 2:
        node = std::string("-42");
        break;
    case 3:
        node = std::numeric_limits<std::int64_t>::max();
        break;
    case 4:
        node = true;
        break;
    case 5:
        node = Property::Ratio(-7, 2);
        break;
    case 6:
        node = "30000/1001";
        break;
    case 7:
        node = "3/0";
        break;
    default:
        break;
    }
    QCOMPARE(QString::fromStdString(node.GetString()), asString);
    QCOMPARE(qint64(node.GetInt64()), asInt);
    QCOMPARE(node.GetBool(), asBool);
    const Property::Ratio ratio = node.GetRatio();
    QCOMPARE(QStringLiteral("%1/%2").arg(ratio.numerator()).arg(ratio.denominator()), asRatio);
}

void tst_Property::integerOverloadsStoreInt64()
{
    Property root;
    root.SetChild("int", 7);
    root.SetChild("int64", std::int64_t(-5));
    root.SetChild("qint64", qint64(1) << 40);
    root.SetChild("unsigned", 3u);
    root.SetChild("bool", false);
    root.SetChild("literal", "7");
    QCOMPARE(root["int"].GetType(), Property::Type::Int64);
    QCOMPARE(root["int64"].GetType(), Property::Type::Int64);
    QCOMPARE(root["qint64"].GetInt64(), std::int64_t(1) << 40);
    QCOMPARE(root["unsigned"].GetType(), Property::Type::Int64);
    QCOMPARE(root["bool"].GetType(), Property::Type::Bool);
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

void tst_Property::refCountDeletesWithLastReference()
{
    int deletions = 0;
    {
        boost::intrusive_ptr<Counted> first(new Counted(&deletions));
        QCOMPARE(first->GetRefCount(), 1u);
        {
            boost::intrusive_ptr<const Tarvos::IRefCountable> second = first;
            QCOMPARE(first->GetRefCount(), 2u);
        }
        QCOMPARE(first->GetRefCount(), 1u);
        QCOMPARE(deletions, 0);
    }
    QCOMPARE(deletions, 1);

    Tarvos::RefCountImpl count;
    QCOMPARE(count.AddRefImpl(), 1u);
    QCOMPARE(count.AddRefImpl(), 2u);
    QCOMPARE(count.ReleaseImpl(), 1u);
    QCOMPARE(count.ReleaseImpl(), 0u);
    QCOMPARE(count.GetRefCountImpl(), 0u);
}

void tst_Property::refCountAcrossThreads()
{
    int deletions = 0;
    boost::intrusive_ptr<Counted> object(new Counted(&deletions));
    QVector<QThread*> threads;
    for (int t = 0; t < 4; ++t) {
        threads << QThread::create([object] {
            for (int i = 0; i < 20000; ++i) {
                boost::intrusive_ptr<Counted> copy = object;
            }
        });
        threads.last()->start();
    }
    for (QThread* thread : threads) {
        QVERIFY(thread->wait(10000));
        delete thread;
    }
    QCOMPARE(object->GetRefCount(), 1u);
    object.reset();
    QCOMPARE(deletions, 1);
}

void tst_Property::pathRoundTrip()
{
    const std::string text = "E:/Фильмы/été ☃.mkv";
    Tarvos::ioPath path(text);
    QCOMPARE(path.utf8string(), text);
    Tarvos::ioPath other;
    QVERIFY(other.empty());
    QVERIFY(other != path);
    other = text;
    QVERIFY(!(other != path));
}

QTEST_GUILESS_MAIN(tst_Property)
#include "tst_property.moc"
