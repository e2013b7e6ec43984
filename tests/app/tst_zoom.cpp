// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAbstractButton>
#include <QLabel>
#include <QTest>
#include <functional>
#include <map>

#include "app/app_context.h"
#include "app/fo_form.h"
#include "main_window_steps.h"
#include "materials/anyag_form.h"
#include "pictures/picture_sketch.h"
#include "test_main.h"
#include "widgets/contrast.h"
#include "widgets/message_form.h"
#include "widgets/valt_form.h"
#include "widgets/zoom.h"

using namespace mertano;

namespace {

using WindowMaker = std::function<std::unique_ptr<QWidget>(AppContext&)>;

// What each text needs and has: a text that fits at 100 % must fit at every zoom.
std::map<QString, bool> TextsThatFit(const QWidget& window) {
    std::map<QString, bool> fits;
    for (const QWidget* w : window.findChildren<QWidget*>()) {
        const auto* label = qobject_cast<const QLabel*>(w);
        const auto* button = qobject_cast<const QAbstractButton*>(w);
        if (!w->isVisible() || w->objectName().isEmpty()) continue;
        if (!(label && !label->text().isEmpty()) && !(button && !button->text().isEmpty()))
            continue;
        fits[w->objectName()] = w->sizeHint().width() <= w->width() &&
                                w->sizeHint().height() <= w->height() &&
                                w->parentWidget()->rect().contains(w->geometry());
    }
    return fits;
}

}  // namespace

Q_DECLARE_METATYPE(WindowMaker)

class TstZoom : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { SetProgramZoom(100); }

    void steps_data() {
        QTest::addColumn<int>("percent");
        QTest::addColumn<int>("valid");
        QTest::addColumn<int>("next");
        QTest::addColumn<int>("previous");
        QTest::newRow("smallest") << 100 << 100 << 125 << 100;
        QTest::newRow("middle") << 150 << 150 << 175 << 125;
        QTest::newRow("largest") << 200 << 200 << 200 << 175;
        QTest::newRow("kept from elsewhere") << 130 << 100 << 150 << 125;
        QTest::newRow("nonsense") << -5 << 100 << 100 << -5;
    }
    void steps() {
        QFETCH(int, percent);
        QFETCH(int, valid);
        QFETCH(int, next);
        QFETCH(int, previous);
        QCOMPARE(ValidZoom(percent), valid);
        QCOMPARE(NextZoom(percent), next);
        QCOMPARE(PreviousZoom(percent), previous);
    }

    // Every window at 150 and 200 % within a 1920 x 1080 screen, and no text it holds
    // whole at 100 % cut at either.
    void windowsFitAndKeepTheirTexts_data() {
        QTest::addColumn<WindowMaker>("make");
        QTest::addColumn<int>("percent");
        const std::pair<const char*, WindowMaker> windows[] = {
            {"main window", [](AppContext& app) { return std::make_unique<TFoForm>(app); }},
            {"angle dialog",
             [](AppContext&) { return std::make_unique<TValtForm>(QChar('.'), nullptr); }},
            {"materials dialog",
             [](AppContext& app) {
                 return std::make_unique<TAnyagForm>(app.materials, app.language.texts());
             }},
            {"message",
             [](AppContext& app) -> std::unique_ptr<QWidget> {
                 return CreateLocalMessage(nullptr, "The file could not be saved.",
                                           MessageKind::Warning,
                                           MessageButton::Yes | MessageButton::No,
                                           MessageButton::No, app.language.texts());
             }},
        };
        for (const auto& [name, make] : windows)
            for (int percent : {150, 200})
                QTest::addRow("%s at %d %%", name, percent) << make << percent;
    }
    void windowsFitAndKeepTheirTexts() {
        QFETCH(WindowMaker, make);
        QFETCH(int, percent);
        AppContext app;
        const std::unique_ptr<QWidget> window = make(app);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        const QSize built = window->size();
        const std::map<QString, bool> before = TextsThatFit(*window);
        window->hide();
        SetProgramZoom(percent);
        window->show();  // windows take the zoom as they are shown
        QCOMPARE(WindowZoom(window.get()), percent);
        QVERIFY(window->width() > built.width());
        QVERIFY(window->width() <= 1920 && window->height() <= 1080);
        for (const auto& [name, fits] : TextsThatFit(*window))
            if (before.at(name)) QVERIFY2(fits, qPrintable(name));
    }

    // Back at 100 % the window is the one built, whatever was chosen while zoomed.
    void backAtHundredIsTheBuiltWindow() {
        AppContext app;
        TFoForm zoomed(app), plain(app);
        // Shown, as a composite control places its parts when it is resized on the screen.
        zoomed.show();
        plain.show();
        ZoomWindow(&zoomed, 200);
        test::ChooseFigure(zoomed, ShapeKind::Cube);  // moves a field at the zoom
        QCOMPARE(zoomed.AoldEdit->y(), Zoomed(BasePosition(zoomed.AoldEdit).y(), 200));
        ZoomWindow(&zoomed, 100);
        test::ChooseFigure(plain, ShapeKind::Cube);
        const QList<QWidget*> a = zoomed.findChildren<QWidget*>();
        const QList<QWidget*> b = plain.findChildren<QWidget*>();
        QCOMPARE(a.size(), b.size());
        for (qsizetype k = 0; k < a.size(); ++k) {
            if (a[k]->window() != &zoomed) continue;  // popups lay themselves out when shown
            QVERIFY2(a[k]->geometry() == b[k]->geometry(), qPrintable(a[k]->objectName()));
            QVERIFY2(a[k]->font() == b[k]->font(), qPrintable(a[k]->objectName()));
        }
        QCOMPARE(zoomed.size(), plain.size());
    }

    // A control's own colours give way to black on white, also ones set while high
    // contrast is on, and the latest of them comes back when it is turned off.
    void highContrastGivesWayAndComesBack() {
        QLabel box("75.40");
        QPalette aqua = box.palette();
        aqua.setColor(QPalette::Window, Qt::cyan);
        aqua.setColor(QPalette::WindowText, Qt::red);
        box.setPalette(aqua);
        box.show();
        SetHighContrast(true);
        QCOMPARE(box.palette().color(QPalette::Window), QColor(Qt::white));
        QCOMPARE(box.palette().color(QPalette::WindowText), QColor(Qt::black));
        QVERIFY(SketchStroke() > 1);
        QPalette yellow = aqua;
        yellow.setColor(QPalette::Window, Qt::yellow);
        box.setPalette(yellow);  // as the window does when a figure is chosen
        QCOMPARE(box.palette().color(QPalette::Window), QColor(Qt::white));
        SetHighContrast(false);
        QCOMPARE(box.palette().color(QPalette::Window), QColor(Qt::yellow));
        QCOMPARE(box.palette().color(QPalette::WindowText), QColor(Qt::red));
        QCOMPARE(SketchStroke(), 1.0);
    }
};

MERTANO_REGISTER_TEST(TstZoom)
#include "tst_zoom.moc"
