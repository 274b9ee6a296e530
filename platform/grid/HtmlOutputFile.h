#pragma once
// The export's output file, written in pieces and put in place only when complete: the bytes go
// to a temporary file beside the target, which is flushed and renamed over it. A target the
// user protected, or any failure, leaves the old file as it was.

#include "platform/core/AtomicFile.h"

#include <QByteArray>
#include <QString>
#include <string_view>

namespace pensilio::grid {

class HtmlOutputFile
{
public:
    // Creates the temporary file; throws the file-creation error naming 'path'.
    explicit HtmlOutputFile(const QString &path);

    void write(std::string_view bytes);
    // Flushes the file to disk and replaces the target with it.
    void commit();

private:
    [[noreturn]] void fail();

    QString m_path;
    AtomicFileWriter m_writer;
};

// "Cannot create file "<path>". <cause>"
QString fileCreateErrorText(const QString &path, const QString &cause);

} // namespace pensilio::grid
