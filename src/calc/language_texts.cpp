// SPDX-License-Identifier: GPL-3.0-or-later
#include "language_texts.h"

namespace mertano {
namespace {

// Index 0 is text kFirstExtraText.
const std::array<std::string, kLanguageTextCount - kFirstExtraText + 1> kExtraEnglish = {
    "no such figure has the values given.",
    "A height must be shorter than the sides beside it, and the angles together must be less "
    "than 180\u00b0.",
    "The hypotenuse c must be longer than either leg.",
    "The height of a segment cannot be greater than the diameter, nor its chord longer than "
    "the diameter.",
    "The slant height a must be longer than both the height and the radius, and the angle "
    "\u03b2 less than 180\u00b0.",
    "The slant height a must be longer than the height.",
    "One of the values is too large or too small for the others.",
    "Invalid floating point operation",
    "Floating point division by zero",
    "Floating point overflow",
    "The language file could not be read:",
    "The language file was not found:",
    "The material file could not be read. The list of materials stays as it was.",
    "The material file could not be created.",
    "The material file is damaged. Its whole records were loaded.",
    "Mertano help",
    "Back",
    "Forward",
    "Contents",
    "The help pages were not found.",
    "Mertano looks for them here:",
    "Copy the help folder that came with Mertano beside the program.",
    "The material file could not be saved. It keeps what it held before.",
    "Copy",
    "Copy all results",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",  // 106 to 120
    "How was it solved?",
    "typed, replaced by",
    "&Copy",
    "&Print",
    "Close",
    "Calculate a figure first; its solution will show here.",
    "Side",
    "Angle",
    "Height",
    "Radius",
    "Diameter",
    "Arc",
    "Chord",
    "Slant height",
    "Given:",
    "Steps:",
};

}  // namespace

const std::string& LanguageTexts::ExtraEnglish(int n) {
    static const std::string kEmpty;
    return n >= kFirstExtraText && n <= kLanguageTextCount ? kExtraEnglish[n - kFirstExtraText]
                                                           : kEmpty;
}

const std::string& LanguageTexts::text(int n) const {
    static const std::string kEmpty;
    if (n < 1 || n > kLanguageTextCount) return kEmpty;
    if (slots_[n].empty()) return ExtraEnglish(n);
    return slots_[n];
}

void LanguageTexts::set(int n, std::string text) {
    if (n >= 1 && n <= kLanguageTextCount) slots_[n] = std::move(text);
}

void LanguageTexts::clear() {
    for (std::string& s : slots_) s.clear();
}

LanguageTexts LanguageTexts::BuiltinEnglish() {
    LanguageTexts t;
    t.set(29, "The angle \u03b1 must not be greater than 180\u00b0.");
    t.set(30, "The angle \u03b2 must not be greater than 180\u00b0.");
    t.set(31, "The angle \u03b3 must not be greater than 180\u00b0.");
    t.set(32, "The chord must be shorter than the diameter.");
    t.set(33, "Side c must be shorter than a + b.");
    t.set(34, "Side b must be shorter than a + c.");
    t.set(35, "Side a must be shorter than b + c.");
    t.set(36, "These three sides do not form a triangle.");
    return t;
}

}  // namespace mertano
