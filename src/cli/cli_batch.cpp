// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_batch.h"

#include <poll.h>
#include <unistd.h>
#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <system_error>
#include <thread>
#include <vector>

#include "cli/cli_output.h"
#include "cli/cli_request.h"
#include "cli/cli_run.h"
#include "cli/cli_stdio.h"

namespace mertano::cli {
namespace {

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

// The material file is read only when a request names a material without giving its
// density, and once, by whichever thread first needs it.
class SharedMaterials {
public:
    explicit SharedMaterials(CliMaterials& materials) : materials_(materials) {}
    const MaterialTable* tableFor(const Request& request) {
        if (!request.material || request.density) return nullptr;
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
            worker.error.message = kLineTooLong;
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

}  // namespace

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

}  // namespace mertano::cli
