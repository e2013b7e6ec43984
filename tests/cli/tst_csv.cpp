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

// A Total row: its state and unit, then the pieces, total volume, total mass, message
// and total cost.
QByteArray TotalRow(const QByteArray& state, const QByteArray& unit, const QByteArray& pieces,
                    const QByteArray& volume, const QByteArray& message,
                    const QByteArray& mass = {}, const QByteArray& cost = {}) {
    return "Total," + state + "," + unit + QByteArray(21, ',') + pieces + "," + volume + "," +
           mass + "," + message + ",,," + cost + "\r\n";
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

    // A price per kg gives the cost of a piece and, with a count, of all pieces: the exact
    // products of the shown masses and the price, rounded to the cent with halves to even,
    // where floating point rounds some the wrong way.
    void cost_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("price");
        QTest::addColumn<QString>("cost");       // empty: none
        QTest::addColumn<QString>("totalCost");  // empty: none
        // 1000 cm3: the mass in kg is the density.
        const QStringList cube = {"Cube", "a=10", "--unit", "cm"};
        auto row = [](const char* name, const QStringList& args, const char* price,
                      const char* cost, const char* total) {
            QTest::newRow(name) << args << QString(price) << QString(cost) << QString(total);
        };
        row("a half cent goes to the even cent",
            cube + QStringList{"density=7.25", "price=2,50", "count=4"}, "2.50", "18.12", "72.50");
        row("floating point gives 0.73", cube + QStringList{"density=7.25", "price=0.1"}, "0.1",
            "0.72", "");
        row("floating point gives 1.01", cube + QStringList{"density=1.015", "price=1"}, "1",
            "1.02", "");
        row("the total from the total mass, not from the rounded cost",
            {"Cube", "a=1", "--unit", "cm", "density=1", "price=1", "count=1000"}, "1", "0.00",
            "1.00");
        // Floating point gives 12345678912345699184470325723136.00 for the cost.
        row("more digits than floating point holds",
            {"Cube", "a=100000", "--unit", "m", "density=100000", "price=0123456789.123457",
             "count=1000000"},
            "123456789.123457", "12345678912345700000000000000000.00",
            "12345678912345700000000000000000000000.00");
        row("no mass, no cost", {"Circle", "r=1", "price=2", "count=2"}, "2", "", "");
    }
    void cost() {
        QFETCH(QStringList, args);
        QFETCH(QString, price);
        QFETCH(QString, cost);
        QFETCH(QString, totalCost);
        QTemporaryDir work;
        const Answer a = Cli(work.path(), args + QStringList{"--json"});
        QCOMPARE(a.status, 0);
        const QJsonObject o = QJsonDocument::fromJson(a.out).object();
        QCOMPARE(o["price"].toString(), price);
        QCOMPARE(o.contains("cost"), !cost.isEmpty());
        QCOMPARE(o["cost"].toString(), cost);
        QCOMPARE(o["totals"]["cost"].toString(), totalCost);
        if (!cost.isEmpty()) QVERIFY(Cli(work.path(), args).out.contains(" " + cost.toUtf8()));
    }

    // A density in place of a material gives the mass that the material of the same
    // gravity in Gravity.grv gives, to the last bit, and needs no file: a job sheet keeps
    // its masses wherever it is run. The material is then only a name.
    void densityStandsForTheMaterial_data() {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("cone in cm") << QStringList{"Cone", "r=3", "m=4", "--unit", "cm"};
        QTest::newRow("largest cube in m, with steps and a count")
            << QStringList{"Cube", "a=99999.9999", "--unit", "m", "--steps", "count=7"};
    }
    void densityStandsForTheMaterial() {
        QFETCH(QStringList, args);
        QTemporaryDir withFile, without;
        WriteMaterials(withFile.path(), {{"Iron", 7851}});
        const Answer looked =
            Cli(withFile.path(), args + QStringList{"--json", "--material", "Iron"});
        QCOMPARE(looked.status, 0);
        QVERIFY(looked.out.contains("\"mass\": "));
        for (const QString& folder : {withFile.path(), without.path()}) {
            QProcess p;
            p.setWorkingDirectory(folder);
            p.start(MERTANO_CLI, args + QStringList{"--json", "--material", "Not in any file",
                                                    "density=7.851", "--language", "English"});
            QVERIFY(p.waitForFinished(60000));
            QCOMPARE(p.exitCode(), 0);
            QCOMPARE(p.readAllStandardError(), QByteArray());  // no file was looked for
            QCOMPARE(p.readAllStandardOutput(), looked.out);
        }
    }

    // A price or a density out of its rule is refused as any other value: a usage error on
    // the command line, an Invalid line in a batch, naming the key.
    void refusedPriceAndDensity_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("typed");  // on the command line; null: no such text
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<bool>("taken");
        auto row = [](const char* name, const char* key, const char* typed, const char* json,
                      bool taken) {
            QTest::newRow(name) << QString(key) << QString(typed) << QByteArray(json) << taken;
        };
        row("price negative", "price", "-1", "-1", false);
        row("price with an exponent", "price", "1e3", "\"1e3\"", false);
        row("price of seven decimals", "price", "0.0000001", "0.0000001", false);
        row("price above the largest", "price", "1000000000.01", "1000000000.01", false);
        row("price at the largest, JSON's exponent too", "price", "1000000000,000", "1e9", true);
        row("price neither text nor number", "price", nullptr, "true", false);
        row("density zero", "density", "0", "0.0", false);
        row("density above the dialog's largest", "density", "100000.001", "100000.001", false);
        row("density at the largest", "density", "100000", "100000", true);
        row("density of four decimals", "density", "7.8505", "7.8505", false);
    }
    void refusedPriceAndDensity() {
        QFETCH(QString, key);
        QFETCH(QString, typed);
        QFETCH(QByteArray, json);
        QFETCH(bool, taken);
        QTemporaryDir work;
        if (!typed.isNull()) {
            QProcess p;
            p.setWorkingDirectory(work.path());
            p.start(MERTANO_CLI, {"Cube", "a=1", key + "=" + typed});
            QVERIFY(p.waitForFinished(60000));
            QCOMPARE(p.exitCode(), taken ? 0 : 64);
            QCOMPARE(p.readAllStandardError().contains(key.toUtf8() + ": \""), !taken);
        }
        const Answer batch = Cli(work.path(), {"--batch"},
                                 "{\"figure\": \"Cube\", \"fields\": {\"a\": 1}, \"" +
                                     key.toUtf8() + "\": " + json + "}\n");
        QCOMPARE(batch.status, taken ? 0 : 65);
        const QJsonObject o = QJsonDocument::fromJson(batch.out).object();
        if (!taken) QVERIFY(o["message"].toString().startsWith("\"" + key + "\" must be"));
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
                "'count': 7}\n"
                "{'figure': 'Cylinder', 'fields': {'r': '0.5', 'm': '2'}, 'unit': 'dm', "
                "'material': 'Steel', 'density': 7.85, 'price': '1.015', 'count': 4}\n"
                "{'figure': 'Cube', 'fields': {'a': 1}, 'unit': 'dm', 'material': 'Iron', "
                "'price': 0.35}\n")
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
        QCOMPARE(rows.size(), 1 + answers.size() + 4);
        QStringList header;
        for (const QJsonValue& v : rows[0].toArray()) header << v.toString();
        QCOMPARE(header.join(','),
                 QString("figure,state,unit,a,b,c,alfa,beta,gamma,ma,mb,mc,r,d,i,h,R,perimeter,"
                         "area,surface,volume,material,mass,count,total_volume,total_mass,"
                         "message,price,cost,total_cost"));
        const QStringList materials = {"Iron", "Oak, \"dry\"", "Iron", "", "", "", "",
                                       "",     "Steel",        "Iron"};

        struct Sum {
            long long pieces = 0;
            double volume = 0, mass = 0, cost = 0;
            int leftOut = 0;
            bool priced = false;
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
            QCOMPARE(cell["price"], o["price"].toString());
            QCOMPARE(cell["cost"], o["cost"].toString());
            if (o.contains("count")) {
                QCOMPARE(cell["total_volume"], o["totals"]["volume"].toString());
                QCOMPARE(cell["total_mass"], o["totals"]["mass"].toString());
                QCOMPARE(cell["total_cost"], o["totals"]["cost"].toString());
            } else {
                QCOMPARE(cell["total_volume"], results["volume"].toString());
                QCOMPARE(cell["total_mass"], results["mass"].toString());
                QCOMPARE(cell["total_cost"], o["cost"].toString());
            }
            Sum& sum = sums[o["unit"].toString()];
            if (o["state"] != "Solved") {
                ++sum.leftOut;
                continue;
            }
            sum.pieces += count;
            sum.volume += cell["total_volume"].toDouble();
            sum.mass += cell["total_mass"].toDouble();
            sum.cost += cell["total_cost"].toDouble();
            sum.priced = sum.priced || !cell["total_cost"].isEmpty();
        }
        QCOMPARE(invalid, 1);
        QCOMPARE(sums.size(), 3);
        QVERIFY(sums["dm"].priced);
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
            QCOMPARE(cell["total_cost"],
                     sum.priced ? QString::number(sum.cost, 'f', 2) : QString());
            QCOMPARE(cell["message"], sum.leftOut == 0 ? QString()
                                                       : QString::number(sum.leftOut) +
                                                             " rows not Solved, left out of the "
                                                             "totals");
        }
        const QJsonArray last = rows.last().toArray();
        QCOMPARE(last[0].toString() + last[1].toString() + last[2].toString(),
                 QString("TotalInvalid"));
        QCOMPARE(last[header.indexOf("message")].toString(),
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
                     "\"}, \"count\": 999999, \"density\": 99999.999, \"price\": "
                     "999999999.999999}\n";
        }
        const Answer csv = Cli(work.path(), {"--batch", "--csv", "--totals"}, input);
        QCOMPARE(csv.status, 0);
        const QList<QByteArray> lines = csv.out.trimmed().split('\n');
        QCOMPARE(lines.size(), 9000 + 2);
        QStringList volumes, masses, costs;
        for (qsizetype k = 1; k <= 9000; ++k) {
            const QList<QByteArray> cells = lines[k].split(',');
            volumes << QString(cells[24]);
            masses << QString(cells[25]);
            costs << QString(cells[29].trimmed());
        }
        const QList<QByteArray> total = lines.last().split(',');
        QCOMPARE(total[0], QByteArray("Total"));
        QCOMPARE(QString(total[24]), AddDecimals(volumes, 2));
        QCOMPARE(QString(total[25]), AddDecimals(masses, 4));
        QCOMPARE(QString(total[29].trimmed()), AddDecimals(costs, 2));
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
        // Cubes of 8 cm3 at 7.85 g/cm3: 0.0628 kg each. The cost total adds the rows' total
        // costs, 0.06 and 1.88; the row without a price is named, not priced at 0.
        const QByteArray priced =
            CubeLine("cm", ", \"density\": 7.85, \"price\": \"1.015\"") +
            CubeLine("cm", ", \"density\": 7.85, \"price\": 10, \"count\": 3");
        QTest::newRow("costs added up, a row without a price named")
            << priced + CubeLine("cm", ", \"density\": 7.85") + cone
            << TotalRow("", "cm", "5", "40.00",
                        "\"1 row not Solved, left out of the totals; 1 row with a mass but no "
                        "price, left out of the total cost\"",
                        "0.3140", "1.94");
        QTest::newRow("a unit without prices says nothing of costs")
            << priced + CubeLine("m", ", \"density\": 7.85")
            << TotalRow("", "cm", "4", "32.00", "", "0.2512", "1.94") +
                   TotalRow("", "m", "1", "8.00", "", "62800.0000");
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
                 QByteArray("Cube,Solved,mm,2.0000,,,,,,,,,,,,,,,,24.00,8.00,,,5,40.00,,,,,\r"));
        QCOMPARE(lines[2], QByteArray("Total,,mm,,,,,,,,,,,,,,,,,,,,,5,40.00,,,,,\r"));
    }
};

MERTANO_REGISTER_TEST(TstCliCsv)
#include "tst_csv.moc"
