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

AtomicWriteResult failure(AtomicWriteResult::Failure kind, int error)
{
    return {kind, describe(error)};
}

} // namespace

AtomicWriteResult writeFileAtomically(const QString &path, const QByteArray &content)
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
    const QByteArray targetName = QFile::encodeName(target);

    struct stat st
    {
    };
    mode_t mode = 0666 & ~[] {
        const mode_t m = ::umask(0);
        ::umask(m);
        return m;
    }();
    if (::stat(targetName.constData(), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            return failure(F::Create, EISDIR);
        if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
            return failure(F::Create, EACCES);
        mode = st.st_mode & 07777;
    }

    const qsizetype slash = targetName.lastIndexOf('/');
    const QByteArray folder = slash >= 0 ? targetName.left(slash + 1) : QByteArray("./");
    const QByteArray base = slash >= 0 ? targetName.mid(slash + 1) : targetName;
    QByteArray tempName = folder + '.' + base + ".XXXXXX";
    const int fd = ::mkstemp(tempName.data());
    if (fd < 0)
        return failure(F::Create, errno);
    ::fchmod(fd, mode);

    const char *data = content.constData();
    qsizetype left = content.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, static_cast<size_t>(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int err = errno;
            ::close(fd);
            ::unlink(tempName.constData());
            return failure(F::Write, err);
        }
        data += n;
        left -= n;
    }
    const bool synced = ::fsync(fd) == 0;
    int err = synced ? 0 : errno;
    if (::close(fd) != 0 && synced)
        err = errno;
    if (err != 0) {
        ::unlink(tempName.constData());
        return failure(F::Write, err);
    }
    if (::rename(tempName.constData(), targetName.constData()) != 0) {
        const int err = errno;
        ::unlink(tempName.constData());
        return failure(F::Create, err);
    }
    // The rename itself is made durable by flushing the folder.
    const int dirFd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return {};
}

} // namespace pensilio
