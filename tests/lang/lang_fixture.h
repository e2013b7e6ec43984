// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A program folder of a test's own: the language files it needs and nothing else.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

namespace mertano::test {

class ProgramFolder {
public:
    QString path() const { return dir_.path(); }

    // Writes folder/name with the bytes given, creating the folder.
    void Write(const QString& relativePath, const QByteArray& bytes) const {
        const QString file = QDir(path()).filePath(relativePath);
        QDir().mkpath(QFileInfo(file).path());
        QFile out(file);
        if (out.open(QIODevice::WriteOnly)) out.write(bytes);
    }
    void AddLanguage(const QString& name, const QByteArray& bytes = "003 x\r\n") const {
        Write(QStringLiteral("Language/") + name + QStringLiteral(".lng"), bytes);
    }
    // One of the files the program ships.
    void AddShipped(const QString& name) const {
        QFile in(QStringLiteral(MERTANO_LANGUAGE_SOURCES "/") + name + QStringLiteral(".lng"));
        if (in.open(QIODevice::ReadOnly)) AddLanguage(name, in.readAll());
    }

private:
    QTemporaryDir dir_;
};

// For one block the settings store lies under a regular file, where it can be neither
// made nor written, for root as for anyone.
class UnwritableSettings {
public:
    UnwritableSettings() {
        const QString file =
            QSettings(QSettings::NativeFormat, QSettings::UserScope, "Vrelk", "Mertano").fileName();
        saved_ = QFileInfo(QFileInfo(file).path()).path();  // above "Vrelk/Mertano.conf"
        QFile blocker(dir_.filePath("blocker"));
        if (blocker.open(QIODevice::WriteOnly)) blocker.close();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           dir_.filePath("blocker/settings"));
    }
    ~UnwritableSettings() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, saved_);
    }
    UnwritableSettings(const UnwritableSettings&) = delete;
    UnwritableSettings& operator=(const UnwritableSettings&) = delete;

private:
    QTemporaryDir dir_;
    QString saved_;
};

inline void ClearSettings() {
    QSettings(QSettings::NativeFormat, QSettings::UserScope, "Vrelk", "Mertano").clear();
}

inline QString Setting(const QString& key) {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, "Vrelk", "Mertano")
        .value(key)
        .toString();
}

inline void SetSetting(const QString& key, const QString& value) {
    QSettings(QSettings::NativeFormat, QSettings::UserScope, "Vrelk", "Mertano")
        .setValue(key, value);
}

}  // namespace mertano::test
