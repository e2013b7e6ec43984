// SPDX-License-Identifier: GPL-3.0-or-later
// The mass in mertano-cli: the built binary run in a folder with its own Gravity.grv.
#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

#include "material_fixtures.h"
#include "test_main.h"

using namespace mertano::test;

namespace {

const QByteArray kFile = Records({{"Vas", 7250}, {"R\xc3\xa9z", 8900}, {"Fa", 700}, {"Fa", 800}});

}  // namespace

class TstMaterialCli : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    struct Run {
        int status = -1;
        QJsonObject json;
        QByteArray out;
        QByteArray err;
    };
    Run cli(const QStringList& args, const QByteArray& input = {}) {
        QProcess p;
        p.setWorkingDirectory(dir_.path());
        p.start(MERTANO_CLI, args);
        p.write(input);
        p.closeWriteChannel();
        p.waitForFinished(60000);
        Run r{p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
              {},
              p.readAllStandardOutput(),
              p.readAllStandardError()};
        r.json = QJsonDocument::fromJson(r.out.split('\n').first()).object();
        return r;
    }

private slots:
    void init() {
        QVERIFY(dir_.isValid());
        QDir(dir_.path()).removeRecursively();
        QDir().mkpath(dir_.path());
    }

    void mass_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("mass");  // empty: no mass in the results
        QTest::newRow("cube of 10 cm in iron")
            << QStringList{"Cube", "a=10", "--unit", "cm", "--material", "Vas"} << "7.2500";
        QTest::newRow("cube of 100 mm")
            << QStringList{"Cube", "a=100", "--material", "Vas"} << "7.2500";
        QTest::newRow("cube of 0.1 m")
            << QStringList{"Cube", "a=0.1", "--unit", "m", "--material", "Vas"} << "7.2500";
        QTest::newRow("UTF-8 name")
            << QStringList{"Cube", "a=10", "--unit", "cm", "--material", QString::fromUtf8("Réz")}
            << "8.9000";
        QTest::newRow("last of equal names")
            << QStringList{"Cube", "a=10", "--unit", "cm", "--material", "Fa"} << "0.8000";
        QTest::newRow("name trimmed")
            << QStringList{"Cube", "a=10", "--unit", "cm", "--material", " Vas "} << "7.2500";
        QTest::newRow("cube of 10 in")
            << QStringList{"Cube", "a=10", "--unit", "in", "--material", "Vas"} << "118.8062";
        QTest::newRow("unit without a factor shows no mass, and says so")
            << QStringList{"Cube", "a=10", "--unit", "inch", "--material", "Vas"} << "";
        QTest::newRow("blank material shows no mass")
            << QStringList{"Cube", "a=10", "--material", " "} << "";
        QTest::newRow("no material") << QStringList{"Cube", "a=10"} << "";
        QTest::newRow("plane figure has no mass")
            << QStringList{"Circle", "r=1", "--material", "Vas"} << "";
    }
    void mass() {
        WriteBytes(QDir(dir_.path()).filePath("Gravity.grv"), kFile);
        QFETCH(QStringList, args);
        const Run r = cli(args + QStringList{"--json"});
        QCOMPARE(r.status, 0);
        QFETCH(QString, mass);
        const QJsonObject results = r.json["results"].toObject();
        QCOMPARE(results.contains("mass"), !mass.isEmpty());
        QCOMPARE(results["mass"].toString(), mass);
        QCOMPARE(r.err, args.contains("inch") ? "mertano-cli: the mass is left out: the unit "
                                                "\"inch\" is none of mm, cm, dm, m, in and ft\n"
                                              : QByteArray());
    }

    void tableShowsTheMassInKg() {
        WriteBytes(QDir(dir_.path()).filePath("Gravity.grv"), kFile);
        const Run r = cli({"Cube", "a=10", "--unit", "cm", "--material", "Vas"});
        QVERIFY(r.out.contains("7.2500 kg"));
    }

    void batchRequestNamesItsMaterial() {
        WriteBytes(QDir(dir_.path()).filePath("Gravity.grv"), kFile);
        const Run r =
            cli({"--batch"},
                "{\"figure\": \"Cube\", \"fields\": {\"a\": \"10\"}, \"unit\": \"cm\", "
                "\"material\": \"Vas\"}\n"
                "{\"figure\": \"Cube\", \"fields\": {\"a\": \"10\"}, \"unit\": \"cm\"}\n" +
                    QByteArray("{\"figure\": \"Cube\", \"fields\": {\"a\": \"10\"}, \"unit\": "
                               "\"inch\", \"material\": \"Vas\"}\n")
                        .repeated(3));
        const QList<QByteArray> lines = r.out.split('\n');
        QCOMPARE(r.err.count("(such as \"inch\")\n"), 1);  // told once, not per line
        QCOMPARE(
            QJsonDocument::fromJson(lines[0]).object()["results"].toObject()["mass"].toString(),
            QStringLiteral("7.2500"));
        QVERIFY(!QJsonDocument::fromJson(lines[1]).object()["results"].toObject().contains("mass"));
    }

    // A name the file does not hold would give a mass of 0 that the file never said: the
    // request cannot be taken, and the message lists what the file holds.
    void materialNotInTheFile_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        const QStringList cube = {"Cube", "a=10", "--unit", "cm", "--material"};
        QTest::newRow("other letter case")
            << kFile << cube + QStringList{"vas"}
            << QString::fromUtf8(
                   "the material \"vas\" is not in <folder>/Gravity.grv, which holds \"Vas\", "
                   "\"R\u00e9z\", \"Fa\" (names are compared exactly, letter case too)");
        QTest::newRow("empty file")
            << QByteArray() << cube + QStringList{"Vas"} << "which holds no materials";
        QTest::newRow("batch line") << kFile << QStringList{"--batch"} << "\"Iron\" is not in";
    }
    void materialNotInTheFile() {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        WriteBytes(QDir(dir_.path()).filePath("Gravity.grv"), file);
        message.replace("<folder>", QDir(dir_.path()).canonicalPath());
        const bool batch = args.contains("--batch");
        const Run r = cli(args,
                          "{\"figure\": \"Cube\", \"fields\": {\"a\": \"1\"}, \"material\": "
                          "\"Iron\"}\n{\"figure\": \"Cube\", \"fields\": {\"a\": \"1\"}}\n");
        QCOMPARE(r.status, batch ? 65 : 64);
        const QString said = batch ? r.json["message"].toString() : QString::fromUtf8(r.err);
        QVERIFY2(said.contains(message), qPrintable(said));
        QCOMPARE(r.out.count("\"Solved\""), batch ? 1 : 0);  // the other lines are answered
    }

    void fileTrouble_data() {
        QTest::addColumn<QString>("trouble");
        QTest::addColumn<QString>("mass");
        QTest::addColumn<QString>("warning");
        QTest::newRow("missing file leaves the mass out") << "missing"
                                                          << ""
                                                          << "There is no material file";
        // The command line never saves, so it speaks of no copy kept before a save.
        QTest::newRow("damaged file gives its whole records")
            << "damaged"
            << "7.2500"
            << "damaged: its size, 113 bytes, is not a multiple of 28 (the last 1 bytes are no "
               "whole record and were not read). Its whole records were read; the file was "
               "left as it is.\n";
        QTest::newRow("directory in the file's place leaves the mass out") << "directory"
                                                                           << ""
                                                                           << "Could not read";
        QTest::newRow("symbolic-link loop is unreadable, not missing") << "loop"
                                                                       << ""
                                                                       << "Could not read";
        QTest::newRow("named pipe is refused without waiting") << "pipe"
                                                               << ""
                                                               << "named pipe";
        QTest::newRow("endless device is refused without reading") << "zero"
                                                                   << ""
                                                                   << "device";
    }
    void fileTrouble() {
        QFETCH(QString, trouble);
        const QString path = QDir(dir_.path()).filePath("Gravity.grv");
        if (trouble == "damaged") WriteBytes(path, kFile + "\x05");
        if (trouble == "directory") QDir(dir_.path()).mkdir("Gravity.grv");
        if (trouble == "loop") QVERIFY(QFile::link(path, path));
        if (trouble == "pipe") QCOMPARE(mkfifo(QFile::encodeName(path), 0600), 0);
        if (trouble == "zero") QVERIFY(QFile::link("/dev/zero", path));
        const Run r = cli({"Cube", "a=10", "--unit", "cm", "--material", "Vas", "--json"});
        QCOMPARE(r.status, 0);
        QFETCH(QString, mass);
        QCOMPARE(r.json["results"].toObject()["mass"].toString(), mass);
        QFETCH(QString, warning);
        QVERIFY2(QString::fromLocal8Bit(r.err).contains(warning), r.err.constData());
        QCOMPARE(r.err.count('\n'), warning.isEmpty() ? 0 : 1);
        if (trouble == "missing") QVERIFY2(!QFile::exists(path), "the command line writes nothing");
        if (trouble == "damaged") QCOMPARE(ReadBytes(path), kFile + "\x05");
    }
};
MERTANO_REGISTER_TEST(TstMaterialCli)

#include "tst_material_cli.moc"
