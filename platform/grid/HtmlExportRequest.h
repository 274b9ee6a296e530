#pragma once
// What a caller asks of the grid export: the output file, the kind of output and the switches
// that decide which rows go out and how.

#include <QString>

namespace pensilio::grid {

// The export kinds by their registered numbers; only HTML has a writer here.
enum class ExportKind
{
    Spreadsheet = 1,
    Html = 2,
    Xml = 3,
    Text = 4
};

struct ExportRequest
{
    QString fileName;
    int kind = int(ExportKind::Html); // a number, so an unregistered kind can be asked for
    QString extension = QStringLiteral("html");
    bool expand = true;        // expand group rows before the export
    bool saveAll = true;       // every row of the view; otherwise only the focused one
    bool nativeFormat = false; // HTML carries every cell as text either way
    QString separators[3];
};

// The file name with its extension replaced by "." and 'extension' (added when it has none).
QString withExtension(const QString &fileName, const QString &extension);

} // namespace pensilio::grid
