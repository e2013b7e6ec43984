// SPDX-License-Identifier: GPL-3.0-or-later
// Piece counts and CSV of mertano-cli: the totals, and the CSV read back by a CSV reader
// other than our own against the JSON answers of the same lines.
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "material_record.h"
#include "test_main.h"

namespace {

// A material file of (name, gravity times 1000) records.
void WriteMaterials(const QString& folder, const QList<QPair<QByteArray, qint32>>& materials) {
    QFile file(QDir(folder).filePath("Gravity.grv"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    for (const auto& [name, gravity] : materials) {
        file.write(mertano::test::MaterialRecordBytes(name, gravity));
    }
}

struct Answer {
    int status = -1;
    QByteArray out;
};

Answer Cli(const QString& folder, const QStringList& args, const QByteArray& input = {}) {
    QProcess p;
    p.setWorkingDirectory(folder);
    p.start(MERTANO_CLI, args + QStringList{"--language", "English"});
    p.write(input);
    p.closeWriteChannel();
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput()};
}

// The sum of decimal texts that all have `decimals` places, added digit by digit.
QString AddDecimals(const QStringList& texts, int decimals) {
    QList<int> digits;  // lowest first
    for (QString text : texts) {
        text.remove(QLatin1Char('.'));
        int carry = 0;
        for (qsizetype k = 0; k < text.size() || carry; ++k) {
            if (k >= digits.size()) digits << 0;
            const int d = k < text.size() ? text[text.size() - 1 - k].digitValue() : 0;
            digits[k] += d + carry;
            carry = digits[k] / 10;
            digits[k] %= 10;
        }
    }
    while (digits.size() <= decimals) digits << 0;
    QString sum;
    for (qsizetype k = digits.size() - 1; k >= 0; --k) {
        if (k == decimals - 1) sum += QLatin1Char('.');
        sum += QString::number(digits[k]);
    }
    while (sum.size() > decimals + 2 && sum.startsWith(QLatin1Char('0'))) sum.remove(0, 1);
    return sum;
}

// A cube of side 2 in `unit`, as a batch line.
QByteArray CubeLine(const QByteArray& unit, const QByteArray& more = {}) {
    return "{\"figure\": \"Cube\", \"fields\": {\"a\": \"2\"}, \"unit\": \"" + unit + "\"" + more +
           "}\n";
}

// A Total row: its state and unit, then the pieces, total volume, total mass and message.
QByteArray TotalRow(const QByteArray& state, const QByteArray& unit, const QByteArray& pieces,
                    const QByteArray& volume, const QByteArray& message) {
    return "Total," + state + "," + unit + QByteArray(21, ',') + pieces + "," + volume + ",," +
           message + "\r\n";
}

}  // namespace

class TstCliCsv : public QObject {
    Q_OBJECT

private slots:
    void totals_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("volume");  // empty: no such total
        QTest::addColumn<QString>("mass");
        QTest::newRow("three cubes") << QStringList{"Cube", "a=2", "count=3"} << "24.00"
                                     << "";
        // The totals are the shown values times the count, not the unrounded ones (the
        // cone's volume is 37.699..., its mass 0.29594...).
        QTest::newRow("shown volume times the count")
            << QStringList{"Cone", "r=3", "m=4", "count=12"} << "452.40"
            << "";
        QTest::newRow("shown mass times the count")
            << QStringList{"Cone", "r=3", "m=4", "--unit", "cm", "--material", "Iron", "count=12"}
            << "452.40"
            << "3.5508";
        QTest::newRow("mass of all pieces")
            << QStringList{"Cube", "a=10", "--unit", "cm", "--material", "Iron", "count=4"}
            << "4000.00"
            << "31.4000";
        QTest::newRow("negative mass")
            << QStringList{"Cube", "a=10", "--unit", "cm", "--material", "Lift", "count=3"}
            << "3000.00"
            << "-3.0000";
        QTest::newRow("no total mass where the unit gives no mass")
            << QStringList{"Cube", "a=10", "--unit", "inch", "--material", "Iron", "count=4"}
            << "4000.00"
            << "";
        QTest::newRow("largest count of the largest cube")
            << QStringList{"Cube", "a=100000", "count=1000000"} << "1000000000000000000000.00"
            << "";
        // Floating point gives 999999997000000002880.00 here.
        QTest::newRow("more digits than floating point holds")
            << QStringList{"Cube", "a=99999.9999", "count=1000000"} << "999999997000000000000.00"
            << "";
        QTest::newRow("plane figure") << QStringList{"Circle", "r=1", "count=3"} << ""
                                      << "";
        QTest::newRow("not solved") << QStringList{"Cone", "r=3", "count=2"} << ""
                                    << "";
    }
    void totals() {
        QFETCH(QStringList, args);
        QFETCH(QString, volume);
        QFETCH(QString, mass);
        QTemporaryDir work;
        WriteMaterials(work.path(), {{"Iron", 7850}, {"Lift", -1000}});
        const Answer a = Cli(work.path(), args + QStringList{"--json"});
        const QJsonObject o = QJsonDocument::fromJson(a.out).object();
        QCOMPARE(o["count"].toInt(), args.filter("count=").first().mid(6).toInt());
        const QJsonObject totals = o["totals"].toObject();
        QCOMPARE(totals["volume"].toString(), volume);
        QCOMPARE(totals["mass"].toString(), mass);
    }

    // Mixed figures, units, counts, materials whose names need quoting, a message with a
    // line end, lines that are not Solved: the CSV holds exactly the JSON's texts, and
    // the totals rows add up the Solved rows of each unit.
    void csvReadsBackAsTheJson() {
        const QString python = QStandardPaths::findExecutable("python3");
        if (python.isEmpty()) QSKIP("python3 is not installed");
        QTemporaryDir work;
        WriteMaterials(work.path(), {{"Iron", 7850}, {"Oak, \"dry\"", 700}});
        // Written with ' for " to stay readable.
        const QByteArray input =
            QByteArray(
                "{'figure': 'Cone', 'fields': {'r': '3', 'm': '4'}, 'unit': 'cm', 'count': 12, "
                "'material': 'Iron'}\n"
                "{'figure': 'Cube', 'fields': {'a': '2,5'}, 'count': 3, 'material': 'Oak, "
                "\\'dry\\''}\n"
                "{'figure': 'Cuboid', 'fields': {'a': 1, 'b': 2, 'c': 3}, 'unit': 'cm', "
                "'material': "
                "'Iron'}\n"
                "{'figure': 'Triangle', 'fields': {'a': 3, 'b': 4, 'c': 7}}\n"
                "{'figure': 'Triangle', 'fields': {'a': 3, 'b': 4, 'c': 5}, 'count': 2}\n"
                "{'figure': 'Sphere', 'fields': {'r': '1'}, 'count': 0}\n"
                "{'figure': 'Cone', 'fields': {'r': '3'}, 'count': 5}\n"
                "{'figure': 'SphericalZone', 'fields': {'r': 5, 'm': 3, 'a1': 4, 'a2': 5}, "
                "'count': 7}\n")
                .replace('\'', '"');
        const Answer json = Cli(work.path(), {"--batch"}, input);
        const Answer csv = Cli(work.path(), {"--batch", "--csv", "--totals"}, input);
        QCOMPARE(csv.status, json.status);
        QCOMPARE(csv.status, 65);

        QFile file(QDir(work.path()).filePath("out.csv"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(csv.out);
        file.close();
        QProcess reader;
        reader.start(python, {"-c",
                              "import csv, json, sys\n"
                              "with open(sys.argv[1], newline='') as f:\n"
                              "    print(json.dumps(list(csv.reader(f))))\n",
                              file.fileName()});
        QVERIFY(reader.waitForFinished(60000));
        QCOMPARE(reader.exitCode(), 0);
        const QJsonArray rows = QJsonDocument::fromJson(reader.readAllStandardOutput()).array();

        const QList<QByteArray> answers = json.out.trimmed().split('\n');
        // The header, the answers, a total per unit and one of the Invalid lines.
        QCOMPARE(rows.size(), 1 + answers.size() + 3);
        QStringList header;
        for (const QJsonValue& v : rows[0].toArray()) header << v.toString();
        QCOMPARE(header.join(','),
                 QString("figure,state,unit,a,b,c,alfa,beta,gamma,ma,mb,mc,r,d,i,h,R,perimeter,"
                         "area,surface,volume,material,mass,count,total_volume,total_mass,"
                         "message"));
        const QStringList materials = {"Iron", "Oak, \"dry\"", "Iron", "", "", "", "", ""};

        struct Sum {
            long long pieces = 0;
            double volume = 0, mass = 0;
            int leftOut = 0;
        };
        QMap<QString, Sum> sums;
        int invalid = 0;
        for (int k = 0; k < answers.size(); ++k) {
            const QJsonObject o = QJsonDocument::fromJson(answers[k]).object();
            QMap<QString, QString> cell;
            const QJsonArray row = rows[k + 1].toArray();
            QCOMPARE(row.size(), header.size());
            for (int c = 0; c < header.size(); ++c) cell[header[c]] = row[c].toString();
            QCOMPARE(cell["state"], o["state"].toString());
            QCOMPARE(cell["message"], o["message"].toString());
            if (o["state"] == "Invalid") {
                QCOMPARE(cell["figure"], QString());
                ++invalid;
                continue;
            }
            QCOMPARE(cell["figure"], o["figure"].toString());
            QCOMPARE(cell["unit"], o["unit"].toString());
            QCOMPARE(cell["material"], materials[k]);
            const QJsonObject fields = o["fields"].toObject();
            const QJsonObject results = o["results"].toObject();
            for (const QString& name : header.mid(3, 14)) {
                QCOMPARE(cell[name], fields[name].toString());
            }
            for (const char* name : {"perimeter", "area", "surface", "volume", "mass"}) {
                QCOMPARE(cell[name], results[name].toString());
            }
            const int count = o.contains("count") ? o["count"].toInt() : 1;
            QCOMPARE(cell["count"], QString::number(count));
            if (o.contains("count")) {
                QCOMPARE(cell["total_volume"], o["totals"]["volume"].toString());
                QCOMPARE(cell["total_mass"], o["totals"]["mass"].toString());
            } else {
                QCOMPARE(cell["total_volume"], results["volume"].toString());
                QCOMPARE(cell["total_mass"], results["mass"].toString());
            }
            Sum& sum = sums[o["unit"].toString()];
            if (o["state"] != "Solved") {
                ++sum.leftOut;
                continue;
            }
            sum.pieces += count;
            sum.volume += cell["total_volume"].toDouble();
            sum.mass += cell["total_mass"].toDouble();
        }
        QCOMPARE(invalid, 1);
        QCOMPARE(sums.size(), 2);
        QCOMPARE(sums["mm"].leftOut, 2);
        // Each unit's row counts the rows of that unit it left out.
        for (int k = 1 + int(answers.size()); k < rows.size() - 1; ++k) {
            QMap<QString, QString> cell;
            for (int c = 0; c < header.size(); ++c) cell[header[c]] = rows[k][c].toString();
            QCOMPARE(cell["figure"], QString("Total"));
            const Sum sum = sums.value(cell["unit"]);
            QCOMPARE(cell["count"], QString::number(sum.pieces));
            QCOMPARE(cell["total_volume"], QString::number(sum.volume, 'f', 2));
            QCOMPARE(cell["total_mass"], QString::number(sum.mass, 'f', 4));
            QCOMPARE(cell["message"], sum.leftOut == 0 ? QString()
                                                       : QString::number(sum.leftOut) +
                                                             " rows not Solved, left out of the "
                                                             "totals");
        }
        const QJsonArray last = rows.last().toArray();
        QCOMPARE(last[0].toString() + last[1].toString() + last[2].toString(),
                 QString("TotalInvalid"));
        QCOMPARE(last[header.size() - 1].toString(),
                 QString("1 row Invalid, left out of the totals"));
    }

    // A single request gives the header and its row; --totals adds its total.
    // Totals far beyond floating point's digits, over more lines than one thread's piece:
    // the total is the exact sum of the rows, so it no longer depends on how the lines
    // were split between threads or arrived through a pipe.
    void totalsAreTheExactSumOfTheRows() {
        QTemporaryDir work;
        const char* sides[] = {"99999.9999", "12345.6789", "77777.7777", "3.3333"};
        QByteArray input;
        for (int k = 0; k < 9000; ++k) {
            input += QByteArray("{\"figure\": \"Cube\", \"fields\": {\"a\": \"") + sides[k % 4] +
                     "\"}, \"count\": 999999}\n";
        }
        const Answer csv = Cli(work.path(), {"--batch", "--csv", "--totals"}, input);
        QCOMPARE(csv.status, 0);
        const QList<QByteArray> lines = csv.out.trimmed().split('\n');
        QCOMPARE(lines.size(), 9000 + 2);
        QStringList volumes;
        for (qsizetype k = 1; k <= 9000; ++k) volumes << QString(lines[k].split(',')[24]);
        const QList<QByteArray> total = lines.last().split(',');
        QCOMPARE(total[0], QByteArray("Total"));
        QCOMPARE(QString(total[24]), AddDecimals(volumes, 2));
    }

    // The Total rows that end a batch: one per unit, in the order the units came, each
    // counting the rows of its own unit that it left out, and the Invalid lines apart.
    void totalRows_data() {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("totals");
        const QByteArray cone =
            "{\"figure\": \"Cone\", \"fields\": {\"r\": \"2\"}, \"unit\": \"cm\"}\n";
        const QByteArray pyramid = "{\"figure\": \"Pyramid\"}\n";
        const QByteArray notSolved = "\"1 row not Solved, left out of the totals\"";
        const QByteArray invalid =
            TotalRow("Invalid", "", "", "", "\"1 row Invalid, left out of the totals\"");
        QTest::newRow("no input, no Total row") << QByteArray() << QByteArray();
        QTest::newRow("each unit counts its own rows left out")
            << CubeLine("cm") + cone + CubeLine("m")
            << TotalRow("", "cm", "1", "8.00", notSolved) + TotalRow("", "m", "1", "8.00", "");
        QTest::newRow("a unit with nothing solved keeps its row")
            << cone << TotalRow("", "cm", "0", "", notSolved);
        QTest::newRow("Invalid lines in a row of their own, last")
            << pyramid + CubeLine("mm") << TotalRow("", "mm", "1", "8.00", "") + invalid;
        QTest::newRow("only Invalid lines") << pyramid << invalid;
        QTest::newRow("an empty unit is a unit, not the Invalid lines")
            << CubeLine("") + pyramid << TotalRow("", "", "1", "8.00", "") + invalid;
        // More lines than a piece, so that the units of several pieces are merged: the
        // same unit far apart is one row, in the order the units first came.
        QByteArray many, manyTotals;
        for (int k = 0; k < 10000; ++k) many += CubeLine("u" + QByteArray::number(k % 5000));
        for (int k = 0; k < 5000; ++k)
            manyTotals += TotalRow("", "u" + QByteArray::number(k), "2", "16.00", "");
        QTest::newRow("a unit on every other line, over many pieces") << many << manyTotals;
    }
    void totalRows() {
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, totals);
        QTemporaryDir work;
        const Answer csv = Cli(work.path(), {"--batch", "--csv", "--totals"}, input);
        const qsizetype rows = 1 + input.count('\n');  // the header and a row per line
        qsizetype at = 0;
        for (qsizetype k = 0; k < rows; ++k) at = csv.out.indexOf('\n', at) + 1;
        QVERIFY(at > 0);
        QCOMPARE(csv.out.mid(at), totals);
    }

    // A text cell that a spreadsheet would take for a formula is quoted with a ' in front;
    // the numbers, negative ones too, and texts with such a character further in are not.
    void textCellsAreNoFormulas_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QByteArray>("cell");  // as the row holds it, between its commas
        QTest::addColumn<bool>("unit");        // the cell is the unit, also in the Total row
        QTest::newRow("=") << CubeLine("=1+2") << QByteArray("\"'=1+2\"") << true;
        QTest::newRow("+") << CubeLine("+cm") << QByteArray("\"'+cm\"") << true;
        QTest::newRow("-") << CubeLine("-cm") << QByteArray("\"'-cm\"") << true;
        QTest::newRow("@") << CubeLine("@cm") << QByteArray("\"'@cm\"") << true;
        QTest::newRow("tab") << CubeLine("\\tcm") << QByteArray("\"'\tcm\"") << true;
        QTest::newRow("CR") << CubeLine("\\rcm") << QByteArray("\"'\rcm\"") << true;
        QTest::newRow("quoted as well")
            << CubeLine("=A1,\\\"x\\\"") << QByteArray("\"'=A1,\"\"x\"\"\"") << true;
        QTest::newRow("= further in") << CubeLine("m=1") << QByteArray("m=1") << true;
        QTest::newRow("blank first") << CubeLine(" =1") << QByteArray(" =1") << true;
        QTest::newRow("NUL") << CubeLine("c\\u0000m") << QByteArray("\"c\xef\xbf\xbdm\"") << true;
        QTest::newRow("material") << CubeLine("cm", ", \"material\": \"-Foam\"")
                                  << QByteArray("\"'-Foam\"") << false;
        QTest::newRow("negative mass stays a number")
            << CubeLine("cm", ", \"material\": \"Lift\"") << QByteArray("-0.0080") << false;
    }
    void textCellsAreNoFormulas() {
        QFETCH(QByteArray, line);
        QFETCH(QByteArray, cell);
        QFETCH(bool, unit);
        QTemporaryDir work;
        WriteMaterials(work.path(), {{"-Foam", 30}, {"Lift", -1000}});
        const Answer csv = Cli(work.path(), {"--batch", "--csv", "--totals"}, line);
        QCOMPARE(csv.status, 0);
        QVERIFY(!csv.out.contains('\0'));
        const qsizetype row = csv.out.indexOf("\r\n") + 2;
        QVERIFY2(csv.out.mid(row).startsWith(unit ? "Cube,Solved," + cell + ",2.0000,"
                                                  : "Cube,Solved,cm,"),
                 csv.out.constData());
        QVERIFY(csv.out.indexOf("," + cell + ",", row) > 0);
        if (unit) QVERIFY(csv.out.contains("\nTotal,," + cell + ","));
    }

    void singleRequestCsv() {
        QTemporaryDir work;
        const Answer a = Cli(work.path(), {"Cube", "a=2", "count=5", "--csv", "--totals"});
        QCOMPARE(a.status, 0);
        const QList<QByteArray> lines = a.out.split('\n');
        QCOMPARE(lines.size(), 4);
        QVERIFY(lines[0].startsWith("figure,state,unit,a,"));
        QCOMPARE(lines[1],
                 QByteArray("Cube,Solved,mm,2.0000,,,,,,,,,,,,,,,,24.00,8.00,,,5,40.00,,\r"));
        QCOMPARE(lines[2], QByteArray("Total,,mm,,,,,,,,,,,,,,,,,,,,,5,40.00,,\r"));
    }
};

MERTANO_REGISTER_TEST(TstCliCsv)
#include "tst_csv.moc"
