// Mertano: the window, its three dialogs and the event loop.
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>

#include "app/app_context.h"
#include "app/fo_form.h"
#include "app/screenshot.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("Mertano");
    QApplication::setApplicationVersion(MERTANO_VERSION);

    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption screenshotOption(
        "screenshot", "Save a picture of the window with a solved figure, then quit.", "FILE");
    parser.addOption(screenshotOption);
    parser.process(application);

    mertano::AppContext app;
    app.values.programFolder = QDir(QApplication::applicationDirPath()).absolutePath() + "/";
    app.values.workingFolder = QDir::currentPath();
    const mertano::WebsiteAddresses addresses =
        mertano::ReadWebsiteUrlFile(app.values.programFolder + "website.url");
    app.values.websiteAddress = addresses.website;
    app.values.mailAddress = addresses.mail;
    app.values.browserCommand = mertano::SystemBrowserCommand();
    app.values.versionText = mertano::VersionText(MERTANO_VERSION);

    mertano::TFoForm main(app);
    // The secondary windows exist from the start, hidden; they become whole dialogs as
    // their parts are built.
    QWidget anyag, nyelv, valt;
    anyag.setObjectName("TAnyagForm");
    nyelv.setObjectName("TNyelvForm");
    valt.setObjectName("TValtForm");
    main.setSecondaryWindows(&anyag, &nyelv, &valt);
    main.show();
    if (parser.isSet(screenshotOption)) {
        return mertano::SaveSolvedScreenshot(main, parser.value(screenshotOption)) ? 0 : 1;
    }
    application.exec();
    return 0;
}
