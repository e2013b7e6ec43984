// SPDX-License-Identifier: GPL-3.0-or-later
// mertano-cli: the calculation engine for scripts and batch work.
#include <poll.h>
#include <unistd.h>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <thread>
#include <vector>

#include "system/program_folder.h"
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
constexpr int kIoError = 74;
// A request is a few hundred bytes; a longer line is answered as invalid without being
// held, so endless input without line ends cannot fill the memory.
constexpr std::size_t kMaxBatchLineBytes = 1024 * 1024;

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
    "than mm, cm, dm, m, in and ft, leaves the mass out, with a warning on standard error.\n\n"
    "count=N (or \"count\": N in a request), 1 to 1000000, is a number of pieces: the\n"
    "answer then adds the total volume and, with a material, the total mass.\n\n"
    "--csv writes CSV instead: a header, then one row per request, in the columns\n"
    "figure, state, unit, a, b, c, alfa, beta, gamma, ma, mb, mc, r, d, i, h, R,\n"
    "perimeter, area, surface, volume, material, mass, count, total_volume, total_mass,\n"
    "message. A text cell that starts with = + - @, a tab or a CR is quoted with a '\n"
    "in front, so that a spreadsheet does not take it for a formula. --totals adds rows\n"
    "of the total pieces, volume and mass of the Solved rows, one per length unit, each\n"
    "with how many rows of its unit were left out, and a row that counts the Invalid\n"
    "lines. --steps goes with the table and JSON, not with --csv.";

void PrintError(const std::string& message) {
    std::fprintf(stderr, "mertano-cli: %s\n", message.c_str());
}

std::string SystemReason(int error) {
    return std::strerror(error);
}

// Standard output is checked at every write and at its close: a full disk or a broken
// file system often shows only when the last buffer is flushed, and a result that never
// arrived must not end with a status that says it did.
bool WriteOut(std::string_view text) {
    return std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
}

int OutputFailed(int error) {
    PrintError("could not write the output: " + SystemReason(error));
    return kIoError;
}

// Flushes and closes standard output; `status` when all of it was written.
int CloseOut(int status) {
    if (std::fflush(stdout) != 0) {
        const int error = errno;
        std::fclose(stdout);
        return OutputFailed(error);
    }
    if (std::fclose(stdout) != 0) return OutputFailed(errno);
    return status;
}

int Emit(std::string_view text, int status) {
    if (!WriteOut(text)) {
        const int error = errno;
        std::fclose(stdout);
        return OutputFailed(error);
    }
    return CloseOut(status);
}

// The lines of standard input, read in blocks of whatever has arrived. A read error ends
// the lines as the end of input does, and is then told apart by error().
class LineReader {
public:
    // Adds the next line, without its line end (LF or CR LF), to the end of `text`;
    // false after the last one. `tooLong` says the line was longer than
    // kMaxBatchLineBytes: it was skipped and adds nothing.
    bool next(std::string& text, bool& tooLong) {
        const std::size_t first = text.size();
        bool any = false;
        tooLong = false;
        // One byte beyond the limit is kept: it may be the CR of a CR LF, which does not
        // count, so the line is measured once its end is known.
        constexpr std::size_t kKept = kMaxBatchLineBytes + 1;
        for (;;) {
            if (pos_ == len_ && !fill()) break;
            any = true;
            const char* start = buffer_.data() + pos_;
            const auto* end = static_cast<const char*>(std::memchr(start, '\n', len_ - pos_));
            const std::size_t n = end ? std::size_t(end - start) : len_ - pos_;
            if (!tooLong && text.size() - first + n > kKept) {
                tooLong = true;
                text.resize(first);
            }
            if (!tooLong) text.append(start, n);
            pos_ += n;
            if (end) {
                ++pos_;
                break;
            }
        }
        if (tooLong) return true;
        if (text.size() > first && text.back() == '\r') text.pop_back();
        if (text.size() - first > kMaxBatchLineBytes) {
            tooLong = true;
            text.resize(first);
        }
        return any;
    }
    int error() const { return error_; }
    // Whether more input can be had without waiting for the writer: a script that sends
    // one request and waits for its answer must get it before the next one is read.
    bool ready() const {
        if (pos_ < len_) return true;
        if (done_) return false;
        pollfd in{STDIN_FILENO, POLLIN, 0};
        return ::poll(&in, 1, 0) > 0;
    }

private:
    bool fill() {
        if (done_) return false;
        pos_ = 0;
        len_ = 0;
        for (;;) {
            const ssize_t got = ::read(STDIN_FILENO, buffer_.data(), buffer_.size());
            if (got > 0) {
                len_ = std::size_t(got);
                return true;
            }
            if (got < 0 && errno == EINTR) continue;
            if (got < 0) error_ = errno;
            done_ = true;
            return false;
        }
    }

    std::array<char, 64 * 1024> buffer_{};
    std::size_t pos_ = 0;
    std::size_t len_ = 0;
    bool done_ = false;
    int error_ = 0;
};

// The material file is read only when a request names a material, and once, by
// whichever thread first needs it.
class SharedMaterials {
public:
    explicit SharedMaterials(CliMaterials& materials) : materials_(materials) {}
    const MaterialTable* tableFor(const Request& request) {
        if (!request.material) return nullptr;
        const std::lock_guard<std::mutex> lock(mutex_);
        return materials_.table();
    }
    // False, with the reason in `error`, when `table` lacks the request's material. The
    // table is read only, so the common case needs no lock.
    bool holds(const MaterialTable* table, const Request& request, RequestError& error) {
        if (!table || CliMaterials::Holds(*table, *request.material)) return true;
        const std::lock_guard<std::mutex> lock(mutex_);
        error.message = materials_.notHeld(*request.material);
        return false;
    }
    // Once for the whole batch: the same unit on every line would otherwise repeat it.
    void massUnitRefused(const std::string& unit) {
        if (!unitTold_.exchange(true)) PrintError(MassUnitWarning(unit, true));
    }

private:
    CliMaterials& materials_;
    std::mutex mutex_;
    std::atomic<bool> unitTold_{false};
};

const MaterialTable* MaterialsFor(const Request& request, CliMaterials& materials) {
    return request.material ? materials.table() : nullptr;
}

// A run of batch lines, answered by one thread into its own output; the pieces are
// written in the order they were read.
struct BatchPiece {
    std::string text;  // the lines one after another, without their line ends
    std::vector<std::size_t> ends;
    std::vector<bool> tooLong;
    std::string out;
    bool allValid = true;
    CsvTotals totals;
};

// What answering takes per thread, kept from piece to piece with its room.
struct BatchWorker {
    BatchReader reader;
    Request request;
    RequestError error;
    Result result;
};

// A piece holds at most this many lines and bytes, so memory stays the same however
// long the input is. A round reads two pieces per thread, which the threads take one
// at a time: one that the system holds back (the machine may be busy with other work)
// leaves the rest of its share to the others.
constexpr std::size_t kPieceLines = 4096;
constexpr std::size_t kPieceBytes = 512 * 1024;
constexpr unsigned kPiecesPerThread = 2;

bool FillPiece(LineReader& input, BatchPiece& piece) {
    piece.text.clear();
    piece.ends.clear();
    piece.tooLong.clear();
    bool tooLong = false;
    while (piece.ends.size() < kPieceLines && piece.text.size() < kPieceBytes &&
           (piece.ends.empty() || input.ready()) && input.next(piece.text, tooLong)) {
        piece.ends.push_back(piece.text.size());
        piece.tooLong.push_back(tooLong);
    }
    return !piece.ends.empty();
}

// How the answers are written.
struct OutputForm {
    bool csv = false;
    bool totals = false;
    bool steps = false;  // every answer carries its solution
};

void AnswerPiece(BatchPiece& piece, BatchWorker& worker, const LanguageTexts& texts,
                 SharedMaterials& materials, OutputForm form) {
    piece.out.clear();
    piece.allValid = true;
    piece.totals = CsvTotals();
    std::size_t start = 0;
    for (std::size_t k = 0; k < piece.ends.size(); ++k) {
        const std::string_view line(piece.text.data() + start, piece.ends[k] - start);
        start = piece.ends[k];
        bool taken = false;
        const MaterialTable* table = nullptr;
        if (piece.tooLong[k]) {
            worker.error.message = "the line is longer than 1 MiB";
        } else if (worker.reader.readInto(line, worker.request, worker.error)) {
            table = materials.tableFor(worker.request);
            taken = materials.holds(table, worker.request, worker.error);
        }
        if (!taken) {
            if (form.csv) {
                AppendInvalidCsv(piece.out, worker.error.message);
                if (form.totals) piece.totals.addInvalid();
            } else {
                AppendInvalidJson(piece.out, worker.error.message);
                piece.out += '\n';
            }
            piece.allValid = false;
        } else {
            Request& request = worker.request;
            request.steps = form.steps;
            request.totals = form.csv;
            RunInto(worker.result, request, texts, table);
            if (worker.result.massUnitRefused) materials.massUnitRefused(request.unit);
            if (form.csv) {
                AppendResultCsv(piece.out, worker.result);
                if (form.totals) piece.totals.add(worker.result);
            } else {
                AppendResultJson(piece.out, worker.result);
                piece.out += '\n';
            }
        }
    }
}

// Answers the pieces of a round that no other thread has taken yet.
void AnswerPieces(std::vector<BatchPiece>& pieces, unsigned used, std::atomic<unsigned>& next,
                  BatchWorker& worker, const LanguageTexts& texts, SharedMaterials& materials,
                  OutputForm form) {
    for (unsigned k = next++; k < used; k = next++) {
        AnswerPiece(pieces[k], worker, texts, materials, form);
    }
}

int RunBatch(const LanguageTexts& texts, CliMaterials& materials, OutputForm form) {
    // Lines do not depend on one another: each thread answers a piece of the input.
    const unsigned threads = std::clamp(std::thread::hardware_concurrency(), 1U, 4U);
    std::vector<BatchPiece> pieces(threads * kPiecesPerThread);
    std::vector<BatchWorker> workers(threads);
    SharedMaterials shared(materials);
    LineReader input;
    bool allValid = true;
    CsvTotals totals;
    if (form.csv && !WriteOut(CsvHeader())) return OutputFailed(errno);
    for (;;) {
        unsigned used = 0;
        while (used < pieces.size() && (used == 0 || input.ready()) &&
               FillPiece(input, pieces[used]))
            ++used;
        if (used == 0) break;
        std::atomic<unsigned> next{0};
        std::vector<std::thread> helpers;
        for (unsigned k = 1; k < std::min(used, threads); ++k) {
            try {
                helpers.emplace_back(AnswerPieces, std::ref(pieces), used, std::ref(next),
                                     std::ref(workers[k]), std::cref(texts), std::ref(shared),
                                     form);
            } catch (const std::system_error&) {
                break;  // no thread to spare: the pieces are answered by the others
            }
        }
        AnswerPieces(pieces, used, next, workers[0], texts, shared, form);
        for (std::thread& helper : helpers) helper.join();
        for (unsigned k = 0; k < used; ++k) {
            allValid = allValid && pieces[k].allValid;
            if (form.totals) totals.merge(std::move(pieces[k].totals));
            if (!WriteOut(pieces[k].out)) return OutputFailed(errno);
        }
        // Answers wait in the buffer only while more requests are already there.
        if (!input.ready() && std::fflush(stdout) != 0) return OutputFailed(errno);
    }
    if (form.totals) {
        std::string out;
        const auto write = [](std::string& rows) {
            const bool written = WriteOut(rows);
            rows.clear();
            return written;
        };
        if (!totals.append(out, write) || !WriteOut(out)) return OutputFailed(errno);
    }
    // The answers given so far are still delivered; the status tells they are not all.
    const int status = CloseOut(allValid ? 0 : kBatchHadInvalid);
    if (input.error() != 0) {
        PrintError("could not read the standard input: " + SystemReason(input.error()));
        return kIoError;
    }
    return status;
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
    const QCommandLineOption stepsOption(
        "steps", "Add how the figure was solved: each step's formula, its numbers and its value.");
    const QCommandLineOption csvOption("csv", "Print CSV with a header line instead of a table.");
    const QCommandLineOption solutionOption(
        "solution", "Where two figures fit the values, 2 shows the second (default 1).", "N", "1");
    const QCommandLineOption totalsOption(
        "totals", "With --csv: end with the totals of the Solved rows, one row per unit.");
    parser.addOptions({unitOption, materialOption, languageOption, jsonOption, batchOption,
                       csvOption, totalsOption, stepsOption, solutionOption});

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

    auto language =
        MessageTexts(ProgramFolder(), parser.isSet(languageOption)
                                          ? std::optional<QString>(parser.value(languageOption))
                                          : std::nullopt);
    if (auto* error = std::get_if<RequestError>(&language)) {
        PrintError(error->message);
        return kUsageError;
    }
    const OutputForm form{parser.isSet(csvOption), parser.isSet(totalsOption),
                          parser.isSet(stepsOption)};
    if (form.csv && parser.isSet(jsonOption)) {
        PrintError("--csv and --json exclude each other");
        return kUsageError;
    }
    if (form.totals && !form.csv) {
        PrintError("--totals goes with --csv");
        return kUsageError;
    }
    // A CSV row has no room for a list of steps; leaving them out without a word would
    // let a script believe it had them.
    if (form.steps && form.csv) {
        PrintError("--steps goes with the table or --json, not with --csv");
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
        return RunBatch(texts, materials, form);
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
    request.steps = parser.isSet(stepsOption);
    request.totals = form.csv;
    const QString solution = parser.value(solutionOption);
    if (solution != "1" && solution != "2") {
        PrintError("--solution takes 1 or 2");
        return kUsageError;
    }
    request.solution = solution.toInt();

    const MaterialTable* table = MaterialsFor(request, materials);
    if (table && !CliMaterials::Holds(*table, *request.material)) {
        PrintError(materials.notHeld(*request.material));
        return kUsageError;
    }
    const Result result = Run(request, texts, table);
    if (result.massUnitRefused) PrintError(MassUnitWarning(request.unit, false));
    std::string out;
    if (form.csv) {
        out = CsvHeader();
        AppendResultCsv(out, result);
        if (form.totals) {
            CsvTotals totals;
            totals.add(result);
            totals.append(out);
        }
    } else {
        out = parser.isSet(jsonOption) ? ResultJson(result) + "\n"
                                       : ResultTable(result) + StepsTable(result, texts);
        if (!parser.isSet(jsonOption) && result.solutions == 2 && request.solution == 1)
            out += texts.text(kTextSecondFigureCli) + "\n";
    }
    return Emit(out, ExitStatus(result.state));
}
