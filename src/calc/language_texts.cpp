// SPDX-License-Identifier: GPL-3.0-or-later
#include "language_texts.h"

namespace mertano {

const std::string& LanguageTexts::text(int n) const {
    static const std::string kEmpty;
    return n >= 1 && n <= kLanguageTextCount ? slots_[n] : kEmpty;
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
