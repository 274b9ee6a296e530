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

// A target that exists but carries no write permission is left alone and reported as a create
// failure: a file the user protected is not replaced. The target's permissions are kept.
AtomicWriteResult writeFileAtomically(const QString &path, const QByteArray &content);

} // namespace pensilio
