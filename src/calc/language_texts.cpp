// SPDX-License-Identifier: GPL-3.0-or-later
#include "language_texts.h"

#include <utility>

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
    "%1 do not fit together: Mertano kept %2; %3.",
    "%1 do not fit together; %2.",
    "and",
    "%1 is %2",
    "%1 would be %2, but a field holds values from 0 to 100000.",
    "A sector's angle is at most 360\u00b0: with r = %1 an arc of %2 gives %3\u00b0.",
    "A cap's base radius is at most the sphere's radius.",
    "A cap's height is at most the sphere's diameter.",
    "A cap's base radius follows from the sphere's radius and the height: a\u00b2 = m\u00b7(2r "
    "\u2212 m).",
    "With r = %1 and m = %2 the base radius a is %3.",
    "With a = %1 and m = %2 the sphere's radius r is %3.",
    "A zone's boundary radii a1 and a2 are at most the sphere's radius.",
    "A zone's height follows from the sphere's radius and its boundary radii.",
    "With r = %1, a1 = %2 and a2 = %3 the height m is %4 or %5.",
    "With a1 = %1, a2 = %2 and m = %3 the sphere's radius r is %4.",
    "The acute angles \u03b1 and \u03b2 of a right triangle are each less than 90\u00b0.",
    "A cone's base angle \u03b1 is less than 90\u00b0 and its apex angle \u03b2 less than "
    "180\u00b0.",
    "A truncated cone's base angle \u03b1 is less than 90\u00b0, and its two radii differ.",
    "An angle of a triangle is less than 180\u00b0.",
    "A second figure fits these values too: \"%1\" (F3) in the menu of the results shows it.",
    "Show the other figure",
    "A second figure fits these values too: --solution 2 shows it.",
    "Check",
    "typed %1, the figure gives %2",
    "it does not fit the other values",
    "The material file could not be saved: its folder no longer exists. Nothing was saved.",
    "The material file could not be saved, and the file no longer exists. Nothing was saved.",
    "Delete the material \"%1\"?",
    "There is no material named \"%1\". Nothing was deleted.",
    "The choice of language could not be saved, so the next start will not use it.",
    "The settings could not be saved, so the next start will again be taken for the first.",
    "Change values",
    "No calculator program was found. Mertano starts the first of these that is installed: %1.",
    "The website cannot be opened: website.url in the program folder holds no web address.",
    "No web browser could be started for %1.",
    "No e-mail program could be started for %1.",
    "The e-mail link cannot be used: website.url in the program folder holds no e-mail address.",
    "The folder for your materials, %1, could not be made. Mertano keeps them in %2.",
    "Add &common materials",
    "Common materials added to the list: %1.",
    "Every common material is already in the list. Nothing was added.",
    "Structural steel",
    "Tool steel",
    "Stainless steel",
    "Cast iron",
    "Aluminium",
    "Brass",
    "Bronze",
    "Copper",
    "Lead",
    "Titanium",
    "Zinc",
    "Polyethylene (PE)",
    "Polypropylene (PP)",
    "PVC",
    "Acrylic glass (PMMA)",
    "Polyamide (nylon)",
    "Oak",
    "Pine",
    "Beech",
    "Concrete",
    "Glass",
    "&Zoom",
    "&High contrast",
    "The window could not be printed: the printer or the file it was to go to did not accept it.",
    "&Add to job",
    "&Job sheet",
    "&Replace row %1 of the job",
    "Job sheet",
    "Untitled job",
    "Figure",
    "Values",
    "Unit",
    "Material",
    "Specific gravity (g/cm³)",
    "Count",
    "Volume",
    "Mass (kg)",
    "Total mass (kg)",
    "Cost",
    "Note",
    "&Title:",
    "&Waste allowance (%):",
    "Price per kg",
    "Totals",
    "Pieces",
    "Whole job",
    "With allowance (kg)",
    "Cost with allowance",
    "&Add from the main window",
    "&Remove",
    "Move &up",
    "Move &down",
    "&Show in the main window",
    "&File",
    "&New job",
    "&Open job...",
    "&Save",
    "Save &as...",
    "&Recent jobs",
    "Export as &CSV...",
    "&Print report...",
    "Save report as P&DF...",
    "Report &with the worked solutions and pictures",
    "Mertano jobs (*.mertano)",
    "CSV files (*.csv)",
    "PDF files (*.pdf)",
    "The job was not opened: line %1 of the file is not a line of a job (%2). The current job stays as it was.",
    "The job was not opened: %1 The current job stays as it was.",
    "The file %1 could not be saved: %2",
    "The job has changes that are not in its file. Save them?",
    "Date:",
    "Kept from the last session: %1 rows.",
    "The job could not be kept in %1: %2",
    "C&lose",
    "&Flat pattern",
    "Flat pattern",
    "Outer radius",
    "Inner radius",
    "Sector angle",
    "Outer arc",
    "Inner arc",
    "Chord across the opening",
    "Width (around)",
    "Height",
    "&Seam allowance:",
    "&Print full size...",
    "Print &fitted to one page...",
    "Save as &SVG...",
    "Save as &DXF...",
    "SVG files (*.svg)",
    "DXF files (*.dxf)",
    "Scale 1:1",
    "Scale %1",
    "Check square 50 mm",
    "Sheet %1 of %2: tape to its neighbours along the marks",
    "The seam allowance runs into the other edge of the pattern.",
    "This figure has no side to unroll.",
    "The unit %1 has no length in millimetres, so the pattern cannot be printed at full size.",
    "seam allowance",
};

// Texts 1 to 80 of English.lng, less those the engine's own English already holds.
constexpr std::pair<int, const char*> kWindowEnglish[] = {
    {3, "Exit"},
    {4, "Convert angles"},
    {5, "Calculator"},
    {6, "Help"},
    {7, "Send us an e-mail"},
    {8, "Figure"},
    {9, "Triangle"},
    {10, "Right triangle"},
    {11, "Circle"},
    {12, "Circular sector"},
    {13, "Circular segment"},
    {14, "Cube"},
    {15, "Cylinder"},
    {16, "Cone"},
    {17, "Truncated cone"},
    {18, "Sphere"},
    {19, "Cuboid"},
    {20, "Spherical cap"},
    {21, "Spherical zone"},
    {22, "Angle (dec):"},
    {23, "Angle (d,m,s):"},
    {24, "&Convert"},
    {25, "&New data"},
    {26, "Language (If you make a new language file, please send us a copy!)"},
    {37, "&Calculate"},
    {38, "Perimeter:"},
    {39, "Area:"},
    {40, "Decimal"},
    {41, "Deg,min,sec"},
    {48, "Warning"},
    {49, "Error"},
    {50, "Information"},
    {51, "Confirm"},
    {52, "&Yes"},
    {53, "&No"},
    {54, "Cancel"},
    {55, "&Abort"},
    {56, "&Retry"},
    {57, "&Ignore"},
    {58, "A&ll"},
    {59, "N&o to all"},
    {60, "Yes &to all"},
    {61, "&Help"},
    {62, "Mertano feedback"},
    {63, "Surface:"},
    {64, "Volume:"},
    {66, "Unit:"},
    {67, "Mass:"},
    {68, "Material"},
    {69, "Materials"},
    {70, "New material"},
    {71, "Change or delete a material"},
    {72, "Name:"},
    {73, "Specific gravity:"},
    {74, "&Save"},
    {75, "C&hange"},
    {76, "&Delete"},
    {77, "Please type the name of the material."},
    {78, "The specific gravity must not be 0."},
    {79, "Please choose the material to delete."},
    {80, "&Print the window"},
};

}  // namespace

std::string FillIn(std::string text, std::initializer_list<std::string> args) {
    std::string out;
    out.reserve(text.size() + 32);
    for (std::size_t k = 0; k < text.size(); ++k) {
        const char next = k + 1 < text.size() ? text[k + 1] : '\0';
        const std::size_t n = static_cast<std::size_t>(next - '1');
        if (text[k] == '%' && next >= '1' && next <= '9' && n < args.size()) {
            out += *(args.begin() + n);
            ++k;
        } else {
            out += text[k];
        }
    }
    return out;
}

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

LanguageTexts LanguageTexts::BuiltinWindowEnglish() {
    LanguageTexts t = BuiltinEnglish();
    for (const auto& [n, text] : kWindowEnglish) t.set(n, text);
    return t;
}

}  // namespace mertano
