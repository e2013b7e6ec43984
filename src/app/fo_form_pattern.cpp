// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's way to the flat pattern of a solved cone, truncated cone or cylinder:
// the output area's context menu and Ctrl+U ("unroll"). The window is made when first
// wanted.
#include <QAction>
#include <QMenu>
#include <QShortcut>

#include "app/app_context.h"
#include "app/fo_form.h"
#include "pattern/pattern_window.h"
#include "widgets/float_edit.h"

namespace mertano {
namespace {

const QKeySequence kPatternKey(Qt::CTRL | Qt::Key_U);

bool Unrolls(ShapeKind shape) {
    return shape == ShapeKind::Cone || shape == ShapeKind::TruncatedCone ||
           shape == ShapeKind::Cylinder;
}

}  // namespace

void TFoForm::connectPattern() {
    auto* key = new QShortcut(kPatternKey, this);
    connect(key, &QShortcut::activated, this, &TFoForm::showPatternWindow);
}

bool TFoForm::canShowPattern() const {
    return solved_ && lastState_ == CalcState::Solved && Unrolls(solved_->shape);
}

void TFoForm::addPatternAction(QMenu* menu) {
    QAction* action = menu->addAction(
        QString::fromStdString(app_.language.texts().text(kTextFlatPatternCommand)));
    action->setObjectName("FlatPatternAction");
    action->setShortcut(kPatternKey);
    action->setEnabled(canShowPattern());
    connect(action, &QAction::triggered, this, &TFoForm::showPatternWindow);
}

void TFoForm::showPatternWindow() {
    if (!canShowPattern()) return;
    // The solved fields, as the window shows them: what the pattern is marked out from.
    const auto value = [this](const char* name) {
        return edit(*FieldFromValueName(name))->value();
    };
    PatternValues values;
    values.r = value("r");
    values.R = value("R");
    values.a = value("a");
    values.m = value("ma");
    if (!patternWindow_) patternWindow_ = new PatternWindow(app_.language.texts(), this);
    patternWindow_->showPattern(solved_->shape, values, solved_->unit);
    patternWindow_->present(this);
}

}  // namespace mertano
