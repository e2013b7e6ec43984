// SPDX-License-Identifier: GPL-3.0-or-later
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "app/help_window.h"
#include "lang/language_file.h"
#include "pictures/pictures.h"
#include "test_main.h"

using namespace mertano;

namespace {

// The pages as written, and the folder the build copies them beside the program.
const QString kSourceHelp = MERTANO_HELP_SOURCE;
const QString kProgramFolder = MERTANO_PROGRAM_FOLDER;

QString ReadPage(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll());
}

// Every value of the attribute in the page, in order.
QStringList Attributes(const QString& page, const QString& attribute) {
    const QRegularExpression pattern("\\b" + attribute + "\\s*=\\s*\"([^\"]*)\"",
                                     QRegularExpression::CaseInsensitiveOption);
    QStringList values;
    for (const QRegularExpressionMatch& match : pattern.globalMatch(page))
        values << match.captured(1);
    return values;
}

QString FileName(const QUrl& url) {
    return QFileInfo(url.toLocalFile()).fileName();
}

// The texts of a language as the build copies its file beside the program; English
// wording for a name without a file.
LanguageTexts Texts(const QString& language) {
    auto loaded = LoadLanguageTexts(kProgramFolder, language);
    if (auto* texts = std::get_if<LanguageTexts>(&loaded)) return *texts;
    return {};
}

void SetLanguage(HelpWindow& window, const QString& language) {
    window.setLanguage(language, Texts(language));
}

QToolButton* Button(HelpWindow& window, const char* name) {
    return window.findChild<QToolButton*>(name);
}

}  // namespace

class TestHelpWindow : public QObject {
    Q_OBJECT

private slots:
    void folderFollowsTheLanguage_data();
    void folderFollowsTheLanguage();
    void topicGivesPage_data();
    void topicGivesPage();
    void everyPageIsThereInBothLanguages_data();
    void everyPageIsThereInBothLanguages();
    void everyLinkResolves_data();
    void everyLinkResolves();
    void buildCopiesThePagesBesideTheProgram();
    void windowShowsTheStartPage_data();
    void windowShowsTheStartPage();
    void linksAndHistoryNavigate();
    void linksLeavingTheHelpAreNotFollowed_data();
    void linksLeavingTheHelpAreNotFollowed();
    void pagePicturesComeFromThePictureList();
    void missingPagesShowAMessage_data();
    void missingPagesShowAMessage();
    void hungarianWithoutItsPagesFallsBackToEnglish();
};

void TestHelpWindow::folderFollowsTheLanguage_data() {
    QTest::addColumn<QString>("programFolder");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("folder");
    const QString program = "/opt/mertano/";
    QTest::addRow("Hungarian") << program << "Hungarian"
                               << "/opt/mertano/help/hu/";
    // A name typed at the first start stays in lower case for the whole run.
    QTest::addRow("hungarian in lower case") << program << "hungarian"
                                             << "/opt/mertano/help/hu/";
    QTest::addRow("HUNGARIAN") << program << "HUNGARIAN"
                               << "/opt/mertano/help/hu/";
    QTest::addRow("with blanks") << program << " Hungarian "
                                 << "/opt/mertano/help/hu/";
    QTest::addRow("English") << program << "English"
                             << "/opt/mertano/help/en/";
    QTest::addRow("German") << program << "German"
                            << "/opt/mertano/help/de/";
    QTest::addRow("german") << program << "german"
                            << "/opt/mertano/help/de/";
    QTest::addRow("none yet") << program << ""
                              << "/opt/mertano/help/en/";
    QTest::addRow("longer name") << program << "Hungarian2"
                                 << "/opt/mertano/help/en/";
    QTest::addRow("own name") << program << "Magyar"
                              << "/opt/mertano/help/en/";
    QTest::addRow("folder without separator") << "/opt/mertano"
                                              << "Hungarian"
                                              << "/opt/mertano/help/hu/";
}

void TestHelpWindow::folderFollowsTheLanguage() {
    QFETCH(QString, programFolder);
    QFETCH(QString, language);
    QFETCH(QString, folder);
    QCOMPARE(HelpFolder(programFolder, language), folder);
}

void TestHelpWindow::topicGivesPage_data() {
    QTest::addColumn<QString>("topic");
    QTest::addColumn<QString>("page");
    QTest::addRow("start topic") << kHelpStartTopic << "index.html";
    QTest::addRow("start topic, other case") << "scribble10"
                                             << "index.html";
    QTest::addRow("empty") << ""
                           << "index.html";
    QTest::addRow("unknown") << "Scribble11"
                             << "index.html";
    QTest::addRow("a page") << "cone"
                            << "cone.html";
    QTest::addRow("a page, other case") << "Truncated_Cone"
                                        << "truncated_cone.html";
    QTest::addRow("page with its suffix") << "cone.html"
                                          << "index.html";
    QTest::addRow("a path") << "../../etc/passwd"
                            << "index.html";
    QTest::addRow("a path to a page") << "../en/cone"
                                      << "index.html";
}

void TestHelpWindow::topicGivesPage() {
    QFETCH(QString, topic);
    QFETCH(QString, page);
    QCOMPARE(HelpPage(topic), page);
}

void TestHelpWindow::everyPageIsThereInBothLanguages_data() {
    QTest::addColumn<QString>("language");
    QTest::addRow("English") << "en";
    QTest::addRow("Hungarian") << "hu";
    QTest::addRow("German") << "de";
}

void TestHelpWindow::everyPageIsThereInBothLanguages() {
    QFETCH(QString, language);
    const QDir folder(kSourceHelp + language);
    QVERIFY2(folder.exists(), qPrintable(folder.path()));
    // The pages of the folder are exactly the pages the topics know: none missing, none
    // that no topic and no other language has.
    QStringList onDisk = folder.entryList({"*.html", "*.htm"}, QDir::Files);
    QStringList known = HelpPages();
    onDisk.sort();
    known.sort();
    QCOMPARE(onDisk, known);
    for (const QString& name : HelpPages()) {
        const QString page = ReadPage(folder.filePath(name));
        QVERIFY2(!page.isEmpty(), qPrintable(name + " is empty or unreadable"));
        const QRegularExpression title("<title>\\s*\\S[^<]*</title>");
        QVERIFY2(title.match(page).hasMatch(), qPrintable(name + " has no title"));
        QVERIFY2(page.contains(QString("lang=\"%1\"").arg(language)),
                 qPrintable(name + " says another language"));
        QVERIFY2(page.contains("charset=\"utf-8\"", Qt::CaseInsensitive),
                 qPrintable(name + " does not say its encoding"));
    }
}

void TestHelpWindow::everyLinkResolves_data() {
    QTest::addColumn<QString>("path");
    for (const char* language : {"en", "hu", "de"})
        for (const QString& name : HelpPages())
            QTest::addRow("%s/%s", language, qPrintable(name))
                << kSourceHelp + language + "/" + name;
}

void TestHelpWindow::everyLinkResolves() {
    QFETCH(QString, path);
    const QString page = ReadPage(path);
    QVERIFY(!page.isEmpty());
    const QUrl base = QUrl::fromLocalFile(path);
    const QString root = QFileInfo(kSourceHelp).canonicalFilePath() + "/";
    const PictureList pictures;
    for (const QString& href : Attributes(page, "href")) {
        const QUrl url(href);
        QVERIFY2(url.isRelative(), qPrintable(href + " leaves the help"));
        const QUrl target = base.resolved(url);
        const QFileInfo file(target.toLocalFile());
        QVERIFY2(file.isFile(), qPrintable(href + " leads nowhere"));
        QVERIFY2(file.canonicalFilePath().startsWith(root), qPrintable(href + " leaves the help"));
        if (target.hasFragment()) {
            const QString anchor = target.fragment();
            const QString other = ReadPage(file.filePath());
            QVERIFY2(Attributes(other, "id").contains(anchor) ||
                         Attributes(other, "name").contains(anchor),
                     qPrintable(href + ": no such place in the page"));
        }
    }
    for (const QString& src : Attributes(page, "src")) {
        const QUrl url(src);
        QCOMPARE(url.scheme(), QString("picture"));
        QVERIFY2(pictures.has(url.path()), qPrintable(src + " names no picture"));
    }
}

void TestHelpWindow::buildCopiesThePagesBesideTheProgram() {
    for (const char* language : {"en", "hu", "de"}) {
        for (const QString& name : HelpPages()) {
            const QString written = kSourceHelp + language + "/" + name;
            const QString copied = kProgramFolder + "help/" + language + "/" + name;
            QVERIFY2(QFileInfo::exists(copied), qPrintable(copied));
            QVERIFY2(ReadPage(written) == ReadPage(copied), qPrintable(copied + " is stale"));
        }
    }
    QVERIFY(QFileInfo::exists(kProgramFolder + "help/style.css"));
}

void TestHelpWindow::windowShowsTheStartPage_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("heading");
    QTest::addRow("English") << "English"
                             << "help/en/"
                             << "Mertano help";
    QTest::addRow("Hungarian") << "Hungarian"
                               << "help/hu/"
                               << "Mertano súgó";
    QTest::addRow("German") << "German"
                            << "help/de/"
                            << "Mertano-Hilfe";
    QTest::addRow("a language without pages reads English") << "Klingon"
                                                            << "help/en/"
                                                            << "Mertano help";
}

void TestHelpWindow::windowShowsTheStartPage() {
    QFETCH(QString, language);
    QFETCH(QString, folder);
    QFETCH(QString, heading);
    const PictureList pictures;
    HelpWindow window(kProgramFolder, pictures);
    SetLanguage(window, language);
    window.showTopic(kHelpStartTopic);
    QVERIFY(window.isVisible());
    QCOMPARE(window.folder(), kProgramFolder + folder);
    QCOMPARE(window.browser()->source(),
             QUrl::fromLocalFile(kProgramFolder + folder + "index.html"));
    // The page was read and decoded: its accented title came through whole.
    QVERIFY2(window.browser()->toPlainText().startsWith(heading),
             qPrintable(window.browser()->toPlainText().left(40)));
    QVERIFY(window.windowTitle().startsWith(heading));
    QVERIFY(!Button(window, "BackBtn")->isEnabled());
    QVERIFY(!Button(window, "ForwardBtn")->isEnabled());
}

void TestHelpWindow::linksAndHistoryNavigate() {
    const PictureList pictures;
    HelpWindow window(kProgramFolder, pictures);
    SetLanguage(window, "English");
    window.showTopic(kHelpStartTopic);
    HelpBrowser* browser = window.browser();

    QSignalSpy clicked(browser, &QTextBrowser::sourceChanged);
    emit browser->anchorClicked(QUrl("cone.html"));
    QCOMPARE(FileName(browser->source()), QString("cone.html"));
    QVERIFY(browser->toPlainText().contains("slant height"));
    emit browser->anchorClicked(QUrl("units.html"));
    QCOMPARE(FileName(browser->source()), QString("units.html"));
    QCOMPARE(clicked.size(), 2);

    QTest::mouseClick(Button(window, "BackBtn"), Qt::LeftButton);
    QCOMPARE(FileName(browser->source()), QString("cone.html"));
    QVERIFY(Button(window, "ForwardBtn")->isEnabled());
    QTest::mouseClick(Button(window, "ForwardBtn"), Qt::LeftButton);
    QCOMPARE(FileName(browser->source()), QString("units.html"));
    QTest::mouseClick(Button(window, "HomeBtn"), Qt::LeftButton);
    QCOMPARE(FileName(browser->source()), QString("index.html"));

    // A topic asked for while the window is open goes straight to its page.
    window.showTopic("sphere");
    QCOMPARE(FileName(browser->source()), QString("sphere.html"));
    // Another language starts a history of its own.
    SetLanguage(window, "Hungarian");
    window.showTopic(kHelpStartTopic);
    QCOMPARE(browser->source(), QUrl::fromLocalFile(kProgramFolder + "help/hu/index.html"));
    QVERIFY(!Button(window, "BackBtn")->isEnabled());
    QCOMPARE(Button(window, "HomeBtn")->text(), QString("Tartalom"));
}

void TestHelpWindow::linksLeavingTheHelpAreNotFollowed_data() {
    QTest::addColumn<QUrl>("link");
    QTest::addRow("web page") << QUrl("https://example.com/");
    QTest::addRow("mail") << QUrl("mailto:someone@example.com");
    QTest::addRow("file elsewhere") << QUrl::fromLocalFile(QDir::rootPath());
    QTest::addRow("up and out") << QUrl("../../../CMakeCache.txt");
    QTest::addRow("the other language") << QUrl("../hu/index.html");
    QTest::addRow("missing page") << QUrl("nowhere.html");
}

void TestHelpWindow::linksLeavingTheHelpAreNotFollowed() {
    QFETCH(QUrl, link);
    const PictureList pictures;
    HelpWindow window(kProgramFolder, pictures);
    window.showTopic("cube");
    const QUrl before = window.browser()->source();
    QVERIFY(!window.browser()->follow(link));
    emit window.browser()->anchorClicked(link);
    QCOMPARE(window.browser()->source(), before);
}

void TestHelpWindow::pagePicturesComeFromThePictureList() {
    const PictureList pictures;
    HelpWindow window(kProgramFolder, pictures);
    window.showTopic("cone");
    const QVariant picture =
        window.browser()->loadResource(QTextDocument::ImageResource, QUrl("picture:B8"));
    QVERIFY(picture.canConvert<QPixmap>());
    const QPixmap pixmap = picture.value<QPixmap>();
    QCOMPARE(pixmap.deviceIndependentSize(), QSizeF(150, 150));
    QCOMPARE(pixmap.devicePixelRatio(), window.browser()->devicePixelRatioF());
    QVERIFY(!window.browser()
                 ->loadResource(QTextDocument::ImageResource, QUrl("picture:B99"))
                 .isValid());
}

void TestHelpWindow::missingPagesShowAMessage_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<bool>("pagesWithoutStart");
    QTest::addColumn<QString>("message");
    QTest::addRow("no folder, English") << "English" << false << "help pages were not found";
    QTest::addRow("no folder, Hungarian") << "Hungarian" << false << "nem találhatók";
    QTest::addRow("no folder, German") << "German" << false << "nicht gefunden";
    QTest::addRow("folder without the page") << "English" << true << "help pages were not found";
}

void TestHelpWindow::missingPagesShowAMessage() {
    QFETCH(QString, language);
    QFETCH(bool, pagesWithoutStart);
    QFETCH(QString, message);
    QTemporaryDir program;
    QVERIFY(program.isValid());
    const QString programFolder = program.path() + "/";
    if (pagesWithoutStart) {
        QVERIFY(QDir().mkpath(programFolder + "help/en"));
        QFile other(programFolder + "help/en/cone.html");
        QVERIFY(other.open(QIODevice::WriteOnly));
    }
    const PictureList pictures;
    HelpWindow window(programFolder, pictures);
    SetLanguage(window, language);
    window.showTopic(kHelpStartTopic);
    QVERIFY(window.isVisible());
    const QString text = window.browser()->toPlainText();
    QVERIFY2(text.contains(message), qPrintable(text));
    // It says where it looked, so the user knows where the pages belong.
    QVERIFY2(text.contains(QDir::toNativeSeparators(program.path())), qPrintable(text));
    // Nothing to go back to, and the buttons and links do no harm.
    QVERIFY(!Button(window, "BackBtn")->isEnabled());
    QVERIFY(!window.browser()->follow(QUrl("cone.html")));
    QTest::mouseClick(Button(window, "HomeBtn"), Qt::LeftButton);
    QVERIFY(window.browser()->toPlainText().contains(message));
}

void TestHelpWindow::hungarianWithoutItsPagesFallsBackToEnglish() {
    QTemporaryDir program;
    QVERIFY(program.isValid());
    const QString programFolder = program.path() + "/";
    QVERIFY(QDir().mkpath(programFolder + "help/en"));
    QVERIFY(QFile::copy(kSourceHelp + "en/index.html", programFolder + "help/en/index.html"));
    const PictureList pictures;
    HelpWindow window(programFolder, pictures);
    SetLanguage(window, "Hungarian");
    window.showTopic(kHelpStartTopic);
    QCOMPARE(window.folder(), programFolder + "help/en/");
    QCOMPARE(FileName(window.browser()->source()), QString("index.html"));
}

MERTANO_REGISTER_TEST(TestHelpWindow)
#include "tst_help_window.moc"
