#pragma once

#include <string>

#include "calc/calculate.h"
#include "calc/field_sheet.h"
#include "cli/cli_request.h"

namespace mertano::cli {

struct Result {
    ShapeKind shape = ShapeKind::Triangle;
    CalcState state = CalcState::Entering;
    std::string message;
    FieldSheet sheet;
};

// Does what the window does with the same typing: the figure chosen, the values
// entered, the angle exit checks, the calculate button's rule, then the calculate
// command.
Result Run(const Request& request, const LanguageTexts& texts);

// 0 Solved, 1 Entering or NotSolvable, 2 Refused, 3 Failed.
int ExitStatus(CalcState state);

}  // namespace mertano::cli
