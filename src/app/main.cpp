// SPDX-License-Identifier: GPL-3.0-or-later
// Mertano: the window, its three dialogs and the event loop.
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QEvent>
#include <QTimer>
#include <csignal>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>

#include "app/app_context.h"
#include "app/app_identity.h"
#include "app/fo_form.h"
#include "app/help_window.h"
#include "app/screenshot.h"
#include "lang/detailed_message.h"
#include "lang/nyelv_form.h"
#include "lang/qt_translation.h"
#include "lang/settle_dialogs.h"
#include "lang/settle_language.h"
#include "materials/anyag_form.h"
#include "system/program_folder.h"
#include "system/user_data_folder.h"
#include "widgets/message_form.h"
#include "widgets/valt_form.h"

namespace {

void ReadStartupValues(mertano::StartupValues& values) {
    values.programFolder = mertano::ProgramFolder();
    values.workingFolder = QDir::currentPath();
    const mertano::WebsiteAddresses addresses =
        mertano::ReadWebsiteUrlFile(values.programFolder + "website.url");
    values.websiteAddress = addresses.website;
    values.mailAddress = addresses.mail;
    values.browserCommand = mertano::SystemBrowserCommand();
    values.versionText = mertano::VersionText(MERTANO_VERSION);
}

// Runs a task once the window has been painted for the first time, so that work the
// user cannot see waits until there is something to see.
class AfterFirstPaint : public QObject {
public:
    AfterFirstPaint(QWidget* window, std::function<void()> task) : task_(std::move(task)) {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && task_) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, this, std::exchange(task_, {}));
        }
        return false;
    }

private:
    std::function<void()> task_;
};

}  // namespace

int main(int argc, char* argv[]) {
#ifdef SIGXFSZ
    // Beyond a file-size limit a save then fails with an error that the window explains.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    QApplication application(argc, argv);
    QApplication::setApplicationName("Mertano");
    QApplication::setApplicationVersion(MERTANO_VERSION);
    mertano::ApplyApplicationIdentity();

    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption screenshotOption(
        "screenshot", "Save a picture of the window with a solved figure, then quit.", "FILE");
    const QCommandLineOption userDataOption(
        "user-data",
        "Keep the materials in $XDG_DATA_HOME/mertano (or ~/.local/share/mertano), made "
        "when missing, instead of the working folder, as the desktop menu's Mertano does.");
    parser.addOptions({screenshotOption, userDataOption});
    parser.process(application);

    // Before anything takes the working folder: the material store keeps the path it
    // finds when it is made.
    std::optional<mertano::DataFolderFailure> dataFolderFailure;
    if (parser.isSet(userDataOption))
        dataFolderFailure = mertano::EnterFolder(mertano::UserDataFolder());
    mertano::AppContext app;
    ReadStartupValues(app.values);
    mertano::SettleDialogs boxes;
    mertano::SettledLanguage settled =
        mertano::SettleLanguage(app.values.programFolder, mertano::SystemLocaleCode(), boxes);
    if (!settled.settled()) return settled.exitCode;
    app.language = mertano::LanguageState(app.values.programFolder, settled.languageName,
                                          settled.languageNames);
    mertano::QtTranslation qtTexts;
    qtTexts.setLanguage(app.language.languageName());

    mertano::TFoForm main(app);
    // The dialogs and the help window are made when first wanted: a start that opens
    // none of them pays for none. They have no parent widget: they are owned here, and
    // each showing tells a dialog's window which window it blocks.
    std::unique_ptr<mertano::TAnyagForm> anyag;
    std::unique_ptr<mertano::TNyelvForm> nyelv;
    std::unique_ptr<mertano::TValtForm> valt;
    std::unique_ptr<mertano::HelpWindow> help;
    main.setSecondaryWindows(
        [&]() -> QWidget* {
            anyag =
                std::make_unique<mertano::TAnyagForm>(app.materials, app.language.texts(), &main);
            return anyag.get();
        },
        [&]() -> QWidget* {
            nyelv = std::make_unique<mertano::TNyelvForm>(app.language);
            QObject::connect(nyelv.get(), &mertano::TNyelvForm::TextsChanged, &main,
                             &mertano::TFoForm::Nyelvvalt);
            QObject::connect(nyelv.get(), &mertano::TNyelvForm::TextsChanged, &main,
                             [&] { qtTexts.setLanguage(app.language.languageName()); });
            return nyelv.get();
        },
        [&]() -> QWidget* {
            valt = std::make_unique<mertano::TValtForm>();
            return valt.get();
        });
    app.actions = std::make_shared<mertano::DesktopActions>([&](const QString& topic) {
        if (!help)
            help = std::make_unique<mertano::HelpWindow>(app.values.programFolder, app.pictures);
        help->setLanguage(app.language.languageName(), app.language.texts());
        help->showTopic(topic);
    });
    // Without a window left to say it in, or with no one to answer a message (a
    // screenshot), a settings file that could not be written is said on standard error.
    const bool screenshot = parser.isSet(screenshotOption);
    const auto rememberQuietly = [&settled] {
        if (const std::optional<QString> error = mertano::RememberSettledLanguage(settled))
            std::fprintf(stderr, "%s\n", qPrintable(*error));
    };
    // In the window's language, whose texts are read when the window is first shown.
    const auto dataFolderMessage = [&] {
        return mertano::DataFolderNotMadeText(app.language.texts(), *dataFolderFailure) +
               QStringLiteral("\r\r") + dataFolderFailure->reason;
    };
    const AfterFirstPaint afterFirstPaint(&main, [&] {
        mertano::ApplyApplicationIcon();
        if (screenshot) return rememberQuietly();
        const mertano::LanguageTexts& texts = app.language.texts();
        if (dataFolderFailure) {
            mertano::ShowLocalMessage(&main, dataFolderMessage(), mertano::MessageKind::Warning,
                                      mertano::MessageButton::OK, mertano::MessageButton::OK, 0,
                                      texts);
        }
        if (const std::optional<QString> error = mertano::RememberSettledLanguage(settled)) {
            mertano::ShowLocalMessage(
                &main, mertano::DetailedMessage(texts, mertano::kTextSettingsNotSaved, *error),
                mertano::MessageKind::Error, mertano::MessageButton::OK, mertano::MessageButton::OK,
                0, texts);
        }
    });
    main.show();
    if (screenshot) {
        if (dataFolderFailure)
            std::fprintf(stderr, "%s\n", qPrintable(dataFolderMessage().replace('\r', '\n')));
        const bool saved = mertano::SaveSolvedScreenshot(main, parser.value(screenshotOption));
        rememberQuietly();
        return saved ? 0 : 1;
    }
    application.exec();
    rememberQuietly();
    return 0;
}
