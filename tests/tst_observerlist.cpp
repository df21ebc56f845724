#include "Gui/Reelkit/ObserverList.h"

#include <QtTest>
#include <functional>

using Tarvos::Gui::ObserverList;

namespace {

class Observer
{
public:
    Observer(QStringList* log, QString name)
        : m_log(log)
        , m_name(std::move(name))
    {}
    virtual ~Observer() = default;

    virtual void OnEvent(int value, const QString& text)
    {
        *m_log << QStringLiteral("%1 %2 %3").arg(m_name).arg(value).arg(text);
        if (onEvent)
            onEvent();
    }

    std::function<void()> onEvent;

private:
    QStringList* m_log;
    QString m_name;
};

} // namespace

class tst_ObserverList : public QObject
{
    Q_OBJECT

private slots:
    void toldInOrderOnce();
    void changesWhileTold();
};

void tst_ObserverList::toldInOrderOnce()
{
    QStringList log;
    Observer a(&log, "a");
    Observer b(&log, "b");
    ObserverList<Observer> observers;
    observers.Add(&b);
    observers.Add(nullptr);
    observers.Add(&a);
    observers.Add(&b);
    observers.Notify(&Observer::OnEvent, 7, QStringLiteral("x"));
    QCOMPARE(log, QStringList({ "b 7 x", "a 7 x" }));
    observers.Remove(&b);
    observers.Remove(&b);
    QVERIFY(!observers.Contains(&b));
    log.clear();
    observers.Notify(&Observer::OnEvent, 8, QStringLiteral("y"));
    QCOMPARE(log, QStringList({ "a 8 y" }));
}

void tst_ObserverList::changesWhileTold()
{
    // Each notification goes to the observers registered when it started.
    QStringList log;
    Observer a(&log, "a");
    Observer b(&log, "b");
    Observer c(&log, "c");
    ObserverList<Observer> observers;
    observers.Add(&a);
    observers.Add(&b);
    a.onEvent = [&] {
        observers.Remove(&b);
        observers.Add(&c);
    };
    observers.Notify(&Observer::OnEvent, 1, QString());
    QCOMPARE(log, QStringList({ "a 1 ", "b 1 " }));
    a.onEvent = nullptr;
    log.clear();
    observers.Notify(&Observer::OnEvent, 2, QString());
    QCOMPARE(log, QStringList({ "a 2 ", "c 2 " }));
}

QTEST_APPLESS_MAIN(tst_ObserverList)
#include "tst_observerlist.moc"
