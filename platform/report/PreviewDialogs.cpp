#include "platform/report/PreviewDialogs.h"

#include "platform/report/PrintProgressDialog.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace pensilio::report {

QString QtPreviewDialogs::saveFileName(QWidget *parent, const QString &caption,
                                       const QString &filter, const QString &defaultSuffix)
{
    QFileDialog dialog(parent, caption, QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QString QtPreviewDialogs::openFileName(QWidget *parent, const QString &caption,
                                       const QString &filter)
{
    QFileDialog dialog(parent, caption, QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // The program itself tells the user when the file is missing.
    dialog.setFileMode(QFileDialog::AnyFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

bool QtPreviewDialogs::printSetup(QWidget *parent, QPrinter &printer, int pageCount)
{
    printer.setFromTo(printer.fromPage() > 0 ? printer.fromPage() : 1,
                      printer.toPage() > 0 ? printer.toPage() : qMax(1, pageCount));
    // Printing into a file stays possible without a printer, so the dialog follows the warning.
    if (QPrinterInfo::availablePrinterNames().isEmpty())
        QMessageBox::warning(parent, QStringLiteral("Printer setup"),
                             QStringLiteral("No printers are installed."));
    QPrintDialog dialog(&printer, parent);
    dialog.setMinMax(1, qMax(1, pageCount));
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    return dialog.exec() == QDialog::Accepted;
}

std::unique_ptr<PrintProgress> QtPreviewDialogs::printProgress(QWidget *parent)
{
    auto dialog = std::make_unique<PrintProgressDialog>(parent);
    dialog->show();
    return dialog;
}

} // namespace pensilio::report
