#include "platform/grid/HtmlOutputFile.h"

#include "platform/core/Error.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pensilio::grid {

namespace {
QString describe(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}
} // namespace

QString fileCreateErrorText(const QString &path, const QString &cause)
{
    return QStringLiteral("Cannot create file \"%1\". %2").arg(path, cause);
}

HtmlOutputFile::HtmlOutputFile(const QString &path) : m_path(path)
{
    QString target = path;
    // Writing through a link keeps the link and replaces the file it names.
    const QFileInfo info(path);
    if (info.isSymLink() && !info.canonicalFilePath().isEmpty())
        target = info.canonicalFilePath();
    m_target = QFile::encodeName(target);

    mode_t mode = 0666 & ~[] {
        const mode_t m = ::umask(0);
        ::umask(m);
        return m;
    }();
    struct stat st
    {
    };
    if (::stat(m_target.constData(), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            fail(EISDIR);
        // A page the user protected is not replaced.
        if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 ||
            ::access(m_target.constData(), W_OK) != 0)
            fail(EACCES);
        mode = st.st_mode & 07777;
    }
    const qsizetype slash = m_target.lastIndexOf('/');
    const QByteArray folder = slash >= 0 ? m_target.left(slash + 1) : QByteArray("./");
    const QByteArray base = slash >= 0 ? m_target.mid(slash + 1) : m_target;
    m_temp = folder + '.' + base + ".XXXXXX";
    m_fd = ::mkstemp(m_temp.data());
    if (m_fd < 0)
        fail(errno);
    ::fchmod(m_fd, mode);
}

HtmlOutputFile::~HtmlOutputFile()
{
    discard();
}

void HtmlOutputFile::discard()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
        ::unlink(m_temp.constData());
    }
}

void HtmlOutputFile::fail(int error)
{
    discard();
    throw Error(fileCreateErrorText(m_path, describe(error)));
}

void HtmlOutputFile::write(std::string_view bytes)
{
    const char *data = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(m_fd, data, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            fail(errno);
        }
        data += n;
        left -= size_t(n);
    }
}

void HtmlOutputFile::commit()
{
    if (::fsync(m_fd) != 0)
        fail(errno);
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(m_temp.constData());
        throw Error(fileCreateErrorText(m_path, describe(error)));
    }
    if (::rename(m_temp.constData(), m_target.constData()) != 0) {
        const int error = errno;
        ::unlink(m_temp.constData());
        throw Error(fileCreateErrorText(m_path, describe(error)));
    }
    const qsizetype slash = m_target.lastIndexOf('/');
    const QByteArray folder = slash >= 0 ? m_target.left(slash + 1) : QByteArray("./");
    const int dirFd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
}

} // namespace pensilio::grid
