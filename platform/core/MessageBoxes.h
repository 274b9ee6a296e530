#pragma once
// The program's message boxes, behind an interface so that no test ever blocks on a modal box.

#include <QString>

class QWidget;

namespace pensilio {

class MessageBoxes
{
public:
    virtual ~MessageBoxes() = default;
    // The plain box: text and an OK button, titled with the program's title.
    virtual void showMessage(const QString &title, const QString &text) = 0;
    // A confirmation with a question icon and the buttons Yes (default) and No; Escape answers No.
    virtual bool askYesNo(const QString &caption, const QString &text) = 0;
    // The standard error box: error icon and an OK button.
    virtual void showError(const QString &title, const QString &text) = 0;
};

class QtMessageBoxes final : public MessageBoxes
{
public:
    void showMessage(const QString &title, const QString &text) override;
    bool askYesNo(const QString &caption, const QString &text) override;
    void showError(const QString &title, const QString &text) override;
};

} // namespace pensilio
