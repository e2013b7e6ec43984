// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where each language text goes: the table that Nyelvvalt walks, kept as data so that a
// window written later only needs the control names below to receive its texts.

#include <QList>
#include <QString>
#include <span>

class QWidget;

namespace mertano {

class LanguageTexts;

enum class TextTarget {
    Caption,        // a button's or label's text, a group box's title
    Hint,           // the tool tip
    WindowTitle,    // the window's own title
    LanguageTitle,  // the window's title, cut before the "(" of the text
};

struct TextPlacement {
    const char* window;   // the window's objectName or class name without namespace
    const char* control;  // objectName of the control; empty for the window itself
    TextTarget target;
    int text;  // language text number
};

// In the order they are applied: toolbar hints, the main window's captions, the language
// dialog, the angle conversion dialog, the materials dialog.
std::span<const TextPlacement> TextPlacements();

// Texts read where they are shown rather than placed here: the engine's and the materials
// dialog's messages, the message dialog's titles and buttons, the mail subject, and the
// texts of Mertano's own messages and of the help window.
std::span<const int> TextsReadWhenShown();

// Text 26 up to the blank before its first "(": "Nyelv (Please...)" gives "Nyelv".
QString LanguageDialogTitle(const QString& text26);

// Puts the texts of every row of this window's class into its controls, found by
// objectName among its children (actions included). A control the window does not have
// is skipped.
void ApplyLanguageTexts(QWidget* window, const LanguageTexts& texts);
void ApplyLanguageTexts(const QList<QWidget*>& windows, const LanguageTexts& texts);

}  // namespace mertano
