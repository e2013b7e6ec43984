// SPDX-License-Identifier: GPL-3.0-or-later
// A job of 10,000 pieces as a large workshop keeps one: reading its file, solving every
// row, adding up the totals, writing its bytes and saving it, each on its own and the
// whole of opening to saving, which a person waits for and should take well under a
// second.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QTemporaryDir>
#include <array>

#include "calc/language_texts.h"
#include "job/job.h"

namespace {

using namespace mertano;

constexpr int kRows = 10000;

// Solids and plane figures in turn, in two materials with their prices and without
// one, in two units, with values that change from row to row.
Job LargeJob() {
    struct Kind {
        ShapeKind shape;
        std::array<Field, 3> fields;
        int given;
    };
    const std::array<Kind, 8> kinds = {{
        {ShapeKind::Cone, {Field::SugarEdit, Field::MagasEdit1}, 2},
        {ShapeKind::Cylinder, {Field::SugarEdit, Field::MagasEdit1}, 2},
        {ShapeKind::Cuboid, {Field::AoldEdit, Field::BoldEdit, Field::ColdEdit}, 3},
        {ShapeKind::Sphere, {Field::SugarEdit}, 1},
        {ShapeKind::TruncatedCone, {Field::SugarEdit, Field::NagyrEdit, Field::MagasEdit1}, 3},
        {ShapeKind::Cube, {Field::AoldEdit}, 1},
        {ShapeKind::Triangle, {Field::AoldEdit, Field::BoldEdit, Field::ColdEdit}, 3},
        {ShapeKind::Circle, {Field::SugarEdit}, 1},
    }};
    const QString materials[] = {QString::fromUtf8("Acél"), QString::fromUtf8("Tölgy"), {}};
    const QString densities[] = {QStringLiteral("7.8500"), QStringLiteral("0.7000"), {}};
    Job job;
    job.title = QStringLiteral("Large job");
    job.waste = QStringLiteral("2.5");
    job.prices.insert(materials[0], QStringLiteral("1.015"));
    job.prices.insert(materials[1], QStringLiteral("0.35"));
    job.rows.reserve(kRows);
    for (int k = 0; k < kRows; ++k) {
        const Kind& kind = kinds[k % kinds.size()];
        JobRow row;
        row.shape = kind.shape;
        const int scale = 1 + k % 97;
        for (int f = 0; f < kind.given; ++f) {
            // A triangle's sides must make one: 3, 4 and 5 times the scale.
            row.fields[FieldIndex(kind.fields[f])] =
                kind.shape == ShapeKind::Triangle
                    ? std::to_string((3 + f) * scale)
                    : std::to_string((2 + 3 * f) * scale) + "." + std::to_string(k % 10);
        }
        row.unit = k % 3 == 0 ? QStringLiteral("cm") : QStringLiteral("mm");
        row.material = materials[k % 3];
        row.density = densities[k % 3];
        row.count = 1 + k % 250;
        if (k % 7 == 0) row.note = QString::fromUtf8("sor %1, \"élezve\"").arg(k);
        job.rows.append(row);
    }
    return job;
}

const Job& TheJob() {
    static const Job job = LargeJob();
    return job;
}

const LanguageTexts& Texts() {
    static const LanguageTexts texts;
    return texts;
}

QTemporaryDir& Work() {
    static QTemporaryDir work;
    return work;
}

std::vector<cli::Result> SolveAll(const Job& job) {
    std::vector<cli::Result> answers;
    answers.reserve(static_cast<std::size_t>(job.rows.size()));
    for (const JobRow& row : job.rows) answers.push_back(Solve(row, job, Texts()));
    return answers;
}

void Rows(benchmark::State& state) {
    state.counters["rows/s"] =
        benchmark::Counter(double(state.iterations()) * kRows, benchmark::Counter::kIsRate);
}

void BM_ReadJob(benchmark::State& state) {
    const QByteArray bytes = JobBytes(TheJob());
    for (auto _ : state) benchmark::DoNotOptimize(ReadJob(bytes));
    Rows(state);
}
BENCHMARK(BM_ReadJob)->Unit(benchmark::kMillisecond);

void BM_SolveAll(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(SolveAll(TheJob()));
    Rows(state);
    // A row that is not solved would cost less than one that is.
    long long solved = 0;
    for (const cli::Result& r : SolveAll(TheJob())) solved += r.state == CalcState::Solved;
    state.counters["solved"] = double(solved);
}
BENCHMARK(BM_SolveAll)->Unit(benchmark::kMillisecond);

void BM_JobTotals(benchmark::State& state) {
    const std::vector<cli::Result> answers = SolveAll(TheJob());
    for (auto _ : state) benchmark::DoNotOptimize(JobTotals(TheJob(), answers));
    Rows(state);
}
BENCHMARK(BM_JobTotals)->Unit(benchmark::kMillisecond);

void BM_JobBytes(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(JobBytes(TheJob()));
    Rows(state);
}
BENCHMARK(BM_JobBytes)->Unit(benchmark::kMillisecond);

void BM_SaveJob(benchmark::State& state) {
    const QString path = QDir(Work().path()).filePath("save.mertano");
    for (auto _ : state) {
        if (SaveJob(path, TheJob())) state.SkipWithError("the job could not be saved");
    }
    Rows(state);
}
BENCHMARK(BM_SaveJob)->Unit(benchmark::kMillisecond);

// What the job window does when a job is opened and kept again: the file read, every row
// solved, the totals added up, the file saved.
void BM_OpenToSave(benchmark::State& state) {
    const QString path = QDir(Work().path()).filePath("whole.mertano");
    if (SaveJob(path, TheJob())) state.SkipWithError("the job could not be saved");
    for (auto _ : state) {
        auto opened = OpenJob(path);
        const Job* job = std::get_if<Job>(&opened);
        if (!job || job->rows.size() != kRows) {
            state.SkipWithError("the job could not be read back");
            break;
        }
        const std::vector<cli::Result> answers = SolveAll(*job);
        benchmark::DoNotOptimize(JobTotals(*job, answers));
        if (SaveJob(path, *job)) state.SkipWithError("the job could not be saved");
    }
    Rows(state);
}
BENCHMARK(BM_OpenToSave)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
