#include "Gui/Reelkit/ObserverList.h"

#include <QtTest>
#include <functional>

using Tarvos::Gui::ObserverList;

namespace {

// Logs "<name> <value>" when told; onEvent runs after.
struct Observer
{
    void OnEvent(int value)
    {
        *log << QStringLiteral("%1 %2").arg(name).arg(value);
        if (onEvent)
            onEvent();
    }
    QStringList* log;
    QString name;
    std::function<void()> onEvent = {};
};

} // namespace

class tst_ObserverList : public QObject
{
    Q_OBJECT

private slots:
    void orderOnceAndChangesWhileTold()
    {
        QStringList log;
        Observer a { &log, "a" }, b { &log, "b" }, c { &log, "c" };
        ObserverList<Observer> observers;
        for (Observer* observer : { &b, static_cast<Observer*>(nullptr), &a, &b })
            observers.Add(observer);
        // Each notification goes to the observers registered when it started.
        b.onEvent = [&] {
            observers.Remove(&a);
            observers.Add(&c);
        };
        observers.Notify(&Observer::OnEvent, 1);
        b.onEvent = nullptr;
        observers.Remove(&b);
        observers.Remove(&b);
        observers.Notify(&Observer::OnEvent, 2);
        QCOMPARE(log, QStringList({ "b 1", "a 1", "c 2" }));
        QVERIFY(observers.Contains(&c) && !observers.Contains(&a));
    }
};

QTEST_APPLESS_MAIN(tst_ObserverList)
#include "tst_observerlist.moc"
