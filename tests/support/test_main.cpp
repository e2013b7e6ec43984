// SPDX-License-Identifier: GPL-3.0-or-later
// Runs every registered test class in a fresh temporary working folder with its own
// settings store, so no test touches the user's files or depends on the machine.
#include <QDir>
#include <QLocale>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#ifdef MERTANO_TEST_GUI
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#endif

#include "test_main.h"

namespace mertano::test {
std::vector<TestEntry>& Registry() {
    static std::vector<TestEntry> registry;
    return registry;
}
}  // namespace mertano::test

int main(int argc, char* argv[]) {
    QTemporaryDir home;
    if (!home.isValid()) return 2;
    qputenv("XDG_CONFIG_HOME", QDir(home.path()).filePath("config").toLocal8Bit());
    // The kept job and the per-user materials go here, never into the real home.
    qputenv("XDG_DATA_HOME", QDir(home.path()).filePath("data").toLocal8Bit());
    QStandardPaths::setTestModeEnabled(true);
    QLocale::setDefault(QLocale::c());
    TestApplication app(argc, argv);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, home.path() + "/settings");
    QDir::setCurrent(home.path());

    // CTest runs each class on its own (MERTANO_TEST_CLASS), so one crash names its class
    // and cannot hide the others; without it every class runs, as by hand.
    const QByteArray only = qgetenv("MERTANO_TEST_CLASS");
    int failures = 0;
    int ran = 0;
    for (const auto& entry : mertano::test::Registry()) {
        if (!only.isEmpty() && only != entry.name) continue;
        std::unique_ptr<QObject> test(entry.make());
        failures += QTest::qExec(test.get(), argc, argv);
        ++ran;
    }
    if (ran == 0) return 3;
    return failures == 0 ? 0 : 1;
}
