#include "platform/core/AtomicFile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pensilio {

namespace {

QString describe(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

QByteArray folderOf(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash >= 0 ? path.left(slash + 1) : QByteArray("./");
}

} // namespace

AtomicFileWriter::AtomicFileWriter(const QString &path)
{
    using F = AtomicWriteResult::Failure;
    QString target = path;
    // Writing through a link keeps the link and replaces the file it names.
    const QFileInfo info(path);
    if (info.isSymLink()) {
        const QString resolved = info.canonicalFilePath();
        if (!resolved.isEmpty())
            target = resolved;
    }
    m_target = QFile::encodeName(target);

    struct stat st
    {
    };
    mode_t mode = 0666 & ~[] {
        const mode_t m = ::umask(0);
        ::umask(m);
        return m;
    }();
    if (::stat(m_target.constData(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) {
            fail(F::Create, EISDIR);
            return;
        }
        if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
            fail(F::Create, EACCES);
            return;
        }
        mode = st.st_mode & 07777;
    }

    const QByteArray folder = folderOf(m_target);
    m_temp = folder + '.' + m_target.mid(folder.size()) + ".XXXXXX";
    m_fd = ::mkstemp(m_temp.data());
    if (m_fd < 0) {
        fail(F::Create, errno);
        return;
    }
    ::fchmod(m_fd, mode);
}

AtomicFileWriter::~AtomicFileWriter()
{
    discard();
}

void AtomicFileWriter::discard()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
        ::unlink(m_temp.constData());
    }
}

bool AtomicFileWriter::fail(AtomicWriteResult::Failure kind, int error)
{
    discard();
    m_result = {kind, describe(error)};
    return false;
}

bool AtomicFileWriter::write(const char *data, qsizetype size)
{
    if (!m_result.ok())
        return false;
    while (size > 0) {
        const ssize_t n = ::write(m_fd, data, static_cast<size_t>(size));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return fail(AtomicWriteResult::Failure::Write, errno);
        }
        data += n;
        size -= n;
    }
    return true;
}

bool AtomicFileWriter::commit()
{
    using F = AtomicWriteResult::Failure;
    if (!m_result.ok())
        return false;
    const bool synced = ::fsync(m_fd) == 0;
    int err = synced ? 0 : errno;
    if (::close(m_fd) != 0 && synced)
        err = errno;
    m_fd = -1;
    if (err != 0) {
        ::unlink(m_temp.constData());
        m_result = {F::Write, describe(err)};
        return false;
    }
    if (::rename(m_temp.constData(), m_target.constData()) != 0) {
        err = errno;
        ::unlink(m_temp.constData());
        m_result = {F::Create, describe(err)};
        return false;
    }
    // The rename itself is made durable by flushing the folder.
    const int dirFd = ::open(folderOf(m_target).constData(), O_RDONLY | O_DIRECTORY);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return true;
}

AtomicWriteResult writeFileAtomically(const QString &path, const QByteArray &content)
{
    AtomicFileWriter writer(path);
    if (writer.write(content.constData(), content.size()))
        writer.commit();
    return writer.result();
}

} // namespace pensilio
