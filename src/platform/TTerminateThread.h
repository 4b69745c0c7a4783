#pragma once

#include <QThread>

// The shutdown watchdog: once started it ends the whole process with exit
// code 0 after the delay, whatever the rest of the shutdown is still doing.
// Only the program's main() starts one; libraries and tests never do.
class TTerminateThread : public QThread
{
    Q_OBJECT

public:
    explicit TTerminateThread(int delayMs = 8000);

protected:
    void run() override;

private:
    int m_delayMs;
};
