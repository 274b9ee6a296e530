#pragma once
// How the filter builder asks for a filter file to open or a name to save under; tests answer
// with a double instead of a modal file dialog.

#include <QString>
#include <QStringList>

class QWidget;

namespace pensilio::grid {

struct FilterFileRequest
{
    QString title;
    QString fileTypes;     // the pack's form, "Description|pattern", e.g. "Filters (*.flt)|*.flt"
    QString defaultSuffix; // without the dot
    QString proposedName;  // save only
};

class FilterFileDialogs
{
public:
    virtual ~FilterFileDialogs() = default;
    // The chosen file, or an empty string when the user cancels.
    virtual QString openFileName(QWidget *parent, const FilterFileRequest &request) = 0;
    // The chosen name, or empty; the caller adds the default suffix and asks before overwriting.
    virtual QString saveFileName(QWidget *parent, const FilterFileRequest &request) = 0;
};

class QtFilterFileDialogs final : public FilterFileDialogs
{
public:
    QString openFileName(QWidget *parent, const FilterFileRequest &request) override;
    QString saveFileName(QWidget *parent, const FilterFileRequest &request) override;
};

// "Filters ( *.flt )|*.flt" as Qt's name filters: "Filters ( *.flt )" already names its
// patterns, otherwise they are added in parentheses.
QStringList qtNameFilters(const QString &fileTypes);

} // namespace pensilio::grid
