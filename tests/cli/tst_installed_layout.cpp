// SPDX-License-Identifier: GPL-3.0-or-later
// mertano-cli copied into an installed layout, a moved prefix or a portable copy, and run
// from another folder: it finds the language files where that layout keeps them.
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "test_main.h"

namespace {

// Text 33 of a shipped language file: the first line of the message that three sides do
// not form a triangle.
QString SidesMessage(const QString& language) {
    QFile file(QStringLiteral(MERTANO_LANGUAGE_SOURCES "/") + language + ".lng");
    if (!file.open(QIODevice::ReadOnly)) return {};
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (line.startsWith("033 ")) return QString::fromUtf8(line.mid(4)).trimmed();
    }
    return {};
}

}  // namespace

class TstInstalledLayout : public QObject {
    Q_OBJECT

private slots:
    void findsItsLanguages_data() {
        const QString data = QStringLiteral(MERTANO_DATA_FROM_BIN);
        QTest::addColumn<QString>("program");        // where the executable goes
        QTest::addColumn<QStringList>("languages");  // language files: folder/Name
        QTest::addColumn<QString>("language");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");  // the language the message is in; empty: none
        QTest::newRow("installed prefix") << "usr/bin"
                                          << QStringList{"usr/bin/" + data + "/Language/German",
                                                         "usr/bin/" + data + "/Language/Hungarian"}
                                          << "Hungarian" << 2 << "Hungarian";
        QTest::newRow("prefix moved elsewhere")
            << "opt/mertano-copy/bin"
            << QStringList{"opt/mertano-copy/bin/" + data + "/Language/German"} << "German" << 2
            << "German";
        QTest::newRow("portable copy")
            << "copy" << QStringList{"copy/Language/German"} << "German" << 2 << "German";
        QTest::newRow("no language files anywhere")
            << "usr/bin" << QStringList{} << "English" << 64 << "";
    }
    void findsItsLanguages() {
        QFETCH(QString, program);
        QFETCH(QStringList, languages);
        QFETCH(QString, language);
        QFETCH(int, status);
        QFETCH(QString, message);

        QTemporaryDir root;
        QVERIFY(root.isValid());
        const QDir dir(root.path());
        QVERIFY(dir.mkpath(program));
        QVERIFY(dir.mkpath("work"));
        const QString cli = dir.filePath(program + "/mertano-cli");
        QVERIFY(QFile::copy(MERTANO_CLI, cli));
        for (const QString& entry : languages) {
            QVERIFY(dir.mkpath(entry.section('/', 0, -2)));
            QVERIFY(QFile::copy(
                QStringLiteral(MERTANO_LANGUAGE_SOURCES "/") + entry.section('/', -1) + ".lng",
                dir.filePath(entry + ".lng")));
        }

        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", dir.filePath("config"));
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(dir.filePath("work"));
        p.start(cli, {"Triangle", "a=1", "b=1", "c=5", "--json", "--language", language});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), status);
        if (message.isEmpty()) return;
        const QString shown =
            QJsonDocument::fromJson(p.readAllStandardOutput()).object()["message"].toString();
        const QString expected = SidesMessage(message);
        QVERIFY(!expected.isEmpty());
        QVERIFY2(shown.startsWith(expected), qPrintable(shown));
    }
};

MERTANO_REGISTER_TEST(TstInstalledLayout)
#include "tst_installed_layout.moc"
