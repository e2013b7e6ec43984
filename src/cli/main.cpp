// SPDX-License-Identifier: GPL-3.0-or-later
// mertano-cli: the calculation engine for scripts and batch work.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>
#include <iostream>
#include <string>

#include "app/program_folder.h"
#include "cli/cli_language.h"
#include "cli/cli_materials.h"
#include "cli/cli_output.h"
#include "cli/cli_request.h"
#include "cli/cli_run.h"

namespace {

using namespace mertano;
using namespace mertano::cli;

constexpr int kUsageError = 64;
constexpr int kBatchHadInvalid = 65;

const char kDescription[] =
    "Solves a plane or solid figure from the measurements that are known, as the "
    "Mertano window does.\n\n"
    "Figures: Triangle, RightTriangle, Circle, CircularSector, CircularSegment, Cube,\n"
    "Cylinder, Cone, TruncatedCone, Sphere, Cuboid, SphericalCap, SphericalZone.\n"
    "Fields: a b c alfa beta gamma ma mb mc r d i h R (m for ma, a1 for a, a2 for R);\n"
    "angles in decimal degrees, values from 0 to 100000, point or comma as separator.\n\n"
    "Exit status: 0 solved, 1 not enough inputs or not solvable, 2 refused,\n"
    "3 arithmetic fault, 64 usage error, 65 a batch line that could not be taken.\n\n"
    "With --batch, each line of standard input is one JSON request, for example\n"
    "{\"figure\": \"Cone\", \"fields\": {\"r\": \"3\", \"m\": \"4\"}, \"unit\": \"cm\"}\n"
    "and each line of output is its result.\n\n"
    "--material (or \"material\" in a request) adds the mass of a solid in kg, from the\n"
    "materials in Gravity.grv of the working folder; a name not in the file gives 0.0000.\n"
    "A file that cannot be read leaves the mass out, with a warning on standard error.";

void PrintError(const std::string& message) {
    std::fprintf(stderr, "mertano-cli: %s\n", message.c_str());
}

// The material file is read only when a request names a material.
const MaterialTable* MaterialsFor(const Request& request, CliMaterials& materials) {
    return request.material ? materials.table() : nullptr;
}

int RunBatch(const LanguageTexts& texts, CliMaterials& materials) {
    std::ios::sync_with_stdio(false);
    std::string line;
    std::string out;
    bool allValid = true;
    while (std::getline(std::cin, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        auto parsed = ParseBatchLine(line);
        if (auto* error = std::get_if<RequestError>(&parsed)) {
            out = InvalidJson(error->message);
            allValid = false;
        } else {
            const Request& request = std::get<Request>(parsed);
            out = ResultJson(Run(request, texts, MaterialsFor(request, materials)));
        }
        out += '\n';
        std::cout.write(out.data(), static_cast<std::streamsize>(out.size()));
    }
    std::cout.flush();
    return allValid ? 0 : kBatchHadInvalid;
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("mertano-cli");
    QCoreApplication::setApplicationVersion(MERTANO_VERSION);

    QCommandLineParser parser;
    parser.setApplicationDescription(kDescription);
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument("FIGURE", "The figure to solve.");
    parser.addPositionalArgument("NAME=VALUE", "A known measurement.", "[NAME=VALUE...]");
    const QCommandLineOption unitOption("unit", "The length unit (default mm).", "TEXT", "mm");
    const QCommandLineOption materialOption(
        "material", "The material of a solid, as named in Gravity.grv.", "NAME");
    const QCommandLineOption languageOption(
        "language",
        "The language of the messages: a file NAME.lng in the program's Language folder "
        "(default: the language chosen in Mertano, else English).",
        "NAME");
    const QCommandLineOption jsonOption("json", "Print one JSON object instead of a table.");
    const QCommandLineOption batchOption("batch", "Read JSON Lines requests from standard input.");
    parser.addOptions({unitOption, materialOption, languageOption, jsonOption, batchOption});

    if (!parser.parse(QCoreApplication::arguments())) {
        PrintError(parser.errorText().toStdString());
        return kUsageError;
    }
    if (parser.isSet("help")) parser.showHelp(0);
    if (parser.isSet("version")) parser.showVersion();

    auto language =
        MessageTexts(ProgramFolder(), parser.isSet(languageOption)
                                          ? std::optional<QString>(parser.value(languageOption))
                                          : std::nullopt);
    if (auto* error = std::get_if<RequestError>(&language)) {
        PrintError(error->message);
        return kUsageError;
    }
    const LanguageTexts texts = std::get<LanguageTexts>(std::move(language));
    CliMaterials materials([](const std::string& warning) { PrintError(warning); });
    const QStringList args = parser.positionalArguments();
    if (parser.isSet(batchOption)) {
        if (!args.isEmpty()) {
            PrintError("--batch takes its requests from standard input, not from arguments");
            return kUsageError;
        }
        return RunBatch(texts, materials);
    }
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
    request.unit = parser.value(unitOption).toStdString();
    if (parser.isSet(materialOption)) request.material = parser.value(materialOption).toStdString();

    const Result result = Run(request, texts, MaterialsFor(request, materials));
    const std::string out = parser.isSet(jsonOption) ? ResultJson(result) + "\n" : ResultTable(result);
    std::fwrite(out.data(), 1, out.size(), stdout);
    return ExitStatus(result.state);
}
