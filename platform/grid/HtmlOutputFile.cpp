#include "platform/grid/HtmlOutputFile.h"

#include "platform/core/Error.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace pensilio::grid {

QString fileCreateErrorText(const QString &path, const QString &cause)
{
    return QStringLiteral("Cannot create file \"%1\". %2").arg(path, cause);
}

HtmlOutputFile::HtmlOutputFile(const QString &path) : m_path(path), m_writer(path)
{
    if (!m_writer.result().ok())
        fail();
    // A page the user may not write is not replaced either, even where the folder allows it.
    if (::access(m_writer.target().constData(), F_OK) == 0 &&
        ::access(m_writer.target().constData(), W_OK) != 0)
        throw Error(fileCreateErrorText(m_path, QString::fromLocal8Bit(std::strerror(EACCES))));
}

void HtmlOutputFile::fail()
{
    // Every failure of the page, part way included, reads as the file-creation error.
    throw Error(fileCreateErrorText(m_path, m_writer.result().cause));
}

void HtmlOutputFile::write(std::string_view bytes)
{
    if (!m_writer.write(bytes.data(), static_cast<qsizetype>(bytes.size())))
        fail();
}

void HtmlOutputFile::commit()
{
    if (!m_writer.commit())
        fail();
}

} // namespace pensilio::grid
