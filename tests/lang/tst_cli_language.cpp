// SPDX-License-Identifier: GPL-3.0-or-later
// mertano-cli --language, run as built, with the language files copied beside it.
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "lang_fixture.h"
#include "test_main.h"

namespace {

struct CliRun {
    int status = -1;
    QString message;
    QByteArray err;
};

// The settings store of the child is a folder of its own, holding `stored` as the language.
CliRun Cli(const QStringList& args, const QString& stored, const QByteArray& input = {}) {
    QTemporaryDir config;
    if (!stored.isEmpty()) {
        QDir().mkpath(config.path() + "/Vrelk");
        QFile conf(config.path() + "/Vrelk/Mertano.conf");
        if (conf.open(QIODevice::WriteOnly))
            conf.write("[General]\nLanguage=" + stored.toUtf8() + "\n");
    }
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", config.path());
    p.setProcessEnvironment(env);
    p.start(MERTANO_CLI, args);
    p.write(input);
    p.closeWriteChannel();
    p.waitForFinished(60000);
    const QByteArray out = p.readAllStandardOutput();
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QJsonDocument::fromJson(out).object()["message"].toString(), p.readAllStandardError()};
}

const QStringList kSides{"Triangle", "a=3", "b=4", "c=7", "--json"};

}  // namespace

class TestCliLanguage : public QObject {
    Q_OBJECT

private slots:
    void messagesFollowTheLanguage_data() {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("firstLine");
        QTest::newRow("default is English") << QStringList{} << ""
                                            << "Side c must be shorter than a + b.";
        QTest::newRow("stored language") << QStringList{} << "German"
                                         << "Die Seite c muss kürzer als a + b sein.";
        QTest::newRow("stored language without a file falls back to English")
            << QStringList{} << "Klingon"
            << "Side c must be shorter than a + b.";
        QTest::newRow("named language wins") << QStringList{"--language", "Hungarian"} << "German"
                                             << "A c oldalnak rövidebbnek kell lennie, mint a + b.";
        QTest::newRow("name in any case") << QStringList{"--language", "gERMAN"} << ""
                                          << "Die Seite c muss kürzer als a + b sein.";
    }
    void messagesFollowTheLanguage() {
        QFETCH(QStringList, options);
        QFETCH(QString, stored);
        const CliRun r = Cli(kSides + options, stored);
        QCOMPARE(r.status, 2);
        QTEST(r.message.section('\r', 0, 0), "firstLine");
    }

    void batchFollowsTheLanguage() {
        const CliRun r = Cli({"--batch", "--language", "German"}, "",
                             "{\"figure\": \"Triangle\", \"fields\": {\"gamma\": \"200\"}}\n");
        QCOMPARE(r.status, 0);
        QCOMPARE(r.message, QString("Der Winkel γ darf nicht größer als 180° sein."));
    }

    void badNamesAreUsageErrors_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("says");
        QTest::newRow("no such file") << "Klingon"
                                      << "Klingon.lng";
        QTest::newRow("path out of the folder") << "../Language/German"
                                                << "not a language name";
        QTest::newRow("empty") << ""
                               << "not a language name";
    }
    void badNamesAreUsageErrors() {
        QFETCH(QString, name);
        QFETCH(QString, says);
        const CliRun r = Cli(kSides + QStringList{"--language", name}, "");
        QCOMPARE(r.status, 64);
        QVERIFY2(r.err.contains(says.toUtf8()), r.err.constData());
        QVERIFY(r.err.contains("English, German, Hungarian"));
    }
};

MERTANO_REGISTER_TEST(TestCliLanguage)
#include "tst_cli_language.moc"
