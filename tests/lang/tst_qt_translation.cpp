// SPDX-License-Identifier: GPL-3.0-or-later
// Qt's own texts follow Mertano's language, and switch with it.
#include <QCoreApplication>
#include <QPrintDialog>
#include <QPrinter>
#include <QTest>

#include "lang/qt_translation.h"
#include "test_main.h"

using namespace mertano;

class TstQtTranslation : public QObject {
    Q_OBJECT

private slots:
    void localeOfLanguageName_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("locale");  // language part of the locale's name
        QTest::newRow("Hungarian") << "Hungarian"
                                   << "hu";
        QTest::newRow("German") << "German"
                                << "de";
        QTest::newRow("English") << "English"
                                 << "en";
        QTest::newRow("lower case, as settling may leave it") << "hungarian"
                                                              << "hu";
        QTest::newRow("blanks around, as typed in the dialog") << " German\t"
                                                               << "de";
        QTest::newRow("a language Qt does not know") << "Klingonese"
                                                     << "C";
        QTest::newRow("empty") << ""
                               << "C";
    }
    void localeOfLanguageName() {
        QFETCH(QString, name);
        QTEST(LocaleOfLanguageName(name).name().section('_', 0, 0), "locale");
    }

    void qtTextsFollowTheLanguage_data() {
        QTest::addColumn<QStringList>("languages");  // chosen one after the other
        QTest::addColumn<bool>("loaded");
        QTest::addColumn<QString>("cancel");
        QTest::addColumn<QString>("print");
        QTest::newRow("Hungarian") << QStringList{"Hungarian"} << true << "Mégse"
                                   << "Nyomtatás";
        QTest::newRow("German") << QStringList{"German"} << true << "Abbrechen"
                                << "Drucken";
        QTest::newRow("English: Qt's own") << QStringList{"English"} << false << "Cancel"
                                           << "Print";
        QTest::newRow("unknown name: Qt's own") << QStringList{"Elvish"} << false << "Cancel"
                                                << "Print";
        QTest::newRow("German, then Hungarian replaces it")
            << QStringList{"German", "Hungarian"} << true << "Mégse"
            << "Nyomtatás";
        QTest::newRow("Hungarian, then English returns to Qt's own")
            << QStringList{"Hungarian", "English"} << false << "Cancel"
            << "Print";
        QTest::newRow("Hungarian, then a name without a catalogue")
            << QStringList{"Hungarian", "Elvish"} << false << "Cancel"
            << "Print";
    }
    void qtTextsFollowTheLanguage() {
        QFETCH(QStringList, languages);
        QFETCH(bool, loaded);
        QtTranslation translation;
        bool inUse = false;
        for (const QString& language : languages) inUse = translation.setLanguage(language);
        QCOMPARE(inUse, loaded);
        QTEST(QCoreApplication::translate("QPlatformTheme", "Cancel"), "cancel");
        // The print dialog made after the switch shows it.
        QPrinter printer;
        QPrintDialog dialog(&printer);
        QTEST(dialog.windowTitle(), "print");
    }

    void leavingRemovesQtTexts() {
        {
            QtTranslation translation;
            QVERIFY(translation.setLanguage("German"));
        }
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString("Cancel"));
    }
};

MERTANO_REGISTER_TEST(TstQtTranslation)
#include "tst_qt_translation.moc"
