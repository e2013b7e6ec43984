// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the last calculation of the main window was solved, in a window of its own.
#include <QString>
#include <QWidget>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "calc/field.h"
#include "calc/language_texts.h"
#include "calc/solution_steps.h"
#include "shapes/shape_kind.h"

class QLabel;
class QMenu;
class QPushButton;
class QTextBrowser;

namespace mertano {

class PictureList;

// What the user typed for a calculation: enough to run it again with its steps
// recorded, so the main window's calculate command records nothing itself.
struct SolvedInputs {
    ShapeKind shape = ShapeKind::Triangle;
    std::array<std::string, kFieldCount> fields;
    std::string unit;
    int solution = 1;  // the second of two figures that fit, when 2
};

// The calculation run again on a sheet of its own, with its steps.
std::vector<SolutionStep> SolutionSteps(const SolvedInputs& inputs, const LanguageTexts& texts);

// The solution as text and as HTML: the figure, the values given, the numbered steps.
// The HTML shows the figure's picture from the resource "figure" when `picture` is set.
QString SolutionPlainText(const SolvedInputs& inputs, const std::vector<SolutionStep>& steps,
                          const LanguageTexts& texts);
QString SolutionHtml(const SolvedInputs& inputs, const std::vector<SolutionStep>& steps,
                     const LanguageTexts& texts, bool picture);

class SolutionWindow : public QWidget {
    Q_OBJECT

public:
    SolutionWindow(const PictureList& pictures, QWidget* parent = nullptr);

    // Shows the solution of these inputs, or, without any, that there is none yet.
    void showSolution(const std::optional<SolvedInputs>& inputs, const LanguageTexts& texts);

    // Plain text and HTML together, as the main window's copy commands put them.
    void copy();
    void print();

    QString plainText() const { return plain_; }
    QString html() const { return html_; }
    QTextBrowser* browser() const { return browser_; }

private:
    const PictureList& pictures_;
    QTextBrowser* browser_;
    QPushButton *copyBtn_, *printBtn_, *closeBtn_;
    QString plain_, html_;
};

}  // namespace mertano
