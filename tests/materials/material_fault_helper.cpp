// SPDX-License-Identifier: GPL-3.0-or-later
// Runs one save of the material file under a real fault, for the fault tests:
//   material_fault_helper full   FILE BYTES   file-size limit, SIGXFSZ ignored (disk full)
//   material_fault_helper killed FILE BYTES   file-size limit, SIGXFSZ ends the process
//   material_fault_helper readonly FILE       the file's folder bind-mounted read-only
//   material_fault_helper append FILE COUNT TAG   COUNT saves, each appending "TAG k", as
//                                                 a second window saving at the same time
// The save appends the material "Granit" (2.7). Prints the error, if any. Exit status:
// 0 saved, 1 refused with an error, 77 the fault could not be set up here.
#include <QByteArray>
#include <QFileInfo>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "process_faults.h"

#include "materials/material_store.h"

using mertano::test::kCannotSetUp;
using mertano::test::LimitFileSize;
using mertano::test::MountFolderReadOnly;

int main(int argc, char* argv[]) {
    if (argc < 3) return 2;
    const char* mode = argv[1];
    const QString file = QString::fromLocal8Bit(argv[2]);
    if (std::strcmp(mode, "append") == 0 && argc == 5) {
        mertano::MaterialStore store(file);
        for (int k = 0, count = std::atoi(argv[3]); k < count; ++k) {
            const QString name =
                QStringLiteral("%1 %2").arg(QString::fromLocal8Bit(argv[4])).arg(k);
            const auto error = store.Update([&name](mertano::MaterialTable table) {
                table.append(mertano::MakeMaterial(name, 1000));
                return table;
            });
            if (error) {
                std::fputs(error->message.toLocal8Bit().constData(), stdout);
                return 1;
            }
        }
        return 0;
    }
    if (std::strcmp(mode, "full") == 0 || std::strcmp(mode, "killed") == 0) {
        if (argc < 4) return 2;
        std::signal(SIGXFSZ, std::strcmp(mode, "full") == 0 ? SIG_IGN : SIG_DFL);
        if (!LimitFileSize(std::strtoull(argv[3], nullptr, 10))) return kCannotSetUp;
    } else if (std::strcmp(mode, "readonly") == 0) {
        if (!MountFolderReadOnly(QFileInfo(file).absolutePath().toLocal8Bit())) return kCannotSetUp;
    } else {
        return 2;
    }

    mertano::MaterialStore store(file);
    const auto error = store.Update([](mertano::MaterialTable table) {
        table.append(mertano::MakeMaterial(QStringLiteral("Granit"), 2700));
        return table;
    });
    if (!error) return 0;
    std::fputs(error->message.toLocal8Bit().constData(), stdout);
    return 1;
}
