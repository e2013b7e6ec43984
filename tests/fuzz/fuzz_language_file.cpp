// SPDX-License-Identifier: GPL-3.0-or-later
// The language file reader, given any bytes as a .lng file.
#include <QByteArray>
#include <QString>
#include <cstdint>

#include "calc/language_texts.h"
#include "fuzz_check.h"
#include "lang/language_file.h"

using namespace mertano;
using fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    LanguageTexts texts;
    ParseLanguageFile(bytes, texts);
    for (int n = 1; n <= kLanguageTextCount; ++n) {
        // A line ends at CR or LF, so no text spans two.
        const std::string& t = texts.text(n);
        Check(t.find('\r') == std::string::npos && t.find('\n') == std::string::npos,
              "a text is one line", t);
    }
    (void)DecodeLanguageBytes(bytes);
    (void)TrimLanguageName(DecodeLanguageBytes(bytes));
    (void)IsSafeLanguageName(DecodeLanguageBytes(bytes));
    return 0;
}
