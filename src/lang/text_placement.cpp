// SPDX-License-Identifier: GPL-3.0-or-later
#include "lang/text_placement.h"

#include <QGroupBox>
#include <QWidget>

#include "calc/language_texts.h"

namespace mertano {

namespace {

using enum TextTarget;

constexpr TextPlacement kPlacements[] = {
    {"TFoForm", "KilepSpBtn", Hint, 3},
    {"TFoForm", "ValtSpBtn", Hint, 4},
    {"TFoForm", "CalcSpBtn", Hint, 5},
    {"TFoForm", "HelpSpBtn", Hint, 6},
    {"TFoForm", "NyelvSpBtn", Hint, 26},
    {"TFoForm", "AnyagSpBtn", Hint, 69},
    {"TFoForm", "MailLabel2", Caption, 7},
    {"TFoForm", "Panel1", Caption, 8},
    {"TFoForm", "SpeedBtn1", Caption, 9},
    {"TFoForm", "SpeedBtn2", Caption, 10},
    {"TFoForm", "SpeedBtn3", Caption, 11},
    {"TFoForm", "SpeedBtn4", Caption, 12},
    {"TFoForm", "SpeedBtn5", Caption, 13},
    {"TFoForm", "SpeedBtn6", Caption, 14},
    {"TFoForm", "SpeedBtn7", Caption, 15},
    {"TFoForm", "SpeedBtn8", Caption, 16},
    {"TFoForm", "SpeedBtn9", Caption, 17},
    {"TFoForm", "SpeedBtn10", Caption, 18},
    {"TFoForm", "SpeedBtn11", Caption, 19},
    {"TFoForm", "SpeedBtn12", Caption, 20},
    {"TFoForm", "SpeedBtn13", Caption, 21},
    {"TFoForm", "UjBtn", Caption, 25},
    {"TFoForm", "SzamolBtn", Caption, 37},
    {"TFoForm", "KeruletText1", Caption, 38},
    {"TFoForm", "TeruletText1", Caption, 39},
    {"TFoForm", "DecimText", Caption, 40},
    {"TFoForm", "FPMText", Caption, 41},
    {"TFoForm", "FeluletText1", Caption, 63},
    {"TFoForm", "TerfogatText1", Caption, 64},
    {"TFoForm", "EgysegText1", Caption, 66},
    {"TFoForm", "TomegText1", Caption, 67},
    {"TFoForm", "AnyagText1", Caption, 68},
    {"TFoForm", "NyomtatBtn", Caption, 80},
    {"TNyelvForm", "", LanguageTitle, 26},
    {"TNyelvForm", "KilepBtn", Caption, 3},
    {"TValtForm", "", WindowTitle, 4},
    {"TValtForm", "DecimText", Caption, 22},
    {"TValtForm", "FokText1", Caption, 23},
    {"TValtForm", "ValtBtn", Caption, 24},
    {"TValtForm", "UjadatBtn", Caption, 25},
    {"TValtForm", "KilepBtn", Caption, 3},
    {"TAnyagForm", "", WindowTitle, 69},
    {"TAnyagForm", "UjGroupBox", Caption, 70},
    {"TAnyagForm", "NevText1", Caption, 72},
    {"TAnyagForm", "FajsulyText1", Caption, 73},
    {"TAnyagForm", "MentBtn", Caption, 74},
    {"TAnyagForm", "ModositGroupBox", Caption, 71},
    {"TAnyagForm", "NevText2", Caption, 68},
    {"TAnyagForm", "FajsulyText2", Caption, 73},
    {"TAnyagForm", "ModositBtn", Caption, 75},
    {"TAnyagForm", "TorolBtn", Caption, 76},
    {"TAnyagForm", "KilepBtn", Caption, 3},
};

constexpr int kShown[] = {
    29,  30,  31,  32,  33,  34,  35,  36,  48,  49,  50,  51,  52,  53,  54,  55,  56,  57,  58,
    59,  60,  61,  62,  77,  78,  79,  81,  82,  83,  84,  85,  86,  87,  88,  89,  90,  91,  92,
    93,  94,  95,  96,  97,  98,  99,  100, 101, 102, 103, 104, 105, 121, 122, 123, 124, 125, 126,
    127, 128, 129, 130, 131, 132, 133, 134, 135, 136, 137, 138, 139, 140, 141, 142, 143, 144, 145,
    146, 147, 148, 149, 150, 151, 152, 153, 154, 155, 156, 157, 158, 159, 160, 161, 162, 163, 164,
    165, 166, 167, 168, 169, 170, 171, 172, 173, 174, 175, 176, 177, 178, 179, 180, 181, 182, 183,
    184, 185, 186, 187, 188, 189, 190, 191, 192, 193, 194, 195, 196, 197, 198, 199, 200, 201,
    202, 203, 204, 205, 206, 207, 208, 209, 210, 211, 212, 213, 214, 215, 216, 217, 218, 219, 220, 221, 222, 223, 224, 225, 226, 227, 228, 229, 230, 231, 232, 233, 234, 235, 236, 237, 238, 239, 240, 241, 242, 243, 244, 245, 246, 247, 248, 249, 250, 251,
    252, 253, 254, 255, 256, 257, 258, 259, 260, 261, 262, 263, 264, 265, 266, 267, 268, 269, 270, 271, 272, 273, 274, 275, 276};

bool IsWindow(const QWidget* window, const char* key) {
    if (window->objectName() == QLatin1String(key)) return true;
    const QString name = QString::fromLatin1(window->metaObject()->className());
    const qsizetype colons = name.lastIndexOf(QLatin1String("::"));
    return (colons < 0 ? name : name.mid(colons + 2)) == QLatin1String(key);
}

QWidget* WindowOf(QObject* object) {
    for (QObject* o = object; o; o = o->parent()) {
        if (auto* widget = qobject_cast<QWidget*>(o)) return widget->window();
    }
    return nullptr;
}

// Only the window's own controls: a dialog parented to the main window has controls of
// the same names (KilepBtn, DecimText) that must not take the main window's texts.
QObject* FindControl(QWidget* window, const char* name) {
    if (*name == '\0') return window;
    for (QObject* o : window->findChildren<QObject*>(QLatin1String(name))) {
        if (WindowOf(o) == window) return o;
    }
    return nullptr;
}

void SetIfProperty(QObject* object, const char* property, const QString& text) {
    if (object->metaObject()->indexOfProperty(property) >= 0) object->setProperty(property, text);
}

void Apply(QObject* control, TextTarget target, const QString& text) {
    switch (target) {
        case Caption:
            if (auto* box = qobject_cast<QGroupBox*>(control)) {
                box->setTitle(text);
            } else {
                SetIfProperty(control, "text", text);
            }
            break;
        case Hint:
            SetIfProperty(control, "toolTip", text);
            break;
        case WindowTitle:
            SetIfProperty(control, "windowTitle", text);
            break;
        case LanguageTitle:
            SetIfProperty(control, "windowTitle", LanguageDialogTitle(text));
            break;
    }
}

}  // namespace

std::span<const TextPlacement> TextPlacements() {
    return kPlacements;
}

std::span<const int> TextsReadWhenShown() {
    return kShown;
}

QString LanguageDialogTitle(const QString& text26) {
    const qsizetype paren = text26.indexOf(QLatin1Char('('));
    return paren < 0 ? text26 : text26.left(qMax<qsizetype>(paren - 1, 0));
}

void ApplyLanguageTexts(QWidget* window, const LanguageTexts& texts) {
    for (const TextPlacement& row : kPlacements) {
        if (!IsWindow(window, row.window)) continue;
        if (QObject* control = FindControl(window, row.control))
            Apply(control, row.target, QString::fromStdString(texts.text(row.text)));
    }
}

void ApplyLanguageTexts(const QList<QWidget*>& windows, const LanguageTexts& texts) {
    for (QWidget* window : windows) {
        if (window) ApplyLanguageTexts(window, texts);
    }
}

}  // namespace mertano
