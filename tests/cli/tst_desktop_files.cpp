// SPDX-License-Identifier: GPL-3.0-or-later
// What is installed beside the programs and must keep up with them: the bash completion
// offers what mertano-cli accepts, the manual pages name every option, and the desktop
// entry starts Mertano where its materials are kept.
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "../materials/material_fixtures.h"
#include "test_main.h"

using mertano::test::Records;
using mertano::test::WriteBytes;

namespace {

struct Output {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

// `folder` empty: the test's own working folder; `environment` empty: the test's own.
Output Run(const QString& program, const QStringList& args, const QString& folder = {},
           const QProcessEnvironment& environment = {}) {
    QProcess p;
    if (!folder.isEmpty()) p.setWorkingDirectory(folder);
    if (!environment.isEmpty()) p.setProcessEnvironment(environment);
    p.start(program, args);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

// What the completion offers for the words typed, the last being the one completed;
// bash splits NAME=VALUE at "=", so tests pass the pieces as bash would.
QStringList Complete(const QStringList& words, const QString& folder = {},
                     const QProcessEnvironment& environment = {}) {
    const QString script = QStringLiteral(
        "source \"$0\"; COMP_WORDS=(\"$@\"); COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); "
        "_mertano_cli; printf '%s\\n' \"${COMPREPLY[@]}\"");
    const Output r = Run(
        "bash",
        QStringList{"-c", script, QStringLiteral(MERTANO_DATA_SOURCE "mertano-cli.bash")} + words,
        folder, environment);
    QStringList offered = QString::fromUtf8(r.out).split('\n', Qt::SkipEmptyParts);
    offered.sort();
    return offered;
}

QStringList LongOptions(const QByteArray& help) {
    QStringList options;
    const QRegularExpression option(QStringLiteral("^\\s+(?:-\\w, )?--([a-z][a-z-]*)"));
    for (const QByteArray& line : help.split('\n')) {
        const QRegularExpressionMatch m = option.match(QString::fromUtf8(line));
        if (m.hasMatch()) options << m.captured(1);
    }
    return options;
}

// The figures as mertano-cli --help lists them: "Figures: A, B,\nC." up to the point.
QStringList Figures() {
    QProcess p;
    p.start(MERTANO_CLI, {"--help"});
    p.waitForFinished(60000);
    const QString help = QString::fromUtf8(p.readAllStandardOutput());
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("Figures:([^.]*)\\.")).match(help);
    QStringList figures;
    for (const QString& name : m.captured(1).split(',')) figures << name.simplified();
    figures.removeAll(QString());
    return figures;
}

QStringList Sorted(QStringList list) {
    list.sort();
    return list;
}

// The environment of a program started from the menu of a desktop whose home is `home`,
// with a settings store of its own, so that the language is settled from `locale`.
QProcessEnvironment MenuEnvironment(const QString& home, const QString& locale = "C.UTF-8") {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("XDG_DATA_HOME");
    env.insert("HOME", home);
    env.insert("XDG_CONFIG_HOME", home + "/.config");
    env.insert("LC_ALL", locale);
    env.insert("QT_QPA_PLATFORM", "offscreen");
    return env;
}

}  // namespace

class TstCompletion : public QObject {
    Q_OBJECT

private slots:
    void figuresAreTheOnesOfHelp() {
        const QStringList figures = Figures();
        QCOMPARE(figures.size(), 13);
        QCOMPARE(Complete({MERTANO_CLI, ""}), Sorted(figures));
    }

    void fieldsOfEachFigure_data() {
        QTest::addColumn<QString>("figure");
        for (const QString& figure : Figures()) QTest::newRow(qPrintable(figure)) << figure;
    }
    void fieldsOfEachFigure() {
        QFETCH(QString, figure);
        const Output r = Run(MERTANO_CLI, {figure, "--json"});
        // The pieces, a density and a price, beside the figure's fields.
        QStringList accepted = {"count=", "density=", "price="};
        for (const QString& field :
             QJsonDocument::fromJson(r.out).object()["fields"].toObject().keys())
            accepted << field + "=";
        QVERIFY(!accepted.isEmpty());
        QCOMPARE(Complete({MERTANO_CLI, figure, ""}), Sorted(accepted));
        // Also after options and values already given.
        QCOMPARE(Complete({MERTANO_CLI, "--unit", "cm", figure, "r", "=", "3", ""}),
                 Sorted(accepted));
    }

    void optionsAreTheOnesOfHelp() {
        QStringList options;
        for (const QString& name : LongOptions(Run(MERTANO_CLI, {"--help"}).out))
            options << "--" + name;
        QVERIFY(options.contains("--language"));
        QCOMPARE(Complete({MERTANO_CLI, "--"}), Sorted(options));
    }

    void values_data() {
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<QStringList>("offered");
        QTest::newRow("units") << QStringList{MERTANO_CLI, "--unit", ""}
                               << QStringList{"cm", "dm", "ft", "in", "m", "mm"};
        QTest::newRow("languages beside the program")
            << QStringList{MERTANO_CLI, "Cone", "--language", ""}
            << QStringList{"English", "German", "Hungarian"};
        QTest::newRow("pattern formats") << QStringList{MERTANO_CLI, "Cone", "--pattern", ""}
                                         << QStringList{"dxf", "svg"};
        // The value after --seam is no figure: the fields of the cone still follow.
        QTest::newRow("fields after the seam")
            << QStringList{MERTANO_CLI, "--seam", "5", "Cone", "r"} << QStringList{"r="};
        QTest::newRow("languages by prefix")
            << QStringList{MERTANO_CLI, "--language", "G"} << QStringList{"German"};
        QTest::newRow("a value after NAME=")
            << QStringList{MERTANO_CLI, "Cone", "r", "=", ""} << QStringList{};
        QTest::newRow("fields by prefix")
            << QStringList{MERTANO_CLI, "cone", "a"} << QStringList{"a=", "alfa="};
        QTest::newRow("a field and the density by prefix")
            << QStringList{MERTANO_CLI, "Circle", "d"} << QStringList{"d=", "density="};
        QTest::newRow("the price after a value")
            << QStringList{MERTANO_CLI, "Cube", "a", "=", "2", "p"} << QStringList{"price="};
        QTest::newRow("an unknown figure has no fields")
            << QStringList{MERTANO_CLI, "Pyramid", ""} << QStringList{};
    }
    void values() {
        QFETCH(QStringList, words);
        QTEST(Complete(words), "offered");
    }

    // The units of the mass, as --help names them ("other than mm, ... and ft").
    void unitsAreTheOnesOfHelp() {
        const QString help = QString::fromUtf8(Run(MERTANO_CLI, {"--help"}).out);
        const QRegularExpressionMatch m =
            QRegularExpression(QStringLiteral("other\\s+than ([a-z, ]+) and ([a-z]+),"))
                .match(help);
        QVERIFY2(m.hasMatch(), qPrintable(help));
        QStringList units = m.captured(1).split(", ") << m.captured(2);
        QCOMPARE(Complete({MERTANO_CLI, "--unit", ""}), Sorted(units));
    }

    // The names come from a file, so each must reach the command line as one literal word
    // however it is quoted there, and must never be run.
    void materials_data() {
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<QStringList>("offered");
        const QStringList all = Sorted({"\\$\\(touch\\ ran\\)", "O\\'Neil\\ alloy",
                                        "Stainless\\ iron", "Stainless\\ steel", "Vas"});
        QTest::newRow("every name, once, quoted for the shell")
            << QStringList{MERTANO_CLI, "--material", ""} << all;
        QTest::newRow("a prefix before the blank")
            << QStringList{MERTANO_CLI, "Cube", "a", "=", "3", "--material", "St"}
            << QStringList{"Stainless\\ iron", "Stainless\\ steel"};
        QTest::newRow("a prefix beyond an escaped blank")
            << QStringList{MERTANO_CLI, "--material", "Stainless\\ s"}
            << QStringList{"Stainless\\ steel"};
        QTest::newRow("within double quotes")
            << QStringList{MERTANO_CLI, "--material", "\"Stainless s"}
            << QStringList{"Stainless steel"};
        QTest::newRow("within single quotes, a quote in the name")
            << QStringList{MERTANO_CLI, "--material", "'O"} << QStringList{"O'\\''Neil alloy"};
        QTest::newRow("a name that looks like a command")
            << QStringList{MERTANO_CLI, "--material", "\\$"} << QStringList{"\\$\\(touch\\ ran\\)"};
        QTest::newRow("after --material=")
            << QStringList{MERTANO_CLI, "--material", "=", "V"} << QStringList{"Vas"};
        QTest::newRow("right after --material=")
            << QStringList{MERTANO_CLI, "--material", "="} << all;
        QTest::newRow("--user-data: the menu's materials")
            << QStringList{MERTANO_CLI, "--user-data", "--material", ""}
            << QStringList{"Oak\\ wood"};
        QTest::newRow("a name that is not there")
            << QStringList{MERTANO_CLI, "--material", "Gold"} << QStringList{};
    }
    void materials() {
        QFETCH(QStringList, words);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QDir root(dir.path());
        QVERIFY(root.mkpath("data/mertano"));
        WriteBytes(root.filePath("Gravity.grv"), Records({{"Stainless steel", 7900},
                                                          {"Vas", 7250},
                                                          {"O'Neil alloy", 1000},
                                                          {"$(touch ran)", 1},
                                                          {"Stainless iron", 7800},
                                                          {"Vas", 7300},
                                                          {"two\nlines", 5}}));
        WriteBytes(root.filePath("data/mertano/Gravity.grv"), Records({{"Oak wood", 700}}));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_DATA_HOME", root.filePath("data"));
        QTEST(Complete(words, dir.path(), env), "offered");
        QVERIFY(!root.exists("ran"));
    }
};

// Started from the desktop menu, Mertano keeps its materials in the per-user data folder.
class TstMenuStart : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString at(const QString& path) const { return QDir(dir_.path()).filePath(path); }

private slots:
    void init() {
        QVERIFY(dir_.isValid());
        QDir(dir_.path()).removeRecursively();
        QVERIFY(QDir().mkpath(at("start")) && QDir().mkpath(at("home")));
        WriteBytes(at("file"), "a file where a folder is wanted");
    }

    void desktopEntryStartsInTheDataFolder() {
        const QStringList entries = QDir(MERTANO_MAN_FOLDER).entryList({"*.desktop"}, QDir::Files);
        QCOMPARE(entries.size(), 1);
        QFile file(QStringLiteral(MERTANO_MAN_FOLDER) + entries.first());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QStringList exec;
        QString tryExec;
        for (const QByteArray& line : file.readAll().split('\n')) {
            if (line.startsWith("Exec="))
                exec = QProcess::splitCommand(QString::fromUtf8(line.mid(5)));
            if (line.startsWith("TryExec=")) tryExec = QString::fromUtf8(line.mid(8));
        }
        QVERIFY(!exec.isEmpty());
        QCOMPARE(exec.first(), QStringLiteral("mertano"));
        QCOMPARE(tryExec, exec.first());
        QProcessEnvironment env = MenuEnvironment(at("home"));
        env.insert("XDG_DATA_HOME", at("data"));
        const Output r = Run(MERTANO_GUI, exec.mid(1) + QStringList{"--screenshot", at("w.png")},
                             at("start"), env);
        QCOMPARE(r.status, 0);
        QVERIFY(QFile::exists(at("data/mertano/Gravity.grv")));
        QVERIFY(!QFile::exists(at("start/Gravity.grv")));
    }

    // Where --user-data puts the material file, and what the window says when it cannot.
    void folderRule_data() {
        QTest::addColumn<QString>("xdgDataHome");  // relative to the test's folder; null: unset
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("folder");   // where Gravity.grv appears
        QTest::addColumn<QString>("message");  // on standard error, %1 the test's folder
        QTest::newRow("XDG_DATA_HOME set") << "data"
                                           << "C.UTF-8"
                                           << "data/mertano"
                                           << "";
        QTest::newRow("XDG_DATA_HOME unset") << QString() << "C.UTF-8"
                                             << "home/.local/share/mertano"
                                             << "";
        QTest::newRow("a relative XDG_DATA_HOME counts as none") << "./data"
                                                                 << "C.UTF-8"
                                                                 << "home/.local/share/mertano"
                                                                 << "";
        QTest::newRow("cannot be made: the start folder, said in English")
            << "file"
            << "C.UTF-8"
            << "start"
            << "The folder for your materials, %1/file/mertano, could not be made. Mertano "
               "keeps them in %1/start.";
        QTest::newRow("cannot be made: said in Hungarian")
            << "file"
            << "hu_HU.UTF-8"
            << "start"
            << QString::fromUtf8(
                   "Az anyagok mappája (%1/file/mertano) nem hozható létre. A "
                   "Mertano itt tartja őket: %1/start.");
    }
    void folderRule() {
        QFETCH(QString, xdgDataHome);
        QFETCH(QString, locale);
        QFETCH(QString, folder);
        QFETCH(QString, message);
        QProcessEnvironment env = MenuEnvironment(at("home"), locale);
        if (!xdgDataHome.isNull())
            env.insert("XDG_DATA_HOME",
                       xdgDataHome.startsWith('.') ? xdgDataHome : at(xdgDataHome));
        const Output r =
            Run(MERTANO_GUI, {"--user-data", "--screenshot", at("w.png")}, at("start"), env);
        QCOMPARE(r.status, 0);
        QVERIFY2(QFile::exists(at(folder + "/Gravity.grv")), qPrintable(folder));
        for (const QString other :
             {"start", "data/mertano", "home/.local/share/mertano", "start/data/mertano"}) {
            if (other != folder)
                QVERIFY2(!QFile::exists(at(other + "/Gravity.grv")), qPrintable(other));
        }
        const QString err = QString::fromUtf8(r.err);
        if (message.isEmpty()) {
            QVERIFY2(!err.contains("could not be made"), qPrintable(err));
        } else {
            QVERIFY2(err.contains(message.arg(dir_.path())), qPrintable(err));
        }
    }

    // mertano-cli --user-data reads the list the menu's window keeps, so scripts see it.
    void commandLine_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("xdgDataHome");  // relative to the test's folder
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");  // a part of standard error
        QTest::newRow("the working folder's, each name once, sorted, one a line")
            << QStringList{"--list-materials"} << "data"
            << "Fa\nVas\n"
            << "";
        QTest::newRow("the menu's, made when missing, holds none yet")
            << QStringList{"--user-data", "--list-materials"} << "new"
            << ""
            << "There is no material file %1/new/mertano/Gravity.grv.";
        QTest::newRow("the working folder's when the menu's cannot be made")
            << QStringList{"--user-data", "--list-materials"} << "file"
            << "Fa\nVas\n"
            << "The folder for your materials, %1/file/mertano, could not be made. Mertano "
               "keeps them in %1/start. (";
        QTest::newRow("the mass from the menu's")
            << QStringList{"--user-data", "Cube",       "a=10",           "--unit",
                           "cm",          "--material", "Stainless steel"}
            << "data"
            << "mass      7.9000 kg"
            << "";
    }
    void commandLine() {
        QFETCH(QStringList, args);
        QFETCH(QString, xdgDataHome);
        QFETCH(QString, out);
        QFETCH(QString, err);
        QVERIFY(QDir().mkpath(at("data/mertano")));
        WriteBytes(at("start/Gravity.grv"),
                   Records({{"Vas", 7250}, {"Fa", 700}, {"Vas", 7300}, {"two\nlines", 1}}));
        WriteBytes(at("data/mertano/Gravity.grv"), Records({{"Stainless steel", 7900}}));
        QProcessEnvironment env = MenuEnvironment(at("home"));
        env.insert("XDG_DATA_HOME", at(xdgDataHome));
        const Output r = Run(MERTANO_CLI, args, at("start"), env);
        QCOMPARE(r.status, 0);
        if (args.contains("--list-materials")) {
            QCOMPARE(QString::fromUtf8(r.out), out);
        } else {
            QVERIFY2(r.out.contains(out.toUtf8()), r.out.constData());
        }
        if (err.isEmpty()) {
            QCOMPARE(r.err, QByteArray());
        } else {
            QVERIFY2(QString::fromUtf8(r.err).contains(err.arg(dir_.path())), r.err.constData());
        }
    }
};

class TstManPages : public QObject {
    Q_OBJECT

private slots:
    void everyOptionIsDescribed_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("page");
        QTest::newRow("mertano-cli") << MERTANO_CLI << "mertano-cli.1";
        QTest::newRow("mertano") << MERTANO_GUI << "mertano.1";
    }
    void everyOptionIsDescribed() {
        QFETCH(QString, program);
        QFETCH(QString, page);
        QFile file(QStringLiteral(MERTANO_MAN_FOLDER) + page);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        QVERIFY2(!text.contains('@'), "a value was left unconfigured");
        const QStringList options = LongOptions(Run(program, {"--help"}).out);
        QVERIFY(options.contains("version"));
        for (const QString& option : options) {
            QString roff = "--" + option;
            roff.replace('-', "\\-");
            QVERIFY2(text.contains(roff), qPrintable(option));
        }
    }
};

MERTANO_REGISTER_TEST(TstCompletion)
MERTANO_REGISTER_TEST(TstManPages)
MERTANO_REGISTER_TEST(TstMenuStart)
#include "tst_desktop_files.moc"
