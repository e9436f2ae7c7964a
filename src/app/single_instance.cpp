#include "app/single_instance.h"

#include <QDir>
#include <QStandardPaths>

namespace rpanel {

SingleInstance::SingleInstance(const QString& directory)
    : path_(directory.isEmpty() ? QString()
                                : QDir(directory).filePath(QStringLiteral("OEM2-PROGRAM"))),
      lock_(path_) {
    // The lock is held for as long as the program runs: only a dead owner makes it stale,
    // never its age.
    lock_.setStaleLockTime(0);
}

SingleInstance::Result SingleInstance::Acquire() {
    if (path_.isEmpty()) {
        return Result::Unavailable;
    }
    if (lock_.tryLock(0)) {
        return Result::Acquired;
    }
    return lock_.error() == QLockFile::LockFailedError ? Result::HeldElsewhere
                                                       : Result::Unavailable;
}

QString SingleInstance::DefaultDirectory() {
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
}

}  // namespace rpanel
