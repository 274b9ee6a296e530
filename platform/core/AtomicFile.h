#pragma once
// Replacing a file so that it is either wholly old or wholly new: the content goes to a temporary
// file in the same folder, is flushed to disk and is renamed over the target.

#include <QByteArray>
#include <QString>

namespace pensilio {

struct AtomicWriteResult
{
    enum class Failure
    {
        None,
        Create,
        Write
    };
    Failure failure = Failure::None;
    QString cause; // the system's description of the failure
    bool ok() const { return failure == Failure::None; }
};

// Writes a file in pieces and puts it in place only on commit. A target that exists but carries
// no write permission is left alone and reported as a create failure: a file the user protected
// is not replaced. The target's permissions are kept, and a link keeps pointing at the new file.
class AtomicFileWriter
{
public:
    explicit AtomicFileWriter(const QString &path);
    // Without a successful commit the temporary file is removed and the target stays untouched.
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter &) = delete;
    AtomicFileWriter &operator=(const AtomicFileWriter &) = delete;

    // Each returns false once anything failed; result() then says what.
    bool write(const char *data, qsizetype size);
    bool commit();
    const AtomicWriteResult &result() const { return m_result; }
    // The file the writer replaces: the target of a link, else the path itself.
    const QByteArray &target() const { return m_target; }

private:
    bool fail(AtomicWriteResult::Failure kind, int error);
    void discard();

    QByteArray m_target;
    QByteArray m_temp;
    int m_fd = -1;
    AtomicWriteResult m_result;
};

AtomicWriteResult writeFileAtomically(const QString &path, const QByteArray &content);

} // namespace pensilio
