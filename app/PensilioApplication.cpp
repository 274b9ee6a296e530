#include "app/PensilioApplication.h"

#include "platform/core/Cp1252.h"
#include "platform/core/Error.h"
#include "platform/core/ErrorText.h"
#include "platform/core/MessageBoxes.h"

namespace pensilio {

PensilioApplication::PensilioApplication(int &argc, char **argv) : QApplication(argc, argv) {}

void PensilioApplication::setErrorBox(MessageBoxes *boxes, const QString &title)
{
    m_boxes = boxes;
    m_title = title;
}

bool PensilioApplication::notify(QObject *receiver, QEvent *event)
{
    QString message;
    QString note;
    try {
        return QApplication::notify(receiver, event);
    } catch (const Error &error) {
        message = error.message();
        note = error.note();
    } catch (const std::bad_alloc &) {
        message = QStringLiteral("Out of memory");
    } catch (const std::exception &error) {
        message = QString::fromLocal8Bit(error.what());
    }
    if (m_boxes)
        m_boxes->showError(m_title, errorBoxText(message, note));
    return false;
}

} // namespace pensilio
