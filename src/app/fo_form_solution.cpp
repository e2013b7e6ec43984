// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's way to its solution window: the context menu of the output area and
// F2. The window is built the first time it is asked for.
#include <QAction>
#include <QFrame>
#include <QMenu>
#include <QShortcut>

#include "app/app_context.h"
#include "app/fo_form.h"
#include "shapes/shape_catalogue.h"
#include "widgets/float_edit.h"
#include "widgets/window_place.h"

namespace mertano {
namespace {

const QKeySequence kChangeValuesKey(Qt::CTRL | Qt::Key_E);

}  // namespace

// The output area's context menu (copy_results.cpp) offers the solution beside the copy
// commands; F2 opens it from anywhere in the window.
void TFoForm::connectSolution() {
    auto* f2 = new QShortcut(QKeySequence(Qt::Key_F2), this);
    connect(f2, &QShortcut::activated, this, &TFoForm::showSolutionWindow);
    auto* f3 = new QShortcut(QKeySequence(Qt::Key_F3), this);
    connect(f3, &QShortcut::activated, this, &TFoForm::showOtherFigure);
    // Enter already has its meaning in the fields (none); Ctrl+E is "edit" on desktops.
    auto* change = new QShortcut(kChangeValuesKey, this);
    connect(change, &QShortcut::activated, this, &TFoForm::changeValues);
}

void TFoForm::addSolutionAction(QMenu* menu) {
    QAction* action =
        menu->addAction(QString::fromStdString(app_.language.texts().text(kTextHowSolved)));
    action->setObjectName("SolutionAction");
    action->setShortcut(QKeySequence(Qt::Key_F2));
    action->setEnabled(solved_.has_value());
    connect(action, &QAction::triggered, this, &TFoForm::showSolutionWindow);
    QAction* other =
        menu->addAction(QString::fromStdString(app_.language.texts().text(kTextShowOther)));
    other->setObjectName("OtherFigureAction");
    other->setShortcut(QKeySequence(Qt::Key_F3));
    other->setEnabled(solved_ && solutions_ == 2);
    connect(other, &QAction::triggered, this, &TFoForm::showOtherFigure);
    menu->addSeparator();
    QAction* change =
        menu->addAction(QString::fromStdString(app_.language.texts().text(kTextChangeValues)));
    change->setObjectName("ChangeValuesAction");
    change->setShortcut(kChangeValuesKey);
    change->setEnabled(canChangeValues());
    connect(change, &QAction::triggered, this, &TFoForm::changeValues);
}

bool TFoForm::canChangeValues() const {
    return solved_ && !InputPanel->isEnabled();
}

void TFoForm::changeValues() {
    if (!canChangeValues()) return;
    const SolvedInputs typed = *solved_;
    // The unit and the material are left as they are: only what the calculation wrote
    // goes, and the unit captions it shares a box with come back from the unit.
    clearResults();
    EgysegComboBoxChange();
    InputPanel->setEnabled(true);
    for (Field f : kAllFields)
        edit(f)->setText(QString::fromStdString(typed.fields[FieldIndex(f)]));
    Kapcsvalt();
    edit(Shape(typed.shape).firstFocus)->setFocus();
}

void TFoForm::showOtherFigure() {
    if (!solved_ || solutions_ != 2) return;
    // The fields hold the first figure's values; the other is worked out from the values
    // that were typed, as the first was.
    const SolvedInputs typed = *solved_;
    for (Field f : kAllFields)
        edit(f)->setText(QString::fromStdString(typed.fields[FieldIndex(f)]));
    calculate(typed.solution == 2 ? 1 : 2);
}

void TFoForm::showSolutionWindow() {
    const bool first = !solutionWindow_;
    if (first) solutionWindow_ = new SolutionWindow(app_.pictures, this);
    solutionWindow_->showSolution(solved_, app_.language.texts());
    solutionWindow_->show();
    if (first) {
        // Beside the main window, on its screen.
        SettleLayout(solutionWindow_);
        solutionWindow_->move(frameGeometry().topRight() + QPoint(8, 0));
        KeepOnScreen(solutionWindow_, this);
    }
    solutionWindow_->raise();
    solutionWindow_->activateWindow();
}

void TFoForm::solutionChanged() {
    // A closed window is brought up to date when it is shown again.
    if (solutionWindow_ && solutionWindow_->isVisible())
        solutionWindow_->showSolution(solved_, app_.language.texts());
}

}  // namespace mertano
