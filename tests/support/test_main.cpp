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
std::vector<TestFactory>& Registry() {
    static std::vector<TestFactory> registry;
    return registry;
}
}  // namespace mertano::test

int main(int argc, char* argv[]) {
    QTemporaryDir home;
    if (!home.isValid()) return 2;
    qputenv("XDG_CONFIG_HOME", QDir(home.path()).filePath("config").toLocal8Bit());
    QStandardPaths::setTestModeEnabled(true);
    QLocale::setDefault(QLocale::c());
    TestApplication app(argc, argv);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, home.path() + "/settings");
    QDir::setCurrent(home.path());

    int failures = 0;
    for (const auto& make : mertano::test::Registry()) {
        std::unique_ptr<QObject> test(make());
        failures += QTest::qExec(test.get(), argc, argv);
    }
    return failures == 0 ? 0 : 1;
}
