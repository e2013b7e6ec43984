// SPDX-License-Identifier: GPL-3.0-or-later
#include "system/user_data_folder.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <filesystem>
#include <system_error>

namespace mertano {

QString UserDataFolder() {
    const QString name = QStringLiteral("/mertano");
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    // Qt takes a relative XDG_DATA_HOME as it stands, which would put the materials
    // wherever the program happened to be started.
    const QString xdg = qEnvironmentVariable("XDG_DATA_HOME");
    if (!xdg.isEmpty() && QDir::isRelativePath(xdg))
        return QDir::cleanPath(QDir::homePath() + QStringLiteral("/.local/share") + name);
#endif
    return QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                           name);
}

std::optional<DataFolderFailure> EnterFolder(const QString& folder) {
    // std::filesystem, unlike QDir::mkpath, says why it failed.
    const std::filesystem::path path(QFile::encodeName(folder).toStdString());
    std::error_code error;
    std::filesystem::create_directories(path, error);
    if (!error) std::filesystem::current_path(path, error);
    if (!error) return std::nullopt;
    return DataFolderFailure{folder, QDir::currentPath(),
                             QString::fromLocal8Bit(error.message().c_str())};
}

QString DataFolderNotMadeText(const LanguageTexts& texts, const DataFolderFailure& failure) {
    return QString::fromStdString(FillIn(texts.text(kTextDataFolderNotMade),
                                         {QDir::toNativeSeparators(failure.folder).toStdString(),
                                          QDir::toNativeSeparators(failure.kept).toStdString()}));
}

}  // namespace mertano
