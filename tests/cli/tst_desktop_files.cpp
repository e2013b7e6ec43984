// SPDX-License-Identifier: GPL-3.0-or-later
// What is installed beside the programs and must keep up with them: the bash completion
// offers what mertano-cli accepts, and the manual pages name every option.
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include "test_main.h"

namespace {

struct Output {
    int status = -1;
    QByteArray out;
};

Output Run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput()};
}

// What the completion offers for the words typed, the last being the one completed;
// bash splits NAME=VALUE at "=", so tests pass the pieces as bash would.
QStringList Complete(const QStringList& words) {
    const QString script = QStringLiteral(
        "source \"$0\"; COMP_WORDS=(\"$@\"); COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); "
        "_mertano_cli; printf '%s\\n' \"${COMPREPLY[@]}\"");
    const Output r = Run(
        "bash",
        QStringList{"-c", script, QStringLiteral(MERTANO_DATA_SOURCE "mertano-cli.bash")} + words);
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
        QStringList accepted = {"count="};  // the pieces, beside the figure's fields
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
        QTest::newRow("languages by prefix")
            << QStringList{MERTANO_CLI, "--language", "G"} << QStringList{"German"};
        QTest::newRow("a value after NAME=")
            << QStringList{MERTANO_CLI, "Cone", "r", "=", ""} << QStringList{};
        QTest::newRow("fields by prefix")
            << QStringList{MERTANO_CLI, "cone", "a"} << QStringList{"a=", "alfa="};
        QTest::newRow("an unknown figure has no fields")
            << QStringList{MERTANO_CLI, "Pyramid", ""} << QStringList{};
    }
    void values() {
        QFETCH(QStringList, words);
        QTEST(Complete(words), "offered");
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
#include "tst_desktop_files.moc"
