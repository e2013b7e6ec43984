// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/solution_window.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "calc/calculate.h"
#include "calc/field_sheet.h"
#include "calc/numbers.h"
#include "pictures/pictures.h"
#include "shapes/shape_catalogue.h"

namespace mertano {
namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

QString WithoutAccessKey(QString text) {
    return text.remove(QLatin1Char('&'));
}

// Escaped for HTML, the subscripts of m_a or a_1 set as subscripts.
QString Html(const std::string& text) {
    static const QRegularExpression kSubscript("([A-Za-z])_([A-Za-z0-9])");
    return Q(text).toHtmlEscaped().replace(kSubscript, "\\1<sub>\\2</sub>");
}

QString FigureName(ShapeKind shape, const LanguageTexts& texts) {
    const ShapeInfo& info = Shape(shape);
    const std::string& caption = texts.text(info.captionText);
    return caption.empty() ? Q(std::string(info.defaultCaption)) : Q(caption);
}

// "r = 3.0000 mm, m = 4.0000 mm": the values the user typed.
QString GivenText(const SolvedInputs& inputs) {
    QStringList given;
    for (Field f : ShownFields(inputs.shape)) {
        const long double x = ReadFieldText(inputs.fields[FieldIndex(f)]);
        if (!Given(x)) continue;
        const QString unit = IsAngleField(f) ? QString::fromUtf8("\u00b0") : " " + Q(inputs.unit);
        given << Q(FieldSymbol(inputs.shape, f)) + " = " + Q(FormatFixed(x, 4)) + unit;
    }
    return given.join(", ");
}

}  // namespace

std::vector<SolutionStep> SolutionSteps(const SolvedInputs& inputs, const LanguageTexts& texts) {
    FieldSheet sheet;
    sheet.choose(inputs.shape);
    sheet.setUnitText(inputs.unit);
    for (Field f : kAllFields) sheet.setFieldText(f, inputs.fields[FieldIndex(f)]);
    StepList steps;
    Calculate(sheet, texts, &steps, inputs.solution);
    return std::move(steps.steps);
}

QString SolutionPlainText(const SolvedInputs& inputs, const std::vector<SolutionStep>& steps,
                          const LanguageTexts& texts) {
    return FigureName(inputs.shape, texts) + "\n" + Q(texts.text(kTextStepsGiven)) + " " +
           GivenText(inputs) + "\n" + Q(texts.text(kTextStepsHeading)) + "\n" +
           Q(StepsPlainText(texts, inputs.shape, steps, ""));
}

QString SolutionHtml(const SolvedInputs& inputs, const std::vector<SolutionStep>& steps,
                     const LanguageTexts& texts, bool picture) {
    QString html = "<html><body>";
    if (picture) html += "<img src=\"figure\" align=\"right\" width=\"150\" height=\"150\">";
    html += "<h2>" + FigureName(inputs.shape, texts).toHtmlEscaped() + "</h2>";
    html += "<p><b>" + Q(texts.text(kTextStepsGiven)).toHtmlEscaped() + "</b> " +
            Html(GivenText(inputs).toStdString()) + "</p>";
    html += "<p><b>" + Q(texts.text(kTextStepsHeading)).toHtmlEscaped() + "</b></p><ol>";
    for (const SolutionStep& step : steps) {
        if (step.checked) {
            html += "<li><p><b>" + Q(StepDescription(texts, inputs.shape, step)).toHtmlEscaped() +
                    "</b><br>" + Html(CheckText(texts, step)) + "</p></li>";
            continue;
        }
        const std::size_t eq = step.substituted.find(" = ");
        const std::string rhs = step.substituted.substr(eq == std::string::npos ? 0 : eq + 3);
        html += "<li><p><b>" + Q(StepDescription(texts, inputs.shape, step)).toHtmlEscaped() +
                "</b><br>" + Html(step.formula) + "<br>= " + Html(rhs) + "<br>= <b>" +
                Q(StepValueText(step)).toHtmlEscaped() + "</b>";
        if (step.replaced) html += "<br><i>" + Html(ReplacedText(texts, step)) + "</i>";
        html += "</p></li>";
    }
    return html + "</ol></body></html>";
}

SolutionWindow::SolutionWindow(const PictureList& pictures, QWidget* parent)
    : QWidget(parent, Qt::Window), pictures_(pictures) {
    setObjectName("SolutionWindow");
    browser_ = new QTextBrowser(this);
    browser_->setObjectName("SolutionBrowser");
    copyBtn_ = new QPushButton(this);
    copyBtn_->setObjectName("SolutionCopyBtn");
    printBtn_ = new QPushButton(this);
    printBtn_->setObjectName("SolutionPrintBtn");
    closeBtn_ = new QPushButton(this);
    closeBtn_->setObjectName("SolutionCloseBtn");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(copyBtn_);
    buttons->addWidget(printBtn_);
    buttons->addWidget(closeBtn_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(browser_);
    layout->addLayout(buttons);
    connect(copyBtn_, &QPushButton::clicked, this, &SolutionWindow::copy);
    connect(printBtn_, &QPushButton::clicked, this, &SolutionWindow::print);
    connect(closeBtn_, &QPushButton::clicked, this, &QWidget::close);
    resize(560, 520);
}

void SolutionWindow::showSolution(const std::optional<SolvedInputs>& inputs,
                                  const LanguageTexts& texts) {
    setWindowTitle(WithoutAccessKey(Q(texts.text(kTextHowSolved))));
    copyBtn_->setText(Q(texts.text(kTextStepsCopy)));
    printBtn_->setText(Q(texts.text(kTextStepsPrint)));
    closeBtn_->setText(Q(texts.text(kTextStepsClose)));
    QString shown;
    if (!inputs) {
        plain_ = Q(texts.text(kTextNoSolution));
        html_ = "<p>" + plain_.toHtmlEscaped() + "</p>";
    } else {
        const std::vector<SolutionStep> steps = SolutionSteps(*inputs, texts);
        const QString picture = Q(std::string(Shape(inputs->shape).picture));
        browser_->document()->addResource(QTextDocument::ImageResource, QUrl("figure"),
                                          pictures_.picture(picture, devicePixelRatioF()));
        plain_ = SolutionPlainText(*inputs, steps, texts);
        // The picture lives in this window's document only; the copied HTML goes without.
        html_ = SolutionHtml(*inputs, steps, texts, false);
        shown = SolutionHtml(*inputs, steps, texts, true);
    }
    browser_->setHtml(shown.isEmpty() ? html_ : shown);
    copyBtn_->setEnabled(inputs.has_value());
    printBtn_->setEnabled(inputs.has_value());
}

void SolutionWindow::copy() {
    auto* data = new QMimeData;
    data->setText(plain_);
    data->setHtml(html_);
    QApplication::clipboard()->setMimeData(data);
}

void SolutionWindow::print() {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) return;
    browser_->document()->print(&printer);
}

}  // namespace mertano
