#include "WorkerThread.h"

namespace Player {

WorkerThread::WorkerThread(const QString& name)
    : m_worker(new QObject)
{
    m_thread.setObjectName(name);
    m_worker->moveToThread(&m_thread);
    QObject::connect(&m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    m_thread.start();
}

WorkerThread::~WorkerThread()
{
    m_thread.quit();
    m_thread.wait();
}

} // namespace Player
