// SPDX-License-Identifier: GPL-3.0-or-later
#include "system/program_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "lang/language_file.h"

#ifndef MERTANO_DATA_FROM_BIN
#define MERTANO_DATA_FROM_BIN "../share/mertano"
#endif

namespace mertano {

namespace {

QString WithSeparator(const QString& folder) {
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

}  // namespace

QString ProgramFolder(const QString& executableFolder, const QString& dataFromExecutable) {
    if (executableFolder.isEmpty()) return {};
    const QString beside = QDir(executableFolder).absolutePath();
    if (!LanguageFolder(beside).isEmpty()) return WithSeparator(beside);
    if (!dataFromExecutable.isEmpty()) {
        const QString data = QDir::cleanPath(QDir(beside).absoluteFilePath(dataFromExecutable));
        if (QFileInfo(data).isDir()) return WithSeparator(data);
    }
    return WithSeparator(beside);
}

QString ProgramFolder() {
    return ProgramFolder(QCoreApplication::applicationDirPath(),
                         QStringLiteral(MERTANO_DATA_FROM_BIN));
}

}  // namespace mertano
