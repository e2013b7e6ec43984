// SPDX-License-Identifier: GPL-3.0-or-later
// The language file: its syntax, the decoding of its bytes, the names that may be opened,
// the folder found beside the program, and the files Mertano ships.
#include <QTest>
#include <algorithm>

#include <sys/stat.h>

#include "lang/detailed_message.h"
#include "lang/language_file.h"
#include "lang/language_state.h"
#include "lang/text_placement.h"
#include "lang_fixture.h"
#include "test_main.h"

using namespace mertano;
using mertano::test::ProgramFolder;

namespace {

int FilledSlots(const LanguageTexts& texts) {
    int filled = 0;
    // An extra text that only falls back to English was not given.
    for (int n = 1; n <= kLanguageTextCount; ++n)
        filled += texts.text(n).empty() || texts.text(n) == LanguageTexts::ExtraEnglish(n) ? 0 : 1;
    return filled;
}

QString Text(const LanguageTexts& texts, int n) {
    return QString::fromStdString(texts.text(n));
}

LanguageTexts Parsed(const QByteArray& bytes) {
    LanguageTexts texts;
    ParseLanguageFile(bytes, texts);
    return texts;
}

LanguageTexts Shipped(const QString& name) {
    QFile file(QStringLiteral(MERTANO_LANGUAGE_SOURCES "/") + name + QStringLiteral(".lng"));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return Parsed(file.readAll());
}

}  // namespace

class TestLanguageFile : public QObject {
    Q_OBJECT

private slots:
    void syntax_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("slot");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("filled");
        QTest::newRow("three digits")
            << QByteArray("001 Kil\xc3\xa9p\xc3\xa9s") << 1 << QString("Kilépés") << 1;
        QTest::newRow("one digit: text still from the fifth character")
            << QByteArray("1 Exit") << 1 << "it" << 1;
        QTest::newRow("digits stop at a letter") << QByteArray("1a3 x") << 1 << "x" << 1;
        QTest::newRow("any separator") << QByteArray("007:x") << 7 << "x" << 1;
        QTest::newRow("blanks kept") << QByteArray("007  x  ") << 7 << " x  " << 1;
        QTest::newRow("number without text empties the slot")
            << QByteArray("012 A\r\n012") << 12 << "" << 0;
        QTest::newRow("later line wins") << QByteArray("005 A\r\n005 B") << 5 << "B" << 1;
        QTest::newRow("heading, comment and empty lines")
            << QByteArray("[Main]\r\n 005 comment\r\n\r\n\r\n005 A\r\n") << 5 << "A" << 1;
        QTest::newRow("number 0 is no text") << QByteArray("000 x") << 0 << "" << 0;
        QTest::newRow("number after the last is no text")
            << QByteArray::number(kLanguageTextCount + 1) + " x\r\n" +
                   QByteArray::number(kLanguageTextCount) + " y"
            << kLanguageTextCount << "y" << 1;
        QTest::newRow("no number") << QByteArray("abc def\r\n\t03 x") << 3 << "" << 0;
        QTest::newRow("CR LF") << QByteArray("001 a\r\n002 b\r\n") << 2 << "b" << 2;
        QTest::newRow("CR alone") << QByteArray("001 a\r002 b\r") << 1 << "a" << 2;
        QTest::newRow("LF alone") << QByteArray("001 a\n002 b\n") << 1 << "a" << 2;
        QTest::newRow("LF CR is two line ends") << QByteArray("001 a\n\r002 b") << 2 << "b" << 2;
        QTest::newRow("no final line end") << QByteArray("001 a\r\n002 last") << 2 << "last" << 2;
        QTest::newRow("character 26 ends the file")
            << QByteArray("001 a\x1a\r\n002 b") << 1 << "a" << 1;
        QTest::newRow("bad bytes after character 26 do not matter")
            << QByteArray("001 K\xc3\xa9sz\r\n\x1a\xff") << 1 << "Kész" << 1;
        QTest::newRow("Latin-1 when not UTF-8") << QByteArray("001 K\xe9sz") << 1 << "Kész" << 1;
        QTest::newRow("UTF-8 cut at the end is Latin-1")
            << QByteArray("001 a\xc3") << 1 << QString::fromLatin1("a\xc3") << 1;
        QTest::newRow("byte order mark dropped") << QByteArray(
                                                        "\xef\xbb\xbf"
                                                        "004 \xce\xb1")
                                                 << 4 << QString(QChar(0x3b1)) << 1;
        QTest::newRow("long line")
            << QByteArray("009 ") + QByteArray(100000, 'x') << 9 << QString(100000, 'x') << 1;
    }
    void syntax() {
        QFETCH(QByteArray, file);
        QFETCH(int, slot);
        QFETCH(int, filled);
        const LanguageTexts texts = Parsed(file);
        QTEST(Text(texts, slot), "text");
        QCOMPARE(FilledSlots(texts), filled);
    }

    void safeNames_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("safe");
        QTest::newRow("plain") << "English" << true;
        QTest::newRow("blank and dot inside") << "Brazilian Pt.BR" << true;
        QTest::newRow("not ASCII") << QString::fromUtf8("Ελληνικά") << true;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("parent folder") << "../secret" << false;
        QTest::newRow("parent with backslash") << "..\\secret" << false;
        QTest::newRow("two dots alone") << ".." << false;
        QTest::newRow("subfolder") << "sub/English" << false;
        QTest::newRow("absolute") << "/etc/passwd" << false;
        QTest::newRow("drive prefix") << "C:English" << false;
        QTest::newRow("line feed") << "English\n" << false;
        QTest::newRow("control character") << QString("Eng") + QChar(1) << false;
    }
    void safeNames() {
        QFETCH(QString, name);
        QTEST(IsSafeLanguageName(name), "safe");
    }

    // Path tricks must not read a file that lies outside the language folder.
    void unsafeNamesAreNeverOpened_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("parent folder") << "../secret";
        QTest::newRow("parent with backslash") << "..\\secret";
        QTest::newRow("absolute") << "<folder>/secret";
    }
    void unsafeNamesAreNeverOpened() {
        QFETCH(QString, name);
        ProgramFolder program;
        program.AddShipped("English");
        program.Write("secret.lng", "003 secret\r\n");
        name.replace("<folder>", program.path());
        QVERIFY(LanguageFilePath(program.path(), name).isEmpty());
        const auto loaded = LoadLanguageTexts(program.path(), name);
        QVERIFY(std::holds_alternative<LanguageLoadError>(loaded));
        QVERIFY(!ListLanguageNames(program.path()).contains("secret"));
    }

    void trimming_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("trimmed");
        QTest::newRow("blanks and tabs") << " \tGerman \r\n"
                                         << "German";
        QTest::newRow("inner blank kept") << "  Pt BR "
                                          << "Pt BR";
        QTest::newRow("no-break space is not trimmed")
            << QString(QChar(0xa0)) + "x" << QString(QChar(0xa0)) + "x";
        QTest::newRow("only blanks") << " \x01 "
                                     << "";
    }
    void trimming() {
        QFETCH(QString, name);
        QTEST(TrimLanguageName(name), "trimmed");
    }

    // Linux keeps "Language" and "language" apart; Mertano does not.
    void foldersAndFilesWithoutCase_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("asked");
        QTest::addColumn<bool>("found");
        QTest::newRow("as shipped") << "Language/German.lng"
                                    << "German" << true;
        QTest::newRow("lower-case folder and name") << "language/german.lng"
                                                    << "German" << true;
        QTest::newRow("asked in lower case") << "Language/German.lng"
                                             << "german" << true;
        QTest::newRow("upper-case extension") << "LANGUAGE/German.LNG"
                                              << "German" << true;
        QTest::newRow("other name") << "Language/German.lng"
                                    << "Germans" << false;
        QTest::newRow("not in a language folder") << "Lang/German.lng"
                                                  << "German" << false;
    }
    void foldersAndFilesWithoutCase() {
        QFETCH(QString, file);
        QFETCH(QString, asked);
        ProgramFolder program;
        program.Write(file, "003 x\r\n");
        QTEST(!LanguageFilePath(program.path(), asked).isEmpty(), "found");
    }

    void exactSpellingWinsOverOtherCase() {
        ProgramFolder program;
        program.Write("language/English.lng", "003 lower folder\r\n");
        program.Write("Language/english.lng", "003 lower name\r\n");
        program.Write("Language/English.lng", "003 exact\r\n");
        const auto loaded = LoadLanguageTexts(program.path(), "English");
        QCOMPARE(Text(std::get<LanguageTexts>(loaded), 3), QString("exact"));
        QCOMPARE(ListLanguageNames(program.path()), QStringList{"english"});
    }

    // The list comes from beside the program, not from the working folder, so a program
    // started from elsewhere still finds its languages.
    void listComesFromTheProgramFolder() {
        ProgramFolder program;
        program.AddLanguage("Hungarian");
        program.AddLanguage("English");
        program.AddLanguage("german");
        program.Write("Language/readme.txt", "");
        program.Write("Language/Sub.lng/x", "");
        ProgramFolder work;
        work.AddLanguage("Klingon");
        const QString before = QDir::currentPath();
        QDir::setCurrent(work.path());
        const QStringList names = ListLanguageNames(program.path());
        QDir::setCurrent(before);
        QCOMPARE(names, (QStringList{"English", "german", "Hungarian"}));
        QCOMPARE(ListLanguageNames(work.path() + "/nowhere"), QStringList());
    }

    void loadFailuresNameTheFile_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("pathEnd");
        QTest::newRow("missing") << "Klingon"
                                 << "/Language/Klingon.lng";
        QTest::newRow("not a name") << "../x"
                                    << "/Language/../x.lng";
    }
    void loadFailuresNameTheFile() {
        QFETCH(QString, name);
        QFETCH(QString, pathEnd);
        ProgramFolder program;
        program.AddLanguage("English");
        const auto loaded = LoadLanguageTexts(program.path(), name);
        const auto* error = std::get_if<LanguageLoadError>(&loaded);
        QVERIFY(error);
        QVERIFY2(error->path.endsWith(pathEnd), qPrintable(error->path));
        QVERIFY(error->message().contains(QDir::toNativeSeparators(error->path)));
    }

    // What may stand in a language file's place: nothing waits for a writer, nothing is
    // read without end, and the refusal says why.
    void onlyARegularFileWithinTheLimitIsRead_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");  // empty: the texts are read
        QTest::newRow("named pipe") << "pipe"
                                    << "named pipe";
        QTest::newRow("link to /dev/zero") << "zero"
                                           << "device";
        QTest::newRow("symbolic-link loop") << "loop"
                                            << "symbolic links";
        QTest::newRow("one byte over the limit") << "over"
                                                 << "larger than 1 MiB";
        QTest::newRow("exactly the limit") << "limit"
                                           << "";
    }
    void onlyARegularFileWithinTheLimitIsRead() {
        QFETCH(QString, kind);
        ProgramFolder program;
        program.AddLanguage("Other");
        const QString file = program.path() + "/Language/Odd.lng";
        // The text line at the end: a file read only in part would miss it.
        const QByteArray filler(kMaxLanguageFileBytes - 8, ' ');
        if (kind == "pipe") QCOMPARE(mkfifo(QFile::encodeName(file), 0600), 0);
        if (kind == "zero") QVERIFY(QFile::link("/dev/zero", file));
        if (kind == "loop") QVERIFY(QFile::link(file, file));
        if (kind == "over") program.AddLanguage("Odd", filler + "\r003 End\r");
        if (kind == "limit") program.AddLanguage("Odd", filler + "\r003 End");
        const auto loaded = LoadLanguageTexts(program.path(), "Odd");
        QFETCH(QString, reason);
        if (reason.isEmpty()) {
            QVERIFY(std::holds_alternative<LanguageTexts>(loaded));
            QCOMPARE(Text(std::get<LanguageTexts>(loaded), 3), QString("End"));
            return;
        }
        const auto* error = std::get_if<LanguageLoadError>(&loaded);
        QVERIFY(error);
        QVERIFY2(error->reason.contains(reason), qPrintable(error->reason));
        QVERIFY(error->message().contains(QDir::toNativeSeparators(file)));
    }

    // A file that cannot be read at a reload leaves the texts that were shown.
    void reloadKeepsTheTextsOnFailure() {
        ProgramFolder program;
        program.AddShipped("German");
        LanguageState state(program.path(), "German", {"German"});
        QCOMPARE(Text(state.texts(), 29), Text(LanguageTexts::BuiltinEnglish(), 29));
        QVERIFY(!state.reload());
        const QString german = Text(state.texts(), 33);
        QVERIFY(german.startsWith("Die Seite c"));
        QVERIFY(QFile::remove(program.path() + "/Language/German.lng"));
        const auto error = state.reload();
        QVERIFY(error);
        QVERIFY(error->path.endsWith("German.lng"));
        QCOMPARE(Text(state.texts(), 33), german);
    }

    void shippedFilesFillEveryShownText_data() {
        QTest::addColumn<QString>("language");
        QTest::newRow("English") << "English";
        QTest::newRow("Hungarian") << "Hungarian";
        QTest::newRow("German") << "German";
    }
    void shippedFilesFillEveryShownText() {
        QFETCH(QString, language);
        QFile file(QStringLiteral(MERTANO_LANGUAGE_SOURCES "/") + language + ".lng");
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QCOMPARE(bytes.count('\r'), bytes.count("\r\n"));
        QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
        QVERIFY(DecodeLanguageBytes(bytes) != QString::fromLatin1(bytes));
        const LanguageTexts texts = Parsed(bytes);
        for (const TextPlacement& row : TextPlacements())
            QVERIFY2(!texts.text(row.text).empty(), row.control);
        for (int n : TextsReadWhenShown())
            QVERIFY2(!texts.text(n).empty(), qPrintable(QString::number(n)));
        QVERIFY(!LanguageDialogTitle(Text(texts, 26)).isEmpty());
        QVERIFY(Text(texts, 26).contains('('));
    }

    // mertano-cli's tests and the engine's own English rely on the same words.
    void englishMessagesAreTheEngines() {
        const LanguageTexts file = Shipped("English");
        const LanguageTexts builtin = LanguageTexts::BuiltinEnglish();
        for (int n = 29; n <= 36; ++n) QCOMPARE(Text(file, n), Text(builtin, n));
    }

    // The windows' built-in English, shown when no language file can be read, is the
    // shipped English word for word, for every text a window places or shows.
    void builtInWindowEnglishIsTheShippedEnglish_data() {
        QTest::addColumn<int>("n");
        QList<int> numbers;
        for (const TextPlacement& row : TextPlacements()) numbers << row.text;
        for (int n : TextsReadWhenShown()) numbers << n;
        std::sort(numbers.begin(), numbers.end());
        numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
        for (int n : numbers) QTest::addRow("%d", n) << n;
    }
    void builtInWindowEnglishIsTheShippedEnglish() {
        QFETCH(int, n);
        static const LanguageTexts file = Shipped("English");
        static const LanguageTexts builtin = LanguageTexts::BuiltinWindowEnglish();
        QVERIFY(!Text(builtin, n).isEmpty());
        QCOMPARE(Text(builtin, n), Text(file, n));
    }

    void hungarianKeepsTheBuiltInCaptions_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("caption");
        const QList<std::pair<int, const char*>> defaults = {{3, "Kilépés"},
                                                             {4, "Szögek átváltása"},
                                                             {5, "Számológép"},
                                                             {6, "Segítség"},
                                                             {8, "Idom fajtája"},
                                                             {9, "Háromszög"},
                                                             {10, "Derékszögű háromszög"},
                                                             {11, "Kör"},
                                                             {12, "Körcikk"},
                                                             {13, "Körszelet"},
                                                             {14, "Kocka"},
                                                             {15, "Henger"},
                                                             {16, "Kúp"},
                                                             {17, "Csonka kúp"},
                                                             {18, "Gömb"},
                                                             {19, "Téglatest"},
                                                             {20, "Gömbszelet"},
                                                             {21, "Gömbréteg"},
                                                             {22, "Szög (dec):"},
                                                             {23, "Szög (fok,p,mp):"},
                                                             {24, "Át&váltás"},
                                                             {25, "Új &adat"},
                                                             {37, "Adatok &kiszámítása"},
                                                             {38, "Kerület:"},
                                                             {39, "Terület:"},
                                                             {41, "Fok,p,mp"},
                                                             {63, "Felület:"},
                                                             {64, "Térfogat:"},
                                                             {66, "Mértékegység:"},
                                                             {67, "Tömeg:"},
                                                             {68, "Anyag"},
                                                             {69, "Anyagok karbantartása"},
                                                             {74, "Mentés"},
                                                             {75, "Módosít"},
                                                             {76, "Törlés"},
                                                             {80, "Képernyő nyomtatása"}};
        for (const auto& [n, caption] : defaults)
            QTest::addRow("%d", n) << n << QString::fromUtf8(caption);
    }
    // The words are the built-in ones; a caption may have gained an access key.
    void hungarianKeepsTheBuiltInCaptions() {
        QFETCH(int, n);
        QFETCH(QString, caption);
        static const LanguageTexts hungarian = Shipped("Hungarian");
        QCOMPARE(Text(hungarian, n).remove('&'), caption.remove('&'));
    }

    // The user reads in their language whether the file is missing or unreadable; the
    // path, and for an unreadable file the system's reason, follow.
    void loadFailureMessageInTheUsersLanguage_data() {
        QTest::addColumn<bool>("exists");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing") << false << "Die Sprachdatei wurde nicht gefunden:\r\r<path>";
        QTest::newRow("unreadable")
            << true << "Die Sprachdatei konnte nicht gelesen werden:\r\r<path>\rPermission denied";
    }
    void loadFailureMessageInTheUsersLanguage() {
        QFETCH(bool, exists);
        QFETCH(QString, message);
        ProgramFolder program;
        if (exists) program.AddLanguage("Klingon");
        const LanguageLoadError error{program.path() + "/Language/Klingon.lng",
                                      "Permission denied"};
        message.replace("<path>", QDir::toNativeSeparators(error.path));
        QCOMPARE(LanguageLoadMessage(Shipped("German"), error), message);
    }

    // A file that lacks the texts of Mertano's own messages (one made for an older
    // Mertano) shows them in English; a window caption it lacks stays empty.
    void extraTextsFallBackToEnglish_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("slot");
        QTest::addColumn<QString>("text");
        QTest::newRow("extra text missing")
            << QByteArray("003 x") << 88 << "Invalid floating point operation";
        QTest::newRow("extra text given") << QByteArray("088 Hiba") << 88 << "Hiba";
        QTest::newRow("extra text given empty") << QByteArray("096") << 96 << "Mertano help";
        QTest::newRow("last extra text")
            << QByteArray() << kLanguageTextCount
            << QString::fromStdString(LanguageTexts::ExtraEnglish(kLanguageTextCount));
        QTest::newRow("caption missing stays empty") << QByteArray("088 x") << 80 << "";
    }
    void extraTextsFallBackToEnglish() {
        QFETCH(QByteArray, file);
        QFETCH(int, slot);
        const QString text = Text(Parsed(file), slot);
        QVERIFY(slot != kLanguageTextCount || !text.isEmpty());
        QTEST(text, "text");
    }

    // English is the wording built into the program; the other files word every extra
    // text in their own language rather than leaning on that fallback.
    void shippedFilesWordTheExtraTexts_data() { shippedFilesFillEveryShownText_data(); }
    void shippedFilesWordTheExtraTexts() {
        QFETCH(QString, language);
        QFile file(QStringLiteral(MERTANO_LANGUAGE_SOURCES "/") + language + ".lng");
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString all = DecodeLanguageBytes(file.readAll());
        const LanguageTexts texts = Parsed(all.toUtf8());
        for (int n = kFirstExtraText; n <= kLanguageTextCount; ++n) {
            if (LanguageTexts::ExtraEnglish(n).empty()) continue;  // a number kept free
            // A material's name is often the same word in every language (PVC, Beton).
            if (n >= kTextFirstCommonMaterial && n <= kTextLastCommonMaterial) continue;
            const QString number = QString::asprintf("%03d ", n);
            QVERIFY2(all.contains("\r\n" + number), qPrintable(language + " lacks " + number));
            const bool english = texts.text(n) == LanguageTexts::ExtraEnglish(n);
            QVERIFY2(english == (language == "English"), qPrintable(number + Text(texts, n)));
        }
    }

    // Alt and a letter reach a button only when no other caption of the same window
    // claims that letter; a caption with an access key in English has one in every
    // language.
    void accessKeysDoNotClashWithinAWindow_data() { shippedFilesFillEveryShownText_data(); }
    void accessKeysDoNotClashWithinAWindow() {
        QFETCH(QString, language);
        const LanguageTexts texts = Shipped(language);
        const LanguageTexts english = Shipped("English");
        QMap<QString, QList<int>> windows;
        for (const TextPlacement& row : TextPlacements()) {
            if (row.target == TextTarget::Caption) windows[row.window].append(row.text);
        }
        for (int n = 52; n <= 61; ++n) windows["TMessageForm"].append(n);  // its buttons
        for (auto window = windows.cbegin(); window != windows.cend(); ++window) {
            QMap<QChar, int> claimed;
            for (int n : window.value()) {
                const QString caption = Text(texts, n);
                const qsizetype amp = caption.indexOf('&');
                QVERIFY2(Text(english, n).contains('&') == (amp >= 0),
                         qPrintable(QString("%1 %2").arg(n).arg(caption)));
                if (amp < 0 || claimed.value(caption[amp + 1].toLower()) == n) continue;
                const QChar key = caption[amp + 1].toLower();
                QVERIFY2(!claimed.contains(key), qPrintable(QString("%1: %2 and %3 both take %4")
                                                                .arg(window.key())
                                                                .arg(claimed.value(key))
                                                                .arg(n)
                                                                .arg(key)));
                claimed.insert(key, n);
            }
        }
    }
};

MERTANO_REGISTER_TEST(TestLanguageFile)
#include "tst_language_file.moc"
