// SPDX-License-Identifier: GPL-3.0-or-later
// mertano-cli: the calculation engine for scripts and batch work.
#include <QByteArray>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <csignal>
#include <optional>
#include <string>

#include "calc/numbers.h"
#include "cli/cli_batch.h"
#include "cli/cli_language.h"
#include "cli/cli_material_names.h"
#include "cli/cli_materials.h"
#include "cli/cli_output.h"
#include "cli/cli_request.h"
#include "cli/cli_run.h"
#include "cli/cli_stdio.h"
#include "pattern/pattern_dxf.h"
#include "pattern/pattern_svg.h"
#include "system/program_folder.h"
#include "system/user_data_folder.h"

namespace {

using namespace mertano;
using namespace mertano::cli;

const char kDescription[] =
    "Solves a plane or solid figure from the measurements that are known, as the "
    "Mertano window does.\n\n"
    "Figures: Triangle, RightTriangle, Circle, CircularSector, CircularSegment, Cube,\n"
    "Cylinder, Cone, TruncatedCone, Sphere, Cuboid, SphericalCap, SphericalZone.\n"
    "Fields: a b c alfa beta gamma ma mb mc r d i h R (m for ma, a1 for a, a2 for R);\n"
    "angles in decimal degrees, values from 0 to 100000, point or comma as separator.\n\n"
    "Exit status: 0 solved, 1 not enough inputs or not solvable, 2 refused,\n"
    "3 arithmetic fault, 64 usage error, 65 a batch line that could not be taken,\n"
    "74 the output could not be written or the input not read.\n\n"
    "With --batch, each line of standard input is one JSON request, for example\n"
    "{\"figure\": \"Cone\", \"fields\": {\"r\": \"3\", \"m\": \"4\"}, \"unit\": \"cm\"}\n"
    "and each line of output is its result.\n\n"
    "--material (or \"material\" in a request) adds the mass of a solid in kg, from the\n"
    "materials in Gravity.grv of the working folder; a name not in the file is a usage\n"
    "error (in a batch, an invalid line). A missing or unreadable file, or a unit other\n"
    "than mm, cm, dm, m, in and ft, leaves the mass out, with a warning on standard error.\n"
    "--user-data takes them from where Mertano started from the desktop menu keeps them:\n"
    "$XDG_DATA_HOME/mertano, or ~/.local/share/mertano (made when missing).\n\n"
    "count=N (or \"count\": N in a request), 1 to 1000000, is a number of pieces: the\n"
    "answer then adds the total volume and, with a material, the total mass.\n\n"
    "density=X (\"density\": X), above 0 and up to 100000 with at most 3 decimals, is the\n"
    "specific gravity in g/cm3 for the mass: no material is looked up, and --material is\n"
    "only the name shown. price=X (\"price\": X), 0 to 1000000000 with at most 6\n"
    "decimals, is a price per kg: the answer adds the cost of a piece (its mass times the\n"
    "price) and, with a count, the total cost (the total mass times the price), each\n"
    "worked out exactly and rounded to 2 decimals, halves to even.\n\n"
    "--csv writes CSV instead: a header, then one row per request, in the columns\n"
    "figure, state, unit, a, b, c, alfa, beta, gamma, ma, mb, mc, r, d, i, h, R,\n"
    "perimeter, area, surface, volume, material, mass, count, total_volume, total_mass,\n"
    "message, price, cost, total_cost. A text cell that starts with = + - @, a tab or a\n"
    "CR is quoted with a ' in front, so that a spreadsheet does not take it for a\n"
    "formula. --totals adds rows of the total pieces, volume, mass and cost of the Solved\n"
    "rows, one per length unit, each with how many rows of its unit were left out (the\n"
    "cost total holds only the rows with a price), and a row that counts the Invalid\n"
    "lines. --steps goes with the table and JSON, not with --csv.";

// The options, named once for the parser and for reading what it found.
struct Options {
    const QCommandLineOption unit{"unit", "The length unit (default mm).", "TEXT", "mm"};
    const QCommandLineOption material{"material",
                                      "The material of a solid, as named in Gravity.grv.", "NAME"};
    const QCommandLineOption userData{
        "user-data",
        "Use the materials of the per-user data folder, as Mertano started from the "
        "desktop menu does, instead of the working folder's."};
    const QCommandLineOption listMaterials{
        "list-materials", "Print the names of the materials, one a line, and quit."};
    const QCommandLineOption language{
        "language",
        "The language of the messages: a file NAME.lng in the program's Language folder "
        "(default: the language chosen in Mertano, else English).",
        "NAME"};
    const QCommandLineOption json{"json", "Print one JSON object instead of a table."};
    const QCommandLineOption batch{"batch", "Read JSON Lines requests from standard input."};
    const QCommandLineOption steps{
        "steps", "Add how the figure was solved: each step's formula, its numbers and its value."};
    const QCommandLineOption csv{"csv", "Print CSV with a header line instead of a table."};
    const QCommandLineOption solution{
        "solution", "Where two figures fit the values, 2 shows the second (default 1).", "N", "1"};
    const QCommandLineOption totals{
        "totals", "With --csv: end with the totals of the Solved rows, one row per unit."};
    const QCommandLineOption pattern{
        "pattern",
        "Print the flat pattern of a solved Cone, TruncatedCone or Cylinder instead, as svg "
        "(sizes in mm) or dxf (in the unit), outlines as true arcs and lines.",
        "FORMAT"};
    const QCommandLineOption seam{
        "seam", "The flat pattern's seam allowance (overlap) along one edge, in the unit.", "X",
        "0"};

    void addTo(QCommandLineParser& parser) const {
        parser.setApplicationDescription(kDescription);
        parser.addHelpOption();
        parser.addVersionOption();
        parser.addPositionalArgument("FIGURE", "The figure to solve.");
        parser.addPositionalArgument("NAME=VALUE",
                                     "A known measurement, or count=N, density=X, price=X.",
                                     "[NAME=VALUE...]");
        parser.addOptions({unit, material, userData, listMaterials, language, json, batch, csv,
                           totals, steps, solution, pattern, seam});
    }
};

// The materials are read from the working folder; a folder that cannot be made is no
// reason to refuse a calculation, which may not need a material at all.
void EnterUserDataFolder() {
    if (const std::optional<DataFolderFailure> failure = EnterFolder(UserDataFolder())) {
        PrintError(DataFolderNotMadeText(LanguageTexts::BuiltinEnglish(), *failure).toStdString() +
                   " (" + failure->reason.toStdString() + ")");
    }
}

// The usage error that the choice of output makes, if any.
std::optional<std::string> FormError(OutputForm form, bool json, const std::optional<QString>& pattern) {
    if (form.csv && json) return "--csv and --json exclude each other";
    if (form.totals && !form.csv) return "--totals goes with --csv";
    // A CSV row has no room for a list of steps; leaving them out without a word would
    // let a script believe it had them.
    if (form.steps && form.csv) return "--steps goes with the table or --json, not with --csv";
    if (!pattern) return std::nullopt;
    if (*pattern != "svg" && *pattern != "dxf") return "--pattern takes svg or dxf";
    if (form.csv || json || form.steps)
        return "--pattern prints a drawing: not with --csv, --json or --steps";
    return std::nullopt;
}

// The flat pattern of a solved figure as a drawing on standard output; what went wrong
// on standard error, with the status the table would have had.
int EmitPattern(const Result& result, const Request& request, const LanguageTexts& texts,
                const QString& format) {
    if (result.state != CalcState::Solved) {
        PrintError(result.message.empty() ? std::string("the figure is not solved: more values are needed")
                                          : result.message);
        return ExitStatus(result.state);
    }
    if (!result.pattern) {
        PrintError(texts.text(kTextNoPattern) + " (a flat pattern is drawn for Cone, TruncatedCone and Cylinder)");
        return kUsageError;
    }
    const QByteArray bytes = format == "svg" ? PatternSvg(*result.pattern, request.unit)
                                             : PatternDxf(*result.pattern, request.unit);
    if (bytes.isEmpty()) {
        PrintError("the drawing could not be made");
        return 3;
    }
    return Emit(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), 0);
}

// One figure from the arguments, answered on standard output.
int SolveOne(const QCommandLineParser& parser, const Options& options, const QStringList& args,
             const LanguageTexts& texts, CliMaterials& materials, OutputForm form) {
    if (args.isEmpty()) {
        PrintError("no figure given (try --help)");
        return kUsageError;
    }
    Request request;
    auto shape = ParseFigure(args.front().toStdString());
    if (auto* error = std::get_if<RequestError>(&shape)) {
        PrintError(error->message);
        return kUsageError;
    }
    request.shape = std::get<ShapeKind>(shape);
    for (qsizetype k = 1; k < args.size(); ++k) {
        if (auto error = AddAssignment(request, args[k].toStdString())) {
            PrintError(error->message);
            return kUsageError;
        }
    }
    request.unit = parser.value(options.unit).toStdString();
    if (parser.isSet(options.material))
        request.material = parser.value(options.material).toStdString();
    request.steps = form.steps;
    request.totals = form.csv;
    const QString solution = parser.value(options.solution);
    if (solution != "1" && solution != "2") {
        PrintError("--solution takes 1 or 2");
        return kUsageError;
    }
    request.solution = solution.toInt();
    const std::optional<long double> seam = AcceptEditText(parser.value(options.seam).toStdString());
    if (!seam) {
        PrintError("--seam takes a length from 0 to 100000");
        return kUsageError;
    }
    request.seam = *seam;

    // A density given makes the material only a name: the file is not needed.
    const MaterialTable* table = request.material && !request.density ? materials.table() : nullptr;
    if (table && !CliMaterials::Holds(*table, *request.material)) {
        PrintError(materials.notHeld(*request.material));
        return kUsageError;
    }
    const Result result = Run(request, texts, table);
    if (result.massUnitRefused) PrintError(MassUnitWarning(request.unit, false));
    if (parser.isSet(options.pattern)) return EmitPattern(result, request, texts, parser.value(options.pattern));
    std::string out;
    const bool json = parser.isSet(options.json);
    if (form.csv) {
        out = CsvHeader();
        AppendResultCsv(out, result);
        if (form.totals) {
            CsvTotals totals;
            totals.add(result);
            totals.append(out);
        }
    } else {
        out = json ? ResultJson(result) + "\n" : ResultTable(result) + StepsTable(result, texts);
        if (!json && result.solutions == 2 && request.solution == 1)
            out += texts.text(kTextSecondFigureCli) + "\n";
    }
    return Emit(out, ExitStatus(result.state));
}

}  // namespace

int main(int argc, char* argv[]) {
#ifdef SIGXFSZ
    // Beyond a file-size limit a write then fails and is reported like a full disk.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("mertano-cli");
    QCoreApplication::setApplicationVersion(MERTANO_VERSION);

    QCommandLineParser parser;
    const Options options;
    options.addTo(parser);
    if (!parser.parse(QCoreApplication::arguments())) {
        PrintError(parser.errorText().toStdString());
        return kUsageError;
    }
    if (parser.isSet("help")) return Emit(parser.helpText().toStdString(), 0);
    if (parser.isSet("version")) {
        return Emit(
            QStringLiteral("%1 %2\n")
                .arg(QCoreApplication::applicationName(), QCoreApplication::applicationVersion())
                .toStdString(),
            0);
    }
    const QStringList args = parser.positionalArguments();
    if (parser.isSet(options.userData)) EnterUserDataFolder();
    if (parser.isSet(options.listMaterials)) {
        if (!args.isEmpty() || parser.isSet(options.batch)) {
            PrintError("--list-materials takes no figure and no --batch");
            return kUsageError;
        }
        return PrintMaterialNames();
    }

    auto language =
        MessageTexts(ProgramFolder(), parser.isSet(options.language)
                                          ? std::optional<QString>(parser.value(options.language))
                                          : std::nullopt);
    if (auto* error = std::get_if<RequestError>(&language)) {
        PrintError(error->message);
        return kUsageError;
    }
    const OutputForm form{parser.isSet(options.csv), parser.isSet(options.totals),
                          parser.isSet(options.steps)};
    const std::optional<QString> pattern = parser.isSet(options.pattern)
                                               ? std::optional<QString>(parser.value(options.pattern))
                                               : std::nullopt;
    if (pattern && parser.isSet(options.batch)) {
        PrintError("--pattern draws one figure: not with --batch");
        return kUsageError;
    }
    if (const std::optional<std::string> error = FormError(form, parser.isSet(options.json), pattern)) {
        PrintError(*error);
        return kUsageError;
    }
    const LanguageTexts texts = std::get<LanguageTexts>(std::move(language));
    CliMaterials materials([](const std::string& warning) { PrintError(warning); });
    if (parser.isSet(options.batch)) {
        if (!args.isEmpty()) {
            PrintError("--batch takes its requests from standard input, not from arguments");
            return kUsageError;
        }
        return RunBatch(texts, materials, form);
    }
    return SolveOne(parser, options, args, texts, materials, form);
}
