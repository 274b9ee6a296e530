#include "platform/grid/FilterFileDialogs.h"

#include <QFileDialog>

namespace pensilio::grid {

QStringList qtNameFilters(const QString &fileTypes)
{
    QStringList out;
    const QStringList parts = fileTypes.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        const QString patterns = parts[i + 1].trimmed().replace(QLatin1Char(';'), QLatin1Char(' '));
        QString compact = description;
        compact.remove(QLatin1Char(' '));
        if (compact.endsWith(QLatin1Char('(') + QString(patterns).remove(QLatin1Char(' ')) +
                             QLatin1Char(')')))
            out << description;
        else
            out << description + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return out;
}

namespace {
void prepare(QFileDialog &dialog, const FilterFileRequest &request)
{
    dialog.setWindowTitle(request.title);
    dialog.setNameFilters(qtNameFilters(request.fileTypes));
    dialog.setDefaultSuffix(request.defaultSuffix);
}
} // namespace

QString QtFilterFileDialogs::openFileName(QWidget *parent, const FilterFileRequest &request)
{
    QFileDialog dialog(parent);
    prepare(dialog, request);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().front();
}

QString QtFilterFileDialogs::saveFileName(QWidget *parent, const FilterFileRequest &request)
{
    QFileDialog dialog(parent);
    prepare(dialog, request);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The builder asks about overwriting itself, so that the question is the same everywhere.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.selectFile(request.proposedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().front();
}

} // namespace pensilio::grid
