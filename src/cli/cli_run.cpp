// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli_run.h"

#include "materials/mass.h"
#include "shapes/calc_button_rule.h"
#include "shapes/shape_catalogue.h"

namespace mertano::cli {
namespace {

// The sheet with the window's mass (the material box holds the request's material),
// which also tells whether the figure had a volume and what became of its mass.
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
        solid_ = true;
        if (!table_) return;
        const QString unit = QString::fromStdString(sheet_.unitText());
        if (auto text = ComputeMass(*table_, material_, unit, volume, massFactor)) {
            sheet_.setOutputText(Output::TomegText2, text->toStdString());
            // An empty mass: the unit has no factor to kilograms.
            (text->isEmpty() ? massUnitRefused_ : massShown_) = true;
        }
    }

    bool solid() const { return solid_; }
    bool massShown() const { return massShown_; }
    bool massUnitRefused() const { return massUnitRefused_; }

private:
    FieldSheet& sheet_;
    QString material_;
    const MaterialTable* table_;
    bool solid_ = false;
    bool massShown_ = false;
    bool massUnitRefused_ = false;
};

// `shown`, a decimal as a result box shows it (blanks around it, perhaps a minus), times
// `count`, worked out digit by digit: exactly the shown value times the count, however
// many digits that takes. Empty for a text that is no such decimal, which no box shows.
std::string TimesCount(std::string_view shown, int count) {
    while (!shown.empty() && shown.front() == ' ') shown.remove_prefix(1);
    while (!shown.empty() && shown.back() == ' ') shown.remove_suffix(1);
    const bool negative = !shown.empty() && shown.front() == '-';
    if (negative) shown.remove_prefix(1);
    const std::size_t point = shown.find('.');
    if (shown.empty() || shown.front() == '.' || shown.back() == '.' ||
        shown.find_first_not_of("0123456789.") != std::string_view::npos ||
        (point != std::string_view::npos && shown.find('.', point + 1) != std::string_view::npos)) {
        return {};
    }
    std::string product;  // lowest digit first
    unsigned long long carry = 0;
    for (auto it = shown.rbegin(); it != shown.rend(); ++it) {
        if (*it == '.') {
            product += '.';
            continue;
        }
        carry += static_cast<unsigned long long>(*it - '0') * static_cast<unsigned>(count);
        product += static_cast<char>('0' + carry % 10);
        carry /= 10;
    }
    for (; carry != 0; carry /= 10) product += static_cast<char>('0' + carry % 10);
    // Zeros in front of the units digit go; a product of 0 has no sign.
    const std::size_t units = point == std::string_view::npos ? 0 : shown.size() - point;
    while (product.size() > units + 1 && product.back() == '0') product.pop_back();
    if (negative && product.find_first_not_of("0.") != std::string::npos) product += '-';
    return {product.rbegin(), product.rend()};
}

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
    result.massUnitRefused = false;
    result.replaced.clear();
    result.solutions = 1;
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
    CalcOutcome outcome =
        Calculate(ops, texts, request.steps ? &steps : nullptr, request.solution);
    if (request.steps) result.steps = std::move(steps.steps);
    result.state = outcome.state;
    result.message = std::move(outcome.message);
    result.replaced = std::move(outcome.replaced);
    result.solutions = outcome.solutions;
    if (outcome.state != CalcState::Solved || !ops.solid()) return;
    result.massUnitRefused = ops.massUnitRefused();
    if (!request.count && !request.totals) return;  // nobody shows them: not worked out
    // The shown values times the count, so that a reader who multiplies out the answer
    // finds the totals to the last digit (and the CSV's sums of them add up as well).
    const int pieces = request.count.value_or(1);
    result.totalVolume = TimesCount(sheet.output(Output::TerfogatText2), pieces);
    if (ops.massShown()) result.totalMass = TimesCount(sheet.output(Output::TomegText2), pieces);
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
