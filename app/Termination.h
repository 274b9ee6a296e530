#pragma once
// Turns SIGTERM, SIGHUP and SIGINT, and the end of the desktop session, into the program's normal
// end, so that the windows close and the memos are written exactly as when the user leaves.

#include <QObject>
#include <functional>

class QSocketNotifier;

namespace pensilio {

class Termination : public QObject
{
    Q_OBJECT
public:
    explicit Termination(QObject *parent = nullptr);
    ~Termination() override;

    void setHandler(std::function<void()> handler) { m_handler = std::move(handler); }
    bool requested() const { return m_requested; }
    void request();

private:
    QSocketNotifier *m_notifier = nullptr;
    std::function<void()> m_handler;
    bool m_requested = false;
};

} // namespace pensilio
