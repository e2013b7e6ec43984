// SPDX-License-Identifier: GPL-3.0-or-later
#include "copy_results.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMimeData>
#include <QShortcut>

#include "app/app_context.h"
#include "app/figure_button.h"
#include "app/fo_form.h"
#include "calc/language_texts.h"
#include "calc/numbers.h"
#include "shapes/shape_catalogue.h"
#include "widgets/float_edit.h"

namespace mertano {
namespace {

// A caption as a name: without its accelerator mark, colon and blanks.
QString Caption(const QLabel* label) {
    return label ? label->text().remove(QLatin1Char('&')).remove(QLatin1Char(':')).trimmed()
                 : QString();
}

QLabel* LabelOf(const TFoForm& form, QWidget* edit) {
    for (QLabel* label : form.InputPanel->findChildren<QLabel*>()) {
        if (label->buddy() == edit) return label;
    }
    return nullptr;
}

// The text a box or field shows, without the blanks that align it.
QString ShownText(const QWidget* w) {
    if (const auto* label = qobject_cast<const QLabel*>(w)) return label->text().trimmed();
    if (const auto* edit = qobject_cast<const QLineEdit*>(w)) return edit->text().trimmed();
    return QString();
}

// Result and angle boxes, and the fields: what "Copy" copies alone.
bool Copyable(const TFoForm& form, const QWidget* w) {
    if (qobject_cast<const QLineEdit*>(w)) return true;
    for (int k = 0; k < kOutputCount; ++k) {
        // KeruletText3 is the perimeter's unit label, not a value.
        if (form.output(static_cast<Output>(k)) == w) return k != OutputIndex(Output::KeruletText3);
    }
    return false;
}

// A number of the window, written with or without the locale's separator, in the form a
// spreadsheet of that locale reads; any other text as it is.
QString InLocale(const QString& text, const QString& decimalPoint) {
    const std::string s = text.toStdString();
    const std::string point = decimalPoint.toStdString();
    std::optional<std::string> plain = SeparatorToPoint(s, point);
    if (!plain || !ParseNumber(*plain)) plain = ParseNumber(s) ? std::optional(s) : std::nullopt;
    return plain ? QString::fromStdString(PointToSeparator(*plain, point)) : text;
}

void SetClipboardText(const QString& text) {
    QGuiApplication::clipboard()->setText(text);
}

// The menu of the output area (the figure's picture and its boxes), shown wherever a
// click there lands: a disabled panel (the
// solved state) hands its clicks up to the window.
class ResultCopier : public QObject {
public:
    ResultCopier(TFoForm& form, AppContext& app) : QObject(&form), form_(form), app_(app) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != &form_ || event->type() != QEvent::ContextMenu) return false;
        const auto* menuEvent = static_cast<QContextMenuEvent*>(event);
        QWidget* target = form_.childAt(form_.mapFromGlobal(menuEvent->globalPos()));
        if (!target || (target != form_.AlapPanel && !form_.AlapPanel->isAncestorOf(target))) {
            return false;
        }
        QMenu menu(&form_);
        AddCopyActions(menu, form_, app_.language.texts(), target);
        menu.addSeparator();
        form_.addSolutionAction(&menu);
        form_.addJobActions(&menu);
        form_.addPatternAction(&menu);
        form_.addZoomMenu(&menu);
        menu.exec(menuEvent->globalPos());
        return true;
    }

private:
    TFoForm& form_;
    AppContext& app_;
};

}  // namespace

QList<CopyRow> ResultRows(const TFoForm& form) {
    return ResultRows(form, QLocale::system().decimalPoint());
}

QList<CopyRow> ResultRows(const TFoForm& form, const QString& decimalPoint) {
    const auto number = [&decimalPoint](const QWidget* w) {
        return InLocale(ShownText(w), decimalPoint);
    };
    QList<CopyRow> rows;
    const std::optional<ShapeKind> shape = form.selectedShape();
    if (!shape) return rows;
    rows.append(
        {Caption(form.Panel1), form.figureButton(*shape)->text().remove('&').trimmed(), {}});
    const QString unit = form.EgysegText2->text().trimmed();
    for (Field f : ShownFields(*shape)) {
        TFloatEdit* edit = form.edit(f);
        const QString name = Caption(LabelOf(form, edit));
        rows.append({name, number(edit), IsAngleField(f) ? QStringLiteral("\u00b0") : unit});
        const AngleBoxes* boxes = AngleBoxesOf(f);
        if (!boxes || ShownText(form.output(boxes->degrees)).isEmpty()) continue;
        rows.append({name,
                     ShownText(form.output(boxes->degrees)) + QStringLiteral("\u00b0 ") +
                         ShownText(form.output(boxes->minutes)) + QStringLiteral("' ") +
                         ShownText(form.output(boxes->seconds)) + QStringLiteral("\""),
                     form.FPMText->text().trimmed()});
    }
    const struct {
        QLabel* caption;
        QLabel* box;
        QString unit;
    } results[] = {
        {form.KeruletText1, form.KeruletText2, unit},
        {form.TeruletText1, form.TeruletText2, unit + QStringLiteral("\u00b2")},
        {form.FeluletText1, form.FeluletText2, unit + QStringLiteral("\u00b2")},
        {form.TerfogatText1, form.TerfogatText2, unit + QStringLiteral("\u00b3")},
    };
    const auto shown = [&form](const QWidget* w) { return w->isVisibleTo(form.InputPanel); };
    for (const auto& result : results) {
        if (shown(result.box) && !ShownText(result.box).isEmpty())
            rows.append({Caption(result.caption), number(result.box), result.unit});
    }
    const QString material = form.AnyagComboBox->currentText().trimmed();
    if (shown(form.AnyagComboBox) && !material.isEmpty()) {
        rows.append({Caption(form.AnyagText1), material, {}});
    }
    if (shown(form.TomegText2) && !ShownText(form.TomegText2).isEmpty()) {
        rows.append(
            {Caption(form.TomegText1), number(form.TomegText2), form.TomegText3->text().trimmed()});
    }
    return rows;
}

QString RowsAsText(const QList<CopyRow>& rows) {
    QString text;
    for (const CopyRow& row : rows) {
        // A tab or line end inside a cell would break the table's columns.
        const auto cell = [](QString s) {
            return s.replace(QLatin1Char('\t'), QLatin1Char(' '))
                .replace(QLatin1Char('\n'), QLatin1Char(' '));
        };
        text += cell(row.name) + QLatin1Char('\t') + cell(row.value) + QLatin1Char('\t') +
                cell(row.unit) + QLatin1Char('\n');
    }
    return text;
}

QString RowsAsHtml(const QList<CopyRow>& rows) {
    QString html = QStringLiteral("<meta charset=\"utf-8\"><table>\n");
    for (const CopyRow& row : rows) {
        html +=
            QStringLiteral("<tr><td>%1</td><td align=\"right\">%2</td><td>%3</td></tr>\n")
                .arg(row.name.toHtmlEscaped(), row.value.toHtmlEscaped(), row.unit.toHtmlEscaped());
    }
    return html + QStringLiteral("</table>\n");
}

QMimeData* ResultsMimeData(const TFoForm& form) {
    const QList<CopyRow> rows = ResultRows(form);
    auto* data = new QMimeData;
    data->setText(RowsAsText(rows));
    data->setHtml(RowsAsHtml(rows));
    return data;
}

void AddCopyActions(QMenu& menu, TFoForm& form, const LanguageTexts& texts, QWidget* target) {
    const auto caption = [&texts](int n) { return QString::fromStdString(texts.text(n)); };
    QAction* copy = menu.addAction(caption(kTextCopy));
    const QString value = target && Copyable(form, target) ? ShownText(target) : QString();
    copy->setEnabled(!value.isEmpty());
    QObject::connect(copy, &QAction::triggered, &menu, [value] { SetClipboardText(value); });
    QAction* all = menu.addAction(caption(kTextCopyAllResults));
    all->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+C")));
    all->setEnabled(form.selectedShape().has_value());
    QObject::connect(all, &QAction::triggered, &form,
                     [&form] { QGuiApplication::clipboard()->setMimeData(ResultsMimeData(form)); });
}

void InstallResultCopying(TFoForm& form, AppContext& app) {
    for (int k = 0; k < kOutputCount; ++k) {
        QLabel* box = form.output(static_cast<Output>(k));
        if (!Copyable(form, box)) continue;
        box->setTextInteractionFlags(Qt::TextSelectableByMouse);
        // The label's own menu would offer only its selection; the area's menu has both.
        box->setContextMenuPolicy(Qt::NoContextMenu);
    }
    form.installEventFilter(new ResultCopier(form, app));
    auto* shortcut = new QShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+C")), &form);
    shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(shortcut, &QShortcut::activated, &form, [&form] {
        if (form.selectedShape()) QGuiApplication::clipboard()->setMimeData(ResultsMimeData(form));
    });
}

}  // namespace mertano
