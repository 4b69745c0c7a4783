#include "platform/TTerminateThread.h"

#include <unistd.h>

TTerminateThread::TTerminateThread(int delayMs) : m_delayMs(delayMs)
{
    connect(this, &QThread::finished, this, &QObject::deleteLater);
}

void TTerminateThread::run()
{
    QThread::msleep(static_cast<unsigned long>(m_delayMs));
    // No destructors, no atexit handlers: the ordinary shutdown is stuck.
    ::_exit(0);
}
