// One running program per user: a lock file named "OEM2-PROGRAM" in the user's runtime
// directory, held while the program runs. A lock left by a program that has crashed is taken
// over, so a crash never blocks the next start.
#pragma once

#include <QLockFile>
#include <QString>

namespace rpanel {

class SingleInstance {
public:
    enum class Result {
        Acquired,
        HeldElsewhere,  // another instance runs
        Unavailable,    // the lock cannot be made there: run without the guard
    };

    // An empty directory (the system has no runtime directory for us) makes the lock
    // unavailable.
    explicit SingleInstance(const QString& directory = DefaultDirectory());

    Result Acquire();
    QString LockPath() const { return path_; }

    static QString DefaultDirectory();

private:
    QString path_;
    QLockFile lock_;
};

}  // namespace rpanel
