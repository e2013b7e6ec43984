// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/field_ops.h"
#include "calc/float_fault.h"
#include "calc/language_texts.h"
#include "calc/measurements.h"
#include "calc/solution_steps.h"

namespace mertano {

// Entering: waiting for enough inputs. Solved: results shown, inputs locked.
// NotSolvable: the command ran but no solver reached its output. Refused: a message
// turned the input down. Failed: arithmetic without a real result stopped the command.
enum class CalcState { Entering, Solved, NotSolvable, Refused, Failed };

std::string_view CalcStateName(CalcState state);

// A typed value that did not fit the others, and the value the figure shows instead.
struct ReplacedValue {
    Field field;
    long double typed;
    long double shown;
};

struct CalcOutcome {
    CalcState state = CalcState::NotSolvable;
    // The refusal or fault text; for a solved figure, which typed values did not fit.
    std::string message;
    std::vector<ReplacedValue> replaced;
    // 2 when a second figure fits exactly the typed values: `solution` 2 shows it.
    int solutions = 1;
};

// The calculate command: reads every field, refuses three sides that form no triangle,
// runs the solver of the chosen figure and writes its results through `ops`. Only a
// real figure is solved: one that cannot exist is refused with a message naming why.
// When more is typed than one way of solving needs, the figure that fits every typed
// value is shown with the values as typed; when none fits, the solver's own choice is
// shown and the outcome names what it replaced.
// A refusal is also shown through ops.showMessage; a fault is only returned.
// With `steps`, the solver's steps that changed a value are recorded there as they run,
// then the typed values it did not need, checked, and the mass.
CalcOutcome Calculate(FieldOps& ops, const LanguageTexts& texts, StepRecorder* steps = nullptr,
                      int solution = 1);

// What the user reads when arithmetic without a real result stopped the command: in
// plain words that no such figure has the values given, naming the figure, then what
// to look at, and last the technical text of the fault.
std::string FaultMessage(const LanguageTexts& texts, std::optional<ShapeKind> shape,
                         FloatFault fault);

// The language text of the first triangle inequality that the given sides break
// (33, 34 or 35), when all three are given; nothing otherwise.
std::optional<int> CheckTriangleSides(const Measurements& m);

}  // namespace mertano
