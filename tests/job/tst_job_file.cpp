// SPDX-License-Identifier: GPL-3.0-or-later
// The job file against mertano-cli --batch, which must read it as it stands and come to
// the same totals; damaged files; the kept copy through a killed process; the totals'
// exact rounding.
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "cli/cli_language.h"
#include "cli/cli_request.h"
#include "job/job.h"
#include "job_fixtures.h"
#include "shapes/shape_catalogue.h"
#include "test_main.h"

using namespace mertano;
using mertano::test::Piece;

Q_DECLARE_METATYPE(mertano::Job)
Q_DECLARE_METATYPE(mertano::JobRow)

namespace {

// The job as text, so that two jobs compare with a readable difference.
QString Described(const Job& job) {
    QStringList lines = {"title " + job.title, "waste " + job.waste};
    for (auto it = job.prices.begin(); it != job.prices.end(); ++it)
        lines << "price " + it.key() + " " + it.value();
    for (const JobRow& row : job.rows) {
        QString line = QString::fromUtf8(Shape(row.shape).name.data());
        for (int k = 0; k < kFieldCount; ++k) {
            if (row.fields[k].empty()) continue;
            line += QStringLiteral(" %1=%2").arg(
                QString::fromUtf8(FieldValueName(static_cast<Field>(k)).data()),
                QString::fromStdString(row.fields[k]));
        }
        line += QStringLiteral(" unit=%1 material=%2 density=%3 count=%4 note=%5")
                    .arg(row.unit, row.material, row.density)
                    .arg(row.count)
                    .arg(row.note);
        lines << line;
    }
    return lines.join('\n');
}

QString Described(const std::variant<Job, JobReadError>& read) {
    if (const auto* error = std::get_if<JobReadError>(&read))
        return QStringLiteral("line %1: %2").arg(error->line).arg(error->message);
    return Described(std::get<Job>(read));
}

const LanguageTexts& English() {
    static const LanguageTexts texts = [] {
        auto language = cli::MessageTexts(QFileInfo(MERTANO_CLI).absolutePath(),
                                          std::optional<QString>("English"));
        if (!std::holds_alternative<LanguageTexts>(language)) qFatal("no English texts");
        return std::get<LanguageTexts>(language);
    }();
    return texts;
}

std::vector<cli::Result> Answers(const Job& job) {
    std::vector<cli::Result> answers;
    for (const JobRow& row : job.rows) answers.push_back(Solve(row, job, English()));
    return answers;
}

struct CliRun {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

// In a folder of its own, where no material file is.
CliRun Cli(const QStringList& args, const QByteArray& input) {
    QTemporaryDir folder;
    QProcess p;
    p.setWorkingDirectory(folder.path());
    p.start(MERTANO_CLI, args + QStringList{"--language", "English"});
    p.write(input);
    p.closeWriteChannel();
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

// RFC 4180 as the command line writes it: CR LF between rows, quotes doubled in quotes.
QList<QStringList> CsvRows(const QByteArray& csv) {
    QList<QStringList> rows;
    QStringList row;
    QString cell;
    bool quoted = false;
    const QString text = QString::fromUtf8(csv);
    for (qsizetype k = 0; k < text.size(); ++k) {
        const QChar c = text[k];
        if (quoted) {
            if (c == '"' && k + 1 < text.size() && text[k + 1] == '"') {
                cell += c;
                ++k;
            } else if (c == '"') {
                quoted = false;
            } else {
                cell += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            row << std::exchange(cell, {});
        } else if (c == '\r' && k + 1 < text.size() && text[k + 1] == '\n') {
            row << std::exchange(cell, {});
            rows << std::exchange(row, {});
            ++k;
        } else {
            cell += c;
        }
    }
    return rows;
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

QString TotalText(const JobTotal& t) {
    QStringList volumes;
    for (const auto& [unit, volume] : t.volumes) volumes << unit + " " + volume;
    return QStringLiteral("%1: %2 pieces; %3; mass %4 / %5; cost %6 / %7")
        .arg(t.material.isEmpty() ? QStringLiteral("(job)") : t.material)
        .arg(t.pieces)
        .arg(volumes.join(", "), t.mass, t.massWithWaste, t.cost, t.costWithWaste);
}

// An answer as Solve gives one, with only what the totals read.
struct GivenAnswer {
    QString material;
    bool solved = true;
    const char* unit = "mm";
    int count = 1;
    const char* volume = "";
    const char* mass = "";
    const char* cost = "";
};
using GivenAnswers = std::vector<GivenAnswer>;

const char kJobLine[] = "{\"figure\": \"Cube\", \"fields\": {\"a\": \"2\"}, \"count\": 3}";

QByteArray Steel(const char* rest) {
    return QByteArray(
               "{\"figure\": \"Cube\", \"fields\": {\"a\": \"2\"}, \"material\": "
               "\"Ac\xc3\xa9l\"") +
           rest + "}";
}

}  // namespace

Q_DECLARE_METATYPE(GivenAnswers)

class TstJobFile : public QObject {
    Q_OBJECT

private slots:
    // Written and read back the job is the same, and mertano-cli reads the same bytes into
    // the same answers and totals, to the last digit.
    void roundTripAndTheCommandLine_data() {
        QTest::addColumn<Job>("job");
        QTest::newRow("workshop job") << test::WorkshopJob();
        QTest::newRow("empty job") << Job();
        Job plane;
        plane.rows = {
            Piece(ShapeKind::Triangle,
                  {{Field::AoldEdit, "3"}, {Field::BoldEdit, "4"}, {Field::ColdEdit, "5"}}, "in",
                  {}, "", 2)};
        QTest::newRow("a plane figure, no material, no title") << plane;
    }
    void roundTripAndTheCommandLine() {
        QFETCH(Job, job);
        const QByteArray bytes = JobBytes(job);
        QCOMPARE(Described(ReadJob(bytes)), Described(job));

        const std::vector<cli::Result> answers = Answers(job);
        const CliRun run = Cli({"--batch", "--csv", "--totals"}, bytes);
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out, QByteArray::fromStdString(JobCsv(answers)));

        // The Total rows of each unit are the job's totals of that unit's rows.
        const QList<QStringList> rows = CsvRows(run.out);
        QVERIFY(!rows.isEmpty());
        const QStringList& header = rows.front();
        const qsizetype count = header.indexOf("count"), volume = header.indexOf("total_volume"),
                        mass = header.indexOf("total_mass"), cost = header.indexOf("total_cost");
        QList<QPair<QString, QString>> volumes;
        for (const QStringList& row : rows) {
            if (row[0] != "Total") continue;
            if (!row[volume].isEmpty()) volumes.append({row[2], row[volume]});
            Job ofUnit = job;
            ofUnit.rows.clear();
            std::vector<cli::Result> theirs;
            for (qsizetype k = 0; k < job.rows.size(); ++k) {
                if (job.rows[k].unit != row[2]) continue;
                ofUnit.rows.append(job.rows[k]);
                theirs.push_back(answers[std::size_t(k)]);
            }
            const JobTotal unit = JobTotals(ofUnit, theirs).back();
            QCOMPARE(QString::number(unit.pieces), row[count]);
            QCOMPARE(unit.mass, row[mass]);
            QCOMPARE(unit.cost, row[cost]);
        }
        QCOMPARE(JobTotals(job, answers).back().volumes, volumes);
    }

    // The first line the command line would refuse, or that is no job line, refuses the
    // whole file, named by its number and in the command line's words where they are its.
    void damagedFilesAreRefused_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("line");         // 0: taken
        QTest::addColumn<QString>("message");  // words it holds
        QTest::addColumn<bool>("cliTakes");    // mertano-cli --batch takes every line
        const QByteArray good = QByteArray(kJobLine) + "\n";
        auto row = [](const char* name, const QByteArray& bytes, int line, const char* message,
                      bool cliTakes) {
            QTest::newRow(name) << bytes << line << QString::fromUtf8(message) << cliTakes;
        };
        row("CR LF line ends, the last line without one", good.chopped(1) + "\r\n" + kJobLine, 0,
            "", true);
        row("a truncated line", good + "{\"figure\": \"Cube\", \"fields\": {\"a\": \"2\"", 2,
            "not a JSON object", false);
        row("a foreign JSON line", good + good + "{\"id\": 7, \"name\": \"Bolt\"}\n", 3,
            "unknown key \"id\"", false);
        row("an unknown figure", "{\"figure\": \"Pyramid\", \"fields\": {\"a\": 1}}\n", 1,
            "unknown figure \"Pyramid\"", false);
        row("a blank line, which the command line refuses", good + "\n" + good, 2,
            "not a JSON object", false);
        row("a binary file", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\xff\xfe", 18), 1,
            "not UTF-8 text", false);
        row("a Latin-1 note", good + Steel(", \"density\": 7.85, \"note\": \"caf\xe9\"") + "\n", 2,
            "not UTF-8 text", false);
        row("a note that is no text", Steel(", \"density\": 7.85, \"note\": 12"), 1,
            "\"note\" must be a text", false);
        row("a waste beyond 100", QByteArray(kJobLine).chopped(1) + ", \"waste\": 100.5}", 1,
            "\"waste\" must be an allowance in percent from 0 to 100", false);
        row("a line longer than 1 MiB",
            Steel(", \"density\": 7.85, \"note\": \"" + QByteArray(1024 * 1024, 'x') + "\""), 1,
            "longer than 1 MiB", false);
        row("another price for the same material",
            Steel(", \"density\": 7.85, \"price\": \"1.20\"") + "\n" + good +
                Steel(", \"density\": 7.85, \"price\": \"1.2\""),
            3, "the price of \"Acél\" is 1.2 here but 1.20 on line 1", true);
        row("a price on a later row only",
            Steel(", \"density\": 7.85") + "\n" + Steel(", \"density\": 7.85, \"price\": 3"), 2,
            "the price of \"Acél\" is 3 here but none on line 1", true);
        row("a material without its density", Steel(""), 1,
            "the material \"Acél\" comes without its density", true);
        row("a density without a material", QByteArray(kJobLine).chopped(1) + ", \"density\": 2}",
            1, "a density without a material", true);
        row("a price without a material", QByteArray(kJobLine).chopped(1) + ", \"price\": 2}", 1,
            "a price without a material", true);
        row("the second solution", QByteArray(kJobLine).chopped(1) + ", \"solution\": 2}", 0, "",
            true);
    }
    void damagedFilesAreRefused() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, line);
        QFETCH(QString, message);
        QFETCH(bool, cliTakes);
        const auto read = ReadJob(bytes);
        const auto* error = std::get_if<JobReadError>(&read);
        QVERIFY2((error != nullptr) == (line != 0), qPrintable(Described(read)));
        if (error) {
            QCOMPARE(error->line, line);
            QVERIFY2(error->message.contains(message), qPrintable(error->message));
        }
        // The same from the file, which is read and left as it was.
        const QString path = QDir::current().absoluteFilePath("damaged.mertano");
        WriteFile(path, bytes);
        QCOMPARE(Described(OpenJob(path)), Described(read));
        QCOMPARE(FileBytes(path), bytes);

        const CliRun run = Cli({"--batch"}, bytes);
        QCOMPARE(run.status, cliTakes ? 0 : 65);
        // A line the command line refuses is refused in its words, unless it is no text.
        if (!error || cliTakes || message.startsWith("not UTF-8")) return;
        const QList<QByteArray> answers = run.out.split('\n');
        QVERIFY(answers.size() >= line);
        const QJsonObject answer = QJsonDocument::fromJson(answers[line - 1]).object();
        QCOMPARE(answer["state"].toString(), "Invalid");
        QCOMPARE(answer["message"].toString(), error->message);
    }

    // A line in any form the command line takes reads as the row it solves as: texts
    // with a point, aliases resolved, the density as the material file shows it.
    void linesAsTheCommandLineTakesThem_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("job");
        const QString none = "title \nwaste \n";
        QTest::newRow("numbers, a comma, an alias, a figure in small letters")
            << QByteArray("{\"figure\": \"cone\", \"fields\": {\"r\": 3, \"m\": \"4,5\"}}")
            << none + "Cone r=3 ma=4.5 unit=mm material= density= count=1 note=";
        QTest::newRow("a density and a price as numbers, a waste as a text")
            << QByteArray(
                   "{\"count\": 2, \"waste\": \"02,50\", \"price\": 0.35, \"density\": 7.85, "
                   "\"material\": \"Steel\", \"figure\": \"Cube\", \"fields\": {\"a\": 1e1}}")
            << "title \nwaste 2.50\nprice Steel 0.35\n"
               "Cube a=10 unit=mm material=Steel density=7.8500 count=2 note=";
        QTest::newRow("an empty field asks for its least value")
            << QByteArray("{\"figure\": \"Cube\", \"fields\": {\"a\": \"\"}, \"unit\": \"\"}")
            << none + "Cube a=0 unit= material= density= count=1 note=";
        QTest::newRow("a field and its alias: the one the command line keeps")
            << QByteArray(
                   "{\"figure\": \"Cylinder\", \"fields\": {\"ma\": \"3\", \"r\": 1, \"m\": "
                   "\"2\"}}")
            << none + "Cylinder r=1 ma=3 unit=mm material= density= count=1 note=";
    }
    void linesAsTheCommandLineTakesThem() {
        QFETCH(QByteArray, line);
        QFETCH(QString, job);
        const auto read = ReadJob(line);
        QCOMPARE(Described(read), job);
        // The row solves as the command line solves the line.
        const cli::Result solved =
            Solve(std::get<Job>(read).rows[0], std::get<Job>(read), English());
        const CliRun run = Cli({"--batch", "--csv", "--totals"}, line + "\n");
        QCOMPARE(run.out, QByteArray::fromStdString(JobCsv({solved})));
    }

    // A file that cannot be read at all is line 0, in the system's words; none blocks.
    void unreadableFiles_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << "missing"
                                 << "No such file or directory";
        QTest::newRow("a folder") << "folder"
                                  << "it is a folder";
        QTest::newRow("a named pipe") << "pipe"
                                      << "it is a named pipe";
        QTest::newRow("beyond the size limit") << "large"
                                               << "larger than 64 MiB";
    }
    void unreadableFiles() {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        const QString path = QDir::current().absoluteFilePath("job-" + kind);
        if (kind == "folder") QVERIFY(QDir().mkdir(path));
        if (kind == "pipe") QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        if (kind == "large") {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QVERIFY(file.resize(64 * 1024 * 1024 + 1));  // sparse: nothing is written
        }
        const auto read = OpenJob(path);
        const auto* error = std::get_if<JobReadError>(&read);
        QVERIFY(error);
        QCOMPARE(error->line, 0);
        QVERIFY2(error->message.contains(reason), qPrintable(error->message));
    }

    // The kept job is whole after the process that kept it was killed, even in the middle
    // of the next save.
    void keptCopySurvivesAKilledProcess_data() {
        QTest::addColumn<QString>("mode");
        QTest::newRow("killed halfway through the next save") << "killed";
        QTest::newRow("aborted right after the save") << "abort";
    }
    void keptCopySurvivesAKilledProcess() {
        QFETCH(QString, mode);
        QTemporaryDir data;
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_DATA_HOME", data.path());
        p.setProcessEnvironment(env);
        p.start(JOB_KEPT_HELPER, {mode});
        QVERIFY(p.waitForFinished(60000));
        if (p.exitStatus() == QProcess::NormalExit && p.exitCode() == 77)
            QSKIP("no file-size limit here");
        QCOMPARE(p.exitStatus(), QProcess::CrashExit);
        const QString kept = data.path() + "/mertano/kept-job.mertano";
        QCOMPARE(QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed(), kept);
        QCOMPARE(FileBytes(kept), JobBytes(test::WorkshopJob()));
        QCOMPARE(Described(OpenJob(kept)), Described(test::WorkshopJob()));
    }

    // A save that cannot be made says why and leaves what was there as it was.
    void failedSaveLeavesTheOldFile_data() {
        QTest::addColumn<QString>("mode");
        QTest::newRow("a read-only folder") << "readonly";
        QTest::newRow("a file where its folder should be") << "under a file";
    }
    void failedSaveLeavesTheOldFile() {
        QFETCH(QString, mode);
        const QByteArray old = JobBytes(test::WorkshopJob());
        QString error, path;
        if (mode == "readonly") {
            QTemporaryDir data;
            QProcess p;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert("XDG_DATA_HOME", data.path());
            p.setProcessEnvironment(env);
            p.start(JOB_KEPT_HELPER, {mode});
            QVERIFY(p.waitForFinished(60000));
            if (p.exitCode() == 77) QSKIP("no mount namespace here");
            QCOMPARE(p.exitStatus(), QProcess::NormalExit);
            QCOMPARE(p.exitCode(), 1);
            const QStringList said = QString::fromLocal8Bit(p.readAllStandardOutput()).split('\n');
            path = said.value(0);
            error = said.value(1);
            QVERIFY2(error.contains("The file keeps its previous content"), qPrintable(error));
            QCOMPARE(FileBytes(path), old);
            QCOMPARE(QDir(data.path() + "/mertano").entryList(QDir::Files),
                     QStringList{"kept-job.mertano"});
        } else {
            path = QDir::current().absoluteFilePath("plain");
            WriteFile(path, old);
            const std::optional<QString> failed =
                SaveJob(path + "/kept-job.mertano", test::WorkshopJob());
            QVERIFY(failed);
            error = *failed;
            QCOMPARE(FileBytes(path), old);
        }
        QVERIFY2(error.contains(QDir::toNativeSeparators(path)), qPrintable(error));
    }

    // What a job comes to: per material in first order, then the whole job; only solved
    // rows; the allowance is the exact product rounded once, halves to even.
    void totals_data() {
        QTest::addColumn<GivenAnswers>("given");
        QTest::addColumn<QString>("waste");
        QTest::addColumn<QStringList>("totals");
        const QString steel = QString::fromUtf8("Acél"), oak = QStringLiteral("Oak");
        QTest::newRow("halves to even: the mass up, the cost down")
            << GivenAnswers{{steel, true, "mm", 1, "1.00", "0.0001", "0.03"}} << "50"
            << QStringList{"Acél: 1 pieces; mm 1.00; mass 0.0001 / 0.0002; cost 0.03 / 0.04",
                           "(job): 1 pieces; mm 1.00; mass 0.0001 / 0.0002; cost 0.03 / 0.04"};
        QTest::newRow("halves to even: the mass down, the cost up")
            << GivenAnswers{{steel, true, "mm", 1, "1.00", "0.0003", "0.01"}} << "50"
            << QStringList{"Acél: 1 pieces; mm 1.00; mass 0.0003 / 0.0004; cost 0.01 / 0.02",
                           "(job): 1 pieces; mm 1.00; mass 0.0003 / 0.0004; cost 0.01 / 0.02"};
        // 2.50 * 1.07 is 2.675, a hair below it in floating point.
        QTest::newRow("exact where floating point is not")
            << GivenAnswers{{steel, true, "cm", 4, "8.00", "314.0000", "2.50"}} << "7"
            << QStringList{"Acél: 4 pieces; cm 8.00; mass 314.0000 / 335.9800; cost 2.50 / 2.68",
                           "(job): 4 pieces; cm 8.00; mass 314.0000 / 335.9800; cost 2.50 / 2.68"};
        QTest::newRow("rows not solved are left out, their material still listed")
            << GivenAnswers{{steel, false, "mm", 9, "5.00", "1.0000", "1.00"},
                            {oak, true, "mm", 2, "3.00", "0.5000", ""},
                            {oak, false, "mm", 9, "5.00", "1.0000", ""}}
            << ""
            << QStringList{"Acél: 0 pieces; ; mass  / ; cost  / ",
                           "Oak: 2 pieces; mm 3.00; mass 0.5000 / ; cost  / ",
                           "(job): 2 pieces; mm 3.00; mass 0.5000 / ; cost  / "};
        QTest::newRow("a row without material only in the job, units in first order")
            << GivenAnswers{{oak, true, "cm", 1, "1.50", "0.0010", ""},
                            {{}, true, "mm", 3, "2.25", "", ""},
                            {steel, true, "mm", 2, "0.25", "0.0020", "0.01"},
                            {oak, true, "mm", 1, "0.50", "0.0004", ""}}
            << "100"
            << QStringList{
                   "Oak: 2 pieces; cm 1.50, mm 0.50; mass 0.0014 / 0.0028; cost  / ",
                   "Acél: 2 pieces; mm 0.25; mass 0.0020 / 0.0040; cost 0.01 / 0.02",
                   "(job): 7 pieces; cm 1.50, mm 3.00; mass 0.0034 / 0.0068; cost 0.01 / 0.02"};
        QTest::newRow("an allowance of 0 keeps the totals")
            << GivenAnswers{{steel, true, "mm", 1, "1.00", "0.1235", "0.13"}} << "0"
            << QStringList{"Acél: 1 pieces; mm 1.00; mass 0.1235 / 0.1235; cost 0.13 / 0.13",
                           "(job): 1 pieces; mm 1.00; mass 0.1235 / 0.1235; cost 0.13 / 0.13"};
        QTest::newRow("plane figures: pieces only")
            << GivenAnswers{{{}, true, "in", 5}} << "3"
            << QStringList{"(job): 5 pieces; ; mass  / ; cost  / "};
    }
    void totals() {
        QFETCH(GivenAnswers, given);
        QFETCH(QString, waste);
        QFETCH(QStringList, totals);
        Job job;
        job.waste = waste;
        std::vector<cli::Result> answers;
        for (const GivenAnswer& g : given) {
            job.rows.append(Piece(ShapeKind::Cube, {{Field::AoldEdit, "1"}}, g.unit, g.material,
                                  g.material.isEmpty() ? "" : "1.0000", g.count));
            cli::Result r;
            r.shape = ShapeKind::Cube;
            r.state = g.solved ? CalcState::Solved : CalcState::Entering;
            r.sheet.setUnitText(g.unit);
            r.count = g.count;
            r.totalVolume = g.volume;
            r.totalMass = g.mass;
            r.totalCost = g.cost;
            answers.push_back(std::move(r));
        }
        QStringList got;
        for (const JobTotal& t : JobTotals(job, answers)) got << TotalText(t);
        QCOMPARE(got, totals);
    }

    // Adding a piece the job holds raises its count; what makes it another piece.
    void addingTheSamePiece_data() {
        QTest::addColumn<JobRow>("first");
        QTest::addColumn<JobRow>("second");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("count");  // of the first row
        const QString steel = QStringLiteral("Steel");
        const JobRow cone =
            Piece(ShapeKind::Cone, {{Field::SugarEdit, "3"}, {Field::MagasEdit1, "4"}}, "mm", steel,
                  "7.8500", 3, "first");
        auto with = [&](auto change) {
            JobRow row = cone;
            row.count = 4;
            change(row);
            return row;
        };
        QTest::newRow("the same piece") << cone << with([](JobRow&) {}) << 1 << 7;
        QTest::newRow("the same values in other digits, another note")
            << cone << with([](JobRow& r) {
                   r.fields[FieldIndex(Field::SugarEdit)] = "3.0000";
                   r.fields[FieldIndex(Field::MagasEdit1)] = "4,00";
                   r.note = "second";
               })
            << 1 << 7;
        QTest::newRow("the density as typed")
            << cone << with([](JobRow& r) { r.density = "7.85"; }) << 1 << 7;
        QTest::newRow("another density")
            << cone << with([](JobRow& r) { r.density = "7.8510"; }) << 2 << 3;
        QTest::newRow("another unit") << cone << with([](JobRow& r) { r.unit = "cm"; }) << 2 << 3;
        QTest::newRow("another material")
            << cone << with([](JobRow& r) { r.material = "Steel "; }) << 2 << 3;
        QTest::newRow("a value typed in one only")
            << cone << with([](JobRow& r) { r.fields[FieldIndex(Field::AoldEdit)] = "5"; }) << 2
            << 3;
        QTest::newRow("the count stops at the largest")
            << cone << with([](JobRow& r) { r.count = cli::kMaxCount - 1; }) << 1 << cli::kMaxCount;
    }
    void addingTheSamePiece() {
        QFETCH(JobRow, first);
        QFETCH(JobRow, second);
        QFETCH(int, rows);
        QFETCH(int, count);
        Job job;
        QCOMPARE(job.add(first), 0);
        QCOMPARE(job.add(second), rows - 1);
        QCOMPARE(job.rows.size(), rows);
        QCOMPARE(job.rows[0].count, count);
        QCOMPARE(job.rows[0].note, first.note);
    }
};

MERTANO_REGISTER_TEST(TstJobFile)
#include "tst_job_file.moc"
