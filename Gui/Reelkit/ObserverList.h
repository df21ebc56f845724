#pragma once

#include <QList>

namespace Tarvos::Gui {

/// The observers of one interface, told in the order they were added.
///
/// The observers are not owned. While they are told, an observer may add or
/// remove observers: each notification goes to the observers registered when
/// it started.
template <class Observer> class ObserverList
{
public:
    /// Adds the observer at the end; a null or already added observer is ignored.
    void Add(Observer* observer)
    {
        if (observer && !m_observers.contains(observer))
            m_observers.append(observer);
    }

    /// Whether the observer has been added and not removed since.
    bool Contains(Observer* observer) const { return m_observers.contains(observer); }

    /// Removes the observer; one that was not added is ignored.
    void Remove(Observer* observer) { m_observers.removeAll(observer); }

    /// Calls handler with args on every observer, in order.
    template <class... Params, class... Args>
    void Notify(void (Observer::*handler)(Params...), const Args&... args) const
    {
        const QList<Observer*> observers = m_observers;
        for (Observer* observer : observers)
            (observer->*handler)(args...);
    }

private:
    QList<Observer*> m_observers;
};

} // namespace Tarvos::Gui
