// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli_run.h"

#include <algorithm>
#include <optional>
#include <vector>

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
          table_(table) {
        if (request.density) {
            // The density stands as a material of its own, so that its mass is worked out
            // as the window works out a material's, to the last bit.
            const QString name = QStringLiteral("density");
            given_ = MaterialTable{MakeMaterial(name, *request.density)};
            table_ = &given_;
            material_ = name;
        }
    }

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
    MaterialTable given_;  // the request's density, when it gives one
    bool solid_ = false;
    bool massShown_ = false;
    bool massUnitRefused_ = false;
};

// The digits of a decimal as a result box shows it (blanks around it, perhaps a minus,
// at most one point with a digit on either side), without its point; nothing for any
// other text, which no box shows.
struct Digits {
    bool negative = false;
    std::string digits;  // highest first
    std::size_t decimals = 0;
};

std::optional<Digits> DigitsOf(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    Digits d;
    d.negative = !text.empty() && text.front() == '-';
    if (d.negative) text.remove_prefix(1);
    if (text.empty() || text.front() == '.' || text.back() == '.') return std::nullopt;
    const std::size_t point = text.find('.');
    for (std::size_t k = 0; k < text.size(); ++k) {
        if (k == point) continue;
        if (text[k] < '0' || text[k] > '9') return std::nullopt;
        d.digits += text[k];
    }
    if (point != std::string_view::npos) d.decimals = text.size() - point - 1;
    return d;
}

// a times b exactly, digit by digit, lowest digit first; a.decimals + b.decimals of them
// are decimals.
std::vector<unsigned> DigitProduct(const Digits& a, const Digits& b) {
    std::vector<unsigned> product(a.digits.size() + b.digits.size(), 0);
    for (std::size_t i = 0; i < a.digits.size(); ++i) {
        const unsigned x = static_cast<unsigned>(a.digits[a.digits.size() - 1 - i] - '0');
        for (std::size_t j = 0; j < b.digits.size(); ++j) {
            product[i + j] += x * static_cast<unsigned>(b.digits[b.digits.size() - 1 - j] - '0');
        }
    }
    unsigned carry = 0;
    for (unsigned& digit : product) {
        digit += carry;
        carry = digit / 10;
        digit %= 10;
    }
    return product;
}

// Digits, lowest first, with `decimals` of them after the point, as a box writes them:
// no zeros in front of the units digit, and no sign on a 0.
std::string DecimalText(std::vector<unsigned> digits, std::size_t decimals, bool negative) {
    while (digits.size() > decimals + 1 && digits.back() == 0) digits.pop_back();
    std::string text;
    if (negative && std::any_of(digits.begin(), digits.end(), [](unsigned d) { return d != 0; }))
        text += '-';
    for (std::size_t k = digits.size(); k-- > 0;) {
        text += static_cast<char>('0' + digits[k]);
        if (k == decimals && decimals > 0) text += '.';
    }
    return text;
}

// `shown` times `count`: exactly the shown value times the count, however many digits
// that takes, with the shown decimals. Empty for a text that is no decimal.
std::string TimesCount(std::string_view shown, int count) {
    const std::optional<Digits> a = DigitsOf(shown);
    if (!a) return {};
    const Digits pieces{false, std::to_string(count), 0};
    return DecimalText(DigitProduct(*a, pieces), a->decimals, a->negative);
}

}  // namespace

// In floating point 1.0150 * 1 is a hair below its decimal and would round to 1.01 at 2
// decimals, and 7.2500 * 0.1 a hair above, giving 0.73: the product is worked out digit
// by digit instead.
std::string DecimalTimes(std::string_view a, std::string_view b, int decimals) {
    const std::optional<Digits> x = DigitsOf(a);
    const std::optional<Digits> y = DigitsOf(b);
    if (!x || !y || decimals < 0) return {};
    std::vector<unsigned> product = DigitProduct(*x, *y);
    const auto kept = static_cast<std::size_t>(decimals);
    std::size_t places = x->decimals + y->decimals;
    for (; places < kept; ++places) product.insert(product.begin(), 0);
    // The digits that go: above half, or half and the kept digit odd, round up.
    const std::size_t gone = places - kept;
    bool up = false;
    if (gone > 0) {
        const unsigned first = product[gone - 1];
        const bool rest =
            std::any_of(product.begin(), product.begin() + static_cast<long>(gone) - 1,
                        [](unsigned d) { return d != 0; });
        up = first > 5 || (first == 5 && (rest || product[gone] % 2 == 1));
    }
    product.erase(product.begin(), product.begin() + static_cast<long>(gone));
    for (std::size_t k = 0; up; ++k) {
        if (k == product.size()) product.push_back(0);
        up = ++product[k] == 10;
        if (up) product[k] = 0;
    }
    return DecimalText(std::move(product), kept, x->negative != y->negative);
}

namespace {

// `shown` times `price`, rounded to 2 decimals as a result box rounds.
std::string TimesPrice(std::string_view shown, std::string_view price) {
    return DecimalTimes(shown, price, 2);
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
    result.price = request.price;
    result.cost.clear();
    result.totalCost.clear();
    result.massUnitRefused = false;
    result.pattern.reset();
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
    SheetWithMass ops(sheet, request, request.material && !request.density ? materials : nullptr);
    CalcOutcome outcome = Calculate(ops, texts, request.steps ? &steps : nullptr, request.solution);
    if (request.steps) result.steps = std::move(steps.steps);
    result.state = outcome.state;
    result.message = std::move(outcome.message);
    result.replaced = std::move(outcome.replaced);
    result.solutions = outcome.solutions;
    if (outcome.state != CalcState::Solved || !ops.solid()) return;
    result.pattern = MakeFlatPattern(sheet, request.seam);
    result.massUnitRefused = ops.massUnitRefused();
    const bool priced = request.price && ops.massShown();
    if (priced) result.cost = TimesPrice(sheet.output(Output::TomegText2), *request.price);
    if (!request.count && !request.totals) return;  // nobody shows them: not worked out
    // The shown values times the count, so that a reader who multiplies out the answer
    // finds the totals to the last digit (and the CSV's sums of them add up as well).
    const int pieces = request.count.value_or(1);
    result.totalVolume = TimesCount(sheet.output(Output::TerfogatText2), pieces);
    if (ops.massShown()) result.totalMass = TimesCount(sheet.output(Output::TomegText2), pieces);
    // From the total mass, not from the rounded cost of one piece: what all pieces cost.
    if (priced) result.totalCost = TimesPrice(result.totalMass, *request.price);
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
