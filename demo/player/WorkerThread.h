#pragma once

#include <QMetaObject>
#include <QObject>
#include <QString>
#include <QThread>

namespace Player {

// A thread of its own for slow work (probing, decoding), fed jobs that run
// one after the other. On destruction, jobs still queued are dropped and the
// one running finishes first; an owner declares it last, so that it goes
// before what its jobs use.
class WorkerThread
{
public:
    explicit WorkerThread(const QString& name);
    ~WorkerThread();

    // Runs job on the thread, after the jobs given before it.
    template <class Job> void Run(Job job)
    {
        QMetaObject::invokeMethod(m_worker, std::move(job), Qt::QueuedConnection);
    }

private:
    QThread m_thread;
    QObject* m_worker; // lives on m_thread, deleted when it finishes
};

} // namespace Player
