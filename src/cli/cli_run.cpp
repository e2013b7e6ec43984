// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli_run.h"

#include "calc/numbers.h"
#include "materials/mass.h"
#include "shapes/calc_button_rule.h"
#include "shapes/shape_catalogue.h"

namespace mertano::cli {
namespace {

// The sheet with the window's mass (the material box holds the request's material),
// which also keeps the unrounded volume and the material's factor for the totals.
class SheetWithMass : public FieldOps {
public:
    SheetWithMass(FieldSheet& sheet, const Request& request, const MaterialTable* table)
        : sheet_(sheet),
          material_(request.material && table ? QString::fromStdString(*request.material)
                                              : QString()),
          table_(table) {}

    std::string fieldText(Field f) const override { return sheet_.fieldText(f); }
    long double fieldValue(Field f) const override { return sheet_.fieldValue(f); }
    void setFieldValue(Field f, long double v) override { sheet_.setFieldValue(f, v); }
    void setOutputText(Output o, const std::string& t) override { sheet_.setOutputText(o, t); }
    std::string unitText() const override { return sheet_.unitText(); }
    std::optional<ShapeKind> selectedShape() const override { return sheet_.selectedShape(); }
    void setEnabled(Control c, bool enabled) override { sheet_.setEnabled(c, enabled); }
    void showMessage(const std::string& text) override { sheet_.showMessage(text); }
    void computeMass(long double volume, long double& massFactor) override {
        volume_ = volume;
        if (!table_) return;
        const QString unit = QString::fromStdString(sheet_.unitText());
        if (auto text = ComputeMass(*table_, material_, unit, volume, massFactor)) {
            sheet_.setOutputText(Output::TomegText2, text->toStdString());
            massFactor_ = massFactor;
        }
    }

    std::optional<long double> volume() const { return volume_; }
    std::optional<long double> massFactor() const { return massFactor_; }

private:
    FieldSheet& sheet_;
    QString material_;
    const MaterialTable* table_;
    std::optional<long double> volume_;
    std::optional<long double> massFactor_;
};

}  // namespace

Result Run(const Request& request, const LanguageTexts& texts, const MaterialTable* materials) {
    Result result;
    RunInto(result, request, texts, materials);
    return result;
}

void RunInto(Result& result, const Request& request, const LanguageTexts& texts,
             const MaterialTable* materials) {
    result.shape = request.shape;
    result.state = CalcState::Entering;
    result.message.clear();
    // The result is reused from line to line: steps only where this request asks.
    if (request.steps) {
        result.steps.emplace();
    } else {
        result.steps.reset();
    }
    result.material = request.material;
    result.count = request.count;
    result.totalVolume.clear();
    result.totalMass.clear();
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
            return;
        }
    }

    // The button rule reads the fields as ReadFieldValues does.
    FieldValues values;
    for (Field f : kAllFields) values[FieldIndex(f)] = static_cast<double>(sheet.fieldValue(f));
    if (!CalculateEnabled(request.shape, values)) return;

    StepList steps;
    SheetWithMass ops(sheet, request, request.material ? materials : nullptr);
    const CalcOutcome outcome = Calculate(ops, texts, request.steps ? &steps : nullptr);
    if (request.steps) result.steps = std::move(steps.steps);
    result.state = outcome.state;
    result.message = outcome.message;
    if (outcome.state != CalcState::Solved || !ops.volume()) return;
    if (!request.count && !request.totals) return;  // nobody shows them: not worked out
    // The pieces' volume from the unrounded one, their mass as the mass box computes it
    // (volume to 4 decimals times the factor), times the count: no rounding adds up.
    const long double pieces = request.count.value_or(1);
    result.totalVolume = ResultText(*ops.volume() * pieces);
    if (ops.massFactor()) {
        result.totalMass = FormatFixed(RoundTo4(*ops.volume()) * *ops.massFactor() * pieces, 4);
    }
}

int ExitStatus(CalcState state) {
    switch (state) {
        case CalcState::Solved:
            return 0;
        case CalcState::Entering:
        case CalcState::NotSolvable:
            return 1;
        case CalcState::Refused:
            return 2;
        case CalcState::Failed:
            return 3;
    }
    return 3;
}

}  // namespace mertano::cli
