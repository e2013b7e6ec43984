// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "calc/field.h"
#include "shapes/shape_kind.h"

namespace mertano::cli {

// One figure to solve, its values already taken as the numeric edits take them.
struct Request {
    ShapeKind shape = ShapeKind::Triangle;
    std::array<std::optional<long double>, kFieldCount> values{};
    std::string unit = "mm";
    std::optional<std::string> material;
    bool steps = false;  // record how the figure was solved
    // How many pieces of the figure; given only when the request says so, which adds
    // the totals to the answer.
    std::optional<int> count;
    // The specific gravity in g/cm3 times 1000, as Gravity.grv holds it: the mass is then
    // worked out from it, and the material, if any, is only the name shown, so a job
    // sheet gives the same masses wherever it is run.
    std::optional<std::int32_t> density;
    // The price of a kilogram as a decimal text with a point, its digits as given but
    // for zeros in front ("2.50", "0.35"), so that the cost is worked out from them exactly.
    std::optional<std::string> price;
    bool totals = false;  // the answer shows the totals even without a count (CSV)
    int solution = 1;     // 2: the second of two figures that fit the values
    long double seam = 0;  // the flat pattern's seam allowance, in the unit
};

inline constexpr int kMaxCount = 1000000;

// The fields the figure shows, as ShownFields lists them, listed once per figure: batch
// work asks for them at every line.
const std::vector<Field>& FieldsShown(ShapeKind shape);

// Why a request could not be taken; names the field and the rule.
struct RequestError {
    std::string message;
};

std::variant<ShapeKind, RequestError> ParseFigure(std::string_view name);
// A price per kg and a waste allowance in percent as a request takes them (point or
// comma), written as a job file keeps them ("1.35", "0.5"); nothing outside the rule.
std::optional<std::string> PriceText(std::string_view text);
std::optional<std::string> WasteText(std::string_view text);
// Adds one NAME=VALUE to the request (names as the working values, with the aliases
// m for ma, a1 for a and a2 for R; only fields that the figure shows), or count=N,
// density=X or price=X.
std::optional<RequestError> AddValue(Request& request, std::string_view name,
                                     std::string_view value);
std::optional<RequestError> AddAssignment(Request& request, std::string_view assignment);

// One line of a batch: {"figure": ..., "fields": {...}, "unit": ..., "material": ...,
// "count": ..., "density": ..., "price": ..., "note": ..., "title": ..., "waste": ...}.
// A job file's lines are batch lines: "note" (a text), "title" (a text) and "waste" (an
// allowance in percent, 0 to 100) are its own, checked here and left out of the request,
// so they change no answer.
// Names the first fault of a line that cannot be taken.
std::variant<Request, RequestError> ParseBatchLine(std::string_view line);

// What a line says that the request does not keep: the texts a job file is written from.
struct BatchLineTexts {
    // By field, as the line gives them (a number as its shortest text), aliases resolved
    // as the request takes them; empty: not given.
    std::array<std::string, kFieldCount> fields{};
    std::optional<std::string> note;
    std::optional<std::string> title;
    // The allowance's digits as given, with a point, less the zeros in front ("2.5").
    std::optional<std::string> waste;
};
// The same, also filling in `texts` when the line is taken.
std::variant<Request, RequestError> ParseBatchLine(std::string_view line, BatchLineTexts& texts);

// Reads batch lines as ParseBatchLine does, with the same requests and the same
// messages, at the speed of a stream of many lines: a plain request (ASCII without
// escapes or control characters, each key once) is read straight into the request, and
// anything else goes through ParseBatchLine, which tells what is wrong with it.
class BatchReader {
public:
    BatchReader();
    ~BatchReader();
    BatchReader(const BatchReader&) = delete;
    BatchReader& operator=(const BatchReader&) = delete;

    std::variant<Request, RequestError> read(std::string_view line);
    // The same into a request and an error used before, which keep their room: false
    // when the line cannot be taken, with the reason in `error`.
    bool readInto(std::string_view line, Request& request, RequestError& error);

private:
    struct Parser;
    std::unique_ptr<Parser> parser_;
};

}  // namespace mertano::cli
