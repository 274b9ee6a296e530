#pragma once
// The application object: an error that escapes an event handler is shown in the standard error
// box, and the program goes on.

#include <QApplication>

namespace pensilio {

class MessageBoxes;

class PensilioApplication : public QApplication
{
public:
    PensilioApplication(int &argc, char **argv);
    void setErrorBox(MessageBoxes *boxes, const QString &title);
    bool notify(QObject *receiver, QEvent *event) override;

private:
    MessageBoxes *m_boxes = nullptr;
    QString m_title;
};

} // namespace pensilio
