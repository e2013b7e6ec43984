// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "cli/cli_run.h"
#include "cli/exact_sum.h"

namespace mertano::cli {

// One JSON object on one line, keys in a fixed order.
std::string ResultJson(const Result& result);
std::string InvalidJson(std::string_view message);
// The same, added to the end of `out` (batch output gathers many lines per write).
void AppendResultJson(std::string& out, const Result& result);
void AppendInvalidJson(std::string& out, std::string_view message);
// A text as JSON writes it, in quotes: quotes, backslashes and control characters
// escaped, everything else (UTF-8 included) as it is.
void AppendJsonString(std::string& out, std::string_view s);

// CSV (RFC 4180, CR LF line ends): a header, then one row per answer in the fixed
// column order figure, state, unit, the fourteen fields (a b c alfa beta gamma ma mb mc
// r d i h R), perimeter, area, surface, volume, material, mass, count, total_volume,
// total_mass, message, price, cost, total_cost. A cell the figure has no value for stays
// empty; the texts are those of the JSON answer, except that a text a spreadsheet would
// take for a formula gets a ' in front and a NUL is written as U+FFFD.
inline constexpr std::size_t kCsvColumns = 3 + kFieldCount + 13;
std::string CsvHeader();
void AppendResultCsv(std::string& out, const Result& result);
void AppendInvalidCsv(std::string& out, std::string_view message);

// The last rows of --csv --totals: per length unit, in the order the units first came,
// the pieces, total volume, total mass and total cost of its Solved answers (a mass total
// only where a mass was shown, a cost total only where a cost was) and how many of its
// answers were left out; then, when there were any, a row that counts the Invalid lines,
// which have no unit. No answers, no rows.
class CsvTotals {
public:
    CsvTotals() { units_.max_load_factor(0.5F); }
    CsvTotals(CsvTotals&&) = default;
    CsvTotals& operator=(CsvTotals&&) = default;

    void add(const Result& result);
    void addInvalid();
    // Takes over the units `other` has and this has not, so that a batch with a unit on
    // every line moves each unit's totals once instead of copying them.
    void merge(CsvTotals&& other);
    // The rows, added to `out`. `full` is given `out` whenever it holds some rows worth
    // writing, and may empty it: a batch with a unit on every line has a row per line.
    // False as soon as `full` gives false.
    bool append(std::string& out, const std::function<bool(std::string&)>& full = {}) const;

private:
    struct UnitTotal {
        long long pieces = 0;
        long long leftOut = 0;
        ExactSum volume{2};
        ExactSum mass{4};
        ExactSum cost{2};
        long long unpriced = 0;  // Solved rows with a mass but no cost
    };
    using Units = std::unordered_map<std::string, UnitTotal>;

    UnitTotal& total(const std::string& unit);

    // A batch may give every line a unit of its own: each unit is found by its text, not
    // by a search through the others. The rows follow the order the units first came in;
    // a map's elements stay where they are as it grows, and when moved to another map.
    Units units_;
    std::vector<Units::value_type*> order_;
    Units::value_type* last_ = nullptr;  // the unit of the row before, mostly the next one's
    long long invalid_ = 0;
};

// A table for people: each shown field with its text and unit, angles also in degrees,
// minutes and seconds, then the results.
std::string ResultTable(const Result& result);

// How the figure was solved, for results that asked: the JSON array of the steps
// (ResultJson adds it as "steps"), and the numbered lines that follow the table.
std::string StepsJson(const std::vector<SolutionStep>& steps);
std::string StepsTable(const Result& result, const LanguageTexts& texts);

}  // namespace mertano::cli
