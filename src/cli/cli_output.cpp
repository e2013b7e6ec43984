// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli_output.h"

#include <cstdio>
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

void AppendJsonString(std::string& out, std::string_view s) {
    out += '"';
    std::size_t run = 0;  // start of the characters that go out as they are
    for (std::size_t k = 0; k < s.size(); ++k) {
        const auto c = static_cast<unsigned char>(s[k]);
        if (c >= 0x20 && c != '"' && c != '\\') continue;
        out.append(s.data() + run, k - run);
        run = k + 1;
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default: {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                out += buf;
            }
        }
    }
    out.append(s.data() + run, s.size() - run);
    out += '"';
}

// A name of the program's own (figure, state, field, row): letters only, no escapes.
void AppendName(std::string& out, std::string_view name) {
    out += '"';
    out += name;
    out += '"';
}

struct AngleRow {
    std::string_view name;
    Output degrees, minutes, seconds;
};
constexpr AngleRow kAngleRows[] = {
    {"alfa", Output::Fok1Text, Output::Perc1Text, Output::Mperc1Text},
    {"beta", Output::Fok2Text, Output::Perc2Text, Output::Mperc2Text},
    {"gamma", Output::Fok3Text, Output::Perc3Text, Output::Mperc3Text},
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

bool RowShown(const AngleRow& row, const FieldSheet& sheet) {
    return !Trim(sheet.output(row.degrees)).empty();
}

}  // namespace

void AppendResultJson(std::string& out, const Result& r) {
    out += "{\"figure\": ";
    AppendName(out, Shape(r.shape).name);
    out += ", \"state\": ";
    AppendName(out, CalcStateName(r.state));
    out += ", \"message\": ";
    AppendJsonString(out, r.message);
    out += ", \"unit\": ";
    AppendJsonString(out, r.sheet.unitText());

    out += ", \"fields\": {";
    bool first = true;
    for (Field f : ShownFields(r.shape)) {
        if (!first) out += ", ";
        first = false;
        AppendName(out, FieldValueName(f));
        out += ": ";
        AppendJsonString(out, r.sheet.fieldText(f));
    }
    out += "}, \"angles\": {";
    first = true;
    for (const AngleRow& row : kAngleRows) {
        if (!RowShown(row, r.sheet)) continue;
        if (!first) out += ", ";
        first = false;
        AppendName(out, row.name);
        out += ": [";
        out += Trim(r.sheet.output(row.degrees));
        out += ", ";
        out += Trim(r.sheet.output(row.minutes));
        out += ", ";
        out += Trim(r.sheet.output(row.seconds));
        out += ']';
    }
    out += "}, \"results\": {";
    first = true;
    for (const ResultRow& row : kResultRows) {
        const std::string_view text = Trim(r.sheet.output(row.output));
        if (text.empty()) continue;
        if (!first) out += ", ";
        first = false;
        AppendName(out, row.name);
        out += ": ";
        AppendJsonString(out, text);
    }
    out += '}';
    if (r.steps) {
        out += ", \"steps\": ";
        out += StepsJson(*r.steps);
    }
    out += '}';
}

void AppendInvalidJson(std::string& out, std::string_view message) {
    out += "{\"state\": \"Invalid\", \"message\": ";
    AppendJsonString(out, message);
    out += '}';
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
    for (Field f : ShownFields(r.shape)) {
        std::string dms;
        for (const AngleRow& row : kAngleRows) {
            if (row.name == FieldValueName(f) && RowShown(row, r.sheet)) {
                dms = std::string(Trim(r.sheet.output(row.degrees))) + "\u00b0 " +
                      std::string(Trim(r.sheet.output(row.minutes))) + "' " +
                      std::string(Trim(r.sheet.output(row.seconds))) + "\"";
            }
        }
        rows.push_back({std::string(FieldValueName(f)), r.sheet.fieldText(f),
                        IsAngleField(f) ? "\u00b0" : unit, dms});
    }
    for (const ResultRow& row : kResultRows) {
        const std::string_view text = Trim(r.sheet.output(row.output));
        if (!text.empty())
            rows.push_back({std::string(row.name), std::string(text), ResultUnit(row, unit), ""});
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
