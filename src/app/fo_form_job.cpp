// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's way to the job sheet: the output area's context menu, Ctrl+J to add
// the solved figure, F4 to show the sheet. The sheet is made the first time it is wanted.
#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QShortcut>

#include "app/app_context.h"
#include "app/fo_form.h"
#include "calc/measurements.h"
#include "calc/numbers.h"
#include "job/job_window.h"
#include "materials/material_file.h"
#include "shapes/shape_catalogue.h"
#include "app/figure_button.h"
#include "widgets/float_edit.h"
#include "widgets/window_place.h"

namespace mertano {
namespace {

const QKeySequence kAddToJobKey(Qt::CTRL | Qt::Key_J);
const QKeySequence kJobSheetKey(Qt::Key_F4);

}  // namespace

void TFoForm::connectJob() {
    auto* add = new QShortcut(kAddToJobKey, this);
    connect(add, &QShortcut::activated, this, &TFoForm::addToJob);
    auto* sheet = new QShortcut(kJobSheetKey, this);
    connect(sheet, &QShortcut::activated, this, &TFoForm::showJobWindow);
}

void TFoForm::addJobActions(QMenu* menu) {
    const LanguageTexts& texts = app_.language.texts();
    menu->addSeparator();
    QAction* add = menu->addAction(QString::fromStdString(texts.text(kTextAddToJob)));
    add->setObjectName("AddToJobAction");
    add->setShortcut(kAddToJobKey);
    add->setEnabled(currentPiece().has_value());
    connect(add, &QAction::triggered, this, &TFoForm::addToJob);
    const int shown = jobWindow_ ? jobWindow_->shownRow() : -1;
    if (shown >= 0) {
        QAction* replace = menu->addAction(
            QString::fromStdString(texts.text(kTextReplaceJobRow)).arg(shown + 1));
        replace->setObjectName("ReplaceJobRowAction");
        replace->setEnabled(currentPiece().has_value());
        connect(replace, &QAction::triggered, this, &TFoForm::replaceJobRow);
    }
    QAction* sheet = menu->addAction(QString::fromStdString(texts.text(kTextJobSheetCommand)));
    sheet->setObjectName("JobSheetAction");
    sheet->setShortcut(kJobSheetKey);
    connect(sheet, &QAction::triggered, this, &TFoForm::showJobWindow);
}

std::optional<JobRow> TFoForm::currentPiece() const {
    if (!solved_ || lastState_ != CalcState::Solved) return std::nullopt;
    JobRow row;
    row.shape = solved_->shape;
    // Only what was given: a field left at 0 was not typed.
    for (Field f : ShownFields(row.shape)) {
        const std::string& text = solved_->fields[FieldIndex(f)];
        if (Given(ReadFieldText(text))) row.fields[FieldIndex(f)] = text;
    }
    row.unit = QString::fromStdString(solved_->unit);
    row.solution = solved_->solution;
    // The material only when its mass is shown: the row's mass is then the window's.
    const QString material = TrimMaterialText(AnyagComboBox->currentText());
    if (Shape(row.shape).solid && !material.isEmpty() && !TomegText2->text().isEmpty()) {
        // A gravity of 0 or less gives no mass a job could carry.
        const std::optional<qint32> gravity = FindGravity(app_.materials.table(), material);
        if (gravity && *gravity > 0) {
            row.material = material;
            row.density = DensityText(*gravity);
        }
    }
    return row;
}

JobWindow* TFoForm::jobWindow() {
    if (jobWindow_) return jobWindow_;
    JobWindow::MainWindow main{[this] { return currentPiece(); },
                               [this](const JobRow& row) { showJobRow(row); }};
    jobWindow_ = new JobWindow(app_, std::move(main), this);
    return jobWindow_;
}

namespace {

// Below the main window when the free area has room for a useful table there, else
// beside it; the main window stays uncovered, since pieces are added from it.
void PlaceJobWindow(JobWindow* window, const QWidget* main) {
    const QRect area = WorkArea(main);
    const QRect frame = main->frameGeometry();
    const int below = area.bottom() - frame.bottom() - 8;
    const int right = area.right() - frame.right() - 8;
    const QSize least = window->minimumSizeHint() + QSize(16, 40);
    if (below >= qMax(300, least.height())) {
        window->resize(qMax(window->width(), frame.width()), qMin(window->height(), below - 40));
        window->move(frame.left(), frame.bottom() + 8);
    } else if (right >= qMax(420, least.width())) {
        window->resize(qMin(window->width(), right), qMin(window->height(), area.height() - 40));
        window->move(frame.right() + 8, area.top());
    } else {
        // No room beside it: in the corner, where it covers least of the main window,
        // which addToJob keeps active.
        PlaceBottomRight(window, main);
        return;
    }
    KeepOnScreen(window, main);
}

}  // namespace

void TFoForm::showJobWindow() {
    JobWindow* window = jobWindow();
    const bool first = !window->isVisible();
    window->show();
    if (first) {
        SettleLayout(window);
        PlaceJobWindow(window, this);
        PlaceAgainWhenFramed(window, [window, this] { PlaceJobWindow(window, this); });
    }
    window->raise();
    window->activateWindow();
}

void TFoForm::addToJob() {
    const std::optional<JobRow> row = currentPiece();
    if (!row) return;
    // Shown if it is not, but the main window keeps the keys: the next figure is typed there.
    if (!jobWindow()->isVisible()) {
        showJobWindow();
        activateWindow();
    }
    jobWindow_->addPiece(*row);
}

void TFoForm::replaceJobRow() {
    const std::optional<JobRow> row = currentPiece();
    if (!row || !jobWindow_) return;
    jobWindow_->replaceShownRow(*row);
    showJobWindow();
}

void TFoForm::showJobRow(const JobRow& row) {
    figureButton(row.shape)->click();
    EgysegComboBox->setCurrentText(row.unit);
    EgysegComboBoxChange();
    if (Shape(row.shape).solid) {
        AnyagComboBox->setCurrentText(row.material);
        AnyagComboBoxChange();
    }
    for (Field f : kAllFields) edit(f)->setText(QString::fromStdString(row.fields[FieldIndex(f)]));
    Kapcsvalt();
    calculate(row.solution);
    raise();
    activateWindow();
}

}  // namespace mertano
