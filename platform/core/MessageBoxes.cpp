#include "platform/core/MessageBoxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace pensilio {

namespace {
QWidget *parentWindow()
{
    return QApplication::activeWindow();
}
} // namespace

void QtMessageBoxes::showMessage(const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parentWindow());
    box.exec();
}

bool QtMessageBoxes::askYesNo(const QString &caption, const QString &text)
{
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::NoButton, parentWindow());
    QPushButton *yes = box.addButton(QStringLiteral("&Yes"), QMessageBox::YesRole);
    QPushButton *no = box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

void QtMessageBoxes::showError(const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::Critical, title, text, QMessageBox::Ok, parentWindow());
    box.exec();
}

} // namespace pensilio
