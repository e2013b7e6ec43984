// SPDX-License-Identifier: GPL-3.0-or-later
// The flat pattern from the main window: of the figure solved there, from its solved
// fields, and only for the figures that unroll.
#include <QTest>

#include "main_window_steps.h"
#include "pattern/pattern_window.h"
#include "test_main.h"

namespace mertano {

class TstPatternCommand : public test::MainWindowTest {
    Q_OBJECT

private slots:
    void init() { QVERIFY(openWindow()); }
    void cleanup() { closeWindow(); }

    void patternOfTheSolvedFigure_data() {
        QTest::addColumn<ShapeKind>("shape");
        QTest::addColumn<QString>("inputs");
        QTest::addColumn<double>("outer");  // 0: no pattern is offered
        QTest::addColumn<double>("angle");
        QTest::newRow("cone from r and m") << ShapeKind::Cone << "r=30 ma=40" << 50.0 << 216.0;
        // The slant height is worked out by the solver, not typed.
        QTest::newRow("truncated cone") << ShapeKind::TruncatedCone << "R=60 r=30 ma=40" << 100.0
                                        << 216.0;
        QTest::newRow("cylinder") << ShapeKind::Cylinder << "r=20 ma=120" << 0.0 << 0.0;
        QTest::newRow("sphere: nothing to unroll") << ShapeKind::Sphere << "r=20" << -1.0 << 0.0;
    }
    void patternOfTheSolvedFigure() {
        QFETCH(ShapeKind, shape);
        QFETCH(QString, inputs);
        QFETCH(double, outer);
        QFETCH(double, angle);
        test::ChooseFigure(*form_, shape);
        test::TypeAll(*form_, inputs);
        form_->SzamolBtnClick();
        QCOMPARE(form_->canShowPattern(), outer >= 0);
        if (outer < 0) return;
        form_->showPatternWindow();
        QVERIFY(form_->patternWindow());
        const std::optional<FlatPattern>& pattern = form_->patternWindow()->pattern();
        QVERIFY(pattern);
        if (shape == ShapeKind::Cylinder) {
            QCOMPARE(pattern->kind, PatternKind::Rectangle);
            QVERIFY(qAbs(static_cast<double>(pattern->width) - 125.6637) < 1e-4);
            return;
        }
        QVERIFY(qAbs(static_cast<double>(pattern->outerRadius) - outer) < 1e-4);
        QVERIFY(qAbs(static_cast<double>(pattern->angleDegrees) - angle) < 1e-4);
    }
};

MERTANO_REGISTER_TEST(TstPatternCommand)

}  // namespace mertano

#include "tst_pattern_command.moc"
