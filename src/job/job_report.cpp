// SPDX-License-Identifier: GPL-3.0-or-later
// The job on paper: a report for the workshop, with the table, the totals and, when asked,
// how each figure was solved.
#include <QDate>
#include <QFileInfo>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>

#include "app/app_context.h"
#include "app/solution_window.h"
#include "calc/language_texts.h"
#include "job/job_window.h"
#include "materials/mass.h"
#include "shapes/shape_catalogue.h"
#include "widgets/message_form.h"

namespace mertano {
namespace {

QString T(const LanguageTexts& texts, int n) {
    return QString::fromStdString(texts.text(n)).remove(QLatin1Char('&'));
}

QString Cell(const QString& text, bool number, const char* tag = "td") {
    return QStringLiteral("<%1 align=\"%2\">%3</%1>")
        .arg(QLatin1String(tag), number ? QStringLiteral("right") : QStringLiteral("left"),
             text.toHtmlEscaped());
}

constexpr JobModel::Column kReportColumns[] = {
    JobModel::FigureColumn, JobModel::ValuesColumn,    JobModel::MaterialColumn,
    JobModel::CountColumn,  JobModel::VolumeColumn,    JobModel::MassColumn,
    JobModel::TotalMassColumn, JobModel::CostColumn,   JobModel::NoteColumn,
};

bool NumberColumn(JobModel::Column c) {
    return c == JobModel::CountColumn || (c >= JobModel::VolumeColumn && c <= JobModel::CostColumn);
}

QString RowsTable(const JobModel& model) {
    QString html = "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\"><tr>";
    html += Cell(QStringLiteral("#"), true, "th");
    for (JobModel::Column c : kReportColumns)
        html += Cell(model.headerData(c, Qt::Horizontal).toString(), NumberColumn(c), "th");
    html += "</tr>";
    for (int r = 0; r < model.rowCount(); ++r) {
        html += "<tr>" + Cell(QString::number(r + 1), true);
        for (JobModel::Column c : kReportColumns)
            html += Cell(model.data(model.index(r, c)).toString(), NumberColumn(c));
        html += "</tr>";
    }
    return html + "</table>";
}

QString TotalsTable(const JobModel& model, const LanguageTexts& texts) {
    const bool waste = !model.job().waste.isEmpty();
    QString html = "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\"><tr>";
    html += Cell(T(texts, kTextJobMaterial), false, "th") + Cell(T(texts, kTextJobPieces), true, "th") +
            Cell(T(texts, kTextJobVolume), true, "th") + Cell(T(texts, kTextJobMass), true, "th") +
            Cell(T(texts, kTextJobCost), true, "th");
    if (waste)
        html += Cell(T(texts, kTextMassWithWaste), true, "th") +
                Cell(T(texts, kTextCostWithWaste), true, "th");
    html += "</tr>";
    for (const JobTotal& t : model.totals()) {
        const QString name = TotalName(t, texts);
        html += (t.material.isEmpty() ? "<tr style=\"font-weight:bold\">" : "<tr>") + Cell(name, false) +
                Cell(QString::number(t.pieces), true) +
                Cell(VolumesText(t), true) + Cell(t.mass, true) + Cell(t.cost, true);
        if (waste) html += Cell(t.massWithWaste, true) + Cell(t.costWithWaste, true);
        html += "</tr>";
    }
    return html + "</table>";
}

// The solution window's page for one row, its picture under a name of the row's own.
QString RowSolution(const JobModel& model, int row, const LanguageTexts& texts,
                    JobReport& report) {
    const JobRow& r = model.job().rows[row];
    SolvedInputs inputs{r.shape, r.fields, r.unit.toStdString(), r.solution};
    QString html = SolutionHtml(inputs, SolutionSteps(inputs, texts), texts, true);
    const QString name = QStringLiteral("figure-%1").arg(row + 1);
    html.replace(QStringLiteral("src=\"figure\""), "src=\"" + name + '"');
    html.remove(QStringLiteral("<html><body>")).remove(QStringLiteral("</body></html>"));
    html.replace(QStringLiteral("<h2>"), QStringLiteral("<h3>%1. ").arg(row + 1));
    html.replace(QStringLiteral("</h2>"), QStringLiteral("</h3>"));
    report.pictures.append({name, QString::fromUtf8(Shape(r.shape).picture.data(),
                                                    qsizetype(Shape(r.shape).picture.size()))});
    return html;
}

}  // namespace

JobReport MakeJobReport(const JobModel& model, const LanguageTexts& texts, bool solutions,
                        const QString& date) {
    JobReport report;
    const QString title =
        model.job().title.isEmpty() ? T(texts, kTextJobSheet) : model.job().title;
    QString& html = report.html;
    html = "<html><body><h1>" + title.toHtmlEscaped() + "</h1><p>" +
           T(texts, kTextJobDate).toHtmlEscaped() + ' ' + date.toHtmlEscaped() + "</p>";
    html += RowsTable(model);
    html += "<h2>" + T(texts, kTextJobTotals).toHtmlEscaped() + "</h2>" + TotalsTable(model, texts);
    if (!model.job().prices.isEmpty()) {
        html += "<p>" + T(texts, kTextJobPrice).toHtmlEscaped() + ": ";
        QStringList prices;
        for (auto it = model.job().prices.begin(); it != model.job().prices.end(); ++it)
            prices << it.key().toHtmlEscaped() + " " + it.value().toHtmlEscaped();
        html += prices.join("; ") + "</p>";
    }
    if (solutions) {
        for (int r = 0; r < model.rowCount(); ++r) {
            html += "<hr>" + RowSolution(model, r, texts, report);
        }
    }
    html += "</body></html>";
    return report;
}

namespace {

// A date that reads the same in every language of the program.
QString Today() {
    return QDate::currentDate().toString(Qt::ISODate);
}

// Printed from a document of its own, so the pictures are drawn for paper, not for the
// screen.
void PrintReport(const JobReport& report, const PictureList& pictures, QPrinter& printer) {
    QTextDocument document;
    for (const auto& [resource, picture] : report.pictures) {
        document.addResource(QTextDocument::ImageResource, QUrl(resource),
                             pictures.picture(picture, 3.0));
    }
    document.setHtml(report.html);
    document.print(&printer);
}

}  // namespace

bool JobWindow::saveReport(const QString& pdfPath) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfPath);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                      QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
    PrintReport(MakeJobReport(model_, app_.language.texts(), solutionsAction_->isChecked(), Today()),
                app_.pictures, printer);
    if (printer.printerState() == QPrinter::Error || !QFileInfo::exists(pdfPath)) {
        say(text(kTextNotPrinted), static_cast<int>(MessageKind::Error));
        return false;
    }
    return true;
}

void JobWindow::printReport() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) return;
    PrintReport(MakeJobReport(model_, app_.language.texts(), solutionsAction_->isChecked(), Today()),
                app_.pictures, printer);
    if (printer.printerState() == QPrinter::Error) say(text(kTextNotPrinted), static_cast<int>(MessageKind::Error));
}

}  // namespace mertano
