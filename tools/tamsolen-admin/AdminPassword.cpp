#include "AdminPassword.h"

#include <QFile>

#include <csignal>
#include <cstdio>
#include <string>

#include <termios.h>
#include <unistd.h>

namespace {

// The terminal as it was before the prompt, for a signal that ends the
// program while echo is off.
termios g_terminal{};

void restoreAndRaise(int signal)
{
    tcsetattr(STDIN_FILENO, TCSANOW, &g_terminal);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

// Turns echo off for its life, and back on even when the typing is broken
// off with Ctrl-C.
class NoEcho
{
public:
    NoEcho()
    {
        if (tcgetattr(STDIN_FILENO, &g_terminal) != 0)
            return;
        m_interrupt = std::signal(SIGINT, restoreAndRaise);
        m_terminate = std::signal(SIGTERM, restoreAndRaise);
        m_hangUp = std::signal(SIGHUP, restoreAndRaise);
        termios quiet = g_terminal;
        quiet.c_lflag &= ~tcflag_t(ECHO);
        quiet.c_lflag |= ECHONL;
        m_active = tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet) == 0;
    }
    ~NoEcho()
    {
        if (m_active)
            tcsetattr(STDIN_FILENO, TCSAFLUSH, &g_terminal);
        if (m_interrupt != SIG_ERR) {
            std::signal(SIGINT, m_interrupt);
            std::signal(SIGTERM, m_terminate);
            std::signal(SIGHUP, m_hangUp);
        }
    }
    NoEcho(const NoEcho &) = delete;
    NoEcho &operator=(const NoEcho &) = delete;

private:
    bool m_active = false;
    void (*m_interrupt)(int) = SIG_ERR;
    void (*m_terminate)(int) = SIG_ERR;
    void (*m_hangUp)(int) = SIG_ERR;
};

QString withoutLineEnd(QByteArray line)
{
    if (line.endsWith('\n'))
        line.chop(1);
    if (line.endsWith('\r'))
        line.chop(1);
    return QString::fromLocal8Bit(line);
}

} // namespace

namespace AdminPassword {

std::optional<QString> fromFile(const QString &fileName, QString &errorText)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        errorText = QStringLiteral("cannot read the password file %1: %2").arg(fileName, file.errorString());
        return std::nullopt;
    }
    return withoutLineEnd(file.readLine());
}

std::optional<QString> fromEnvironment()
{
    if (!qEnvironmentVariableIsSet(EnvironmentVariable))
        return std::nullopt;
    return qEnvironmentVariable(EnvironmentVariable);
}

std::optional<QString> prompt(const QString &text)
{
    if (!isatty(STDIN_FILENO))
        return std::nullopt;
    std::string line;
    bool ended = false;
    {
        // Quiet before the prompt shows, so that nothing typed after it is echoed.
        const NoEcho quiet;
        std::fputs(qUtf8Printable(text), stderr);
        std::fflush(stderr);
        for (int c = std::getchar(); c != EOF; c = std::getchar()) {
            line.push_back(char(c));
            if (c == '\n') {
                ended = true;
                break;
            }
        }
    }
    if (!ended && line.empty())
        return std::nullopt;
    return withoutLineEnd(QByteArray::fromStdString(line));
}

} // namespace AdminPassword
