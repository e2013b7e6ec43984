// SPDX-License-Identifier: GPL-3.0-or-later
// The dialogs are made only when the toolbar first opens them; made late, each must
// show what it would have shown had it been made at start-up.
#include <QAbstractButton>
#include <QLabel>
#include <QTest>
#include <QToolButton>

#include "app/app_context.h"
#include "app/fo_form.h"
#include "lang/language_file.h"
#include "lang/nyelv_form.h"
#include "lang/text_placement.h"
#include "materials/anyag_form.h"
#include "test_main.h"
#include "widgets/valt_form.h"

using namespace mertano;

namespace {

const QString kProgramFolder = MERTANO_PROGRAM_FOLDER;

enum class Dialog { Materials, Languages, Angles };

std::unique_ptr<QWidget> MakeDialog(Dialog which, AppContext& app, QWidget* main) {
    switch (which) {
        case Dialog::Materials:
            return std::make_unique<TAnyagForm>(app.materials, app.language.texts(), main);
        case Dialog::Languages:
            return std::make_unique<TNyelvForm>(app.language);
        case Dialog::Angles:
            break;
    }
    return std::make_unique<TValtForm>();
}

// Every caption a user reads on a window, in a fixed order.
QStringList Captions(QWidget* window) {
    QStringList captions{window->windowTitle()};
    for (const QLabel* label : window->findChildren<QLabel*>()) captions << label->text();
    for (const QAbstractButton* button : window->findChildren<QAbstractButton*>())
        captions << button->text();
    return captions;
}

}  // namespace

Q_DECLARE_METATYPE(Dialog)

class TstLazyWindows : public QObject {
    Q_OBJECT

private slots:
    void dialogMadeOnFirstOpenShowsTheCurrentTexts_data() {
        QTest::addColumn<Dialog>("dialog");
        QTest::addColumn<QString>("startLanguage");
        QTest::addColumn<QString>("languageAtOpen");
        QTest::addColumn<QString>("button");
        const struct {
            const char* name;
            Dialog dialog;
            const char* button;
        } dialogs[] = {{"materials", Dialog::Materials, "AnyagSpBtn"},
                       {"languages", Dialog::Languages, "NyelvSpBtn"},
                       {"angles", Dialog::Angles, "ValtSpBtn"}};
        const std::pair<const char*, const char*> languages[] = {
            {"English", "English"},
            {"German", "German"},
            {"Hungarian", "Hungarian"},
            // Changed after start-up, before the dialog was ever made.
            {"English", "Hungarian"},
            {"Hungarian", "German"}};
        for (const auto& d : dialogs) {
            for (const auto& [start, atOpen] : languages) {
                QTest::addRow("%s, %s then %s", d.name, start, atOpen)
                    << d.dialog << QString(start) << QString(atOpen) << QString(d.button);
            }
        }
    }

    void dialogMadeOnFirstOpenShowsTheCurrentTexts() {
        QFETCH(Dialog, dialog);
        QFETCH(QString, startLanguage);
        QFETCH(QString, languageAtOpen);
        QFETCH(QString, button);
        AppContext app;
        app.values.programFolder = kProgramFolder;
        app.language =
            LanguageState(kProgramFolder, startLanguage, ListLanguageNames(kProgramFolder));
        TFoForm form(app);
        std::unique_ptr<QWidget> made;
        int makings = 0;
        const TFoForm::WindowMaker maker = [&]() -> QWidget* {
            ++makings;
            made = MakeDialog(dialog, app, &form);
            return made.get();
        };
        form.setSecondaryWindows(dialog == Dialog::Materials ? maker : nullptr,
                                 dialog == Dialog::Languages ? maker : nullptr,
                                 dialog == Dialog::Angles ? maker : nullptr);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(makings, 0);
        if (languageAtOpen != startLanguage) {
            app.language.setLanguageName(languageAtOpen);
            form.Nyelvvalt();
        }

        QTest::mouseClick(form.findChild<QToolButton*>(button), Qt::LeftButton);
        QCOMPARE(makings, 1);
        QVERIFY(made && made->isVisible());
        // The same dialog made at start-up and given the texts as the window gives them.
        const std::unique_ptr<QWidget> eager = MakeDialog(dialog, app, &form);
        ApplyLanguageTexts(eager.get(), app.language.texts());
        QCOMPARE(Captions(made.get()), Captions(eager.get()));

        // Opened again, it is the same window, not a new one.
        made->close();
        QVERIFY(form.isEnabled());
        QTest::mouseClick(form.findChild<QToolButton*>(button), Qt::LeftButton);
        QCOMPARE(makings, 1);
        QVERIFY(made->isVisible());
        made->close();
    }
};

MERTANO_REGISTER_TEST(TstLazyWindows)
#include "tst_lazy_windows.moc"
