// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli_request.h"

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <charconv>

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
    for (Field f : ShownFields(shape)) {
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

std::string ToStd(const QString& s) { return s.toStdString(); }

std::string NumberText(double x) {
    char buf[32];
    auto res = std::to_chars(buf, buf + sizeof buf, x);
    return std::string(buf, res.ptr);
}

}  // namespace

std::variant<ShapeKind, RequestError> ParseFigure(std::string_view name) {
    if (std::optional<ShapeKind> shape = ShapeFromName(name)) return *shape;
    return RequestError{Join({"unknown figure \"", name, "\" (one of ", FigureList(), ")"})};
}

std::optional<RequestError> AddValue(Request& request, std::string_view name,
                                     std::string_view value) {
    const std::optional<Field> field = FieldFromName(name);
    const ShapeInfo& shape = Shape(request.shape);
    if (!field || !ShowsField(request.shape, *field)) {
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
    return AddValue(request, assignment.substr(0, eq), assignment.substr(eq + 1));
}

std::variant<Request, RequestError> ParseBatchLine(std::string_view line) {
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(
        QByteArray::fromRawData(line.data(), static_cast<qsizetype>(line.size())), &error);
    if (error.error != QJsonParseError::NoError) {
        return RequestError{Join({"not a JSON object: ", ToStd(error.errorString())})};
    }
    if (!doc.isObject()) return RequestError{"not a JSON object"};
    const QJsonObject object = doc.object();
    for (auto it = object.begin(); it != object.end(); ++it) {
        const QString key = it.key();
        if (key != "figure" && key != "fields" && key != "unit" && key != "material") {
            return RequestError{
                Join({"unknown key \"", ToStd(key), "\" (figure, fields, unit and material are known)"})};
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
        if (auto e = AddValue(request, ToStd(it.key()), text)) return *e;
    }

    for (const char* key : {"unit", "material"}) {
        const QJsonValue v = object.value(key);
        if (v.isUndefined()) continue;
        if (!v.isString()) return RequestError{Join({"\"", key, "\" must be a text"})};
        (std::string_view(key) == "unit" ? request.unit : request.material.emplace()) =
            ToStd(v.toString());
    }
    return request;
}

}  // namespace mertano::cli
