// SPDX-License-Identifier: GPL-3.0-or-later
// The main window at the ends of the number range: the largest values a field takes
// give results shown whole, and the tiniest typed value leaves the window working.
#include <QFontMetrics>
#include <QLabel>
#include <QTest>
#include <memory>

#include "app/app_context.h"
#include "app/figure_button.h"
#include "app/fo_form.h"
#include "shapes/shape_catalogue.h"
#include "main_window_steps.h"
#include "test_main.h"
#include "widgets/float_edit.h"

using namespace mertano;

Q_DECLARE_METATYPE(mertano::ShapeKind)

class TstWholeNumbers : public test::MainWindowTest {
    Q_OBJECT

    void choose(ShapeKind shape) { test::ChooseFigure(*form_, shape); }

private slots:
    void init() { QVERIFY(openWindow()); }
    void cleanup() { closeWindow(); }

    void largestInputsGiveWholeResults_data() {
        QTest::addColumn<ShapeKind>("shape");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("surface");
        QTest::addColumn<QString>("volume");
        QTest::newRow("cube") << ShapeKind::Cube << "a"
                              << "60000000000.00"
                              << "1000000000000000.00";
        QTest::newRow("sphere") << ShapeKind::Sphere << "r"
                                << "125663706143.59"
                                << "4188790204786390.98";
    }
    void largestInputsGiveWholeResults() {
        QFETCH(ShapeKind, shape);
        QFETCH(QString, field);
        choose(shape);
        TFloatEdit* edit = form_->edit(*FieldFromValueName(field.toStdString()));
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, "100000");
        QTest::keyClick(edit, Qt::Key_Tab);
        form_->SzamolBtnClick();
        QVERIFY(!form_->InputPanel->isEnabled());
        QCOMPARE(edit->text(), QString("100000.0000"));
        for (QLabel* box : {form_->FeluletText2, form_->TerfogatText2}) {
            const QString text = box->text();
            QCOMPARE(box->toolTip(), text);
            QCOMPARE(box->accessibleDescription(), text);
            QVERIFY2(
                QFontMetrics(box->font()).horizontalAdvance(text) <= box->contentsRect().width(),
                qPrintable(text));
        }
        QTEST(form_->FeluletText2->text(), "surface");
        QTEST(form_->TerfogatText2->text(), "volume");
    }

    // "100", Home, Right, "e-", Home, three times Right, "1", Tab: the field holds
    // 1e-100, which once overran the formatter's digit buffer.
    void tinyTypedValueShowsAsZero() {
        choose(ShapeKind::Cube);
        TFloatEdit* a = form_->AoldEdit;
        a->setFocus();
        a->selectAll();
        QTest::keyClicks(a, "100");
        QTest::keyClick(a, Qt::Key_Home);
        QTest::keyClick(a, Qt::Key_Right);
        QTest::keyClicks(a, "e-");
        QTest::keyClick(a, Qt::Key_Home);
        for (int k = 0; k < 3; ++k) QTest::keyClick(a, Qt::Key_Right);
        QTest::keyClicks(a, "1");
        QCOMPARE(a->text(), QString("1e-100"));
        QTest::keyClick(a, Qt::Key_Tab);
        QCOMPARE(a->text(), QString("0.0000"));
        QVERIFY(!a->hasFocus());
    }
};

MERTANO_REGISTER_TEST(TstWholeNumbers)
#include "tst_whole_numbers.moc"
