// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli_output.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cstring>
#include <optional>
#include <vector>

#include "calc/numbers.h"
#include "shapes/shape_catalogue.h"

namespace mertano::cli {
namespace {

std::string_view Trim(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

// The bytes a JSON text cannot hold as they are, each with the letter of its escape
// (u: a \u escape of its code).
constexpr auto kEscaped = [] {
    std::array<char, 256> escaped{};
    for (int c = 0; c < 0x20; ++c) escaped[c] = 'u';
    escaped['"'] = '"';
    escaped['\\'] = '\\';
    escaped['\n'] = 'n';
    escaped['\r'] = 'r';
    escaped['\t'] = 't';
    return escaped;
}();

// Writes a line into room made for it beforehand: an answer is a few hundred bytes in
// dozens of pieces, and growing the string piece by piece cost more than the pieces.
class RoomWriter {
public:
    RoomWriter(std::string& out, std::size_t room) : out_(out) {
        const std::size_t start = out.size();
        out.resize(start + room);
        p_ = out.data() + start;
    }
    ~RoomWriter() {
        assert(p_ <= out_.data() + out_.size());  // the room was enough
        out_.resize(static_cast<std::size_t>(p_ - out_.data()));
    }
    RoomWriter(const RoomWriter&) = delete;
    RoomWriter& operator=(const RoomWriter&) = delete;

    template <std::size_t N>
    void put(const char (&literal)[N]) {
        std::memcpy(p_, literal, N - 1);
        p_ += N - 1;
    }
    void put(std::string_view s) {
        std::memcpy(p_, s.data(), s.size());
        p_ += s.size();
    }
    // A name of the program's own, in quotes (letters only: nothing to escape).
    void name(std::string_view s) {
        *p_++ = '"';
        put(s);
        *p_++ = '"';
    }
    // A JSON text in quotes; takes at most 6 bytes a character and 2 more.
    void string(std::string_view s) {
        // Copied as it is, then written again escaped in the rare case that it needs it.
        // A local pointer: stores through the member could change the member itself, so
        // the compiler would reload it at every byte.
        char* p = p_;
        *p++ = '"';
        char escapes = 0;
        for (char ch : s) {
            *p++ = ch;
            escapes |= kEscaped[static_cast<unsigned char>(ch)];
        }
        if (escapes != 0) {
            p = p_ + 1;
            for (char ch : s) p = Escaped(p, ch);
        }
        *p++ = '"';
        p_ = p;
    }

private:
    static char* Escaped(char* p, char ch) {
        const auto c = static_cast<unsigned char>(ch);
        const char letter = kEscaped[c];
        if (letter == 0) {
            *p++ = ch;
            return p;
        }
        *p++ = '\\';
        *p++ = letter;
        if (letter != 'u') return p;
        constexpr char kHex[] = "0123456789abcdef";
        *p++ = '0';
        *p++ = '0';
        *p++ = kHex[c >> 4];
        *p++ = kHex[c & 15];
        return p;
    }

    std::string& out_;
    char* p_ = nullptr;
};

struct ResultRow {
    std::string_view name;
    Output output;
    std::string_view unitSuffix;  // after the unit text; "kg" stands alone
};
constexpr ResultRow kResultRows[] = {
    {"perimeter", Output::KeruletText2, ""}, {"area", Output::TeruletText2, "2"},
    {"surface", Output::FeluletText2, "2"},  {"volume", Output::TerfogatText2, "3"},
    {"mass", Output::TomegText2, "kg"},
};

std::string ResultUnit(const ResultRow& row, const std::string& unit) {
    return row.unitSuffix == "kg" ? "kg" : unit + std::string(row.unitSuffix);
}

bool RowShown(const AngleBoxes& row, const FieldSheet& sheet) {
    return !Trim(sheet.output(row.degrees)).empty();
}

}  // namespace

void AppendJsonString(std::string& out, std::string_view s) {
    RoomWriter(out, 6 * s.size() + 2).string(s);
}

// What a request asked for beyond the figure (a count, the steps), kept out of the
// common path so that a plain answer is written as fast as before.
[[gnu::noinline]] static void AppendAskedFor(std::string& out, const Result& r) {
    // Only where they say something, so that every other answer reads as it always did.
    if (r.solutions != 1) {
        out += ", \"solutions\": ";
        out += std::to_string(r.solutions);
    }
    if (!r.replaced.empty()) {
        out += ", \"replaced\": [";
        for (std::size_t k = 0; k < r.replaced.size(); ++k) {
            const ReplacedValue& v = r.replaced[k];
            out += k > 0 ? ", {\"field\": " : "{\"field\": ";
            AppendJsonString(out, FieldValueName(v.field));
            out += ", \"typed\": ";
            AppendJsonString(out, FormatFixed(v.typed, 4));
            out += ", \"shown\": ";
            AppendJsonString(out, FormatFixed(v.shown, 4));
            out += '}';
        }
        out += ']';
    }
    // Only with a price, as the count below.
    if (r.price) {
        out += ", \"price\": ";
        AppendJsonString(out, *r.price);
        if (!r.cost.empty()) {
            out += ", \"cost\": ";
            AppendJsonString(out, r.cost);
        }
    }
    // Only with a count, so that a request without one is answered as it always was.
    if (r.count) {
        out += ", \"count\": ";
        out += std::to_string(*r.count);
        out += ", \"totals\": {";
        if (!r.totalVolume.empty()) {
            out += "\"volume\": ";
            AppendJsonString(out, Trim(r.totalVolume));
        }
        if (!r.totalMass.empty()) {
            out += ", \"mass\": ";
            AppendJsonString(out, r.totalMass);
        }
        if (!r.totalCost.empty()) {
            out += ", \"cost\": ";
            AppendJsonString(out, r.totalCost);
        }
        out += '}';
    }
    if (r.steps) {
        out += ", \"steps\": ";
        out += StepsJson(*r.steps);
    }
}

namespace {

// The numbers a person marks out the pattern with, 4 decimals as the fields; only those
// the pattern has.
void AppendPatternJson(std::string& out, const FlatPattern& p) {
    const auto number = [&out](std::string_view name, long double x) {
        out += ", \"";
        out += name;
        out += "\": ";
        AppendJsonString(out, FormatFixed(x, 4));
    };
    out += ", \"pattern\": {\"kind\": ";
    switch (p.kind) {
        case PatternKind::Sector:
            out += "\"sector\"";
            break;
        case PatternKind::AnnularSector:
            out += "\"annular_sector\"";
            break;
        case PatternKind::Rectangle:
            out += "\"rectangle\"";
            break;
    }
    if (p.kind == PatternKind::Rectangle) {
        number("width", p.width);
        number("height", p.height);
    } else {
        number("outer_radius", p.outerRadius);
        if (p.kind == PatternKind::AnnularSector) number("inner_radius", p.innerRadius);
        number("angle", p.angleDegrees);
        out += ", \"angle_dms\": [" + std::to_string(p.angle.degrees) + ", " +
               std::to_string(p.angle.minutes) + ", " + std::to_string(p.angle.seconds) + "]";
        number("outer_arc", p.outerArc);
        if (p.kind == PatternKind::AnnularSector) number("inner_arc", p.innerArc);
        number("chord", p.chord);
    }
    if (p.seam > 0) number("seam", p.seam);
    out += '}';
}

// Room for every text of the answer escaped at its longest, and for the names and
// punctuation around them: some 440 bytes with fourteen fields, three angle rows and five
// results, more than any figure shows.
std::size_t JsonRoom(const Result& r) {
    std::size_t texts = r.message.size() + r.sheet.unit().size();
    for (Field f : FieldsShown(r.shape)) texts += r.sheet.field(f).size();
    for (int k = 0; k < kOutputCount; ++k) texts += r.sheet.output(static_cast<Output>(k)).size();
    return 6 * texts + 512;
}

}  // namespace

void AppendResultJson(std::string& out, const Result& r) {
    {
        RoomWriter w(out, JsonRoom(r));
        w.put("{\"figure\": ");
        w.name(Shape(r.shape).name);
        w.put(", \"state\": ");
        w.name(CalcStateName(r.state));
        w.put(", \"message\": ");
        w.string(r.message);
        w.put(", \"unit\": ");
        w.string(r.sheet.unit());

        w.put(", \"fields\": {");
        bool first = true;
        for (Field f : FieldsShown(r.shape)) {
            if (!first) w.put(", ");
            first = false;
            w.name(FieldValueName(f));
            w.put(": ");
            w.string(r.sheet.field(f));
        }
        w.put("}, \"angles\": {");
        first = true;
        for (const AngleBoxes& row : kAngleBoxes) {
            if (!RowShown(row, r.sheet)) continue;
            if (!first) w.put(", ");
            first = false;
            w.name(FieldValueName(row.field));
            w.put(": [");
            w.put(Trim(r.sheet.output(row.degrees)));
            w.put(", ");
            w.put(Trim(r.sheet.output(row.minutes)));
            w.put(", ");
            w.put(Trim(r.sheet.output(row.seconds)));
            w.put("]");
        }
        w.put("}, \"results\": {");
        first = true;
        for (const ResultRow& row : kResultRows) {
            const std::string_view text = Trim(r.sheet.output(row.output));
            if (text.empty()) continue;
            if (!first) w.put(", ");
            first = false;
            w.name(row.name);
            w.put(": ");
            w.string(text);
        }
        w.put("}");
    }
    if (r.pattern) AppendPatternJson(out, *r.pattern);
    if (r.count || r.steps || r.solutions != 1 || !r.replaced.empty() || r.price)
        AppendAskedFor(out, r);
    out += '}';
}

void AppendInvalidJson(std::string& out, std::string_view message) {
    RoomWriter w(out, 6 * message.size() + 64);
    w.put("{\"state\": \"Invalid\", \"message\": ");
    w.string(message);
    w.put("}");
}

namespace {

// RFC 4180: a cell with a comma, a quote or a line end goes in quotes, its quotes
// doubled; the others go as they are. A spreadsheet takes a cell that starts with = + - @,
// a tab or a CR for a formula, so a text cell (a unit, a material and a message may come
// from the input) that starts so goes in quotes with a ' in front, which keeps it text
// there. The number columns hold the program's own numbers, whose minus is only a sign.
// A NUL, which many readers take for the end of the file, is written as U+FFFD.
void AppendCsvCell(std::string& out, std::string_view s, bool text) {
    const bool formula = text && !s.empty() &&
                         std::string_view("=+-@\t\r").find(s.front()) != std::string_view::npos;
    if (!formula && s.find_first_of(std::string_view(",\"\r\n\0", 5)) == std::string_view::npos) {
        out += s;
        return;
    }
    out += '"';
    if (formula) out += '\'';
    for (char c : s) {
        if (c == '\0') {
            out += "\uFFFD";
            continue;
        }
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

constexpr std::size_t kFirstField = 3;
// The fields in the order people name them: sides, angles, heights, then the rest.
constexpr std::array<Field, kFieldCount> kCsvFields = {
    Field::AoldEdit,   Field::BoldEdit,   Field::ColdEdit,   Field::AlfaEdit,   Field::BetaEdit,
    Field::GammaEdit,  Field::MagasEdit1, Field::MagasEdit2, Field::MagasEdit3, Field::SugarEdit,
    Field::AtmeroEdit, Field::IvEdit,     Field::HurEdit,    Field::NagyrEdit};

std::size_t CsvColumn(Field f) {
    return kFirstField +
           static_cast<std::size_t>(std::find(kCsvFields.begin(), kCsvFields.end(), f) -
                                    kCsvFields.begin());
}
constexpr std::size_t kFirstResult = kFirstField + kFieldCount;  // perimeter
constexpr std::size_t kMaterial = kFirstResult + 4;
constexpr std::size_t kMass = kFirstResult + 5;
constexpr std::size_t kCount = kFirstResult + 6;
constexpr std::size_t kTotalVolume = kFirstResult + 7;
constexpr std::size_t kTotalMass = kFirstResult + 8;
constexpr std::size_t kMessage = kFirstResult + 9;
// Added after the message, so that every column before keeps its place.
constexpr std::size_t kPrice = kFirstResult + 10;
constexpr std::size_t kCost = kFirstResult + 11;
constexpr std::size_t kTotalCost = kFirstResult + 12;
static_assert(kTotalCost == kCsvColumns - 1);

// figure, state, unit, material and message; the other columns hold numbers.
constexpr bool TextColumn(std::size_t k) {
    return k < kFirstField || k == kMaterial || k == kMessage;
}

void AppendCsvRow(std::string& out, const std::array<std::string_view, kCsvColumns>& cells) {
    for (std::size_t k = 0; k < cells.size(); ++k) {
        if (k > 0) out += ',';
        AppendCsvCell(out, cells[k], TextColumn(k));
    }
    out += "\r\n";
}

}  // namespace

std::string CsvHeader() {
    std::array<std::string_view, kCsvColumns> cells{};
    cells[0] = "figure";
    cells[1] = "state";
    cells[2] = "unit";
    for (Field f : kCsvFields) cells[CsvColumn(f)] = FieldValueName(f);
    const std::string_view rest[] = {"perimeter", "area",  "surface",      "volume",     "material",
                                     "mass",      "count", "total_volume", "total_mass", "message",
                                     "price",     "cost",  "total_cost"};
    for (std::size_t k = 0; k < std::size(rest); ++k) cells[kFirstResult + k] = rest[k];
    std::string out;
    AppendCsvRow(out, cells);
    return out;
}

void AppendResultCsv(std::string& out, const Result& r) {
    std::array<std::string_view, kCsvColumns> cells{};
    cells[0] = Shape(r.shape).name;
    cells[1] = CalcStateName(r.state);
    const std::string& unit = r.sheet.unitText();
    cells[2] = unit;
    std::array<std::string, kFieldCount> fieldTexts;
    for (Field f : FieldsShown(r.shape)) {
        fieldTexts[FieldIndex(f)] = r.sheet.fieldText(f);
        cells[CsvColumn(f)] = fieldTexts[FieldIndex(f)];
    }
    for (std::size_t k = 0; k < 4; ++k) {
        cells[kFirstResult + k] = Trim(r.sheet.output(kResultRows[k].output));
    }
    if (r.material) cells[kMaterial] = *r.material;
    cells[kMass] = Trim(r.sheet.output(Output::TomegText2));
    const std::string count = std::to_string(r.count.value_or(1));
    cells[kCount] = count;
    cells[kTotalVolume] = Trim(r.totalVolume);
    cells[kTotalMass] = r.totalMass;
    cells[kMessage] = r.message;
    if (r.price) cells[kPrice] = *r.price;
    cells[kCost] = r.cost;
    cells[kTotalCost] = r.totalCost;
    AppendCsvRow(out, cells);
}

void AppendInvalidCsv(std::string& out, std::string_view message) {
    std::array<std::string_view, kCsvColumns> cells{};
    cells[1] = "Invalid";
    cells[kMessage] = message;
    AppendCsvRow(out, cells);
}

namespace {

// The count of `decimals`-place units a plain decimal text holds, as the totals' texts
// are written; nothing for any other text or one beyond 128 bits.
std::optional<unsigned __int128> DecimalUnits(std::string_view text, int decimals) {
    text = Trim(text);
    unsigned __int128 units = 0;
    int fraction = -1;  // digits after the point, once there is one
    constexpr auto kLimit = ~static_cast<unsigned __int128>(0) / 10;
    for (const char c : text) {
        if (c == '.' && fraction < 0) {
            fraction = 0;
            continue;
        }
        if (c < '0' || c > '9' || units > kLimit || fraction >= decimals) return std::nullopt;
        units = units * 10 + static_cast<unsigned>(c - '0');
        if (fraction >= 0) ++fraction;
    }
    if (text.empty()) return std::nullopt;
    for (int k = std::max(fraction, 0); k < decimals; ++k) {
        if (units > kLimit) return std::nullopt;
        units *= 10;
    }
    return units;
}

std::string DecimalText(unsigned __int128 units, int decimals) {
    std::string digits;
    do {
        digits += static_cast<char>('0' + static_cast<int>(units % 10));
        units /= 10;
    } while (units != 0 || static_cast<int>(digits.size()) <= decimals);
    std::reverse(digits.begin(), digits.end());
    digits.insert(digits.end() - decimals, '.');
    return digits;
}

}  // namespace

void ExactSum::add(std::string_view text) {
    any_ = true;
    approximate_ += ReadFieldText(Trim(text));
    const std::optional<unsigned __int128> units = DecimalUnits(text, decimals_);
    if (!units || units_ + *units < units_) exact_ = false;
    if (exact_) units_ += *units;
}

void ExactSum::merge(const ExactSum& other) {
    any_ |= other.any_;
    approximate_ += other.approximate_;
    if (!other.exact_ || units_ + other.units_ < units_) exact_ = false;
    if (exact_) units_ += other.units_;
}

std::string ExactSum::text() const {
    if (!any_) return {};
    if (exact_) return DecimalText(units_, decimals_);
    return decimals_ == 2 ? std::string(Trim(ResultText(approximate_)))
                          : FormatFixed(approximate_, decimals_);
}

CsvTotals::UnitTotal& CsvTotals::total(const std::string& unit) {
    if (last_ == nullptr || last_->first != unit) {
        const auto [it, added] = units_.try_emplace(unit);
        last_ = &*it;
        if (added) order_.push_back(last_);
    }
    return last_->second;
}

void CsvTotals::add(const Result& r) {
    UnitTotal& t = total(r.sheet.unit());
    if (r.state != CalcState::Solved) {
        ++t.leftOut;
        return;
    }
    t.pieces += r.count.value_or(1);
    if (!r.totalVolume.empty()) t.volume.add(r.totalVolume);
    if (!r.totalMass.empty()) t.mass.add(r.totalMass);
    if (!r.totalCost.empty()) {
        t.cost.add(r.totalCost);
    } else if (!r.totalMass.empty()) {
        ++t.unpriced;
    }
}

void CsvTotals::addInvalid() {
    ++invalid_;
}

void CsvTotals::merge(CsvTotals&& other) {
    invalid_ += other.invalid_;
    for (Units::value_type* theirs : other.order_) {
        const auto mine = units_.find(theirs->first);
        if (mine == units_.end()) {
            units_.insert(other.units_.extract(theirs->first));
            order_.push_back(theirs);
            continue;
        }
        UnitTotal& u = mine->second;
        const UnitTotal& t = theirs->second;
        u.pieces += t.pieces;
        u.leftOut += t.leftOut;
        u.volume.merge(t.volume);
        u.mass.merge(t.mass);
        u.cost.merge(t.cost);
        u.unpriced += t.unpriced;
    }
    other = CsvTotals();
}

namespace {

std::string LeftOut(long long rows, std::string_view why) {
    if (rows == 0) return {};
    return std::to_string(rows) + (rows == 1 ? " row " : " rows ") + std::string(why) +
           ", left out of the totals";
}

}  // namespace

bool CsvTotals::append(std::string& out, const std::function<bool(std::string&)>& full) const {
    constexpr std::size_t kWorthWriting = 256 * 1024;
    for (const Units::value_type* unit : order_) {
        const UnitTotal& t = unit->second;
        std::array<std::string_view, kCsvColumns> cells{};
        cells[0] = "Total";
        cells[2] = unit->first;
        const std::string pieces = std::to_string(t.pieces);
        const std::string volume = t.volume.text();
        const std::string mass = t.mass.text();
        const std::string cost = t.cost.text();
        std::string leftOut = LeftOut(t.leftOut, "not Solved");
        // Said only where some rows have a cost: a unit without prices reads as before.
        if (t.cost.any() && t.unpriced > 0) {
            if (!leftOut.empty()) leftOut += "; ";
            leftOut += std::to_string(t.unpriced) +
                       (t.unpriced == 1 ? " row with a mass but no price, left out of the "
                                        : " rows with a mass but no price, left out of the ") +
                       "total cost";
        }
        cells[kCount] = pieces;
        cells[kTotalVolume] = volume;
        cells[kTotalMass] = mass;
        cells[kMessage] = leftOut;
        cells[kTotalCost] = cost;
        AppendCsvRow(out, cells);
        if (full && out.size() >= kWorthWriting && !full(out)) return false;
    }
    if (invalid_ == 0) return true;
    // A row of their own: an Invalid line has no unit, and an empty unit is a unit too.
    std::array<std::string_view, kCsvColumns> cells{};
    cells[0] = "Total";
    cells[1] = "Invalid";
    const std::string leftOut = LeftOut(invalid_, "Invalid");
    cells[kMessage] = leftOut;
    AppendCsvRow(out, cells);
    return true;
}

std::string ResultJson(const Result& r) {
    std::string out;
    AppendResultJson(out, r);
    return out;
}

std::string StepsJson(const std::vector<SolutionStep>& steps) {
    std::string out = "[";
    for (const SolutionStep& step : steps) {
        if (out.size() > 1) out += ", ";
        out += "{\"quantity\": ";
        AppendJsonString(out, step.quantity);
        out += ", \"formula\": ";
        AppendJsonString(out, step.formula);
        out += ", \"substituted\": ";
        AppendJsonString(out, step.substituted);
        out += ", \"value\": ";
        AppendJsonString(out, StepNumberText(step));
        out += ", \"unit\": ";
        AppendJsonString(out, step.unit);
        if (step.replaced) {
            out += ", \"replaced\": ";
            AppendJsonString(out, FormatFixed(*step.replaced, 4));
        }
        if (step.checked) {
            out += ", \"figure_gives\": ";
            AppendJsonString(out, FormatFixed(*step.checked, 4));
        }
        out += '}';
    }
    return out + "]";
}

std::string StepsTable(const Result& r, const LanguageTexts& texts) {
    if (!r.steps || r.steps->empty()) return {};
    return texts.text(kTextStepsHeading) + "\n" + StepsPlainText(texts, r.shape, *r.steps, "  ");
}

std::string InvalidJson(std::string_view message) {
    std::string out;
    AppendInvalidJson(out, message);
    return out;
}

std::string ResultTable(const Result& r) {
    const std::string& unit = r.sheet.unitText();
    std::vector<std::array<std::string, 4>> rows;
    for (Field f : FieldsShown(r.shape)) {
        std::string dms;
        if (const AngleBoxes* row = AngleBoxesOf(f); row && RowShown(*row, r.sheet)) {
            dms = std::string(Trim(r.sheet.output(row->degrees))) + "\u00b0 " +
                  std::string(Trim(r.sheet.output(row->minutes))) + "' " +
                  std::string(Trim(r.sheet.output(row->seconds))) + "\"";
        }
        rows.push_back({std::string(FieldValueName(f)), r.sheet.fieldText(f),
                        IsAngleField(f) ? "\u00b0" : unit, dms});
    }
    for (const ResultRow& row : kResultRows) {
        const std::string_view text = Trim(r.sheet.output(row.output));
        if (!text.empty())
            rows.push_back({std::string(row.name), std::string(text), ResultUnit(row, unit), ""});
    }
    if (r.count) {
        rows.push_back({"count", std::to_string(*r.count), "", ""});
        if (!r.totalVolume.empty())
            rows.push_back({"total volume", std::string(Trim(r.totalVolume)), unit + "3", ""});
        if (!r.totalMass.empty()) rows.push_back({"total mass", r.totalMass, "kg", ""});
    }
    if (!r.cost.empty()) {
        rows.push_back({"price", *r.price, "per kg", ""});
        rows.push_back({"cost", r.cost, "", ""});
        if (r.count && !r.totalCost.empty()) rows.push_back({"total cost", r.totalCost, "", ""});
    }

    std::size_t nameWidth = 0, textWidth = 0;
    for (const auto& row : rows) {
        nameWidth = std::max(nameWidth, row[0].size());
        textWidth = std::max(textWidth, row[1].size());
    }
    std::string out =
        std::string(Shape(r.shape).name) + ": " + std::string(CalcStateName(r.state)) + "\n";
    if (!r.message.empty()) {
        std::string message = r.message;
        for (char& c : message) {
            if (c == '\r') c = '\n';
        }
        out += message + "\n";
    }
    for (const auto& row : rows) {
        std::string line = "  " + row[0] + std::string(nameWidth - row[0].size() + 2, ' ') +
                           std::string(textWidth - row[1].size(), ' ') + row[1] + " " + row[2];
        if (!row[3].empty()) line += "   " + row[3];
        out += line + "\n";
    }
    return out;
}

}  // namespace mertano::cli
