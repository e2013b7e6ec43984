// SPDX-License-Identifier: GPL-3.0-or-later
// One --batch request line through the command line's whole path: the request parsed,
// the figure solved with a material table for the mass, and the answer written.
#include <QByteArray>
#include <QJsonDocument>
#include <QString>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "cli/cli_output.h"
#include "cli/cli_request.h"
#include "cli/cli_run.h"
#include "fuzz_check.h"
#include "materials/material_file.h"

using namespace mertano;
using namespace mertano::cli;
using fuzz::Check;

namespace {

const MaterialTable& Materials() {
    static const MaterialTable table = {MakeMaterial("Steel", 7850), MakeMaterial("Cork", 240)};
    return table;
}

// Each answer is one line of one JSON object, as a reader of the stream takes it.
void CheckAnswerLine(const std::string& out) {
    Check(out.find('\n') == std::string::npos, "an answer is one line", out);
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(out), &error);
    Check(error.error == QJsonParseError::NoError && doc.isObject(), "an answer is JSON", out);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const LanguageTexts texts = LanguageTexts::BuiltinEnglish();
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    auto parsed = ParseBatchLine(line);
    if (auto* error = std::get_if<RequestError>(&parsed)) {
        CheckAnswerLine(InvalidJson(error->message));
        return 0;
    }
    const Request& request = std::get<Request>(parsed);
    const Result result = Run(request, texts, request.material ? &Materials() : nullptr);
    CheckAnswerLine(ResultJson(result));
    (void)ResultTable(result);
    return 0;
}
