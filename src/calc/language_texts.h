// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>

namespace mertano {

inline constexpr int kLanguageTextCount = 85;

// The numbered texts of the current language, slots 1 to 85. A slot that no line of
// the language file gives is empty.
class LanguageTexts {
public:
    const std::string& text(int n) const;
    void set(int n, std::string text);
    void clear();

    // What the engine shows before any language file is loaded: its own messages in
    // English.
    static LanguageTexts BuiltinEnglish();

private:
    std::array<std::string, kLanguageTextCount + 1> slots_;
};

}  // namespace mertano
