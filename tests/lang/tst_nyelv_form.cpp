// SPDX-License-Identifier: GPL-3.0-or-later
// The language dialog, driven through its controls' object names.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

#include "lang/language_file.h"
#include "lang/language_state.h"
#include "lang/nyelv_form.h"
#include "lang/settle_language.h"
#include "lang/text_placement.h"
#include "lang_fixture.h"
#include "test_main.h"

using namespace mertano;
using namespace mertano::test;

namespace {

// A program with the shipped languages, German chosen and shown.
struct Program {
    Program() {
        for (const char* name : {"English", "German", "Hungarian"}) folder.AddShipped(name);
        folder.Write("secret.lng", "003 secret\r\n");
        ClearSettings();
        SetSetting("Language", "German");
        state.emplace(folder.path(), "German", ListLanguageNames(folder.path()));
        state->reload();
        form.emplace(*state);
        form->SetMessageHook([this](QWidget*, const QString& m) { messages.append(m); });
        QObject::connect(&*form, &TNyelvForm::TextsChanged,
                         [this] { ApplyLanguageTexts(&*form, state->texts()); });
        ApplyLanguageTexts(&*form, state->texts());
    }
    QComboBox* combo() const { return form->findChild<QComboBox*>("NyelvComboBox"); }
    QPushButton* button(const char* name) const { return form->findChild<QPushButton*>(name); }

    // Walks the list with the arrow keys, as a user picks without the mouse.
    void Pick(const QString& name) const {
        const int target = combo()->findText(name);
        while (combo()->currentIndex() != target)
            QTest::keyClick(combo(), combo()->currentIndex() < target ? Qt::Key_Down : Qt::Key_Up);
    }
    void Type(const QString& name) const {
        combo()->lineEdit()->clear();
        QTest::keyClicks(combo()->lineEdit(), name);
    }

    ProgramFolder folder;
    std::optional<LanguageState> state;
    std::optional<TNyelvForm> form;
    QStringList messages;
};

}  // namespace

class TestNyelvForm : public QObject {
    Q_OBJECT

private slots:
    void activationListsAndSelects() {
        Program p;
        p.form->show();
        QStringList items;
        for (int i = 0; i < p.combo()->count(); ++i) items << p.combo()->itemText(i);
        QCOMPARE(items, (QStringList{"English", "German", "Hungarian"}));
        QCOMPARE(p.combo()->currentText(), QString("German"));
        QCOMPARE(p.form->LanguageOnEntry(), QString("German"));
        QCOMPARE(p.form->windowTitle(), QString("Sprache"));
        QCOMPARE(p.button("KilepBtn")->text(), QString("Beenden"));
        QCOMPARE(p.button("RendbenBtn")->text(), QString("OK"));
    }

    // A current language the list lacks selects nothing, and leaving returns to it rather
    // than to an empty name.
    void languageOutsideTheListSelectsNothing() {
        Program p;
        p.folder.AddLanguage("Klingon");
        SetSetting("Language", "Elvish");
        p.state->setLanguageName("Klingon");
        p.form->show();
        QCOMPARE(p.combo()->currentIndex(), -1);
        QCOMPARE(p.form->LanguageOnEntry(), QString("Klingon"));
    }

    void actions_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("exitCaption");
        QTest::addColumn<int>("messages");
        QTest::addColumn<bool>("open");
        QTest::newRow("pick previews") << "pick"
                                       << "English"
                                       << "German"
                                       << "English"
                                       << "Exit" << 0 << true;
        QTest::newRow("exit undoes the preview") << "pick exit"
                                                 << "English"
                                                 << "German"
                                                 << "German"
                                                 << "Beenden" << 0 << false;
        QTest::newRow("OK keeps the pick") << "pick ok"
                                           << "English"
                                           << "English"
                                           << "English"
                                           << "Exit" << 0 << false;
        QTest::newRow("close box keeps the preview unstored") << "pick close"
                                                              << "Hungarian"
                                                              << "German"
                                                              << "Hungarian"
                                                              << "Kilépés" << 0 << false;
        QTest::newRow("typed name in other case") << "type ok"
                                                  << "hungarian"
                                                  << "hungarian"
                                                  << "hungarian"
                                                  << "Kilépés" << 0 << false;
        QTest::newRow("typed name without a file") << "type ok"
                                                   << "Klingon"
                                                   << "German"
                                                   << "German"
                                                   << "Beenden" << 1 << true;
        QTest::newRow("typed path out of the folder") << "type ok"
                                                      << "../secret"
                                                      << "German"
                                                      << "German"
                                                      << "Beenden" << 1 << true;
        QTest::newRow("nothing typed") << "type ok"
                                       << ""
                                       << "German"
                                       << "German"
                                       << "Beenden" << 1 << true;
    }
    void actions() {
        QFETCH(QString, action);
        QFETCH(QString, name);
        QFETCH(QString, stored);
        QFETCH(bool, open);
        Program p;
        p.form->show();
        QSignalSpy closed(&*p.form, &TNyelvForm::Closed);
        if (action.startsWith("pick")) p.Pick(name);
        if (action.startsWith("type")) p.Type(name);
        if (action.endsWith("exit")) QTest::mouseClick(p.button("KilepBtn"), Qt::LeftButton);
        if (action.endsWith("ok")) QTest::mouseClick(p.button("RendbenBtn"), Qt::LeftButton);
        if (action.endsWith("close")) p.form->close();

        QCOMPARE(Setting("Language"), stored);
        QCOMPARE(Setting("Lng"), QString(stored == "German" ? "" : "1"));
        QTEST(p.state->languageName(), "current");
        QTEST(p.button("KilepBtn")->text(), "exitCaption");
        QTEST(int(p.messages.size()), "messages");
        QCOMPARE(p.form->isVisible(), open);
        QCOMPARE(closed.size(), open ? 0 : 1);
        if (!p.messages.isEmpty() && !name.isEmpty()) {
            QVERIFY2(p.messages.front().contains(name + ".lng"), qPrintable(p.messages.front()));
        }
    }

    // OK with a settings store that cannot be written: the language is used for this run,
    // and the user is told at once, in it, that the next start will not have it.
    void choiceThatCannotBeStoredIsSaid_data() {
        QTest::addColumn<bool>("writable");
        QTest::addColumn<int>("messages");
        QTest::newRow("store writable") << true << 0;
        QTest::newRow("store under a regular file") << false << 1;
    }
    void choiceThatCannotBeStoredIsSaid() {
        QFETCH(bool, writable);
        Program p;
        std::optional<UnwritableSettings> unwritable;
        if (!writable) unwritable.emplace();
        p.form->show();
        p.Pick("Hungarian");
        QTest::mouseClick(p.button("RendbenBtn"), Qt::LeftButton);
        QCOMPARE(p.state->languageName(), QString("Hungarian"));
        QVERIFY(!p.form->isVisible());
        QTEST(int(p.messages.size()), "messages");
        QCOMPARE(StoredLanguageName(), QString(writable ? "Hungarian" : ""));
        if (writable) return;
        const QString message = p.messages.front();
        QVERIFY2(
            message.startsWith(QString::fromUtf8("A választott nyelvet nem sikerült elmenteni")),
            qPrintable(message));
        QVERIFY2(message.contains("blocker"), qPrintable(message));
    }

    void sitsInTheBottomRightCorner() {
        Program p;
        const QRect area = p.form->screen()->availableGeometry();
        QCOMPARE(p.form->geometry().right(), area.right());
        QCOMPARE(p.form->geometry().bottom(), area.bottom());
    }
};

MERTANO_REGISTER_TEST(TestNyelvForm)
#include "tst_nyelv_form.moc"
