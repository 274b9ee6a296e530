#pragma once
// Report files (".QRP"): the prepared pages of a preview with their fonts and colours, in a
// versioned binary format of our own with a checksum. Reading checks every part, so a damaged
// or hostile file yields a clear message and never a crash or a runaway allocation.

#include "platform/report/PageStyles.h"

#include <QByteArray>
#include <QSizeF>
#include <QString>
#include <optional>
#include <vector>

namespace pensilio::report {

class PageStore;

struct ReportPages
{
    QString title;
    QSizeF paper;
    PageStyles styles;
    std::vector<QByteArray> pages;
};

struct ReportFileResult
{
    std::optional<ReportPages> pages;
    QString error; // set when there are no pages
};

namespace reportfile {

QByteArray encode(const PageStore &store);
// Reads the bytes of a report file; 'name' only goes into the messages.
ReportFileResult decode(QByteArrayView bytes, const QString &name);

// Both throw pensilio::Error with the message the user is shown.
void save(const QString &fileName, const PageStore &store);
ReportPages load(const QString &fileName);

constexpr quint16 kVersion = 1;

} // namespace reportfile

} // namespace pensilio::report
