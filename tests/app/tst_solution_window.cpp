// SPDX-License-Identifier: GPL-3.0-or-later
// The window that shows how the main window's last calculation was solved.
#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <memory>

#include "app/app_context.h"
#include "app/figure_button.h"
#include "app/fo_form.h"
#include "app/solution_window.h"
#include "main_window_steps.h"
#include "shapes/shape_catalogue.h"
#include "test_main.h"
#include "widgets/float_edit.h"

using namespace mertano;

Q_DECLARE_METATYPE(mertano::ShapeKind)

class TstSolutionWindow : public test::MainWindowTest {
    Q_OBJECT

    // "r=3 m=4" set as the fields' value setter sets them, then the calculate command.
    void solve(ShapeKind shape, const QString& inputs) {
        form_->figureButton(shape)->click();
        for (const QString& item : inputs.split(' ', Qt::SkipEmptyParts)) {
            const QStringList kv = item.split('=');
            form_->edit(*FieldFromValueName(kv[0].toStdString()))->setValue(kv[1].toDouble());
        }
        form_->SzamolBtnClick();
    }
    QString shown() { return form_->solutionWindow()->plainText(); }
    QString noSolution() {
        return QString::fromStdString(app_->language.texts().text(kTextNoSolution));
    }

private slots:
    void init() { QVERIFY(openWindow()); }
    void cleanup() { closeWindow(); }

    void builtOnlyWhenAskedFor() {
        solve(ShapeKind::Cone, "r=3 ma=4");
        QVERIFY(!form_->solutionWindow());
        QTest::keyClick(form_.get(), Qt::Key_F2);
        QVERIFY(form_->solutionWindow() && form_->solutionWindow()->isVisible());
        QVERIFY(shown().contains(QString::fromUtf8("1. Slant height: a = √(m² + r²)")));
    }

    // A new calculation shows its own steps, a reset empties the window, and closing it
    // leaves the main window as it was.
    void followsTheMainWindow() {
        QTest::keyClick(form_.get(), Qt::Key_F2);
        QCOMPARE(shown(), noSolution());
        solve(ShapeKind::Cone, "r=3 ma=4");
        QVERIFY(shown().contains(QString::fromUtf8("V = r²·π·m / 3")));
        test::MessageCatcher notFitting;  // the window says that r and d do not fit
        notFitting.armOnce();
        solve(ShapeKind::Circle, "r=5 d=7");
        QCOMPARE(notFitting.seen, 1);
        QVERIFY(test::ShowActive(*form_));  // the message took the activation with it
        QVERIFY(shown().contains("d: 7.0000 mm typed, replaced by 10.0000 mm"));
        QVERIFY(!shown().contains("V = "));
        form_->UjBtn->click();
        QCOMPARE(shown(), noSolution());

        solve(ShapeKind::Cube, "a=2");
        const QString volume = form_->TerfogatText2->text();
        form_->solutionWindow()->close();
        QCOMPARE(form_->TerfogatText2->text(), volume);
        QCOMPARE(form_->AoldEdit->text(), QString("2.0000"));
        // Shown again, it has caught up with what happened while it was closed.
        form_->UjBtn->click();
        QTest::keyClick(form_.get(), Qt::Key_F2);
        QCOMPARE(shown(), noSolution());
    }

    void contextMenuOffersItAfterACalculation() {
        QMenu before;
        form_->addSolutionAction(&before);
        QVERIFY(!before.findChild<QAction*>("SolutionAction")->isEnabled());
        solve(ShapeKind::Sphere, "r=3");
        QMenu after;
        form_->addSolutionAction(&after);
        QAction* action = after.findChild<QAction*>("SolutionAction");
        QVERIFY(action->isEnabled());
        QCOMPARE(action->text(), QString("How was it solved?"));
        action->trigger();
        QVERIFY(form_->solutionWindow()->isVisible());
        QVERIFY(shown().contains(QString::fromUtf8("S = 4·r²·π = 4·3.0000²·π = 113.10 mm²")));
    }

    void copiesTextAndHtml() {
        solve(ShapeKind::Cone, "r=3 ma=4");
        form_->showSolutionWindow();
        form_->solutionWindow()->findChild<QPushButton*>("SolutionCopyBtn")->click();
        const QMimeData* data = QApplication::clipboard()->mimeData();
        QCOMPARE(data->text(), shown());
        QVERIFY(data->html().contains(QString::fromUtf8("<b>53.1301° (53° 7′ 48″)</b>")));
        QVERIFY(!data->html().contains("<img"));
    }

    // The steps in each language, looked at as pictures when MERTANO_SHOTS names a folder.
    void inEveryLanguage_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<ShapeKind>("shape");
        QTest::addColumn<QString>("inputs");
        QTest::addColumn<QString>("expected");
        const auto cone = ShapeKind::Cone, triangle = ShapeKind::Triangle;
        QTest::newRow("cone, English") << "English" << cone << "r=3 ma=4"
                                       << "1. Slant height: a";
        QTest::newRow("cone, Hungarian") << "Hungarian" << cone << "r=3 ma=4"
                                         << "1. Alkotó: a";
        QTest::newRow("cone, German") << "German" << cone << "r=3 ma=4"
                                      << "1. Mantellinie: a";
        QTest::newRow("triangle, English") << "English" << triangle << "a=5 b=6 c=7"
                                           << "Given: a = 5.0000 mm, b = 6.0000 mm";
        QTest::newRow("triangle, Hungarian") << "Hungarian" << triangle << "a=5 b=6 c=7"
                                             << "Lépések:\n1. Kerület: P = a + b + c";
        QTest::newRow("triangle, German") << "German" << triangle << "a=5 b=6 c=7"
                                          << "8. Höhe: m_c = sin(β)·a";
    }
    void inEveryLanguage() {
        QFETCH(QString, language);
        QFETCH(ShapeKind, shape);
        QFETCH(QString, inputs);
        QFETCH(QString, expected);
        app_->language = LanguageState(MERTANO_PROGRAM_FOLDER, language);
        form_->Nyelvvalt();
        solve(shape, inputs);
        form_->showSolutionWindow();
        SolutionWindow* window = form_->solutionWindow();
        QVERIFY2(shown().contains(expected), qPrintable(shown()));
        QCOMPARE(window->windowTitle(),
                 QString::fromStdString(app_->language.texts().text(kTextHowSolved)));
        const QString folder = qEnvironmentVariable("MERTANO_SHOTS");
        if (!folder.isEmpty()) {
            QApplication::processEvents();
            QVERIFY(window->grab().save(QDir(folder).filePath(
                QString("solution-%1-%2.png").arg(Shape(shape).name.data(), language))));
        }
    }
};

MERTANO_REGISTER_TEST(TstSolutionWindow)
#include "tst_solution_window.moc"
