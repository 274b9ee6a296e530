#pragma once
// Message boxes that never show: each call is recorded as one line of text, and questions are
// answered from a queue (No when the queue is empty, as Escape would).

#include "platform/core/MessageBoxes.h"

#include <QStringList>
#include <deque>

namespace pensilio::testing {

class RecordingMessageBoxes final : public MessageBoxes
{
public:
    void showMessage(const QString &title, const QString &text) override
    {
        log << QStringLiteral("message[%1]: %2").arg(title, text);
    }
    bool askYesNo(const QString &caption, const QString &text) override
    {
        const bool answer = answers.empty() ? false : answers.front();
        if (!answers.empty())
            answers.pop_front();
        log << QStringLiteral("ask[%1]: %2 -> %3")
                   .arg(caption, text, answer ? QStringLiteral("yes") : QStringLiteral("no"));
        return answer;
    }
    void showError(const QString &title, const QString &text) override
    {
        log << QStringLiteral("error[%1]: %2").arg(title, text);
    }

    QStringList log;
    std::deque<bool> answers;
};

} // namespace pensilio::testing
