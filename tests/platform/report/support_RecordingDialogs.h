#pragma once
// Preview dialogs that never show: file names and answers come from the test, and each call is
// recorded as one line of text.

#include "platform/report/PreviewDialogs.h"

#include <QPrinter>
#include <QStringList>
#include <functional>

namespace pensilio::testing {

class RecordingProgress final : public report::PrintProgress
{
public:
    explicit RecordingProgress(QStringList &log, int cancelAt) : m_log(log), m_cancelAt(cancelAt) {}
    void setPercent(int percent) override
    {
        m_log << QStringLiteral("progress %1").arg(percent);
        if (m_cancelAt >= 0 && percent >= m_cancelAt)
            m_cancelled = true;
    }
    bool isCancelled() const override { return m_cancelled; }

private:
    QStringList &m_log;
    int m_cancelAt;
    bool m_cancelled = false;
};

class RecordingDialogs final : public report::PreviewDialogs
{
public:
    QString saveFileName(QWidget *, const QString &caption, const QString &filter,
                         const QString &suffix) override
    {
        log << QStringLiteral("save[%1|%2|%3]").arg(caption, filter, suffix);
        return fileName;
    }
    QString openFileName(QWidget *, const QString &caption, const QString &filter) override
    {
        log << QStringLiteral("open[%1|%2]").arg(caption, filter);
        return fileName;
    }
    bool printSetup(QWidget *, QPrinter &printer, int pageCount) override
    {
        log << QStringLiteral("setup[pages %1]").arg(pageCount);
        if (setup)
            setup(printer);
        return acceptSetup;
    }
    std::unique_ptr<report::PrintProgress> printProgress(QWidget *) override
    {
        log << QStringLiteral("progress window");
        return std::make_unique<RecordingProgress>(log, cancelAt);
    }

    QString fileName;
    bool acceptSetup = true;
    std::function<void(QPrinter &)> setup;
    int cancelAt = -1; // the percentage at which the user presses Cancel
    QStringList log;
};

} // namespace pensilio::testing
