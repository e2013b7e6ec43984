// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli_request.h"

#include <simdjson.h>
#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>

#include "calc/numbers.h"
#include "shapes/shape_catalogue.h"

namespace mertano::cli {
namespace {

std::string FigureList() {
    std::string list;
    for (ShapeKind s : kAllShapes) {
        if (!list.empty()) list += ", ";
        list += Shape(s).name;
    }
    return list;
}

std::string FieldList(ShapeKind shape) {
    std::string list;
    for (Field f : FieldsShown(shape)) {
        if (!list.empty()) list += " ";
        list += FieldValueName(f);
    }
    return list;
}

std::optional<Field> FieldFromName(std::string_view name) {
    if (name == "m") return Field::MagasEdit1;
    if (name == "a1") return Field::AoldEdit;
    if (name == "a2") return Field::NagyrEdit;
    return FieldFromValueName(name);
}

// Joins the parts of a message (also sidesteps a false -Wrestrict of GCC 12 on chains
// of operator+ that start with a literal).
std::string Join(std::initializer_list<std::string_view> parts) {
    std::string out;
    for (std::string_view p : parts) out += p;
    return out;
}

std::string ToStd(const QString& s) {
    return s.toStdString();
}

std::string NumberText(double x) {
    char buf[32];
    auto res = std::to_chars(buf, buf + sizeof buf, x);
    return std::string(buf, res.ptr);
}

const char kCountRule[] = "a whole number of pieces from 1 to 1000000";

// Digits only: a sign, a fraction or an exponent is refused rather than guessed at.
std::optional<int> CountFromText(std::string_view text) {
    int count = 0;
    const auto res = std::from_chars(text.data(), text.data() + text.size(), count);
    if (text.empty() || text.front() == '-' || text.front() == '+' || res.ec != std::errc() ||
        res.ptr != text.data() + text.size() || count < 1 || count > kMaxCount) {
        return std::nullopt;
    }
    return count;
}

// A decimal as a person types it: digits, a point or a comma, digits, where either side
// may be left out but not both; no sign, exponent or blank, since a price or a density
// is never negative and a slip is better named than guessed at.
struct DecimalDigits {
    std::string_view whole;  // without zeros in front; empty for 0
    std::string_view fraction;
};

std::optional<DecimalDigits> SplitDecimal(std::string_view text) {
    const std::size_t separator = text.find_first_of(".,");
    std::string_view whole = text.substr(0, separator);
    const std::string_view fraction =
        separator == std::string_view::npos ? std::string_view() : text.substr(separator + 1);
    const auto digitsOnly = [](std::string_view s) {
        return s.find_first_not_of("0123456789") == std::string_view::npos;
    };
    if ((whole.empty() && fraction.empty()) || !digitsOnly(whole) || !digitsOnly(fraction)) {
        return std::nullopt;
    }
    while (!whole.empty() && whole.front() == '0') whole.remove_prefix(1);
    return DecimalDigits{whole, fraction};
}

// A JSON number as the decimal it reads as, without an exponent ("1000000", not
// "1e+06"), so that it is taken by the same rule as a text; -0 is 0, as the readers
// differ on whether a JSON -0 has a sign.
std::string FixedText(double x) {
    if (x == 0) return "0";
    char buf[400];  // room for the smallest double, which has some 330 digits after the point
    const auto res = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed);
    return res.ec == std::errc() ? std::string(buf, res.ptr) : std::string();
}

const char kPriceRule[] =
    "a price per kg from 0 to 1000000000 with at most 6 decimals (point or comma as the "
    "decimal separator)";
constexpr std::size_t kPriceDecimals = 6;

// The price as the answer shows it: the digits as given, with a point, less the zeros in
// front of the units digit.
std::optional<std::string> PriceFromText(std::string_view text) {
    const std::optional<DecimalDigits> d = SplitDecimal(text);
    if (!d || d->fraction.size() > kPriceDecimals) return std::nullopt;
    const bool fractionZero = d->fraction.find_first_not_of('0') == std::string_view::npos;
    if (d->whole.size() > 10 ||
        (d->whole.size() == 10 && (d->whole != "1000000000" || !fractionZero))) {
        return std::nullopt;
    }
    std::string price = d->whole.empty() ? std::string("0") : std::string(d->whole);
    if (!d->fraction.empty()) {
        price += '.';
        price += d->fraction;
    }
    return price;
}

const char kWasteRule[] =
    "an allowance in percent from 0 to 100 with at most 6 decimals (point or comma as the "
    "decimal separator)";
constexpr std::size_t kWasteDecimals = 6;

// Shown as a price is: the digits as given, with a point, less the zeros in front.
std::optional<std::string> WasteFromText(std::string_view text) {
    const std::optional<DecimalDigits> d = SplitDecimal(text);
    if (!d || d->fraction.size() > kWasteDecimals) return std::nullopt;
    const bool fractionZero = d->fraction.find_first_not_of('0') == std::string_view::npos;
    if (d->whole.size() > 3 || (d->whole.size() == 3 && (d->whole != "100" || !fractionZero))) {
        return std::nullopt;
    }
    std::string waste = d->whole.empty() ? std::string("0") : std::string(d->whole);
    if (!d->fraction.empty()) {
        waste += '.';
        waste += d->fraction;
    }
    return waste;
}

// The materials dialog's limits for a specific gravity, in the thousandths that
// Gravity.grv holds: more decimals would give a mass that no material of the file gives.
const char kDensityRule[] =
    "a specific gravity in g/cm3 above 0 and up to 100000 with at most 3 decimals (point or "
    "comma as the decimal separator)";
constexpr std::int32_t kMaxDensityThousandths = 100000 * 1000;

std::optional<std::int32_t> DensityFromText(std::string_view text) {
    const std::optional<DecimalDigits> d = SplitDecimal(text);
    if (!d || d->fraction.size() > 3 || d->whole.size() > 6) return std::nullopt;
    std::int32_t thousandths = 0;
    for (char c : d->whole) thousandths = thousandths * 10 + (c - '0');
    for (std::size_t k = 0; k < 3; ++k) {
        thousandths = thousandths * 10 + (k < d->fraction.size() ? d->fraction[k] - '0' : 0);
    }
    if (thousandths <= 0 || thousandths > kMaxDensityThousandths) return std::nullopt;
    return thousandths;
}

bool Blank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

std::string Hex(unsigned char b) {
    constexpr char kDigits[] = "0123456789ABCDEF";
    return {kDigits[b >> 4], kDigits[b & 15]};
}

// Where the text that starts at `start` (after its opening quote) ends: its closing
// quote, or the byte of its first fault, with what is wrong there and how JSON writes it.
struct TextEnd {
    std::size_t at;
    std::string fault;
    std::string rule;
};

TextEnd ScanText(std::string_view line, std::size_t start) {
    for (std::size_t k = start; k < line.size(); ++k) {
        const auto b = static_cast<unsigned char>(line[k]);
        if (b == '"') return {k, {}, {}};
        if (b < 0x20) {
            return {k, Join({"a raw control character 0x", Hex(b)}),
                    Join({"JSON writes it \\u00", Hex(b)})};
        }
        if (b != '\\' || k + 1 == line.size()) continue;
        const auto e = static_cast<unsigned char>(line[++k]);
        // The reader itself refuses a \u without its four hexadecimal digits.
        if (std::string_view("\"\\/bfnrtu").find(static_cast<char>(e)) != std::string_view::npos)
            continue;
        return {k - 1,
                e > 0x20 && e < 0x7f ? Join({"the invalid escape \\", line.substr(k, 1)})
                                     : Join({"a backslash before the byte 0x", Hex(e)}),
                "JSON's escapes are \\\" \\\\ \\/ \\b \\f \\n \\r \\t and \\uXXXX"};
    }
    return {line.size(), {}, {}};
}

bool Digit(char c) {
    return c >= '0' && c <= '9';
}

// JSON's number: -?(0|[1-9][0-9]*)(.[0-9]+)?([eE][+-]?[0-9]+)?
bool JsonNumber(std::string_view s) {
    std::size_t k = 0;
    const auto digits = [&] {
        const std::size_t from = k;
        while (k < s.size() && Digit(s[k])) ++k;
        return k - from;
    };
    if (k < s.size() && s[k] == '-') ++k;
    const bool zero = k < s.size() && s[k] == '0';
    const std::size_t whole = digits();
    if (whole == 0 || (zero && whole > 1)) return false;
    if (k < s.size() && s[k] == '.') {
        ++k;
        if (digits() == 0) return false;
    }
    if (k < s.size() && (s[k] == 'e' || s[k] == 'E')) {
        ++k;
        if (k < s.size() && (s[k] == '+' || s[k] == '-')) ++k;
        if (digits() == 0) return false;
    }
    return k == s.size();
}

// Qt's reader takes a raw control character in a text as it stands and an unknown escape
// as the letter after the backslash, so "2\0" would be solved as 20; it also takes
// numbers such as .5 and 1. that JSON does not write. The texts and numbers of a line it
// has read are checked here against JSON's own rule: the first fault is named with its
// byte (counted from 1) and the key it belongs to.
std::optional<std::string> TextFault(std::string_view line) {
    std::string open;      // the objects and arrays around the scan, innermost last
    std::string_view key;  // the last key, whose value may follow
    char before = 0;       // the last byte outside the texts that is no blank
    for (std::size_t k = 0; k < line.size(); ++k) {
        const char c = line[k];
        if (c == '-' || c == '.' || Digit(c)) {
            const std::size_t end =
                std::min(line.find_first_not_of("+-.0123456789eE", k), line.size());
            const std::string_view number = line.substr(k, end - k);
            if (!JsonNumber(number)) {
                const std::string value =
                    before == ':' ? Join({"the value of \"", key, "\""}) : "a value";
                return Join({value, " is the number ", number, " at byte ", std::to_string(k + 1),
                             " (JSON writes a number with digits before and after its point, "
                             "as 0.5 and 1.0)"});
            }
            before = '0';
            k = end - 1;
            continue;
        }
        if (c != '"') {
            if (c == '{' || c == '[') open += c;
            if ((c == '}' || c == ']') && !open.empty()) open.pop_back();
            if (!Blank(c)) before = c;
            continue;
        }
        const TextEnd end = ScanText(line, k + 1);
        if (!end.fault.empty()) {
            const std::string text = before == ':' ? Join({"the value of \"", key, "\""})
                                     : !open.empty() && open.back() == '{' ? "a key"
                                                                           : "a text";
            return Join({text, " holds ", end.fault, " at byte ", std::to_string(end.at + 1), " (",
                         end.rule, ")"});
        }
        if (end.at == line.size()) break;  // unclosed, which the reader has refused
        std::size_t next = end.at + 1;
        while (next < line.size() && Blank(line[next])) ++next;
        if (next < line.size() && line[next] == ':') key = line.substr(k + 1, end.at - k - 1);
        before = '"';
        k = end.at;
    }
    return std::nullopt;
}

}  // namespace

const std::vector<Field>& FieldsShown(ShapeKind shape) {
    static const auto kLists = [] {
        std::array<std::vector<Field>, kShapeCount> lists;
        for (ShapeKind s : kAllShapes) lists[ShapeIndex(s)] = ShownFields(s);
        return lists;
    }();
    return kLists[ShapeIndex(shape)];
}

std::optional<std::string> PriceText(std::string_view text) {
    return PriceFromText(text);
}

std::optional<std::string> WasteText(std::string_view text) {
    return WasteFromText(text);
}

std::variant<ShapeKind, RequestError> ParseFigure(std::string_view name) {
    if (std::optional<ShapeKind> shape = ShapeFromName(name)) return *shape;
    static const std::string kFigures = FigureList();
    return RequestError{Join({"unknown figure \"", name, "\" (one of ", kFigures, ")"})};
}

std::optional<RequestError> AddValue(Request& request, std::string_view name,
                                     std::string_view value) {
    const std::optional<Field> field = FieldFromName(name);
    const ShapeInfo& shape = Shape(request.shape);
    const std::vector<Field>& shown = FieldsShown(request.shape);
    if (!field || std::find(shown.begin(), shown.end(), *field) == shown.end()) {
        return RequestError{Join({"unknown field \"", name, "\" for ", shape.name,
                                  " (its fields: ", FieldList(request.shape), ")"})};
    }
    const std::optional<long double> accepted = AcceptEditText(CommaToPoint(value));
    if (!accepted) {
        return RequestError{Join({"field ", name, ": \"", value,
                                  "\" is not a number from 0 to 100000 (point or comma as the "
                                  "decimal separator)"})};
    }
    request.values[FieldIndex(*field)] = *accepted;
    return std::nullopt;
}

std::optional<RequestError> AddAssignment(Request& request, std::string_view assignment) {
    const std::size_t eq = assignment.find('=');
    if (eq == std::string_view::npos) {
        return RequestError{Join({"\"", assignment, "\" is not NAME=VALUE"})};
    }
    const std::string_view name = assignment.substr(0, eq);
    const std::string_view value = assignment.substr(eq + 1);
    if (name == "count") {
        request.count = CountFromText(value);
        if (!request.count)
            return RequestError{Join({"count: \"", value, "\" is not ", kCountRule})};
        return std::nullopt;
    }
    if (name == "price") {
        request.price = PriceFromText(value);
        if (!request.price)
            return RequestError{Join({"price: \"", value, "\" is not ", kPriceRule})};
        return std::nullopt;
    }
    if (name == "density") {
        request.density = DensityFromText(value);
        if (!request.density)
            return RequestError{Join({"density: \"", value, "\" is not ", kDensityRule})};
        return std::nullopt;
    }
    return AddValue(request, name, value);
}

namespace {

std::variant<Request, RequestError> ParseLine(std::string_view line, BatchLineTexts* texts) {
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(
        QByteArray::fromRawData(line.data(), static_cast<qsizetype>(line.size())), &error);
    if (error.error != QJsonParseError::NoError) {
        return RequestError{Join({"not a JSON object: ", ToStd(error.errorString())})};
    }
    if (std::optional<std::string> fault = TextFault(line)) {
        return RequestError{Join({"not a JSON object: ", *fault})};
    }
    if (!doc.isObject()) return RequestError{"not a JSON object"};
    const QJsonObject object = doc.object();
    for (auto it = object.begin(); it != object.end(); ++it) {
        const QString key = it.key();
        if (key != "figure" && key != "fields" && key != "unit" && key != "material" &&
            key != "count" && key != "density" && key != "price" && key != "note" &&
            key != "title" && key != "waste" && key != "solution") {
            return RequestError{Join({"unknown key \"", ToStd(key),
                                      "\" (figure, fields, unit, material, count, density, "
                                      "price, note, title, waste and solution are known)"})};
        }
    }

    Request request;
    const QJsonValue figure = object.value("figure");
    if (!figure.isString()) return RequestError{"\"figure\" must be a figure name"};
    auto shape = ParseFigure(ToStd(figure.toString()));
    if (auto* e = std::get_if<RequestError>(&shape)) return *e;
    request.shape = std::get<ShapeKind>(shape);

    const QJsonValue fields = object.value("fields");
    if (!fields.isUndefined() && !fields.isObject()) {
        return RequestError{"\"fields\" must be an object of NAME: VALUE"};
    }
    const QJsonObject values = fields.toObject();
    for (auto it = values.begin(); it != values.end(); ++it) {
        std::string text;
        if (it.value().isString()) {
            text = ToStd(it.value().toString());
        } else if (it.value().isDouble()) {
            text = NumberText(it.value().toDouble());
        } else {
            return RequestError{
                Join({"field ", ToStd(it.key()), ": the value must be a text or a number"})};
        }
        const std::string name = ToStd(it.key());
        if (auto e = AddValue(request, name, text)) return *e;
        if (texts) texts->fields[FieldIndex(*FieldFromName(name))] = std::move(text);
    }

    for (const char* key : {"unit", "material"}) {
        const QJsonValue v = object.value(key);
        if (v.isUndefined()) continue;
        if (!v.isString()) return RequestError{Join({"\"", key, "\" must be a text"})};
        (std::string_view(key) == "unit" ? request.unit : request.material.emplace()) =
            ToStd(v.toString());
    }

    const QJsonValue count = object.value("count");
    if (!count.isUndefined()) {
        const double x = count.isDouble() ? count.toDouble() : 0.0;
        if (!(x >= 1 && x <= kMaxCount && x == std::floor(x))) {
            return RequestError{Join({"\"count\" must be ", kCountRule})};
        }
        request.count = static_cast<int>(x);
    }
    for (const char* key : {"density", "price"}) {
        const QJsonValue v = object.value(key);
        if (v.isUndefined()) continue;
        const bool isPrice = std::string_view(key) == "price";
        const std::string text = v.isString()   ? ToStd(v.toString())
                                 : v.isDouble() ? FixedText(v.toDouble())
                                                : std::string();
        if (isPrice) {
            request.price = PriceFromText(text);
        } else {
            request.density = DensityFromText(text);
        }
        if (isPrice ? !request.price : !request.density) {
            return RequestError{
                Join({"\"", key, "\" must be ", isPrice ? kPriceRule : kDensityRule})};
        }
    }
    const QJsonValue solution = object.value("solution");
    if (!solution.isUndefined()) {
        if (solution != QJsonValue(1) && solution != QJsonValue(2))
            return RequestError{"\"solution\" must be 1 or 2"};
        request.solution = solution.toInt();
    }
    // A job's own keys: checked as any other, so that a job file holds only lines the
    // command line takes, and otherwise left out of the request.
    for (const char* key : {"note", "title"}) {
        const QJsonValue v = object.value(key);
        if (v.isUndefined()) continue;
        if (!v.isString()) return RequestError{Join({"\"", key, "\" must be a text"})};
        if (texts) {
            (std::string_view(key) == "note" ? texts->note : texts->title) = ToStd(v.toString());
        }
    }
    const QJsonValue waste = object.value("waste");
    if (!waste.isUndefined()) {
        std::optional<std::string> percent =
            WasteFromText(waste.isString()   ? ToStd(waste.toString())
                          : waste.isDouble() ? FixedText(waste.toDouble())
                                             : std::string());
        if (!percent) return RequestError{Join({"\"waste\" must be ", kWasteRule})};
        if (texts) texts->waste = std::move(percent);
    }
    return request;
}

}  // namespace

std::variant<Request, RequestError> ParseBatchLine(std::string_view line) {
    return ParseLine(line, nullptr);
}

std::variant<Request, RequestError> ParseBatchLine(std::string_view line, BatchLineTexts& texts) {
    texts = BatchLineTexts();
    return ParseLine(line, &texts);
}

namespace {

// Text the full reader reads exactly as JSON says: no escapes to undo, no bytes that
// need decoding, no raw control characters, which it refuses.
bool Plain(std::string_view line) {
    // In bytes without branches, which the compiler turns into vector code: every line
    // passes here.
    unsigned char outside = 0;
    for (char ch : line) {
        const auto c = static_cast<unsigned char>(ch);
        outside |= static_cast<unsigned char>(static_cast<unsigned char>(c - 0x20) >= 0x60) |
                   static_cast<unsigned char>(c == '\\');
    }
    return outside == 0;
}

// Names are found in any case; the catalogue's own spelling, the usual one, is tried
// first, which saves comparing letter by letter without case.
std::optional<ShapeKind> FigureNamed(std::string_view name) {
    static const auto kNames = [] {
        std::array<std::string_view, kShapeCount> names;
        for (ShapeKind s : kAllShapes) names[ShapeIndex(s)] = Shape(s).name;
        return names;
    }();
    for (ShapeKind s : kAllShapes) {
        if (kNames[ShapeIndex(s)] == name) return s;
    }
    return ShapeFromName(name);
}

// A field as the line gives it, taken once the figure is known (it may come later).
struct FieldEntry {
    std::string_view name;
    std::string_view text;
    char number[32];  // the text of a JSON number
};

// A text of a plain line has nothing to undo: it is read where it stands, up to its
// closing quote, without the copy that unescaping makes.
std::string_view PlainText(simdjson::ondemand::raw_json_string raw) {
    const char* const start = raw.raw();
    const char* end = start;
    while (*end != '"') ++end;
    return {start, static_cast<std::size_t>(end - start)};
}

// Makes `request` as a new one is, without building one to copy: every plain line starts
// here, and the copy of a whole request cost more than reading most lines.
void Clear(Request& request) {
    static const Request kNew;
    request.shape = kNew.shape;
    request.values.fill(std::nullopt);
    request.unit = kNew.unit;
    request.material.reset();
    request.steps = kNew.steps;
    request.count.reset();
    request.density.reset();
    request.price.reset();
    request.totals = kNew.totals;
    request.solution = kNew.solution;
}

enum class PlainRead { Taken, Refused, ForTheFullReader };

// A price, a density or a waste allowance as the decimal text the full reader takes it
// as: a text where it stands, a number as FixedText writes it (into `number`). False when
// the value is for the full reader to name.
bool DecimalValue(simdjson::ondemand::value& value, std::string& number, std::string_view& text) {
    namespace od = simdjson::ondemand;
    od::json_type type;
    if (value.type().get(type)) return false;
    if (type == od::json_type::string) {
        od::raw_json_string raw;
        if (value.get_raw_json_string().get(raw)) return false;
        text = PlainText(raw);
        return true;
    }
    // A number too small to hold reads as 0 here, which the full reader refuses.
    double x = 0;
    if (type != od::json_type::number || value.get_double().get(x) || x == 0) return false;
    number = FixedText(x);
    text = number;
    return true;
}

// The request of a plain line, into `request`; ForTheFullReader when the line needs the
// full reader, because it is no JSON object, breaks a rule or says something twice (the
// full reader settles repeated keys and aliases its own way). An unknown figure is
// Refused as the full reader refuses it, once the rest of the line has shown that the
// full reader would get as far as the figure.
PlainRead ReadPlain(simdjson::ondemand::parser& parser, const std::string& padded,
                    std::size_t length, Request& request, RequestError& error) {
    namespace od = simdjson::ondemand;
    constexpr PlainRead kFull = PlainRead::ForTheFullReader;
    od::document doc;
    od::object object;
    if (parser.iterate(simdjson::padded_string_view(padded.data(), length, padded.size()))
            .get(doc) ||
        doc.get_object().get(object)) {
        return kFull;
    }
    Clear(request);
    bool figure = false, fields = false, unit = false, note = false, title = false, waste = false;
    std::optional<std::string_view> unknownFigure;
    std::array<FieldEntry, kFieldCount> entries;
    std::size_t entryCount = 0;
    for (auto member : object) {
        od::field field;
        if (std::move(member).get(field)) return kFull;
        const std::string_view key = PlainText(field.key());
        od::value value = field.value();
        od::raw_json_string raw;
        if (key == "figure") {
            if (figure || value.get_raw_json_string().get(raw)) return kFull;
            const std::string_view text = PlainText(raw);
            if (const std::optional<ShapeKind> shape = FigureNamed(text)) {
                request.shape = *shape;
            } else {
                unknownFigure = text;
            }
            figure = true;
        } else if (key == "unit" || key == "material") {
            const bool isUnit = key == "unit";
            if ((isUnit ? unit : request.material.has_value()) ||
                value.get_raw_json_string().get(raw)) {
                return kFull;
            }
            (isUnit ? request.unit : request.material.emplace()) = PlainText(raw);
            unit |= isUnit;
        } else if (key == "count") {
            // Anything but a plain integer in range is for the full reader to name.
            std::int64_t count = 0;
            if (request.count || value.get_int64().get(count) || count < 1 || count > kMaxCount) {
                return kFull;
            }
            request.count = static_cast<int>(count);
        } else if (key == "price" || key == "density") {
            const bool isPrice = key == "price";
            std::string number;
            std::string_view text;
            if ((isPrice ? request.price.has_value() : request.density.has_value()) ||
                !DecimalValue(value, number, text)) {
                return kFull;
            }
            // A value out of its rule is for the full reader to name.
            if (isPrice) {
                if (!(request.price = PriceFromText(text))) return kFull;
            } else if (!(request.density = DensityFromText(text))) {
                return kFull;
            }
        } else if (key == "note" || key == "title") {
            // Only checked: the answer does not depend on them.
            bool& seen = key == "note" ? note : title;
            if (seen || value.get_raw_json_string().get(raw)) return kFull;
            seen = true;
        } else if (key == "waste") {
            std::string number;
            std::string_view text;
            if (waste || !DecimalValue(value, number, text) || !WasteFromText(text)) return kFull;
            waste = true;
        } else if (key == "fields") {
            od::object values;
            if (fields || value.get_object().get(values)) return kFull;
            fields = true;
            for (auto item : values) {
                od::field f;
                od::json_type type;
                if (entryCount == entries.size() || std::move(item).get(f)) return kFull;
                FieldEntry& entry = entries[entryCount++];
                entry.name = PlainText(f.key());
                od::value v = f.value();
                if (v.type().get(type)) return kFull;
                if (type == od::json_type::string) {
                    if (v.get_raw_json_string().get(raw)) return kFull;
                    entry.text = PlainText(raw);
                    continue;
                }
                // get_double, not get_number: this simdjson release reads a number of
                // more than 19 digits as 0 through get_number.
                double x = 0;
                if (type != od::json_type::number || v.get_double().get(x)) return kFull;
                // The full reader tells the integer -0 from the fraction -0.0, and refuses
                // numbers too small to hold, which read as 0 here.
                if (x == 0) return kFull;
                const auto written = std::to_chars(entry.number, std::end(entry.number), x);
                entry.text = std::string_view(entry.number,
                                              static_cast<std::size_t>(written.ptr - entry.number));
            }
        } else {
            return kFull;
        }
    }
    // Anything after the object makes the line no JSON object.
    if (!figure || doc.current_location().error() != simdjson::OUT_OF_BOUNDS) return kFull;
    if (unknownFigure) {
        error = std::get<RequestError>(ParseFigure(*unknownFigure));
        return PlainRead::Refused;
    }
    for (std::size_t k = 0; k < entryCount; ++k) {
        const std::optional<Field> field = FieldFromName(entries[k].name);
        if (field && request.values[FieldIndex(*field)]) return kFull;
        if (AddValue(request, entries[k].name, entries[k].text)) return kFull;
    }
    return PlainRead::Taken;
}

}  // namespace

struct BatchReader::Parser {
    simdjson::ondemand::parser json;
    std::string padded;  // the line, then the bytes the parser may read past its end
};

BatchReader::BatchReader() : parser_(std::make_unique<Parser>()) {}
BatchReader::~BatchReader() = default;

bool BatchReader::readInto(std::string_view line, Request& request, RequestError& error) {
    if (Plain(line)) {
        std::string& padded = parser_->padded;
        padded.assign(line);
        padded.resize(line.size() + simdjson::SIMDJSON_PADDING, ' ');
        switch (ReadPlain(parser_->json, padded, line.size(), request, error)) {
            case PlainRead::Taken:
                return true;
            case PlainRead::Refused:
                return false;
            case PlainRead::ForTheFullReader:
                break;
        }
    }
    auto parsed = ParseBatchLine(line);
    if (auto* refused = std::get_if<RequestError>(&parsed)) {
        error = std::move(*refused);
        return false;
    }
    request = std::get<Request>(std::move(parsed));
    return true;
}

std::variant<Request, RequestError> BatchReader::read(std::string_view line) {
    Request request;
    RequestError error;
    if (readInto(line, request, error)) return request;
    return error;
}

}  // namespace mertano::cli
