// SPDX-License-Identifier: GPL-3.0-or-later
// Keeps the workshop job as the job window keeps it (KeptJobPath() of the environment's
// XDG_DATA_HOME), prints the path, then dies or fails, for the kept-copy tests:
//   job_kept_helper killed     the next, larger save is killed by a file-size limit
//                              (SIGXFSZ) halfway through its bytes
//   job_kept_helper abort      abort() right after the save
//   job_kept_helper readonly   the folder bind-mounted read-only, then the larger save,
//                              whose error is printed on a second line
// Exit status: 1 the larger save failed as asked, 2 a wrong call, 3 the first save
// failed, 77 the fault could not be set up here; killed otherwise.
#include <QDir>
#include <QFileInfo>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "job_fixtures.h"
#include "process_faults.h"

using mertano::test::kCannotSetUp;
using mertano::test::LimitFileSize;
using mertano::test::MountFolderReadOnly;

int main(int argc, char* argv[]) {
    if (argc != 2) return 2;
    const char* mode = argv[1];
    const QString path = mertano::KeptJobPath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (mertano::SaveJob(path, mertano::test::WorkshopJob())) return 3;
    std::printf("%s\n", path.toLocal8Bit().constData());
    std::fflush(stdout);

    const mertano::Job larger = mertano::test::RepeatedJob(40);
    if (std::strcmp(mode, "abort") == 0) std::abort();
    if (std::strcmp(mode, "killed") == 0) {
        std::signal(SIGXFSZ, SIG_DFL);
        if (!LimitFileSize(rlim_t(mertano::JobBytes(larger).size() / 2))) return kCannotSetUp;
    } else if (std::strcmp(mode, "readonly") == 0) {
        if (!MountFolderReadOnly(QFileInfo(path).absolutePath().toLocal8Bit())) return kCannotSetUp;
    } else {
        return 2;
    }
    const std::optional<QString> error = mertano::SaveJob(path, larger);
    if (!error) return 0;
    std::printf("%s\n", error->toLocal8Bit().constData());
    return 1;
}
