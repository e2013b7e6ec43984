// SPDX-License-Identifier: GPL-3.0-or-later
// "Copy all results" and the context menu of the main window's input area, driven as a
// user would: choose, type, calculate, then copy.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <memory>

#include "app/app_context.h"
#include "app/copy_results.h"
#include "app/figure_button.h"
#include "app/fo_form.h"
#include "main_window_steps.h"
#include "material_record.h"
#include "shapes/shape_catalogue.h"
#include "test_main.h"
#include "widgets/float_edit.h"

using namespace mertano;
using mertano::test::MaterialRecordBytes;

Q_DECLARE_METATYPE(mertano::ShapeKind)

namespace {

// The cells of the HTML table, row by row, as the plain text writes them.
QString HtmlCellsAsText(QString html) {
    QString text;
    static const QRegularExpression row("<tr>(.*?)</tr>");
    static const QRegularExpression cell("<td[^>]*>(.*?)</td>");
    for (const auto& r : row.globalMatch(html)) {
        QStringList cells;
        for (const auto& c : cell.globalMatch(r.captured(1))) {
            cells << c.captured(1)
                         .replace("&lt;", "<")
                         .replace("&gt;", ">")
                         .replace("&quot;", "\"")
                         .replace("&amp;", "&");
        }
        text += cells.join('\t') + '\n';
    }
    return text;
}

}  // namespace

class TstCopyResults : public QObject {
    Q_OBJECT

    std::unique_ptr<AppContext> app_;
    std::unique_ptr<TFoForm> form_;

    void choose(ShapeKind shape) { test::ChooseFigure(*form_, shape); }
    void typeAll(const QString& inputs) { test::TypeAll(*form_, inputs); }
    void useLanguage(const QString& name) {
        const QString folder = QDir(QStringLiteral(MERTANO_HELP_SOURCE) + "..").absolutePath();
        app_->language = LanguageState(folder, name);
        QVERIFY(!app_->language.reload());
        form_->Nyelvvalt();
    }

private slots:
    void init() {
        app_ = std::make_unique<AppContext>();
        QFile file(app_->materials.path());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(MaterialRecordBytes("Vas", 7250) + MaterialRecordBytes("R&D <1>", 1000));
        file.close();
        form_ = std::make_unique<TFoForm>(*app_);
        QVERIFY(test::ShowActive(*form_));
    }
    void cleanup() {
        form_.reset();
        QFile::remove(app_->materials.path());
        app_.reset();
    }

    // Ctrl+Shift+C: both forms, one quantity a line in three tab-separated columns, the
    // screen's texts in the window's language.
    void copyAllResults_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<ShapeKind>("shape");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QString>("material");
        QTest::addColumn<QString>("inputs");
        QTest::addColumn<bool>("calculate");
        QTest::addColumn<QString>("expected");
        QTest::newRow("solved cone with a material") << "English" << ShapeKind::Cone << "cm"
                                                     << "Vas"
                                                     << "r=3 ma=4" << true
                                                     << QString::fromUtf8(
                                                            "Figure\tCone\t\n"
                                                            "r\t3.0000\tcm\n"
                                                            "a\t5.0000\tcm\n"
                                                            "m\t4.0000\tcm\n"
                                                            "α\t53.1301\t°\n"
                                                            "α\t53° 7' 48\"\tDeg,min,sec\n"
                                                            "β\t73.7398\t°\n"
                                                            "β\t73° 44' 23\"\tDeg,min,sec\n"
                                                            "Surface\t75.40\tcm²\n"
                                                            "Volume\t37.70\tcm³\n"
                                                            "Material\tVas\t\n"
                                                            "Mass\t0.2733\tkg\n");
        QTest::newRow("solved cone in German") << "German" << ShapeKind::Cone << "cm"
                                               << "Vas"
                                               << "r=3 ma=4" << true
                                               << QString::fromUtf8(
                                                      "Figur\tKegel\t\n"
                                                      "r\t3.0000\tcm\n"
                                                      "a\t5.0000\tcm\n"
                                                      "m\t4.0000\tcm\n"
                                                      "α\t53.1301\t°\n"
                                                      "α\t53° 7' 48\"\tGrad,Min,Sek\n"
                                                      "β\t73.7398\t°\n"
                                                      "β\t73° 44' 23\"\tGrad,Min,Sek\n"
                                                      "Oberfläche\t75.40\tcm²\n"
                                                      "Volumen\t37.70\tcm³\n"
                                                      "Werkstoff\tVas\t\n"
                                                      "Masse\t0.2733\tkg\n");
        QTest::newRow("triangle with its three angle rows")
            << "English" << ShapeKind::Triangle << "mm"
            << ""
            << "a=3 b=4 c=5" << true
            << QString::fromUtf8(
                   "Figure\tTriangle\t\n"
                   "a\t3.0000\tmm\n"
                   "b\t4.0000\tmm\n"
                   "c\t5.0000\tmm\n"
                   "ma\t4.0000\tmm\n"
                   "mb\t3.0000\tmm\n"
                   "mc\t2.4000\tmm\n"
                   "α\t36.8699\t°\n"
                   "α\t36° 52' 11\"\tDeg,min,sec\n"
                   "β\t53.1301\t°\n"
                   "β\t53° 7' 48\"\tDeg,min,sec\n"
                   "γ\t90.0000\t°\n"
                   "γ\t90° 0' 0\"\tDeg,min,sec\n"
                   "Perimeter\t12.0000\tmm\n"
                   "Area\t6.00\tmm²\n");
        QTest::newRow("circle before a calculation: the fields as typed")
            << "English" << ShapeKind::Circle << "m"
            << ""
            << "r=2,5" << false
            << QString::fromUtf8(
                   "Figure\tCircle\t\n"
                   "r\t2.5000\tm\n"
                   "d\t0.0000\tm\n");
        QTest::newRow("material name with markup") << "English" << ShapeKind::Cube << "cm"
                                                   << "R&D <1>"
                                                   << "a=10" << true
                                                   << QString::fromUtf8(
                                                          "Figure\tCube\t\n"
                                                          "a\t10.0000\tcm\n"
                                                          "Surface\t600.00\tcm²\n"
                                                          "Volume\t1000.00\tcm³\n"
                                                          "Material\tR&D <1>\t\n"
                                                          "Mass\t1.0000\tkg\n");
    }
    void copyAllResults() {
        QFETCH(QString, language);
        QFETCH(ShapeKind, shape);
        QFETCH(QString, unit);
        QFETCH(QString, material);
        QFETCH(QString, inputs);
        QFETCH(bool, calculate);
        QFETCH(QString, expected);
        useLanguage(language);
        choose(shape);
        form_->EgysegComboBox->setCurrentText(unit);
        form_->AnyagComboBox->setCurrentText(material);
        typeAll(inputs);
        if (calculate) form_->SzamolBtnClick();
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(form_.get(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        QVERIFY(data);
        const QString text = data->text();
        QCOMPARE(text, expected);
        QCOMPARE(HtmlCellsAsText(data->html()), text);
        for (const QString& line : text.split('\n', Qt::SkipEmptyParts))
            QCOMPARE(line.count('\t'), 2);
    }

    void nothingToCopyBeforeAFigure() { QCOMPARE(ResultRows(*form_).size(), 0); }

    // A spreadsheet of a comma locale takes a number only with its comma: fields and
    // results alike, while degrees, minutes and seconds and the names stay as they are.
    void copiedNumbersTakeTheLocaleSeparator_data() {
        QTest::addColumn<QString>("point");
        QTest::addColumn<QString>("expected");
        QTest::newRow("comma") << ","
                               << QString::fromUtf8(
                                      "Figure\tCone\t\nr\t3,0000\tmm\na\t5,0000\tmm\n"
                                      "m\t4,0000\tmm\nα\t53,1301\t°\n"
                                      "α\t53° 7' 48\"\tDeg,min,sec\n");
        QTest::newRow("point") << "."
                               << QString::fromUtf8(
                                      "Figure\tCone\t\nr\t3.0000\tmm\na\t5.0000\tmm\n"
                                      "m\t4.0000\tmm\nα\t53.1301\t°\n"
                                      "α\t53° 7' 48\"\tDeg,min,sec\n");
    }
    void copiedNumbersTakeTheLocaleSeparator() {
        QFETCH(QString, point);
        QFETCH(QString, expected);
        choose(ShapeKind::Cone);
        typeAll("r=3 ma=4");
        form_->SzamolBtnClick();
        const QString text = RowsAsText(ResultRows(*form_, point));
        QVERIFY2(text.startsWith(expected), qPrintable(text));
        QVERIFY2(
            text.contains(QString::fromUtf8("Volume\t37") + point + QString::fromUtf8("70\tmm³\n")),
            qPrintable(text));
    }

    // The menu of a box after a calculation, when the panel is locked: "Copy" takes that
    // box's text alone; on the panel itself only "Copy all results" is offered.
    void contextMenu_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("copied");  // empty: "Copy" is disabled
        QTest::newRow("volume") << "TerfogatText2"
                                << "37.70";
        QTest::newRow("mass") << "TomegText2"
                              << "0.2733";
        QTest::newRow("seconds of an angle") << "Mperc1Text"
                                             << "48";
        QTest::newRow("a locked field") << "SugarEdit"
                                        << "3.0000";
        QTest::newRow("unit label") << "TerfogatText3"
                                    << "";
        QTest::newRow("the panel") << "InputPanel"
                                   << "";
    }
    void contextMenu() {
        QFETCH(QString, box);
        QFETCH(QString, copied);
        choose(ShapeKind::Cone);
        form_->EgysegComboBox->setCurrentText("cm");
        form_->AnyagComboBox->setCurrentText("Vas");
        typeAll("r=3 ma=4");
        form_->SzamolBtnClick();
        QVERIFY(!form_->InputPanel->isEnabled());
        QWidget* target = form_->findChild<QWidget*>(box);
        QVERIFY(target);
        QStringList captions;
        bool copyEnabled = false;
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu) return;
            for (QAction* a : menu->actions()) captions << a->text();
            copyEnabled = menu->actions().value(0)->isEnabled();
            if (copyEnabled) {
                menu->actions().value(0)->trigger();
            }
            menu->close();
        });
        QGuiApplication::clipboard()->setText("before");
        const QPoint local = target == form_->InputPanel ? QPoint(360, 300) : QPoint(3, 3);
        QContextMenuEvent event(QContextMenuEvent::Mouse, local, target->mapToGlobal(local));
        QApplication::sendEvent(target, &event);
        QCOMPARE(captions,
                 QStringList({"Copy", "Copy all results", "", "How was it solved?",
                              "Show the other figure", "", "Change values", "", "&Add to job",
                              "&Job sheet", "&Flat pattern", "", "&Zoom"}));
        QCOMPARE(copyEnabled, !copied.isEmpty());
        QCOMPARE(QGuiApplication::clipboard()->text(), copied.isEmpty() ? "before" : copied);
    }
};

MERTANO_REGISTER_TEST(TstCopyResults)
#include "tst_copy_results.moc"
