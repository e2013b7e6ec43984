// SPDX-License-Identifier: GPL-3.0-or-later
// Mertano: the window, its three dialogs and the event loop.
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <csignal>

#include "app/app_context.h"
#include "app/app_identity.h"
#include "app/fo_form.h"
#include "app/help_window.h"
#include "app/program_folder.h"
#include "app/screenshot.h"
#include "lang/nyelv_form.h"
#include "lang/qt_translation.h"
#include "materials/anyag_form.h"
#include "lang/settle_dialogs.h"
#include "lang/settle_language.h"
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
    parser.addOption(screenshotOption);
    parser.process(application);

    mertano::AppContext app;
    ReadStartupValues(app.values);
    mertano::SettleDialogs boxes;
    const mertano::SettledLanguage settled =
        mertano::SettleLanguage(app.values.programFolder, mertano::SystemLocaleCode(), boxes);
    if (!settled.settled()) return settled.exitCode;
    app.language = mertano::LanguageState(app.values.programFolder, settled.languageName,
                                          settled.languageNames);
    mertano::QtTranslation qtTexts;
    qtTexts.setLanguage(app.language.languageName());

    mertano::TFoForm main(app);
    // The secondary windows have no parent: a disabled main window must not disable them.
    mertano::TAnyagForm anyag(app.materials, app.language.texts(), &main);
    mertano::TNyelvForm nyelv(app.language);
    mertano::TValtForm valt;
    QObject::connect(&nyelv, &mertano::TNyelvForm::TextsChanged, &main, &mertano::TFoForm::Nyelvvalt);
    QObject::connect(&nyelv, &mertano::TNyelvForm::TextsChanged, &main,
                     [&] { qtTexts.setLanguage(app.language.languageName()); });
    main.setSecondaryWindows(&anyag, &nyelv, &valt);
    mertano::HelpWindow help(app.values.programFolder, app.pictures);
    app.actions = std::make_shared<mertano::DesktopActions>([&](const QString& topic) {
        help.setLanguage(app.language.languageName(), app.language.texts());
        help.showTopic(topic);
    });
    main.show();
    if (parser.isSet(screenshotOption)) {
        return mertano::SaveSolvedScreenshot(main, parser.value(screenshotOption)) ? 0 : 1;
    }
    application.exec();
    return 0;
}
