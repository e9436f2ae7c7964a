// Disks and permissions that say no, for tests of what the system refuses.
//
// Root passes every permission check, and the tests run as root in CI: the writes that
// permissions must stop are made with the file-system identity of an ordinary user
// (setfsuid/setfsgid, this thread only). A full disk is a file-size limit, with the signal that
// the limit raises ignored so that the write fails instead of ending the process.
#pragma once

#include <signal.h>
#include <sys/fsuid.h>
#include <sys/resource.h>
#include <unistd.h>

namespace rpanel::test {

// The ids of nobody and nogroup.
inline constexpr uid_t kOrdinaryUser = 65534;
inline constexpr gid_t kOrdinaryGroup = 65534;

// Files are opened with an ordinary user's permissions for as long as it lives. For a user who
// is not root nothing changes: their own permissions apply.
class OrdinaryUserFiles {
public:
    OrdinaryUserFiles()
        : previousGroup_(setfsgid(kOrdinaryGroup)), previousUser_(setfsuid(kOrdinaryUser)) {}
    ~OrdinaryUserFiles() {
        setfsuid(previousUser_);
        setfsgid(previousGroup_);
    }
    OrdinaryUserFiles(const OrdinaryUserFiles&) = delete;
    OrdinaryUserFiles& operator=(const OrdinaryUserFiles&) = delete;

    // Whether permissions stop an ordinary user's writes here (setfsuid answers the identity in
    // force).
    static bool Stop() {
        const OrdinaryUserFiles probe;
        return geteuid() != 0 || setfsuid(static_cast<uid_t>(-1)) != 0;
    }

private:
    int previousGroup_;
    int previousUser_;
};

// The disk is full once a file reaches fullAt bytes, for as long as it lives.
class FullDisk {
public:
    explicit FullDisk(rlim_t fullAt) : previousSignal_(signal(SIGXFSZ, SIG_IGN)) {
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit full = previous_;
        full.rlim_cur = fullAt;
        setrlimit(RLIMIT_FSIZE, &full);
    }
    ~FullDisk() {
        setrlimit(RLIMIT_FSIZE, &previous_);
        signal(SIGXFSZ, previousSignal_);
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

private:
    rlimit previous_{};
    sighandler_t previousSignal_;
};

}  // namespace rpanel::test
