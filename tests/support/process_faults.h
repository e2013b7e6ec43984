// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Real faults for the helper programs of the file tests: a file-size limit that cuts a
// save short, and a folder that turns read-only under a running process.
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>

#include <QByteArray>

namespace mertano::test {

// The exit status of a helper that could not set its fault up here (CTest's "skipped").
inline constexpr int kCannotSetUp = 77;

inline bool LimitFileSize(rlim_t bytes) {
    rlimit none{0, 0};
    setrlimit(RLIMIT_CORE, &none);  // a killed helper leaves no core file behind
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = bytes;
    return setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

// Only this process sees the mount: it lives in a mount namespace of its own.
inline bool MountFolderReadOnly(const QByteArray& folder) {
    const char* dir = folder.constData();
    return unshare(CLONE_NEWNS) == 0 &&
           mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
           mount(dir, dir, nullptr, MS_BIND, nullptr) == 0 &&
           mount(nullptr, dir, nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
}

}  // namespace mertano::test
