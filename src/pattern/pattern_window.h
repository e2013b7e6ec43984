// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The flat pattern of the solved cone, truncated cone or cylinder in a window of its own:
// drawn to scale, its measures beside it, a seam allowance to add, and the ways out of the
// program: printing at full size or fitted to a page, SVG and DXF.
#include <QPointer>
#include <QString>
#include <QWidget>
#include <array>
#include <optional>
#include <string>

#include "calc/flat_pattern.h"
#include "calc/language_texts.h"
#include "shapes/shape_kind.h"

class QGridLayout;
class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;

namespace mertano {

class PatternView;

class PatternWindow : public QWidget {
    Q_OBJECT

public:
    // `texts` outlives the window and changes its wording with the language; retranslate
    // shows the new one.
    PatternWindow(const LanguageTexts& texts, QWidget* parent = nullptr);

    // The figure's measures in its unit; they are kept, so a new seam allowance redraws
    // the same figure.
    void showPattern(ShapeKind shape, const PatternValues& values, const std::string& unit);
    void retranslate();
    // Shows the window, the first time beside `anchor` on its screen.
    void present(const QWidget* anchor);

    // Without dialogs, for the buttons and for tests; a file that cannot be written is
    // said in a message.
    bool printTo(QPrinter& printer, bool fullSize);
    bool saveSvg(const QString& path);
    bool saveDxf(const QString& path);

    // Nothing when the figure has no side to unroll.
    const std::optional<FlatPattern>& pattern() const { return pattern_; }
    // The figure and its measures in the current language, for the SVG and the paper.
    QString caption() const;

    enum Row { OuterRadius, InnerRadius, Angle, AngleDms, OuterArc, InnerArc, Chord, Width,
               Height, RowCount };

private:
    void build();
    void rebuild();
    void showMeasures();
    void printChosen(bool fullSize);
    void saveChosen(bool svg);
    QString chooseFile(int filterText, const QString& suffix);
    QString text(int n) const;
    QString figureName() const;
    QString length(long double x) const;
    long double seam() const;

    const LanguageTexts& texts_;
    ShapeKind shape_ = ShapeKind::Cone;
    PatternValues values_;
    std::string unit_;
    std::optional<FlatPattern> pattern_;
    QString folder_;  // where the last file went
    bool placed_ = false;
    QPointer<const QWidget> anchor_;

    PatternView* view_ = nullptr;
    QLabel* heading_ = nullptr;
    QGridLayout* measures_ = nullptr;
    std::array<QLabel*, RowCount> names_{};
    std::array<QLabel*, RowCount> shown_{};
    QLabel *seamLabel_ = nullptr, *seamUnit_ = nullptr, *seamWarning_ = nullptr;
    QLineEdit* seamEdit_ = nullptr;
    QPushButton *printFullBtn_ = nullptr, *printFittedBtn_ = nullptr, *svgBtn_ = nullptr,
                *dxfBtn_ = nullptr, *closeBtn_ = nullptr;
};

}  // namespace mertano
