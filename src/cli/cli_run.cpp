#include "cli_run.h"

#include "shapes/calc_button_rule.h"
#include "shapes/shape_catalogue.h"

namespace mertano::cli {

Result Run(const Request& request, const LanguageTexts& texts) {
    Result result;
    result.shape = request.shape;
    FieldSheet& sheet = result.sheet;
    sheet.choose(request.shape);
    sheet.setUnitText(request.unit);
    for (Field f : kAllFields) {
        if (request.values[FieldIndex(f)]) sheet.setFieldValue(f, *request.values[FieldIndex(f)]);
    }

    for (Field f : {Field::AlfaEdit, Field::BetaEdit, Field::GammaEdit}) {
        const std::optional<long double> value = request.values[FieldIndex(f)];
        if (!value) continue;
        if (std::optional<int> text = AngleExitMessage(f, *value)) {
            result.state = CalcState::Refused;
            result.message = texts.text(*text);
            sheet.setFieldValue(f, 0.0L);  // the window takes the refused angle back
            return result;
        }
    }

    std::array<std::string, kFieldCount> fieldTexts;
    for (Field f : kAllFields) fieldTexts[FieldIndex(f)] = sheet.fieldText(f);
    if (!CalculateEnabled(request.shape, ReadFieldValues(fieldTexts))) {
        result.state = CalcState::Entering;
        return result;
    }

    const CalcOutcome outcome = Calculate(sheet, texts);
    result.state = outcome.state;
    result.message = outcome.message;
    return result;
}

int ExitStatus(CalcState state) {
    switch (state) {
        case CalcState::Solved: return 0;
        case CalcState::Entering:
        case CalcState::NotSolvable: return 1;
        case CalcState::Refused: return 2;
        case CalcState::Failed: return 3;
    }
    return 3;
}

}  // namespace mertano::cli
