// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_run.h"

namespace mertano::cli {

// One JSON object on one line, keys in a fixed order.
std::string ResultJson(const Result& result);
std::string InvalidJson(std::string_view message);
// The same, added to the end of `out` (batch output gathers many lines per write).
void AppendResultJson(std::string& out, const Result& result);
void AppendInvalidJson(std::string& out, std::string_view message);

// CSV (RFC 4180, CR LF line ends): a header, then one row per answer in the fixed
// column order figure, state, unit, the fourteen fields (a b c alfa beta gamma ma mb mc
// r d i h R), perimeter, area, surface, volume, material, mass, count, total_volume,
// total_mass, message. A cell the figure has no value for stays empty; the texts are
// those of the JSON answer.
inline constexpr std::size_t kCsvColumns = 3 + kFieldCount + 10;
std::string CsvHeader();
void AppendResultCsv(std::string& out, const Result& result);
void AppendInvalidCsv(std::string& out, std::string_view message);

// The last rows of --csv --totals: per length unit, the pieces, total volume and total
// mass of the Solved answers (a mass total only where a mass was shown); every other
// answer is counted as left out, and the rows say how many.
class CsvTotals {
public:
    void add(const Result& result);
    void addInvalid();
    void merge(const CsvTotals& other);
    void append(std::string& out) const;

private:
    // A column's total, added up exactly in units of its last decimal, so that it is the
    // same however the rows were split between threads; only a text it cannot read or a
    // sum beyond 128 bits falls back to floating point.
    class ColumnSum {
    public:
        explicit ColumnSum(int decimals) : decimals_(decimals) {}
        void add(std::string_view text);
        void merge(const ColumnSum& other);
        std::string text() const;
        bool any() const { return any_; }

    private:
        int decimals_;
        unsigned __int128 units_ = 0;
        long double approximate_ = 0;
        bool exact_ = true;
        bool any_ = false;
    };
    struct UnitTotal {
        std::string unit;
        long long pieces = 0;
        ColumnSum volume{2};
        ColumnSum mass{4};
    };
    std::vector<UnitTotal> units_;
    long long leftOut_ = 0;
};

// A table for people: each shown field with its text and unit, angles also in degrees,
// minutes and seconds, then the results.
std::string ResultTable(const Result& result);

// How the figure was solved, for results that asked: the JSON array of the steps
// (ResultJson adds it as "steps"), and the numbered lines that follow the table.
std::string StepsJson(const std::vector<SolutionStep>& steps);
std::string StepsTable(const Result& result, const LanguageTexts& texts);

}  // namespace mertano::cli
