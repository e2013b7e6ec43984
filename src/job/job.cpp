// SPDX-License-Identifier: GPL-3.0-or-later
#include "job/job.h"

#include <QDir>
#include <QFileInfo>
#include <QtGlobal>
#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <string_view>
#include <utility>

#include "calc/numbers.h"
#include "cli/cli_batch.h"
#include "cli/cli_output.h"
#include "cli/exact_sum.h"
#include "materials/material_store.h"
#include "shapes/shape_catalogue.h"
#include "system/regular_file.h"
#include "system/user_data_folder.h"

namespace mertano {
namespace {

// The reasons a job file is refused beyond those of the command line, which words the
// rest itself. %1 and on are filled in.
const char kNotUtf8[] = "the line is not UTF-8 text";
const char kPriceDiffers[] =
    "the price of \"%1\" is %2 here but %3 on line %4: a material has one price in a job";
const char kPriceWithoutMaterial[] = "a price without a material: a job prices its materials";
const char kMaterialWithoutDensity[] =
    "the material \"%1\" comes without its density: a job line carries the density its mass "
    "was worked out from";
const char kDensityWithoutMaterial[] = "a density without a material";
const char kNoPrice[] = "none";

// A job is some hundred bytes a piece; no job a person keeps comes near this.
constexpr qint64 kMaxJobFileBytes = 64 * 1024 * 1024;

// The waste allowance's share is worked out with more places than the allowance has
// (the command line takes 6), so that 1 + w/100 is exact and only the product is rounded.
constexpr int kFactorDecimals = 12;

// The row's density in the form the command line's density= takes ("7.85"): the texts
// are kept as the material file shows them ("7.8500"), with zeros the rule refuses.
std::string CliDensityText(const QString& density) {
    std::string text = density.toStdString();
    if (text.find_first_of(".,") == std::string::npos) return text;
    while (!text.empty() && text.back() == '0') text.pop_back();
    if (!text.empty() && (text.back() == '.' || text.back() == ',')) text.pop_back();
    return text;
}

std::optional<std::int32_t> DensityOf(const QString& density) {
    if (density.isEmpty()) return std::nullopt;
    cli::Request scratch;
    if (cli::AddAssignment(scratch, "density=" + CliDensityText(density))) return std::nullopt;
    return scratch.density;
}

// Two texts of one field give the same value, as the field takes them.
bool SameFieldValue(const std::string& a, const std::string& b) {
    if (a == b) return true;
    if (a.empty() || b.empty()) return false;
    const std::optional<long double> x = AcceptEditText(CommaToPoint(a));
    return x && x == AcceptEditText(CommaToPoint(b));
}

int ValidCount(int count) {
    return std::clamp(count, 1, cli::kMaxCount);
}

std::string PriceOf(const JobRow& row, const Job& job) {
    if (row.material.isEmpty()) return {};
    return job.prices.value(row.material).toStdString();
}

void AppendKey(std::string& out, std::string_view key, std::string_view text) {
    out += ", ";
    cli::AppendJsonString(out, key);
    out += ": ";
    cli::AppendJsonString(out, text);
}

void AppendRow(std::string& out, const JobRow& row, const Job& job, bool first) {
    out += "{\"figure\": ";
    cli::AppendJsonString(out, Shape(row.shape).name);
    out += ", \"fields\": {";
    bool firstField = true;
    // Only the figure's own fields: the command line refuses a line with any other.
    for (Field f : cli::FieldsShown(row.shape)) {
        const std::string& text = row.fields[FieldIndex(f)];
        if (text.empty()) continue;
        if (!firstField) out += ", ";
        firstField = false;
        cli::AppendJsonString(out, FieldValueName(f));
        out += ": ";
        cli::AppendJsonString(out, text);
    }
    out += '}';
    AppendKey(out, "unit", row.unit.toStdString());
    if (!row.material.isEmpty()) {
        AppendKey(out, "material", row.material.toStdString());
        if (!row.density.isEmpty()) AppendKey(out, "density", CliDensityText(row.density));
        const std::string price = PriceOf(row, job);
        if (!price.empty()) AppendKey(out, "price", price);
    }
    out += ", \"count\": ";
    out += std::to_string(ValidCount(row.count));
    // The other of two figures that fit the values, as F3 shows it.
    if (row.solution == 2) out += ", \"solution\": 2";
    if (!row.note.isEmpty()) AppendKey(out, "note", row.note.toStdString());
    if (first && !job.title.isEmpty()) AppendKey(out, "title", job.title.toStdString());
    if (first && !job.waste.isEmpty()) AppendKey(out, "waste", job.waste.toStdString());
    out += "}\n";
}

JobReadError Refused(int line, QString message) {
    return {line, std::move(message)};
}

// One line taken into the job, or why it is not a job line.
std::optional<QString> TakeLine(std::string_view line, int number, Job& job,
                                QMap<QString, int>& pricedOn, bool& titled, bool& wasted) {
    cli::BatchLineTexts texts;
    auto parsed = cli::ParseBatchLine(line, texts);
    if (auto* error = std::get_if<cli::RequestError>(&parsed))
        return QString::fromStdString(error->message);
    const cli::Request& request = std::get<cli::Request>(parsed);

    JobRow row;
    row.shape = request.shape;
    for (int k = 0; k < kFieldCount; ++k) {
        if (!request.values[k]) continue;
        // An empty text is taken as the field's least value, as "0" is, while an empty
        // text in a row is a field not typed.
        row.fields[k] = texts.fields[k].empty() ? std::string("0") : CommaToPoint(texts.fields[k]);
    }
    row.unit = QString::fromStdString(request.unit);
    if (request.material) row.material = QString::fromStdString(*request.material);
    if (request.material && !request.density)
        return QString::fromLatin1(kMaterialWithoutDensity).arg(row.material);
    if (request.density && row.material.isEmpty())
        return QString::fromLatin1(kDensityWithoutMaterial);
    if (request.density) row.density = DensityText(*request.density);
    if (request.price && row.material.isEmpty()) return QString::fromLatin1(kPriceWithoutMaterial);
    row.count = request.count.value_or(1);
    row.solution = request.solution;
    if (texts.note) row.note = QString::fromStdString(*texts.note);

    // A row without a price among priced rows of its material, or the other way round,
    // would take the price of the first when written again.
    if (!row.material.isEmpty()) {
        const QString price = request.price ? QString::fromStdString(*request.price) : QString();
        const auto first = pricedOn.constFind(row.material);
        if (first == pricedOn.cend()) {
            pricedOn.insert(row.material, number);
            if (request.price) job.prices.insert(row.material, price);
        } else if (job.prices.value(row.material) != price) {
            const QString before = job.prices.value(row.material);
            return QString::fromLatin1(kPriceDiffers)
                .arg(row.material, price.isEmpty() ? QString::fromLatin1(kNoPrice) : price,
                     before.isEmpty() ? QString::fromLatin1(kNoPrice) : before)
                .arg(*first);
        }
    }
    if (texts.title && !titled) {
        job.title = QString::fromStdString(*texts.title);
        titled = true;
    }
    if (texts.waste && !wasted) {
        job.waste = QString::fromStdString(*texts.waste);
        wasted = true;
    }
    job.rows.append(std::move(row));
    return std::nullopt;
}

// 1 + w/100, or nothing without an allowance.
std::string WasteFactor(const QString& waste) {
    if (waste.isEmpty()) return {};
    const std::string share =
        cli::DecimalTimes(CommaToPoint(waste.toStdString()), "0.01", kFactorDecimals);
    if (share.empty()) return {};
    cli::ExactSum factor(kFactorDecimals);
    factor.add("1");
    factor.add(share);
    return factor.text();
}

// A total as it is added up, row by row.
struct Totting {
    QString material;
    long long pieces = 0;
    std::vector<std::pair<std::string, cli::ExactSum>> volumes;
    cli::ExactSum mass{4};
    cli::ExactSum cost{2};

    void add(const cli::Result& r) {
        pieces += r.count.value_or(1);
        if (!r.totalVolume.empty()) {
            const std::string& unit = r.sheet.unit();
            auto it = std::find_if(volumes.begin(), volumes.end(),
                                   [&unit](const auto& v) { return v.first == unit; });
            if (it == volumes.end()) it = volumes.insert(volumes.end(), {unit, cli::ExactSum(2)});
            it->second.add(r.totalVolume);
        }
        if (!r.totalMass.empty()) mass.add(r.totalMass);
        if (!r.totalCost.empty()) cost.add(r.totalCost);
    }

    JobTotal total(const std::string& factor) const {
        JobTotal t;
        t.material = material;
        t.pieces = pieces;
        for (const auto& [unit, sum] : volumes)
            t.volumes.append({QString::fromStdString(unit), QString::fromStdString(sum.text())});
        const std::string m = mass.text();
        const std::string c = cost.text();
        t.mass = QString::fromStdString(m);
        t.cost = QString::fromStdString(c);
        if (!factor.empty() && !m.empty())
            t.massWithWaste = QString::fromStdString(cli::DecimalTimes(m, factor, 4));
        if (!factor.empty() && !c.empty())
            t.costWithWaste = QString::fromStdString(cli::DecimalTimes(c, factor, 2));
        return t;
    }
};

}  // namespace

QString DensityText(std::int32_t thousandths) {
    return QStringLiteral("%1.%2")
        .arg(thousandths / 1000)
        .arg((thousandths % 1000) * 10, 4, 10, QLatin1Char('0'));
}

bool JobRow::samePiece(const JobRow& other) const {
    if (shape != other.shape || unit != other.unit || material != other.material ||
        solution != other.solution)
        return false;
    for (int k = 0; k < kFieldCount; ++k) {
        if (!SameFieldValue(fields[k], other.fields[k])) return false;
    }
    if (density == other.density) return true;
    const std::optional<std::int32_t> thousandths = DensityOf(density);
    return thousandths && thousandths == DensityOf(other.density);
}

int Job::samePieceAt(const JobRow& row) const {
    for (qsizetype k = 0; k < rows.size(); ++k) {
        if (rows[k].samePiece(row)) return static_cast<int>(k);
    }
    return -1;
}

int Job::add(const JobRow& row) {
    const int k = samePieceAt(row);
    if (k < 0) {
        rows.append(row);
        return static_cast<int>(rows.size() - 1);
    }
    rows[k].count = static_cast<int>(
        std::min<long long>(static_cast<long long>(rows[k].count) + row.count, cli::kMaxCount));
    return k;
}

cli::Request RequestOf(const JobRow& row, const Job& job) {
    cli::Request request;
    request.shape = row.shape;
    // A text the rules refuse is left out, as the field would be left empty; the job's
    // own rows come from calculated fields and a read file, which hold none.
    for (Field f : cli::FieldsShown(row.shape)) {
        const std::string& text = row.fields[FieldIndex(f)];
        if (!text.empty()) cli::AddValue(request, FieldValueName(f), text);
    }
    request.unit = row.unit.toStdString();
    if (!row.material.isEmpty()) {
        request.material = row.material.toStdString();
        if (!row.density.isEmpty())
            cli::AddAssignment(request, "density=" + CliDensityText(row.density));
        const std::string price = PriceOf(row, job);
        if (!price.empty()) cli::AddAssignment(request, "price=" + price);
    }
    request.count = ValidCount(row.count);
    request.solution = row.solution == 2 ? 2 : 1;
    return request;
}

cli::Result Solve(const JobRow& row, const Job& job, const LanguageTexts& texts) {
    // No material table: the row's density stands for its material.
    return cli::Run(RequestOf(row, job), texts);
}

QByteArray JobBytes(const Job& job) {
    std::string out;
    out.reserve(static_cast<std::size_t>(job.rows.size()) * 160);
    for (qsizetype k = 0; k < job.rows.size(); ++k) AppendRow(out, job.rows[k], job, k == 0);
    return QByteArray::fromStdString(out);
}

std::variant<Job, JobReadError> ReadJob(QByteArrayView bytes) {
    Job job;
    QMap<QString, int> pricedOn;  // the line of each material's first row
    bool titled = false, wasted = false;
    int number = 0;
    // Lines as mertano-cli --batch takes them: LF or CR LF ends one, the last may have
    // none, and a blank line is a line (which it refuses).
    for (qsizetype start = 0; start < bytes.size();) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0) end = bytes.size();
        QByteArrayView line = bytes.sliced(start, end - start);
        start = end + 1;
        ++number;
        if (line.endsWith('\r')) line.chop(1);
        if (static_cast<std::size_t>(line.size()) > cli::kMaxBatchLineBytes)
            return Refused(number, QString::fromLatin1(cli::kLineTooLong));
        if (!line.isValidUtf8()) return Refused(number, QString::fromLatin1(kNotUtf8));
        const std::string_view text(line.data(), static_cast<std::size_t>(line.size()));
        if (std::optional<QString> fault = TakeLine(text, number, job, pricedOn, titled, wasted))
            return Refused(number, std::move(*fault));
    }
    return job;
}

std::variant<Job, JobReadError> OpenJob(const QString& path) {
    const RegularFileRead file = ReadRegularFile(path, kMaxJobFileBytes);
    switch (file.status) {
        case RegularFileRead::Status::Missing:
            return Refused(0, qt_error_string(ENOENT));
        case RegularFileRead::Status::Refused:
            return Refused(0, file.reason);
        case RegularFileRead::Status::Read:
            break;
    }
    return ReadJob(file.bytes);
}

std::optional<QString> SaveJob(const QString& path, const Job& job) {
    if (auto error = WriteFileAtomically(path, JobBytes(job), QStringLiteral("the job file")))
        return error->message;
    return std::nullopt;
}

QString KeptJobPath() {
    return UserDataFolder() + QStringLiteral("/kept-job.mertano");
}

std::optional<QString> KeepJob(const Job& job) {
    const QString kept = KeptJobPath();
    QDir().mkpath(QFileInfo(kept).absolutePath());
    return SaveJob(kept, job);
}

std::vector<JobTotal> JobTotals(const Job& job, const std::vector<cli::Result>& answers) {
    std::vector<Totting> materials;
    Totting whole;
    const std::size_t rows = std::min(answers.size(), static_cast<std::size_t>(job.rows.size()));
    for (std::size_t k = 0; k < rows; ++k) {
        const QString& material = job.rows[static_cast<qsizetype>(k)].material;
        Totting* own = nullptr;
        // Listed from the first row that names it, solved or not, so that the list keeps
        // its order while rows are being solved.
        if (!material.isEmpty()) {
            auto it =
                std::find_if(materials.begin(), materials.end(),
                             [&material](const Totting& t) { return t.material == material; });
            if (it == materials.end()) {
                it = materials.insert(materials.end(), Totting());
                it->material = material;
            }
            own = &*it;
        }
        const cli::Result& answer = answers[k];
        if (answer.state != CalcState::Solved) continue;
        if (own) own->add(answer);
        whole.add(answer);
    }
    const std::string factor = WasteFactor(job.waste);
    std::vector<JobTotal> totals;
    totals.reserve(materials.size() + 1);
    for (const Totting& t : materials) totals.push_back(t.total(factor));
    totals.push_back(whole.total(factor));
    return totals;
}

std::string JobCsv(const std::vector<cli::Result>& answers) {
    std::string out = cli::CsvHeader();
    cli::CsvTotals totals;
    for (const cli::Result& answer : answers) {
        cli::AppendResultCsv(out, answer);
        totals.add(answer);
    }
    totals.append(out);
    return out;
}

}  // namespace mertano
