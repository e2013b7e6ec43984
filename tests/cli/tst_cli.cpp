// SPDX-License-Identifier: GPL-3.0-or-later
// mertano-cli end to end: the built binary run as a script would run it.
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "test_main.h"

namespace {

struct Run {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

Run Cli(const QStringList& args, const QByteArray& input = {}) {
    QProcess p;
    p.start(MERTANO_CLI, args);
    p.write(input);
    p.closeWriteChannel();
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

QJsonObject Json(const QByteArray& line) {
    return QJsonDocument::fromJson(line).object();
}

}  // namespace

class TstCli : public QObject {
    Q_OBJECT

private slots:
    void jsonOutputIsExact() {
        const Run r = Cli({"Cone", "r=3", "m=4", "--json"});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out,
                 QByteArray("{\"figure\": \"Cone\", \"state\": \"Solved\", \"message\": \"\", "
                            "\"unit\": \"mm\", \"fields\": {\"r\": \"3.0000\", \"a\": \"5.0000\", "
                            "\"ma\": \"4.0000\", \"alfa\": \"53.1301\", \"beta\": \"73.7398\"}, "
                            "\"angles\": {\"alfa\": [53, 7, 48], \"beta\": [73, 44, 23]}, "
                            "\"results\": {\"surface\": \"75.40\", \"volume\": \"37.70\"}, "
                            "\"pattern\": {\"kind\": \"sector\", \"outer_radius\": \"5.0000\", "
                            "\"angle\": \"216.0000\", \"angle_dms\": [216, 0, 0], "
                            "\"outer_arc\": \"18.8496\", \"chord\": \"9.5106\"}}\n"));
    }

    // --steps adds the solution after everything else, in each output form; without it
    // the output is the one above, byte for byte.
    void steps_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("tail");
        const QByteArray coneSteps =
            "\"steps\": [{\"quantity\": \"a\", \"formula\": \"a = \u221a(m\u00b2 + r\u00b2)\", "
            "\"substituted\": \"a = \u221a(4.0000\u00b2 + 3.0000\u00b2)\", \"value\": \"5.0000\", "
            "\"unit\": \"mm\"}, {\"quantity\": \"\u03b1\", \"formula\": \"\u03b1 = arcsin(m / "
            "a)\", "
            "\"substituted\": \"\u03b1 = arcsin(4.0000 / 5.0000)\", \"value\": \"53.1301\", "
            "\"unit\": \"\u00b0\"}, {\"quantity\": \"\u03b2\", \"formula\": \"\u03b2 = "
            "2\u00b7(90\u00b0 \u2212 \u03b1)\", \"substituted\": \"\u03b2 = 2\u00b7(90\u00b0 "
            "\u2212 "
            "53.1301\u00b0)\", \"value\": \"73.7398\", \"unit\": \"\u00b0\"}, {\"quantity\": "
            "\"S\", "
            "\"formula\": \"S = \u03c0\u00b7r\u00b7(a + r)\", \"substituted\": \"S = "
            "\u03c0\u00b73.0000\u00b7(5.0000 + 3.0000)\", \"value\": \"75.40\", \"unit\": "
            "\"mm\u00b2\"}, "
            "{\"quantity\": \"V\", \"formula\": \"V = r\u00b2\u00b7\u03c0\u00b7m / 3\", "
            "\"substituted\": "
            "\"V = 3.0000\u00b2\u00b7\u03c0\u00b74.0000 / 3\", \"value\": \"37.70\", \"unit\": "
            "\"mm\u00b3\"}]}\n";
        QTest::newRow("cone as JSON")
            << QStringList{"Cone", "r=3", "m=4", "--steps", "--json"} << QByteArray() << coneSteps;
        QTest::newRow("cone in a batch")
            << QStringList{"--batch", "--steps"}
            << QByteArray("{\"figure\": \"Cone\", \"fields\": {\"r\": \"3\", \"m\": \"4\"}}\n")
            << coneSteps;
        QTest::newRow("a typed value replaced, as JSON")
            << QStringList{"Circle", "r=5", "d=7", "--steps", "--json"} << QByteArray()
            << QByteArray("\"value\": \"10.0000\", \"unit\": \"mm\", \"replaced\": \"7.0000\"}, ");
        QTest::newRow("a typed value replaced, in the table")
            << QStringList{"Circle", "r=5", "d=7", "--steps"} << QByteArray()
            << QByteArray(
                   "  area         78.54 mm2\n"
                   "Steps:\n"
                   "  1. Diameter: d = 2\u00b7r = 2\u00b75.0000 = 10.0000 mm\n"
                   "     d: 7.0000 mm typed, replaced by 10.0000 mm (it does not fit the other "
                   "values)\n"
                   "  2. Perimeter: P = 2\u00b7r\u00b7\u03c0 = 2\u00b75.0000\u00b7\u03c0 = 31.42 "
                   "mm\n"
                   "  3. Area: A = r\u00b2\u00b7\u03c0 = 5.0000\u00b2\u00b7\u03c0 = 78.54 "
                   "mm\u00b2\n");
        QTest::newRow("nothing solved, no steps")
            << QStringList{"Cone", "r=3", "--steps", "--json"} << QByteArray()
            << QByteArray("\"results\": {}, \"steps\": []}\n");
    }
    void steps() {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, tail);
        const Run with = Cli(args, input);
        QVERIFY2(with.out.contains(tail), with.out.constData());
        if (!with.out.endsWith(tail))
            QVERIFY(with.out.indexOf(tail) > with.out.indexOf("\"results\""));
        QStringList without = args;
        without.removeAll("--steps");
        const QByteArray plain = Cli(without, input).out;
        QVERIFY(!plain.contains("steps") && !plain.contains("Steps:"));
        // The output with steps begins with the output without them.
        const qsizetype cut = plain.endsWith("}\n") ? plain.size() - 2 : plain.size();
        QCOMPARE(with.out.left(cut), plain.left(cut));
    }

    void states_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("message");
        QTest::newRow("solved") << QStringList{"Cube", "a=2"} << 0 << "Solved"
                                << "";
        QTest::newRow("too few inputs") << QStringList{"Cone", "r=3"} << 1 << "Entering"
                                        << "";
        QTest::newRow("button rule refuses a leg equal to the hypotenuse")
            << QStringList{"RightTriangle", "a=5", "c=5"} << 1 << "Entering"
            << "";
        QTest::newRow("not solvable: the segment's arc and chord give the perimeter only")
            << QStringList{"CircularSegment", "i=3", "h=2"} << 1 << "NotSolvable"
            << "";
        QTest::newRow("an angle no right triangle has")
            << QStringList{"RightTriangle", "c=10", "beta=90"} << 2 << "Refused"
            << "The acute angles α and β of a right triangle are each less than 90°.";
        QTest::newRow("angle above 180")
            << QStringList{"Triangle", "a=3", "b=4", "gamma=200"} << 2 << "Refused"
            << QString::fromUtf8("The angle \u03b3 must not be greater than 180\u00b0.");
        QTest::newRow("sides that form no triangle")
            << QStringList{"Triangle", "a=3", "b=4", "c=7"} << 2 << "Refused"
            << "Side c must be shorter than a + b.\rThese three sides do not form a triangle.";
        QTest::newRow("largest cube") << QStringList{"Cube", "a=100000"} << 0 << "Solved"
                                      << "";
        QTest::newRow("largest sphere") << QStringList{"Sphere", "r=100000"} << 0 << "Solved"
                                        << "";
        QTest::newRow("tiny side") << QStringList{"Cube", "a=1e-100"} << 1 << "Entering"
                                   << "";
        QTest::newRow("side below the old digit buffer")
            << QStringList{"Cube", "a=1e-40"} << 1 << "Entering"
            << "";
        QTest::newRow("smallest double side") << QStringList{"Cube", "a=5e-324"} << 1 << "Entering"
                                              << "";
        QTest::newRow("root of a negative number")
            << QStringList{"CircularSegment", "r=1", "h=3"} << 3 << "Failed"
            << "Circular segment: no such figure has the values given.\rThe height of a segment "
               "cannot be greater than the diameter, nor its chord longer than the "
               "diameter.\r\rInvalid floating point operation";
        QTest::newRow("division by zero")
            << QStringList{"Cone", "m=4", "beta=180"} << 3 << "Failed"
            << QString::fromUtf8(
                   "Cone: no such figure has the values given.\rThe slant height a "
                   "must be longer than both the height and the radius, and the "
                   "angle \u03b2 less than 180\u00b0.\r\rFloating point division "
                   "by zero");
    }
    void states() {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        const Run r = Cli(args + QStringList{"--json"});
        QCOMPARE(r.status, status);
        const QJsonObject o = Json(r.out);
        QTEST(o["state"].toString(), "state");
        QTEST(o["message"].toString(), "message");
    }

    void valuesAreTakenAsTheFieldTakesThem_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("shown");
        QTest::newRow("comma") << QStringList{"Cube", "a=2,5"} << "a"
                               << "2.5000";
        QTest::newRow("four decimals") << QStringList{"Sphere", "r=3.14159"} << "r"
                                       << "3.1416";
        QTest::newRow("alias m") << QStringList{"Cylinder", "r=1", "m=2"} << "ma"
                                 << "2.0000";
        QTest::newRow("aliases a1 and a2")
            << QStringList{"SphericalZone", "r=5", "m=3", "a1=4", "a2=5"} << "R"
            << "5.0000";
        QTest::newRow("figure name in any case") << QStringList{"cUBE", "a=1"} << "a"
                                                 << "1.0000";
        QTest::newRow("refused angle is taken back")
            << QStringList{"Triangle", "beta=200"} << "beta"
            << "0.0000";
    }
    void valuesAreTakenAsTheFieldTakesThem() {
        QFETCH(QStringList, args);
        QFETCH(QString, field);
        QFETCH(QString, shown);
        const QJsonObject o = Json(Cli(args + QStringList{"--json"}).out);
        QCOMPARE(o["fields"].toObject()[field].toString(), shown);
    }

    void unitFollowsTheUnitBox() {
        const QJsonObject o =
            Json(Cli({"Triangle", "a=3", "b=4", "c=5", "--unit", "cm", "--json"}).out);
        QCOMPARE(o["unit"].toString(), QString("cm"));
        QCOMPARE(o["results"].toObject()["perimeter"].toString(), QString("12.0000"));
        const Run table = Cli({"Cuboid", "a=1", "b=2", "c=3", "--unit", "m"});
        QVERIFY(table.out.contains("volume"));
        QVERIFY(table.out.contains("6.00 m3"));
    }

    void tableForPeople() {
        const Run r = Cli({"Cone", "r=3", "m=4"});
        QCOMPARE(r.status, 0);
        QVERIFY(r.out.startsWith("Cone: Solved\n"));
        QVERIFY(r.out.contains("53.1301"));
        QVERIFY(r.out.contains("53\u00b0 7' 48\""));
        QVERIFY(r.out.contains("75.40 mm2"));
        const Run refused = Cli({"Triangle", "a=3", "b=4", "c=7"});
        QVERIFY(refused.out.contains("a + b.\nThese three sides"));
    }

    void usageErrors_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("mentions");
        QTest::newRow("no figure") << QStringList{} << "no figure";
        QTest::newRow("unknown figure") << QStringList{"Pyramid"} << "Pyramid";
        QTest::newRow("unknown field") << QStringList{"Cube", "x=1"} << "\"x\"";
        QTest::newRow("field the figure does not show") << QStringList{"Circle", "a=1"} << "Circle";
        QTest::newRow("names are case-sensitive") << QStringList{"Cone", "M=1"} << "\"M\"";
        QTest::newRow("not a number") << QStringList{"Cube", "a=abc"} << "field a";
        QTest::newRow("negative") << QStringList{"Cube", "a=-1"} << "from 0 to 100000";
        QTest::newRow("above the maximum") << QStringList{"Cube", "a=100000.0001"} << "100000";
        QTest::newRow("infinite") << QStringList{"Cube", "a=1e5000"} << "field a";
        QTest::newRow("without =") << QStringList{"Cube", "a2"} << "NAME=VALUE";
        QTest::newRow("unknown option")
            << QStringList{"Cube", "a=1", "--frobnicate"} << "frobnicate";
        QTest::newRow("count zero") << QStringList{"Cube", "a=1", "count=0"} << "count: \"0\"";
        QTest::newRow("count beyond a million")
            << QStringList{"Cube", "a=1", "count=1000001"} << "from 1 to 1000000";
        QTest::newRow("count a fraction") << QStringList{"Cube", "a=1", "count=1.5"} << "count";
        QTest::newRow("count with a sign") << QStringList{"Cube", "a=1", "count=+2"} << "count";
        QTest::newRow("count empty") << QStringList{"Cube", "a=1", "count="} << "count";
        QTest::newRow("csv with json") << QStringList{"Cube", "a=1", "--csv", "--json"} << "--json";
        QTest::newRow("totals without csv") << QStringList{"Cube", "a=1", "--totals"} << "--csv";
        QTest::newRow("batch with arguments") << QStringList{"--batch", "Cube"} << "standard input";
        // A CSV row has no column for the steps: they would be left out without a word.
        QTest::newRow("steps with csv")
            << QStringList{"Cube", "a=1", "--csv", "--steps"} << "--steps goes with the table";
        QTest::newRow("steps with a csv batch")
            << QStringList{"--batch", "--csv", "--totals", "--steps"} << "or --json";
        QTest::newRow("pattern of another figure")
            << QStringList{"Cube", "a=1", "--pattern", "svg"} << "Cone, TruncatedCone and Cylinder";
        QTest::newRow("pattern in no known format")
            << QStringList{"Cone", "r=3", "m=4", "--pattern", "png"} << "svg or dxf";
        QTest::newRow("pattern with json")
            << QStringList{"Cone", "r=3", "m=4", "--pattern", "svg", "--json"} << "not with";
        QTest::newRow("pattern of a batch") << QStringList{"--batch", "--pattern", "dxf"} << "--batch";
        QTest::newRow("seam not a length")
            << QStringList{"Cone", "r=3", "m=4", "--pattern", "svg", "--seam", "abc"} << "--seam";
    }
    // The drawing on standard output, sized as the figure: the SVG in millimetres, the DXF
    // in the unit with the cone's sector as a true arc of the slant height.
    void patternDrawings_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QStringList>("holds");
        QTest::newRow("cone as SVG, cm") << QStringList{"Cone", "r=3", "m=4", "--unit", "cm", "--pattern", "svg"}
                                         << QStringList{"<svg", "mm\"", " A 50 50 "};
        QTest::newRow("truncated cone as DXF")
            << QStringList{"TruncatedCone", "R=60", "r=30", "m=40", "--pattern", "dxf", "--seam", "5"}
            << QStringList{"ARC", "OUTLINE", "SEAM", "$INSUNITS", "100.0"};
        QTest::newRow("cylinder as DXF") << QStringList{"Cylinder", "r=20", "m=120", "--pattern", "dxf"}
                                         << QStringList{"LINE", "125.66"};
    }
    void patternDrawings() {
        QFETCH(QStringList, args);
        QFETCH(QStringList, holds);
        const Run r = Cli(args);
        QCOMPARE(r.status, 0);
        for (const QString& h : holds) QVERIFY2(r.out.contains(h.toUtf8()), qPrintable(h));
    }
    void usageErrors() {
        QFETCH(QStringList, args);
        QFETCH(QString, mentions);
        const Run r = Cli(args);
        QCOMPARE(r.status, 64);
        QVERIFY(r.out.isEmpty());
        QVERIFY2(QString::fromUtf8(r.err).contains(mentions), r.err.constData());
    }

    void help() {
        const Run r = Cli({"--help"});
        QCOMPARE(r.status, 0);
        QVERIFY(r.out.contains("--batch"));
        QVERIFY(r.out.contains("SphericalZone"));
    }

    // Every magnitude a request can carry gets its answer, and no line stops the stream.
    void batchAnswersEveryMagnitude() {
        struct Row {
            const char* line;
            const char* state;
            const char* field;  // the text of the figure's first field
            const char* volume;
        };
        const Row rows[] = {
            {R"({"figure": "Cube", "fields": {"a": 1e-100}})", "Entering", "0.0000", ""},
            {R"({"figure": "Cube", "fields": {"a": "1e-40"}})", "Entering", "0.0000", ""},
            {R"({"figure": "Cube", "fields": {"a": 5e-324}})", "Entering", "0.0000", ""},
            {R"({"figure": "Cube", "fields": {"a": "100000"}})", "Solved", "100000.0000",
             "1000000000000000.00"},
            {R"({"figure": "Sphere", "fields": {"r": 100000}})", "Solved", "100000.0000",
             "4188790204786390.98"},
            {R"({"figure": "CircularSegment", "fields": {"h": "29.9056", "m": "14.9528"}})",
             "Solved", "14.9528", ""},
        };
        QByteArray input;
        for (const Row& row : rows) input += QByteArray(row.line) + '\n';
        const Run r = Cli({"--batch"}, input);
        QCOMPARE(r.status, 0);
        const QList<QByteArray> lines = r.out.split('\n');
        QCOMPARE(lines.size(), int(std::size(rows)) + 1);
        for (std::size_t k = 0; k < std::size(rows); ++k) {
            const QJsonObject o = Json(lines[int(k)]);
            QCOMPARE(o["state"].toString(), QString(rows[k].state));
            const QJsonObject fields = o["fields"].toObject();
            QCOMPARE(fields[fields.keys().contains("r") ? "r" : "a"].toString(),
                     QString(rows[k].field));
            if (*rows[k].volume) {
                QCOMPARE(o["results"].toObject()["volume"].toString(), QString(rows[k].volume));
            }
        }
    }

    void batchAnswersEveryLineInOrder() {
        const QByteArray input =
            "{\"figure\": \"Cone\", \"fields\": {\"r\": \"3\", \"m\": \"4\"}, \"unit\": \"cm\", "
            "\"material\": \"Iron\"}\n"
            "not json\n"
            "{\"figure\": \"Cube\", \"fields\": {\"a\": 2}}\r\n"
            "{\"figure\": \"Pyramid\"}\n"
            "{\"figure\": \"Cube\", \"fields\": {\"x\": \"1\"}}\n"
            "{\"figure\": \"Cube\", \"fields\": {\"a\": \"-1\"}}\n"
            "{\"figure\": \"Cube\", \"feilds\": {\"a\": \"1\"}}\n"
            "\n"
            "[1, 2]\n"
            "{\"figure\": \"Sphere\", \"fields\": {\"r\": \"1\"}}";
        const Run r = Cli({"--batch"}, input);
        QCOMPARE(r.status, 65);
        const QList<QByteArray> lines = r.out.split('\n');
        QCOMPARE(lines.size(), 11);  // ten answers and the final line end
        const QStringList states = {"Solved",  "Invalid", "Solved",  "Invalid", "Invalid",
                                    "Invalid", "Invalid", "Invalid", "Invalid", "Solved"};
        for (int k = 0; k < states.size(); ++k) {
            QCOMPARE(Json(lines[k])["state"].toString(), states[k]);
        }
        QCOMPARE(Json(lines[0])["unit"].toString(), QString("cm"));
        QCOMPARE(Json(lines[2])["fields"].toObject()["a"].toString(), QString("2.0000"));
        QVERIFY(Json(lines[4])["message"].toString().contains("\"x\""));
        QVERIFY(Json(lines[6])["message"].toString().contains("feilds"));
        QCOMPARE(Json(lines[9])["results"].toObject()["volume"].toString(), QString("4.19"));
    }

    // Output that never arrived is never reported as success: a full disk, a file-size
    // limit (which would otherwise kill the program), a folder as standard input.
    void inputAndOutputFailures_data() {
        QTest::addColumn<QString>("shell");  // run by sh with the program as $0
        QTest::addColumn<QByteArray>("message");
        const QString batch = "echo '{\"figure\": \"Cube\", \"fields\": {\"a\": \"1\"}}' | ";
        QTest::newRow("table to a full disk")
            << "exec \"$0\" Cube a=1 >/dev/full" << QByteArray("could not write the output");
        QTest::newRow("JSON to a full disk")
            << "exec \"$0\" Cube a=1 --json >/dev/full" << QByteArray("could not write the output");
        QTest::newRow("batch to a full disk")
            << batch + "exec \"$0\" --batch >/dev/full" << QByteArray("could not write the output");
        QTest::newRow("help to a full disk")
            << "exec \"$0\" --help >/dev/full" << QByteArray("could not write the output");
        QTest::newRow("beyond a file-size limit") << "ulimit -f 0 && exec \"$0\" Cube a=1 >out.txt"
                                                  << QByteArray("could not write the output");
        QTest::newRow("folder as standard input")
            << "exec \"$0\" --batch </" << QByteArray("could not read the standard input");
    }
    void inputAndOutputFailures() {
        QFETCH(QString, shell);
        QTemporaryDir work;
        QProcess p;
        p.setWorkingDirectory(work.path());
        p.start("/bin/sh", {"-c", shell, MERTANO_CLI});
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 74);
        const QByteArray err = p.readAllStandardError();
        QFETCH(QByteArray, message);
        QVERIFY2(err.startsWith("mertano-cli: " + message), err.constData());
        QCOMPARE(err.count('\n'), 1);
    }

    // Endless input without line ends must not be held in memory: a line beyond 1 MiB is
    // answered as invalid and the lines after it are still answered.
    void batchLineTooLong() {
        const QByteArray cube = "{\"figure\": \"Cube\", \"fields\": {\"a\": \"1\"}}";
        const Run r = Cli({"--batch"}, QByteArray(1024 * 1024 + 1, ' ') + "\n" + cube + "\n" +
                                           QByteArray(1024 * 1024 - 1 - cube.size(), ' ') + cube);
        QCOMPARE(r.status, 65);
        const QList<QByteArray> lines = r.out.split('\n');
        QCOMPARE(lines.size(), 4);
        QCOMPARE(Json(lines[0])["state"].toString(), QString("Invalid"));
        QVERIFY(Json(lines[0])["message"].toString().contains("1 MiB"));
        QCOMPARE(Json(lines[1])["state"].toString(), QString("Solved"));
        QCOMPARE(Json(lines[2])["state"].toString(), QString("Solved"));
    }

    // The limit counts the line without its line end, LF or CR LF alike.
    void batchLineLimit_data() {
        QTest::addColumn<int>("bytes");  // of the line, without its line end
        QTest::addColumn<QByteArray>("end");
        QTest::addColumn<QString>("state");
        QTest::newRow("1 MiB, LF") << 1024 * 1024 << QByteArray("\n") << "Solved";
        QTest::newRow("1 MiB, CR LF") << 1024 * 1024 << QByteArray("\r\n") << "Solved";
        QTest::newRow("1 MiB, CR at the end of the input")
            << 1024 * 1024 << QByteArray("\r") << "Solved";
        QTest::newRow("1 MiB and a byte, CR LF")
            << 1024 * 1024 + 1 << QByteArray("\r\n") << "Invalid";
        QTest::newRow("1 MiB and a CR of its own, CR LF")
            << 1024 * 1024 << QByteArray("\r\r\n") << "Invalid";
    }
    void batchLineLimit() {
        QFETCH(int, bytes);
        QFETCH(QByteArray, end);
        const QByteArray cube = "{\"figure\": \"Cube\", \"fields\": {\"a\": \"1\"}}";
        // After a line end, a line that is taken whatever came before it.
        const QByteArray next = end.endsWith('\n') ? cube : QByteArray();
        const Run r = Cli({"--batch"}, QByteArray(bytes - cube.size(), ' ') + cube + end + next);
        const QList<QByteArray> lines = r.out.split('\n');
        QCOMPARE(lines.size(), next.isEmpty() ? 2 : 3);
        QTEST(Json(lines[0])["state"].toString(), "state");
        if (!next.isEmpty()) QCOMPARE(Json(lines[1])["state"].toString(), QString("Solved"));
    }

    void batchAllValidExitsZero() {
        const Run r = Cli({"--batch"},
                          "{\"figure\": \"Cone\", \"fields\": {\"r\": \"3\"}}\n"
                          "{\"figure\": \"Cube\", \"fields\": {\"a\": \"1\"}}\n");
        QCOMPARE(r.status, 0);
        QCOMPARE(Json(r.out.split('\n')[0])["state"].toString(), QString("Entering"));
    }

    // A script talking to a running batch: each answer must come while the input is
    // still open, or the script and the program wait for each other forever.
    void batchAnswersWhileTheInputStaysOpen() {
        QProcess p;
        p.start(MERTANO_CLI, {"--batch"});
        QVERIFY(p.waitForStarted());
        for (const char* side : {"1", "2"}) {
            p.write(QByteArray("{\"figure\": \"Cube\", \"fields\": {\"a\": \"") + side + "\"}}\n");
            QByteArray answer;
            while (!answer.endsWith('\n') && p.waitForReadyRead(10000)) answer += p.readAll();
            QCOMPARE(Json(answer)["state"].toString(), QString("Solved"));
        }
        p.closeWriteChannel();
        QVERIFY(p.waitForFinished(10000));
        QCOMPARE(p.exitCode(), 0);
    }
};

MERTANO_REGISTER_TEST(TstCli)
#include "tst_cli.moc"
