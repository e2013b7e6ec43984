// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <initializer_list>
#include <string>

namespace mertano {

// Texts 1 to 80 are the window's captions, hints and messages. The texts after them
// word Mertano's own messages (faults, unreadable files, the help window); a language
// file that lacks one of those shows its English wording instead, so that a file made
// for an older Mertano never leaves a message empty.
inline constexpr int kFirstExtraText = 81;
inline constexpr int kLanguageTextCount = 276;

// The numbers of the extra texts, for the code that puts the messages together.
enum ExtraText : int {
    kTextNoSuchFigure = 81,       // after the figure's name and ": "
    kTextHintTriangle = 82,       // why a triangle has no solution
    kTextHintRightTriangle = 83,  // ... a right triangle
    kTextHintSegment = 84,        // ... a circular segment
    kTextHintCone = 85,           // ... a cone
    kTextHintTruncatedCone = 86,  // ... a truncated cone
    kTextHintOther = 87,          // ... any other figure
    kTextFaultInvalid = 88,       // the technical wording of the three arithmetic faults
    kTextFaultDivision = 89,
    kTextFaultOverflow = 90,
    kTextLanguageUnreadable = 91,  // followed by the file's path and the reason
    kTextLanguageMissing = 92,     // followed by the file's path
    kTextMaterialUnreadable = 93,  // followed by the technical report
    kTextMaterialNotCreated = 94,  // followed by the technical report
    kTextMaterialDamaged = 95,     // followed by the technical report
    kTextHelpTitle = 96,
    kTextHelpBack = 97,
    kTextHelpForward = 98,
    kTextHelpContents = 99,
    kTextHelpMissing = 100,       // a heading
    kTextHelpLookedIn = 101,      // followed by the folder
    kTextHelpCopy = 102,          // what to do about it
    kTextMaterialNotSaved = 103,  // followed by the technical report
    kTextCopy = 104,              // the context menu of the input area
    kTextCopyAllResults = 105,
    // 106 to 120 are kept free. The window that shows how a figure was solved:
    kTextHowSolved = 121,   // its title and the menu command that opens it
    kTextReplacedBy = 122,  // between a typed value and the value a step put in its place
    kTextStepsCopy = 123,
    kTextStepsPrint = 124,
    kTextStepsClose = 125,
    kTextNoSolution = 126,  // shown before any calculation
    kTextStepSide = 127,    // what a step computes; results use the window's captions
    kTextStepAngle = 128,
    kTextStepHeight = 129,
    kTextStepRadius = 130,
    kTextStepDiameter = 131,
    kTextStepArc = 132,
    kTextStepChord = 133,
    kTextStepSlant = 134,
    kTextStepsGiven = 135,  // before the typed values
    kTextStepsHeading = 136,
    // Values that fit no real figure, or more than one. %1, %2... stand for the values.
    kTextNoFit = 137,          // the typed values, the kept ones, what the others became
    kTextNoFitNoneKept = 138,  // the same when none of the typed values was kept
    kTextAnd = 139,            // before the last of a list of values
    kTextIsValue = 140,        // "d is 2.0000"
    kTextBeyondField = 141,
    kTextSectorAngle = 142,
    kTextCapRadius = 143,
    kTextCapHeight = 144,
    kTextCapTied = 145,
    kTextCapWithRM = 146,
    kTextCapWithAM = 147,
    kTextZoneRadius = 148,
    kTextZoneTied = 149,
    kTextZoneWithR = 150,
    kTextZoneWithM = 151,
    kTextRightAngles = 152,
    kTextConeAngles = 153,
    kTextTruncatedAngle = 154,
    kTextTriangleAngle = 155,
    kTextSecondFigure = 156,     // the window's note; %1 is the command
    kTextShowOther = 157,        // the command that shows the other figure
    kTextSecondFigureCli = 158,  // the command line's note
    kTextStepCheck = 159,        // a typed value the solution did not need, checked
    kTextCheckGives = 160,       // "typed %1, the figure gives %2"
    kTextReplacedWhy = 161,      // after a typed value a step replaced
    // Saving the material file when it or its folder has gone since it was loaded.
    kTextMaterialFolderGone = 162,  // followed by the technical report
    kTextMaterialFileGone = 163,    // followed by the technical report
    // Deleting the material the box shows when it is not the one picked; %1 is its name.
    kTextDeleteShown = 164,
    kTextNoSuchMaterial = 165,
    // Settings that could not be written; followed by the technical report.
    kTextLanguageNotKept = 166,   // the language chosen
    kTextSettingsNotSaved = 167,  // a first start's settings
    // The window's commands beyond its buttons, and what it says when the desktop cannot
    // do what a button asks.
    kTextChangeValues = 168,        // unlocks a solved figure with its typed values
    kTextNoCalculator = 169,        // %1 the programs looked for
    kTextNoWebsite = 170,           // website.url gives no web address
    kTextNoBrowser = 171,           // %1 the address
    kTextNoMailProgram = 172,       // %1 the address
    kTextNoMailAddress = 173,       // website.url gives no usable mail address
    kTextDataFolderNotMade = 174,   // %1 the folder wanted, %2 the one used instead
    // The materials dialog's list of common materials to start with.
    kTextAddCommonMaterials = 175,  // the button
    kTextCommonAdded = 176,         // %1 how many
    kTextCommonAllThere = 177,
    kTextFirstCommonMaterial = 178,  // names 178 to kTextLastCommonMaterial
    kTextLastCommonMaterial = 198,
    // How large the windows are drawn, and how plainly.
    kTextZoom = 199,          // the submenu
    kTextHighContrast = 200,  // its check item
    kTextNotPrinted = 201,
    // The job sheet: the pieces of a job, their totals, its file and its report.
    kTextAddToJob = 202,
    kTextJobSheetCommand = 203,
    kTextReplaceJobRow = 204,
    kTextJobSheet = 205,
    kTextUntitledJob = 206,
    kTextJobFigure = 207,
    kTextJobValues = 208,
    kTextJobUnit = 209,
    kTextJobMaterial = 210,
    kTextJobDensity = 211,
    kTextJobCount = 212,
    kTextJobVolume = 213,
    kTextJobMass = 214,
    kTextJobTotalMass = 215,
    kTextJobCost = 216,
    kTextJobNote = 217,
    kTextJobTitle = 218,
    kTextJobWaste = 219,
    kTextJobPrice = 220,
    kTextJobTotals = 221,
    kTextJobPieces = 222,
    kTextWholeJob = 223,
    kTextMassWithWaste = 224,
    kTextCostWithWaste = 225,
    kTextAddFromMain = 226,
    kTextRemoveRow = 227,
    kTextMoveUp = 228,
    kTextMoveDown = 229,
    kTextShowInMain = 230,
    kTextFileMenu = 231,
    kTextNewJob = 232,
    kTextOpenJob = 233,
    kTextSaveJob = 234,
    kTextSaveJobAs = 235,
    kTextRecentJobs = 236,
    kTextExportCsv = 237,
    kTextPrintReport = 238,
    kTextReportPdf = 239,
    kTextReportSolutions = 240,
    kTextJobFiles = 241,
    kTextCsvFiles = 242,
    kTextPdfFiles = 243,
    kTextJobLineRefused = 244,
    kTextJobNotRead = 245,
    kTextFileNotSaved = 246,
    kTextJobUnsaved = 247,
    kTextJobDate = 248,
    kTextJobKept = 249,
    kTextJobNotKept = 250,
    kTextCloseWindow = 251,
    // The flat pattern of a cone, a truncated cone or a cylinder.
    kTextFlatPatternCommand = 252,
    kTextFlatPattern = 253,
    kTextOuterRadius = 254,
    kTextInnerRadius = 255,
    kTextPatternAngle = 256,
    kTextOuterArc = 257,
    kTextInnerArc = 258,
    kTextOpeningChord = 259,
    kTextPatternWidth = 260,
    kTextPatternHeight = 261,
    kTextSeamAllowance = 262,
    kTextPrintFullSize = 263,
    kTextPrintFitted = 264,
    kTextSaveSvg = 265,
    kTextSaveDxf = 266,
    kTextSvgFiles = 267,
    kTextDxfFiles = 268,
    kTextScaleFull = 269,
    kTextScaleOf = 270,
    kTextCheckSquare = 271,
    kTextSheetLabel = 272,
    kTextSeamOverlaps = 273,
    kTextNoPattern = 274,
    kTextNoFullSize = 275,
    kTextSeamWord = 276,
};

// `text` with %1, %2, ... replaced by the arguments in order.
std::string FillIn(std::string text, std::initializer_list<std::string> args);

// The numbered texts of the current language, slots 1 to kLanguageTextCount. A slot up
// to 80 that no line of the language file gives is empty; an extra text falls back to
// its English wording.
class LanguageTexts {
public:
    const std::string& text(int n) const;
    void set(int n, std::string text);
    void clear();

    // What the engine shows before any language file is loaded: its own messages in
    // English.
    static LanguageTexts BuiltinEnglish();
    // What the windows show until a language file has been read, and go on showing when
    // none can be: BuiltinEnglish() with the captions, hints and messages of texts 1 to 80
    // as English.lng words them, so that no caption is ever left empty.
    static LanguageTexts BuiltinWindowEnglish();
    // The English wording of an extra text; empty for any other number.
    static const std::string& ExtraEnglish(int n);

private:
    std::array<std::string, kLanguageTextCount + 1> slots_;
};

}  // namespace mertano
