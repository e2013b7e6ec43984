// SPDX-License-Identifier: GPL-3.0-or-later
// The batch reader's quick path against the full reader, and a stream of generated
// lines through mertano-cli --batch against each line answered on its own.
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <random>

#include "cli/cli_language.h"
#include "cli/cli_output.h"
#include "cli/cli_request.h"
#include "cli/cli_run.h"
#include "shapes/shape_catalogue.h"
#include "test_main.h"

using namespace mertano;
using namespace mertano::cli;

namespace {

// What a line reads as, written out so that two readings compare as text; values by
// their bits, so 0 and -0 differ.
QByteArray Described(const std::variant<Request, RequestError>& parsed) {
    if (const auto* error = std::get_if<RequestError>(&parsed)) {
        return "error: " + QByteArray::fromStdString(error->message);
    }
    const Request& r = std::get<Request>(parsed);
    QByteArray out = QByteArray(Shape(r.shape).name.data()) +
                     " count=" + (r.count ? QByteArray::number(*r.count) : "none") +
                     " unit=" + QByteArray::fromStdString(r.unit) + " material=" +
                     (r.material ? "\"" + QByteArray::fromStdString(*r.material) + "\"" : "none") +
                     " density=" + (r.density ? QByteArray::number(*r.density) : "none") +
                     " price=" + (r.price ? QByteArray::fromStdString(*r.price) : "none");
    for (int k = 0; k < kFieldCount; ++k) {
        if (!r.values[k]) continue;
        const long double v = *r.values[k];
        out += " " + QByteArray::number(k) + "=" + QByteArray::number(double(v), 'g', 21) +
               (std::signbit(v) ? "(neg)" : "");
    }
    return out;
}

QString FaultOf(const std::variant<Request, RequestError>& parsed) {
    const auto* error = std::get_if<RequestError>(&parsed);
    return error ? QString::fromStdString(error->message) : QString();
}

// Lines of every figure with values as texts (point or comma) and as JSON numbers,
// in keys of any order, with refused and invalid lines among them.
std::vector<std::string> GeneratedLines(std::size_t count) {
    std::mt19937 random(13);
    auto number = [&](double low, double high) {
        std::uniform_real_distribution<double> d(low, high);
        return std::round(d(random) * 10000.0) / 10000.0;
    };
    std::vector<std::string> lines;
    while (lines.size() < count) {
        const ShapeKind shape = kAllShapes[random() % kAllShapes.size()];
        std::string fields;
        for (Field f : ShownFields(shape)) {
            if (random() % 3 == 0) continue;
            const double x = IsAngleField(f) ? number(1, 200) : number(0.1, 300);
            char text[32];
            std::snprintf(text, sizeof text, "%.4g", x);
            std::string value = text;
            switch (random() % 3) {
                case 0:
                    break;  // a JSON number
                case 1:
                    value = "\"" + value + "\"";
                    break;
                default:
                    if (auto dot = value.find('.'); dot != std::string::npos) value[dot] = ',';
                    value = "\"" + value + "\"";
            }
            if (!fields.empty()) fields += ", ";
            fields += "\"" + std::string(FieldValueName(f)) + "\": " + value;
        }
        const std::string figure = "\"figure\": \"" + std::string(Shape(shape).name) + "\"";
        const std::string body = "\"fields\": {" + fields + "}";
        switch (random() % 8) {
            case 0:
                lines.push_back("{" + body + ", " + figure + ", \"unit\": \"cm\"}");
                break;
            case 1:
                lines.push_back("{" + figure + ", " + body + ", \"unit\": \"m\\u00b2\"}");
                break;
            case 2:
                lines.push_back("{" + figure + ", " + body + ", \"colour\": 1}");
                break;
            case 3:
                lines.push_back("{" + figure + ", " + body + "} trailing");
                break;
            case 4:
                lines.push_back("{" + figure + ", " + body +
                                ", \"count\": " + std::to_string(random() % 30) + "}");
                break;
            default:
                lines.push_back("{" + figure + ", " + body + "}");
        }
    }
    return lines;
}

}  // namespace

class TstBatch : public QObject {
    Q_OBJECT

private slots:
    // Every line reads as the full reader reads it, with the same message when refused:
    // the quick path must hand every line it does not take plainly to the full reader.
    void quickPathReadsAsTheFullReader_data() {
        QTest::addColumn<QByteArray>("line");
        const char* cube = "{\"figure\": \"Cube\", \"fields\": {\"a\": ";
        auto row = [](const char* name, const QByteArray& line) { QTest::newRow(name) << line; };
        row("plain", "{\"figure\": \"Cone\", \"fields\": {\"r\": \"3\", \"m\": \"4\"}}");
        row("no blanks",
            "{\"figure\":\"Cone\",\"fields\":{\"r\":\"3\",\"m\":\"4\"},\"unit\":\"cm\"}");
        row("blanks around", "  { \"figure\" : \"Cube\" , \"fields\" : { \"a\" : \"1\" } }  ");
        row("fields before figure", "{\"fields\": {\"a\": \"2\"}, \"figure\": \"Cube\"}");
        row("figure in any case", "{\"figure\": \"cUBE\", \"fields\": {\"a\": \"1\"}}");
        row("comma as separator", QByteArray(cube) + "\"2,5\"}}");
        row("rounded to four decimals", QByteArray(cube) + "\"3.14159\"}}");
        row("integer number", QByteArray(cube) + "2}}");
        row("fraction number", QByteArray(cube) + "0.1}}");
        row("exponent number", QByteArray(cube) + "1.5E2}}");
        row("long fraction number", QByteArray(cube) + "1.23456789012345678901234567}}");
        row("many digits near the maximum", QByteArray(cube) + "99999.999999999999999999}}");
        row("big integer", QByteArray(cube) + "12345678901234567890}}");
        row("integer zero", QByteArray(cube) + "0}}");
        row("integer minus zero", QByteArray(cube) + "-0}}");
        row("fraction minus zero", QByteArray(cube) + "-0.0}}");
        row("number too small to hold", QByteArray(cube) + "1e-400}}");
        row("number too large to hold", QByteArray(cube) + "1e400}}");
        row("integer beyond 64 bits", QByteArray(cube) + "123456789012345678901234}}");
        row("leading zero", QByteArray(cube) + "01}}");
        row("field twice", QByteArray(cube) + "\"1\", \"a\": \"2\"}}");
        row("alias after its field",
            "{\"figure\": \"Cylinder\", \"fields\": {\"r\": \"1\", \"ma\": \"3\", \"m\": \"2\"}}");
        row("aliases a1 and a2 beside a and R",
            "{\"figure\": \"SphericalZone\", \"fields\": {\"r\": \"5\", \"a2\": \"5\", \"R\": "
            "\"6\", "
            "\"a\": \"3\", \"a1\": \"4\", \"m\": \"3\"}}");
        row("figure twice",
            "{\"figure\": \"Cube\", \"figure\": \"Sphere\", \"fields\": {\"r\": \"1\"}}");
        row("unit twice", QByteArray(cube) + "\"1\"}, \"unit\": \"mm\", \"unit\": \"cm\"}");
        row("fields twice", QByteArray(cube) + "\"1\"}, \"fields\": {\"a\": \"2\"}}");
        row("escaped text", QByteArray(cube) + "\"1\\u002e5\"}, \"unit\": \"\\u00b5m\"}");
        row("lone surrogate", QByteArray(cube) + "\"1\"}, \"unit\": \"\\ud800\"}");
        row("UTF-8 text", QByteArray(cube) + "\"1\"}, \"unit\": \"\xc2\xb5m\"}");
        row("broken UTF-8", QByteArray(cube) + "\"1\"}, \"unit\": \"\xc3\x28\"}");
        row("raw tab in a text", QByteArray(cube) + "\"1\"}, \"unit\": \"m\tm\"}");
        row("NUL byte", QByteArray(cube) + "\"1\"}}" + QByteArray(1, '\0'));
        row("material", QByteArray(cube) + "\"1\"}, \"material\": \"Iron\"}");
        row("material not a text", QByteArray(cube) + "\"1\"}, \"material\": 3}");
        row("unit null", QByteArray(cube) + "\"1\"}, \"unit\": null}");
        row("trailing text", QByteArray(cube) + "\"1\"}} x");
        row("second object", QByteArray(cube) + "\"1\"}}{}");
        row("trailing comma", QByteArray(cube) + "\"1\"},}");
        row("unclosed", QByteArray(cube) + "\"1\"}");
        row("value not text or number", QByteArray(cube) + "true}}");
        row("value an array", QByteArray(cube) + "[\"1\"]}}");
        row("fields null", "{\"figure\": \"Cube\", \"fields\": null}");
        row("no fields", "{\"figure\": \"Cube\"}");
        row("no figure", "{\"fields\": {\"a\": \"1\"}}");
        row("figure a number", "{\"figure\": 3}");
        row("unknown figure", "{\"figure\": \"Pyramid\"}");
        row("unknown figure after its fields",
            "{\"fields\": {\"a\": 1, \"q\": \"x\"}, \"figure\": \"Pyramid\"}");
        row("unknown figure, then an unknown key", "{\"figure\": \"Pyramid\", \"colour\": 1}");
        row("unknown figure, then trailing text", "{\"figure\": \"Pyramid\"} x");
        row("unknown figure, unclosed", "{\"figure\": \"Pyramid\"");
        row("unknown figure with a count out of range", "{\"figure\": \"Pyramid\", \"count\": 0}");
        row("unknown figure with a field that is no text or number",
            "{\"figure\": \"Pyramid\", \"fields\": {\"a\": null}}");
        row("unknown figure with a unit that is no text", "{\"figure\": \"Pyramid\", \"unit\": 3}");
        row("unknown figure, then a known one", "{\"figure\": \"Pyramid\", \"figure\": \"Cube\"}");
        row("empty figure", "{\"figure\": \"\"}");
        row("unknown key", "{\"figure\": \"Cube\", \"colour\": 1}");
        row("unknown field", QByteArray("{\"figure\": \"Cube\", \"fields\": {\"x\": \"1\"}}"));
        row("field the figure does not show",
            "{\"figure\": \"Circle\", \"fields\": {\"a\": \"1\"}}");
        row("negative", QByteArray(cube) + "\"-1\"}}");
        row("above the maximum", QByteArray(cube) + "100000.0001}}");
        row("count", QByteArray(cube) + "\"1\"}, \"count\": 12}");
        row("count before figure", "{\"count\": 3, \"figure\": \"Cube\", \"fields\": {\"a\": 1}}");
        row("count at its largest", QByteArray(cube) + "\"1\"}, \"count\": 1000000}");
        row("count zero", QByteArray(cube) + "\"1\"}, \"count\": 0}");
        row("count beyond the largest", QByteArray(cube) + "\"1\"}, \"count\": 1000001}");
        row("count negative", QByteArray(cube) + "\"1\"}, \"count\": -2}");
        row("count a fraction", QByteArray(cube) + "\"1\"}, \"count\": 2.5}");
        row("count a whole fraction", QByteArray(cube) + "\"1\"}, \"count\": 12.0}");
        row("count with exponent", QByteArray(cube) + "\"1\"}, \"count\": 1e3}");
        row("count a text", QByteArray(cube) + "\"1\"}, \"count\": \"12\"}");
        row("count null", QByteArray(cube) + "\"1\"}, \"count\": null}");
        row("count twice", QByteArray(cube) + "\"1\"}, \"count\": 2, \"count\": 3}");
        row("count beyond 64 bits", QByteArray(cube) + "\"1\"}, \"count\": 123456789012345678901}");
        row("price and density as texts",
            QByteArray(cube) + "\"1\"}, \"price\": \"2,50\", \"density\": \"7.85\"}");
        row("price and density as numbers",
            QByteArray(cube) + "\"1\"}, \"price\": 0.35, \"density\": 7.85}");
        row("price with an exponent", QByteArray(cube) + "\"1\"}, \"price\": 1e9}");
        row("price minus zero", QByteArray(cube) + "\"1\"}, \"price\": -0.0}");
        row("price too small to hold", QByteArray(cube) + "\"1\"}, \"price\": 1e-400}");
        row("price twice", QByteArray(cube) + "\"1\"}, \"price\": 1, \"price\": 2}");
        row("density with a material",
            QByteArray(cube) + "\"1\"}, \"material\": \"Oak\", \"density\": 0.7}");
        row("unknown figure with a bad price", "{\"figure\": \"Pyramid\", \"price\": -1}");
        row("a job's note, title and waste",
            QByteArray(cube) + "\"1\"}, \"note\": \"x\", \"title\": \"t\", \"waste\": 2.5}");
        row("a job's keys before the figure",
            "{\"waste\": \"3\", \"note\": \"\", \"figure\": \"Cube\", \"fields\": {\"a\": 1}}");
        row("a note of UTF-8", QByteArray(cube) + "\"1\"}, \"note\": \"\xc3\x89l \\\"A\\\"\"}");
        row("a note that is no text", QByteArray(cube) + "\"1\"}, \"note\": 5}");
        row("a title null", QByteArray(cube) + "\"1\"}, \"title\": null}");
        row("a note twice", QByteArray(cube) + "\"1\"}, \"note\": \"a\", \"note\": \"b\"}");
        row("a waste as a text with a comma", QByteArray(cube) + "\"1\"}, \"waste\": \"2,5\"}");
        row("a waste of 100 with zeros", QByteArray(cube) + "\"1\"}, \"waste\": \"100.000\"}");
        row("a waste above 100", QByteArray(cube) + "\"1\"}, \"waste\": 100.5}");
        row("a waste negative", QByteArray(cube) + "\"1\"}, \"waste\": -1}");
        row("a waste of minus zero", QByteArray(cube) + "\"1\"}, \"waste\": -0.0}");
        row("a waste of seven decimals", QByteArray(cube) + "\"1\"}, \"waste\": \"0.0000001\"}");
        row("a waste twice", QByteArray(cube) + "\"1\"}, \"waste\": 1, \"waste\": 2}");
        row("unknown figure with a waste that is no number",
            "{\"figure\": \"Pyramid\", \"waste\": true}");
        row("empty line", "");
        row("array", "[1, 2]");
        row("byte order mark", "\xef\xbb\xbf{\"figure\": \"Cube\"}");
    }
    void quickPathReadsAsTheFullReader() {
        QFETCH(QByteArray, line);
        const std::string_view text(line.constData(), std::size_t(line.size()));
        BatchReader reader;
        QCOMPARE(Described(reader.read(text)), Described(ParseBatchLine(text)));
        // A reader used before reads the next line the same.
        QCOMPARE(Described(reader.read(text)), Described(ParseBatchLine(text)));
    }

    // JSON's rule for texts, in every reader of a line and in the program: a raw control
    // character or an escape JSON does not know makes the line Invalid, named where it is.
    void textFaults_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("fault");  // empty: the line is taken
        auto row = [](const char* name, const QByteArray& line, const char* fault) {
            QTest::newRow(name) << line << QString(fault);
        };
        const QByteArray cube = "{\"figure\": \"Cube\", \"fields\": {\"a\": ";
        const QByteArray unit = cube + "\"2\"}, \"unit\": \"";  // its text starts at byte 51
        row("escape \\0", cube + "\"2\\0\"}}",
            "the value of \"a\" holds the invalid escape \\0 at byte 38");
        row("escape \\'", unit + "\\'\"}", "invalid escape \\' at byte 51");
        row("escaped quote, then \\q", unit + "\\\"\\q\"}", "invalid escape \\q at byte 53");
        row("escaped backslash, then q", unit + "\\\\q\"}", "");
        row("every escape JSON knows", unit + "\\\" \\\\ \\/ \\b \\f \\n \\r \\t \\u00b5\"}", "");
        row("raw NUL", cube + "\"2" + QByteArray(1, '\0') + "\"}}",
            "raw control character 0x00 at byte 38");
        row("raw tab", unit + "m\tm\"}", "\"unit\" holds a raw control character 0x09 at byte 52");
        row("raw control character in a key", "{\"figure\": \"Cube\", \"\x1f\": 1}",
            "a key holds a raw control character 0x1F");
        // Numbers as JSON writes them, which Qt's reader is not strict about.
        row("number without its units digit", cube + ".5}}",
            "the value of \"a\" is the number .5 at byte 36");
        row("number ending in its point", cube + "1.}}", "the number 1. at byte 36");
        row("point right before the exponent", cube + "1.e2}}", "the number 1.e2 at byte 36");
        row("minus and point", cube + "-.5}}", "the number -.5 at byte 36");
        row("number JSON writes, with an exponent", cube + "1.5E+2}, \"count\": 2}", "");
        // A job's own keys are checked as the others are.
        row("a note with every escape JSON knows",
            cube +
                "\"2\"}, \"note\": \"\\\" \\\\ \\/ \\n \\u00e9\", \"title\": \"\", \"waste\": "
                "\"0\"}",
            "");
        row("a note with an invalid escape", cube + "\"2\"}, \"note\": \"\\q\"}",
            "the value of \"note\" holds the invalid escape \\q at byte 51");
        row("a title that is a number", cube + "\"2\"}, \"title\": 7}", "\"title\" must be a text");
        row("a waste above 100", cube + "\"2\"}, \"waste\": \"100.01\"}",
            "\"waste\" must be an allowance in percent from 0 to 100");
        row("an unknown key names the job's keys too", "{\"figure\": \"Cube\", \"colour\": 1}",
            "price, note, title, waste and solution are known");
    }

    // A job's note, title and waste ask for nothing: the request, and the answer, are
    // those of the line without them.
    void jobKeysLeaveTheRequestAsItIs_data() {
        QTest::addColumn<QByteArray>("keys");
        QTest::newRow("note, title and waste")
            << QByteArray(", \"note\": \"x\", \"title\": \"t\", \"waste\": 2.5");
        QTest::newRow("a note of UTF-8 and a waste as a text")
            << QByteArray(", \"note\": \"\xc3\x89l \\\"A\\\"\", \"waste\": \"0,5\"");
        QTest::newRow("empty texts, a waste of 100")
            << QByteArray(", \"note\": \"\", \"title\": \"\", \"waste\": 100");
    }
    void jobKeysLeaveTheRequestAsItIs() {
        QFETCH(QByteArray, keys);
        const QByteArray without =
            "{\"figure\": \"Cone\", \"fields\": {\"r\": \"3\", \"m\": 4}, \"unit\": \"cm\", "
            "\"material\": \"Oak\", \"density\": 0.7, \"price\": \"2\", \"count\": 3}";
        const QByteArray with = without.chopped(1) + keys + "}";
        const std::string_view a(with.constData(), std::size_t(with.size()));
        const std::string_view b(without.constData(), std::size_t(without.size()));
        QVERIFY(std::holds_alternative<Request>(ParseBatchLine(a)));
        QCOMPARE(Described(ParseBatchLine(a)), Described(ParseBatchLine(b)));
        QCOMPARE(Described(BatchReader().read(a)), Described(ParseBatchLine(b)));
        QProcess p;
        p.start(MERTANO_CLI, {"--batch"});
        p.write(with + "\n" + without + "\n");
        p.closeWriteChannel();
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), 0);
        const QList<QByteArray> answers = p.readAllStandardOutput().split('\n');
        QCOMPARE(answers.size(), 3);
        QCOMPARE(answers[0], answers[1]);
    }
    void textFaults() {
        QFETCH(QByteArray, line);
        QFETCH(QString, fault);
        QProcess p;
        p.start(MERTANO_CLI, {"--batch"});
        p.write(line + "\n");
        p.closeWriteChannel();
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), fault.isEmpty() ? 0 : 65);
        const QJsonObject answer = QJsonDocument::fromJson(p.readAllStandardOutput()).object();
        const std::string_view text(line.constData(), std::size_t(line.size()));
        for (const QString& said :
             {FaultOf(ParseBatchLine(text)), FaultOf(BatchReader().read(text)),
              answer["state"] == "Invalid" ? answer["message"].toString() : ""}) {
            QVERIFY2(said.isEmpty() == fault.isEmpty() && said.contains(fault), qPrintable(said));
        }
    }

    // A request and an error read into again and again keep nothing of the lines before:
    // every line of a mixed run reads as the full reader reads it alone.
    void readingIntoKeepsNothingFromLineToLine() {
        std::vector<std::string> lines = {
            "{\"figure\": \"Cone\", \"fields\": {\"r\": \"3\", \"m\": 4}, \"unit\": \"cm\", "
            "\"material\": \"Vas\", \"count\": 7}",
            "{\"figure\": \"Cube\", \"fields\": {\"a\": \"2\"}}",
            "{\"figure\": \"Pyramid\"}",
            "{\"figure\": \"SphericalZone\", \"fields\": {\"r\": \"5\", \"a1\": \"4\", \"a2\": "
            "\"5\", \"m\": \"3\"}}",
            "{\"figure\": \"Cube\"}",
            "{\"figure\": \"Cube\", \"fields\": {\"a\": \"\\u0032\"}, \"unit\": \"\\u00b5m\"}",
            "{\"figure\": \"Circle\", \"fields\": {\"r\": 1.5}, \"count\": 2}",
            "{\"figure\": \"Cube\", \"fields\": {\"a\": 1}, \"density\": 7.85, \"price\": \"2\"}",
            "{\"figure\": \"Circle\"}",
            "not JSON",
            "{\"figure\": \"Triangle\", \"fields\": {\"a\": \"5\", \"b\": \"7\", \"gamma\": "
            "\"60\"}}",
        };
        BatchReader reader;
        Request request;
        RequestError error;
        for (int pass = 0; pass < 2; ++pass) {
            for (const std::string& line : lines) {
                const bool taken = reader.readInto(line, request, error);
                const QByteArray got =
                    taken ? Described(request) : Described(RequestError{error.message});
                QVERIFY2(got == Described(ParseBatchLine(line)), line.c_str());
            }
            std::reverse(lines.begin(), lines.end());
        }
    }

    // The texts of an answer that come from the request go out as JSON texts, escaped
    // where JSON asks for it and as they are elsewhere.
    void answerTextsAreEscaped_data() {
        QTest::addColumn<QByteArray>("unit");
        QTest::addColumn<QByteArray>("json");
        QTest::newRow("plain") << QByteArray("cm") << QByteArray("\"cm\"");
        QTest::newRow("empty") << QByteArray("") << QByteArray("\"\"");
        QTest::newRow("quote and backslash")
            << QByteArray("a\"b\\c") << QByteArray("\"a\\\"b\\\\c\"");
        QTest::newRow("line ends and tab")
            << QByteArray("a\nb\rc\td") << QByteArray("\"a\\nb\\rc\\td\"");
        QTest::newRow("other control characters")
            << QByteArray("\x01x\x1f") << QByteArray("\"\\u0001x\\u001f\"");
        QTest::newRow("UTF-8 as it is") << QByteArray("\xc2\xb5m") << QByteArray("\"\xc2\xb5m\"");
        QTest::newRow("long, escaped at the end") << QByteArray(200, 'm') + "\""
                                                  << "\"" + QByteArray(200, 'm') + "\\\"\"";
    }
    void answerTextsAreEscaped() {
        QFETCH(QByteArray, unit);
        QFETCH(QByteArray, json);
        Request request;
        request.shape = ShapeKind::Cube;
        request.values[FieldIndex(Field::AoldEdit)] = 2.0L;
        request.unit = unit.toStdString();
        const QByteArray out = QByteArray::fromStdString(ResultJson(Run(request, LanguageTexts())));
        QVERIFY2(out.contains(", \"unit\": " + json + ", \"fields\": {\"a\": \"2.0000\"}"),
                 out.constData());
        QVERIFY(out.endsWith("\"volume\": \"8.00\"}}"));
    }

    // Many pieces of input, answered on several threads, come out in order and as each
    // line answered alone by a fresh reader and a fresh result.
    void batchAnswersAsSingleLines() {
        const QString cli = MERTANO_CLI;
        const auto language =
            MessageTexts(QFileInfo(cli).absolutePath(), std::optional<QString>("English"));
        QVERIFY(std::holds_alternative<LanguageTexts>(language));
        const LanguageTexts& texts = std::get<LanguageTexts>(language);

        const std::vector<std::string> lines = GeneratedLines(12000);
        QByteArray input, expected;
        for (const std::string& line : lines) {
            input += QByteArray::fromStdString(line) + (line.size() % 5 == 0 ? "\r\n" : "\n");
            const auto parsed = ParseBatchLine(line);
            if (const auto* error = std::get_if<RequestError>(&parsed)) {
                expected += QByteArray::fromStdString(InvalidJson(error->message)) + "\n";
            } else {
                expected +=
                    QByteArray::fromStdString(ResultJson(Run(std::get<Request>(parsed), texts))) +
                    "\n";
            }
        }
        QProcess p;
        p.start(cli, {"--batch", "--language", "English"});
        p.write(input);
        p.closeWriteChannel();
        QVERIFY(p.waitForFinished(120000));
        QCOMPARE(p.exitCode(), 65);
        const QByteArray out = p.readAllStandardOutput();
        const QList<QByteArray> got = out.split('\n'), want = expected.split('\n');
        QCOMPARE(got.size(), want.size());
        for (qsizetype k = 0; k < want.size(); ++k) {
            QVERIFY2(got[k] == want[k],
                     qPrintable(QString("line %1: %2\n got %3\nwant %4")
                                    .arg(k + 1)
                                    .arg(QString::fromStdString(lines[k]), got[k], want[k])));
        }
    }
};

MERTANO_REGISTER_TEST(TstBatch)
#include "tst_batch.moc"
