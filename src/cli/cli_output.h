// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "cli/cli_run.h"

namespace mertano::cli {

// One JSON object on one line, keys in a fixed order.
std::string ResultJson(const Result& result);
std::string InvalidJson(std::string_view message);
// The same, added to the end of `out` (batch output gathers many lines per write).
void AppendResultJson(std::string& out, const Result& result);
void AppendInvalidJson(std::string& out, std::string_view message);

// A table for people: each shown field with its text and unit, angles also in degrees,
// minutes and seconds, then the results.
std::string ResultTable(const Result& result);

// How the figure was solved, for results that asked: the JSON array of the steps
// (ResultJson adds it as "steps"), and the numbered lines that follow the table.
std::string StepsJson(const std::vector<SolutionStep>& steps);
std::string StepsTable(const Result& result, const LanguageTexts& texts);

}  // namespace mertano::cli
