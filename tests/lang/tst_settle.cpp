// SPDX-License-Identifier: GPL-3.0-or-later
// Settling the language at start-up with a settings store, a locale and a program folder
// of the test's own; the boxes are answered by the test.
#include <QTest>

#include "lang/settle_language.h"
#include "lang_fixture.h"
#include "test_main.h"

using namespace mertano;
using namespace mertano::test;

namespace {

class ScriptedBoxes : public SettleInteraction {
public:
    explicit ScriptedBoxes(QString answer) : answer_(std::move(answer)) {}
    void ShowError(const QString& message) override { errors.append(message); }
    QString AskLanguageName() override {
        ++questions;
        return answer_;
    }
    QStringList errors;
    int questions = 0;

private:
    QString answer_;
};

void AddFiles(const ProgramFolder& program, const QStringList& languages) {
    for (const QString& language : languages) program.AddLanguage(language);
}

const QString kNotConfigured =
    "The language is not configured!\r\rIf the language is not configured the program will "
    "not start!\r\rPlease configure the language!";
const QString kKlingonMissing =
    "File not found:   ..Language\\Klingon.lng\r\rIf the language file is not found the program "
    "will not start!\r\rPlease configure the language!";

}  // namespace

class TestSettle : public QObject {
    Q_OBJECT

private slots:
    void init() { ClearSettings(); }

    void firstStartFollowsTheLocale_data() {
        QTest::addColumn<QString>("lng");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("language");
        QTest::newRow("Hungarian locale")
            << ""
            << "0000040E" << QStringList{"English", "Hungarian"} << "Hungarian";
        QTest::newRow("locale in lower case")
            << ""
            << "0000040e" << QStringList{"Hungarian"} << "Hungarian";
        QTest::newRow("Hungarian locale without its file")
            << ""
            << "0000040E" << QStringList{"English", "German"} << "English";
        QTest::newRow("Swiss German") << ""
                                      << "00000807" << QStringList{"German"} << "German";
        QTest::newRow("Austrian German, file in lower case")
            << ""
            << "00000C07" << QStringList{"german"} << "German";
        QTest::newRow("American English") << ""
                                          << "00000409" << QStringList{"English"} << "English";
        QTest::newRow("no locale") << ""
                                   << "" << QStringList{"German"} << "English";
        QTest::newRow("Lng 256 keeps no set bit in its low byte")
            << "256"
            << "0000040E" << QStringList{"Hungarian"} << "Hungarian";
        QTest::newRow("Lng not a number") << "yes"
                                          << "00000407" << QStringList{"German"} << "German";
    }
    void firstStartFollowsTheLocale() {
        QFETCH(QString, lng);
        QFETCH(QString, locale);
        QFETCH(QStringList, files);
        ProgramFolder program;
        AddFiles(program, files);
        if (!lng.isEmpty()) SetSetting("Lng", lng);
        SetSetting("Language", "Elvish");
        ScriptedBoxes boxes("");
        SettledLanguage settled = SettleLanguage(program.path(), locale, boxes);
        // A language whose file is there is written only once the window is up, and
        // then once; without its file the question follows, so it is written at once.
        if (!settled.languageName.isEmpty()) QCOMPARE(Setting("Language"), QString("Elvish"));
        RememberSettledLanguage(settled);
        QTEST(Setting("Language"), "language");
        QCOMPARE(Setting("Lng"), QString("1"));
        SetSetting("Language", "Elvish");
        RememberSettledLanguage(settled);
        QCOMPARE(Setting("Language"), QString("Elvish"));
    }

    void firstStartKeepsAChoiceMadeBeforeItIsWritten() {
        ProgramFolder program;
        AddFiles(program, {"English", "German"});
        ScriptedBoxes boxes("");
        SettledLanguage settled = SettleLanguage(program.path(), "00000407", boxes);
        QCOMPARE(settled.languageName, QString("German"));
        StoreLanguageChoice("English");
        RememberSettledLanguage(settled);
        QCOMPARE(Setting("Language"), QString("English"));
    }

    void settling_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("storedAfter");
        QTest::addColumn<QStringList>("errors");
        const QStringList three{"English", "German", "Hungarian"};
        QTest::newRow("stored language") << "German" << three << "" << 0 << "German"
                                         << "German" << QStringList{};
        QTest::newRow("stored name with blanks") << " German " << three << "" << 0 << "German"
                                                 << " German " << QStringList{};
        QTest::newRow("not configured, answered") << "" << three << "hUNGARIAN" << 0 << "hungarian"
                                                  << "Hungarian" << QStringList{kNotConfigured};
        QTest::newRow("missing file, answered") << "Klingon" << three << "english" << 0 << "english"
                                                << "English" << QStringList{kKlingonMissing};
        QTest::newRow("answer matching a lower-case file")
            << "Klingon" << QStringList{"german"} << "German" << 0 << "german"
            << "German" << QStringList{kKlingonMissing};
        QTest::newRow("cancelled") << "Klingon" << three << "" << 1 << ""
                                   << "Klingon" << QStringList{kKlingonMissing};
        QTest::newRow("blank answer") << "Klingon" << three << "   " << 1 << ""
                                      << "Klingon" << QStringList{kKlingonMissing};
        QTest::newRow("unknown answer")
            << "Klingon" << three << "elvish" << 1 << ""
            << "Klingon" << QStringList{kKlingonMissing, "File not found \"Elvish\" language file"};
        QTest::newRow("no language folder")
            << "Klingon" << QStringList{} << "English" << 1 << ""
            << "Klingon"
            << QStringList{kKlingonMissing, "File not found \"English\" language file"};
    }
    void settling() {
        QFETCH(QString, stored);
        QFETCH(QStringList, files);
        QFETCH(QString, answer);
        QFETCH(QStringList, errors);
        ProgramFolder program;
        AddFiles(program, files);
        SetSetting("Lng", "1");
        SetSetting("Language", stored);
        ScriptedBoxes boxes(answer);
        const SettledLanguage settled = SettleLanguage(program.path(), "0000040E", boxes);
        QTEST(settled.exitCode, "exitCode");
        QTEST(settled.languageName, "current");
        QTEST(Setting("Language"), "storedAfter");
        QCOMPARE(Setting("Lng"), QString("1"));
        QCOMPARE(boxes.errors, errors);
        QCOMPARE(boxes.questions, errors.isEmpty() ? 0 : 1);
        QCOMPARE(settled.languageNames.size(), files.size());
    }

    // A language that cannot be stored is said when the store fails, in that language
    // where there is one: at a first start once the window is up, or right after the
    // question at start-up.
    void unwritableSettingsAreSaid_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QStringList>("errors");
        QTest::addColumn<bool>("remembered");  // RememberSettledLanguage reports a failure
        QTest::newRow("first start, written after the first paint") << "00000407"
                                                                    << "" << QStringList{} << true;
        QTest::newRow("answer to the question")
            << ""
            << "german"
            << QStringList{"File not found:   ..Language\\English.lng",
                           "Die Sprachwahl konnte nicht gespeichert werden"}
            << false;
    }
    void unwritableSettingsAreSaid() {
        QFETCH(QString, locale);
        QFETCH(QString, answer);
        QFETCH(QStringList, errors);
        ProgramFolder program;
        program.AddShipped("German");
        const UnwritableSettings unwritable;
        ScriptedBoxes boxes(answer);
        SettledLanguage settled = SettleLanguage(program.path(), locale, boxes);
        QCOMPARE(settled.languageName.toLower(), QString("german"));
        QCOMPARE(boxes.errors.size(), errors.size());
        for (qsizetype k = 0; k < errors.size(); ++k)
            QVERIFY2(boxes.errors[k].startsWith(errors[k]), qPrintable(boxes.errors[k]));
        const std::optional<QString> later = RememberSettledLanguage(settled);
        QTEST(later.has_value(), "remembered");
        if (later) QVERIFY2(later->contains("blocker"), qPrintable(*later));
    }

    // A stored or typed name that walks out of the language folder is a missing file, even
    // when a file of that name lies outside.
    void pathTricksAreMissingFiles_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("answer");
        QTest::newRow("stored") << "../secret"
                                << "";
        QTest::newRow("typed") << ""
                               << "../secret";
    }
    void pathTricksAreMissingFiles() {
        QFETCH(QString, stored);
        QFETCH(QString, answer);
        ProgramFolder program;
        program.AddLanguage("English");
        program.Write("secret.lng", "003 x\r\n");
        SetSetting("Lng", "1");
        SetSetting("Language", stored);
        ScriptedBoxes boxes(answer);
        const SettledLanguage settled = SettleLanguage(program.path(), "", boxes);
        QCOMPARE(settled.exitCode, kNoLanguageExitCode);
        QCOMPARE(boxes.questions, 1);
        QCOMPARE(Setting("Language"), stored);
    }

    void localeCodes_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("code");
        QTest::newRow("hu_HU") << "hu_HU"
                               << "0000040E";
        QTest::newRow("cs_CZ") << "cs_CZ"
                               << "00000405";
        QTest::newRow("de_DE") << "de_DE"
                               << "00000407";
        QTest::newRow("de_CH") << "de_CH"
                               << "00000807";
        QTest::newRow("de_AT") << "de_AT"
                               << "00000C07";
        QTest::newRow("de_LU has no code of its own") << "de_LU"
                                                      << "";
        QTest::newRow("es_MX") << "es_MX"
                               << "0000040A";
        QTest::newRow("en_GB") << "en_GB"
                               << "00000809";
        QTest::newRow("en_US") << "en_US"
                               << "00000409";
        QTest::newRow("en_AU") << "en_AU"
                               << "";
        QTest::newRow("fr_CA") << "fr_CA"
                               << "0000040C";
        QTest::newRow("pt_BR") << "pt_BR"
                               << "00000416";
        QTest::newRow("pt_PT") << "pt_PT"
                               << "00000816";
        QTest::newRow("hr_HR") << "hr_HR"
                               << "0000041A";
        QTest::newRow("ja_JP") << "ja_JP"
                               << "";
    }
    void localeCodes() {
        QFETCH(QString, locale);
        QTEST(LocaleCode(QLocale(locale)), "code");
    }
};

MERTANO_REGISTER_TEST(TestSettle)
#include "tst_settle.moc"
