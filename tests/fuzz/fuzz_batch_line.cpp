// SPDX-License-Identifier: GPL-3.0-or-later
// One --batch request line through the command line's whole path: the request parsed,
// the figure solved with a material table for the mass, and the answer written. Beyond
// well-formed answers, what they say: the line is read again by a strict JSON reader
// that is not the program's, and each value it gives must be the value the request holds
// and the answer shows, the unit the answer's unit, in the JSON and in the CSV row.
#include <simdjson.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "calc/numbers.h"
#include "cli/cli_output.h"
#include "cli/cli_request.h"
#include "cli/cli_run.h"
#include "fuzz_check.h"
#include "materials/material_file.h"

using namespace mertano;
using namespace mertano::cli;
using fuzz::Check;
namespace dom = simdjson::dom;

namespace {

const MaterialTable& Materials() {
    static const MaterialTable table = {MakeMaterial("Steel", 7850), MakeMaterial("Cork", 240)};
    return table;
}

// What the line gives, as strict JSON reads it. A field named twice (by its name or an
// alias) or a key given twice is left out: which of the two counts is the reader's rule,
// not the line's meaning.
struct LineGives {
    std::array<std::optional<long double>, kFieldCount> values{};
    std::optional<std::string> unit;  // nothing: given more than once
    std::optional<double> count;
};

std::optional<Field> FieldNamed(std::string_view name) {
    if (name == "m") return Field::MagasEdit1;
    if (name == "a1") return Field::AoldEdit;
    if (name == "a2") return Field::NagyrEdit;
    return FieldFromValueName(name);
}

// A value as the field takes a text: blanks alone are an empty field, 0.
long double TextValue(std::string_view text, std::string_view line) {
    if (const std::optional<long double> value = ParseNumber(CommaToPoint(text))) return *value;
    for (const char c : text) {
        Check(static_cast<unsigned char>(c) <= 0x20, "a field's text is a number", line);
    }
    return 0;
}

// The line is one the program has taken: it must be a JSON object whose keys given once
// have values of their kinds.
LineGives Read(const dom::object& object, std::string_view line) {
    int units = 0, counts = 0, fieldObjects = 0;
    for (const auto [key, value] : object) {
        units += key == "unit";
        counts += key == "count";
        fieldObjects += key == "fields";
    }
    LineGives given;
    std::string_view unit = "mm";
    if (units == 1) Check(!object["unit"].get_string().get(unit), "a unit is a text", line);
    if (units <= 1) given.unit = std::string(unit);
    double count = 0;
    if (counts == 1) {
        Check(!object["count"].get_double().get(count), "a count is a number", line);
        given.count = count;
    }
    dom::object fields;
    if (fieldObjects != 1) return given;
    Check(!object["fields"].get_object().get(fields), "the fields are an object", line);
    std::array<int, kFieldCount> times{};
    for (const auto [name, value] : fields) {
        const std::optional<Field> field = FieldNamed(name);
        Check(field.has_value(), "a field is known by its name", line);
        ++times[FieldIndex(*field)];
    }
    for (const auto [name, value] : fields) {
        const int k = FieldIndex(*FieldNamed(name));
        if (times[k] > 1) continue;
        std::string_view text;
        double x = 0;
        if (!value.get_string().get(text)) {
            given.values[k] = TextValue(text, line);
        } else {
            Check(!value.get_double().get(x), "a field is a text or a number", line);
            given.values[k] = x;
        }
    }
    return given;
}

// Within half a unit of the 4th decimal, where the field rounds to, and a hair for the
// binary value of that decimal.
bool Rounded(long double shown, long double given) {
    return std::fabs(shown - given) <= 0.00005L + 1e-12L * std::fabs(given);
}

void CheckRequest(const LineGives& given, const Request& request, std::string_view line) {
    for (int k = 0; k < kFieldCount; ++k) {
        if (!given.values[k]) continue;
        Check(request.values[k] && Rounded(*request.values[k], *given.values[k]),
              "a field holds the value the line gives", line);
    }
    if (given.unit) Check(request.unit == *given.unit, "the unit is the line's unit", line);
    if (given.count) {
        Check(request.count && *request.count == *given.count, "the count is the line's count",
              line);
    }
}

// JSON's rule: a \u escape of half a surrogate pair is grammar, but no character, so a
// strict reader may refuse it where the program takes the line.
bool HasHalfSurrogate(std::string_view line) {
    for (std::size_t k = line.find("\\u"); k != std::string_view::npos;
         k = line.find("\\u", k + 1)) {
        const std::string_view code = line.substr(k + 2, 2);
        if (code.size() == 2 && (code[0] == 'd' || code[0] == 'D') &&
            std::string_view("89abcdefABCDEF").find(code[1]) != std::string_view::npos) {
            return true;
        }
    }
    return false;
}

// The cells of one CSV row read as RFC 4180 reads them, each with its quotes taken off;
// the row must end with CR LF and hold no NUL.
std::vector<std::string> CsvCells(const std::string& row) {
    Check(row.size() >= 2 && row.compare(row.size() - 2, 2, "\r\n") == 0, "a CSV row ends", row);
    Check(row.find('\0') == std::string::npos, "a CSV row holds no NUL", row);
    std::vector<std::string> cells(1);
    bool quoted = false;
    for (std::size_t k = 0; k + 2 < row.size(); ++k) {
        const char c = row[k];
        if (quoted && c == '"' && row[k + 1] == '"') {
            cells.back() += '"';
            ++k;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            cells.emplace_back();
        } else {
            cells.back() += c;
        }
    }
    Check(!quoted && cells.size() == kCsvColumns, "a CSV row has every column", row);
    return cells;
}

void CheckAnswer(const LineGives& given, const Result& result, const std::string& answer,
                 std::string_view line) {
    Check(answer.find('\n') == std::string::npos, "an answer is one line", answer);
    static dom::parser parser;
    dom::object shown;
    Check(!parser.parse(answer).get_object().get(shown), "an answer is a JSON object", answer);
    dom::object fields;
    Check(!shown["fields"].get_object().get(fields), "an answer has its fields", answer);
    dom::array replacedValues;
    const bool listed = !shown["replaced"].get_array().get(replacedValues);
    for (Field f : kAllFields) {
        if (!given.values[FieldIndex(f)]) continue;
        const long double value = *given.values[FieldIndex(f)];
        // A field that holds 0 is one the calculation may fill, as an empty one.
        if (Rounded(0, value)) continue;
        const std::string_view name = FieldValueName(f);
        std::string_view text;
        Check(!fields[name].get_string().get(text), "the answer shows a given field", line);
        if (Rounded(ReadFieldText(text), value)) continue;
        // The values that did not fit the others are listed with what was typed; an angle
        // that the window refuses it takes back.
        bool told = false;
        if (listed) {
            for (const dom::element replaced : replacedValues) {
                std::string_view field, typed;
                told |= !replaced["field"].get_string().get(field) && field == name &&
                        !replaced["typed"].get_string().get(typed) &&
                        Rounded(ReadFieldText(typed), value);
            }
        }
        told |= result.state == CalcState::Refused && IsAngleField(f) && ReadFieldText(text) == 0;
        Check(told, "the answer shows a field as the line gives it", line);
    }
    std::string_view unit;
    Check(!shown["unit"].get_string().get(unit), "the answer has a unit", answer);
    if (given.unit) Check(unit == *given.unit, "the answer's unit is the line's unit", line);

    std::string row;
    AppendResultCsv(row, result);
    if (!given.unit) return;
    // As a spreadsheet keeps it: a leading formula character behind a ', a NUL as U+FFFD.
    std::string csvUnit =
        !unit.empty() && std::string_view("=+-@\t\r").find(unit[0]) != std::string_view::npos ? "'"
                                                                                              : "";
    for (const char c : unit) csvUnit += c == '\0' ? std::string("\uFFFD") : std::string(1, c);
    Check(CsvCells(row)[2] == csvUnit, "the CSV row's unit is the line's unit", line);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const LanguageTexts texts = LanguageTexts::BuiltinEnglish();
    static BatchReader reader;  // the program's reader, quick path and all
    static dom::parser strict;
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    const auto parsed = reader.read(line);
    const auto full = ParseBatchLine(line);
    Check(parsed.index() == full.index(), "both readers take the same lines", line);
    if (const auto* error = std::get_if<RequestError>(&parsed)) {
        Check(std::get<RequestError>(full).message == error->message,
              "both readers name the same fault", line);
        std::string row;
        AppendInvalidCsv(row, error->message);
        (void)CsvCells(row);
        const std::string answer = InvalidJson(error->message);
        dom::element read;
        Check(answer.find('\n') == std::string::npos && !strict.parse(answer).get(read),
              "an Invalid answer is one line of JSON", answer);
        return 0;
    }
    dom::object object;
    if (strict.parse(line.data(), line.size()).get_object().get(object)) {
        Check(HasHalfSurrogate(line), "a line that is no JSON object is not taken", line);
        return 0;
    }
    const LineGives given = Read(object, line);
    const Request& request = std::get<Request>(parsed);
    CheckRequest(given, request, line);
    CheckRequest(given, std::get<Request>(full), line);
    const Result result = Run(request, texts, request.material ? &Materials() : nullptr);
    CheckAnswer(given, result, ResultJson(result), line);
    (void)ResultTable(result);
    return 0;
}
