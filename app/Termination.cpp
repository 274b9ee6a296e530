#include "app/Termination.h"

#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace pensilio {

namespace {
int g_pipe[2] = {-1, -1};

// Only async-signal-safe work here: the event loop picks the byte up.
void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(g_pipe[1], &byte, 1);
}
} // namespace

Termination::Termination(QObject *parent) : QObject(parent)
{
    if (::pipe(g_pipe) == 0) {
        for (int fd : g_pipe)
            ::fcntl(fd, F_SETFD, FD_CLOEXEC);
        ::fcntl(g_pipe[1], F_SETFL, O_NONBLOCK);
        m_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
        connect(m_notifier, &QSocketNotifier::activated, this, [this] {
            char buffer[16];
            [[maybe_unused]] const ssize_t n = ::read(g_pipe[0], buffer, sizeof buffer);
            request();
        });
        struct sigaction action
        {
        };
        action.sa_handler = onSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (int sig : {SIGTERM, SIGHUP, SIGINT})
            ::sigaction(sig, &action, nullptr);
    }
    if (auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        connect(app, &QGuiApplication::commitDataRequest, this,
                [this](QSessionManager &) { request(); });
    }
}

Termination::~Termination()
{
    struct sigaction action
    {
    };
    action.sa_handler = SIG_DFL;
    for (int sig : {SIGTERM, SIGHUP, SIGINT})
        ::sigaction(sig, &action, nullptr);
    delete m_notifier;
    m_notifier = nullptr;
    for (int &fd : g_pipe) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
}

void Termination::request()
{
    if (m_requested)
        return;
    m_requested = true;
    if (m_handler)
        m_handler();
}

} // namespace pensilio
