// SPDX-License-Identifier: GPL-3.0-or-later
// Figures solved per second: one calculate command over a fresh sheet, per figure.
#include <benchmark/benchmark.h>

#include "calc/calculate.h"
#include "calc/field_sheet.h"
#include "shapes/shape_catalogue.h"

namespace {

using namespace mertano;

struct Case {
    ShapeKind shape;
    std::vector<std::pair<Field, long double>> values;
};

const std::vector<Case>& Cases() {
    using F = Field;
    using S = ShapeKind;
    static const std::vector<Case> kCases = {
        {S::Triangle, {{F::AoldEdit, 5}, {F::BoldEdit, 7}, {F::GammaEdit, 60}}},
        {S::RightTriangle, {{F::ColdEdit, 10}, {F::AlfaEdit, 30}}},
        {S::Circle, {{F::SugarEdit, 1}}},
        {S::CircularSector, {{F::SugarEdit, 2}, {F::AlfaEdit, 90}}},
        {S::CircularSegment, {{F::HurEdit, 6}, {F::MagasEdit1, 1}}},
        {S::Cube, {{F::AoldEdit, 2}}},
        {S::Cylinder, {{F::SugarEdit, 1}, {F::MagasEdit1, 2}}},
        {S::Cone, {{F::MagasEdit1, 4}, {F::BetaEdit, 60}}},
        {S::TruncatedCone, {{F::SugarEdit, 2}, {F::NagyrEdit, 5}, {F::MagasEdit1, 4}}},
        {S::Sphere, {{F::SugarEdit, 1}}},
        {S::Cuboid, {{F::AoldEdit, 1}, {F::BoldEdit, 2}, {F::ColdEdit, 3}}},
        {S::SphericalCap, {{F::SugarEdit, 5}, {F::MagasEdit1, 2}, {F::AoldEdit, 4}}},
        {S::SphericalZone,
         {{F::SugarEdit, 5}, {F::MagasEdit1, 3}, {F::AoldEdit, 4}, {F::NagyrEdit, 5}}},
    };
    return kCases;
}

// Solves one case over and over, with the solution recorded when `record` says so.
void Solve(benchmark::State& state, bool record) {
    const Case& c = Cases()[static_cast<std::size_t>(state.range(0))];
    const LanguageTexts texts = LanguageTexts::BuiltinEnglish();
    state.SetLabel(std::string(Shape(c.shape).name));
    for (auto _ : state) {
        FieldSheet sheet;
        sheet.choose(c.shape);
        for (const auto& [field, value] : c.values) sheet.setFieldValue(field, value);
        StepList steps;
        CalcOutcome outcome = Calculate(sheet, texts, record ? &steps : nullptr);
        benchmark::DoNotOptimize(outcome);
        benchmark::DoNotOptimize(steps.steps.data());
    }
    state.counters["figures/s"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                     benchmark::Counter::kIsRate);
}

void BM_Solve(benchmark::State& state) { Solve(state, false); }
BENCHMARK(BM_Solve)->DenseRange(0, kShapeCount - 1);

// The same with the solution recorded, as the window and --steps ask for it.
void BM_SolveRecorded(benchmark::State& state) { Solve(state, true); }
BENCHMARK(BM_SolveRecorded)->DenseRange(0, kShapeCount - 1);

}  // namespace

BENCHMARK_MAIN();
