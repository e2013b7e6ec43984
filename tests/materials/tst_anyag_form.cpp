// SPDX-License-Identifier: GPL-3.0-or-later
// The materials dialog driven as a user drives it: controls found by name, typed into
// and clicked with QTest, and the file checked byte for byte afterwards.
#include <sys/resource.h>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <memory>

#include "calc/language_texts.h"
#include "material_fixtures.h"
#include "materials/anyag_form.h"
#include "materials/material_list.h"
#include "test_main.h"
#include "widgets/float_edit.h"
#include "widgets/message_form.h"

using namespace mertano;
using namespace mertano::test;

namespace {

// QTest::keyClicks takes Latin-1 only; a key event carries any text.
void TypeText(QWidget* widget, const QString& text) {
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

// The dialog with its warnings and questions recorded instead of shown.
class RecordingForm : public TAnyagForm {
public:
    using TAnyagForm::TAnyagForm;
    QStringList warnings;
    QStringList questions;
    QStringList notes;
    bool answer = false;

protected:
    void ShowWarning(const QString& text) override { warnings << text; }
    bool AskYesNo(const QString& text) override {
        questions << text;
        return answer;
    }
    void ShowInformation(const QString& text) override { notes << text; }
};

using Bytes = std::vector<std::pair<QByteArray, qint32>>;

// The file-size limit of this process for one block, with SIGXFSZ ignored so a write
// beyond it fails instead of ending the test program.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, oldHandler_);
    }

private:
    rlimit saved_{};
    void (*oldHandler_)(int) = nullptr;
};

}  // namespace

class TstAnyagForm : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString path_;
    LanguageTexts texts_;
    std::unique_ptr<MaterialStore> store_;
    std::unique_ptr<RecordingForm> form_;

    template <class T>
    T* find(const char* name) {
        T* w = form_->findChild<T*>(QString::fromLatin1(name));
        if (!w) qFatal("no control %s", name);
        return w;
    }
    QComboBox* combo() { return find<QComboBox>("AnyagComboBox"); }
    TFloatEdit* gravity1() { return find<TFloatEdit>("FajsulyEdit1"); }
    TFloatEdit* gravity2() { return find<TFloatEdit>("FajsulyEdit2"); }

    void open(const Bytes& records) { openBytes(Records(records)); }
    void openBytes(const QByteArray& bytes) {
        WriteBytes(path_, bytes);
        store_ = std::make_unique<MaterialStore>(path_);
        form_ = std::make_unique<RecordingForm>(*store_, texts_);
        form_->show();
        form_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
        QCoreApplication::processEvents();  // the queued activation
    }
    void typeGravity(TFloatEdit* edit, const QString& value) {
        edit->setFocus();
        edit->selectAll();
        QString typed = value;
        typed.replace('.', edit->decimalChar());
        QTest::keyClicks(edit, typed);
    }
    void pick(const QString& name) {
        const int index = combo()->findText(name);
        QVERIFY(index >= 0);
        combo()->setCurrentIndex(index);
        emit combo()->activated(index);
    }
    void typeComboText(const QString& text) {
        combo()->lineEdit()->clear();
        TypeText(combo()->lineEdit(), text);
    }
    void click(const char* button) { QTest::mouseClick(find<QPushButton>(button), Qt::LeftButton); }
    QStringList comboItems() {
        QStringList items;
        for (int k = 0; k < combo()->count(); ++k) items << combo()->itemText(k);
        return items;
    }

private slots:
    void init() {
        QVERIFY(dir_.isValid());
        path_ = QDir(dir_.path()).filePath("Gravity.grv");
        QFile::remove(path_);
        QFile::remove(path_ + ".damaged");
        texts_.clear();
    }
    void cleanup() {
        form_.reset();
        store_.reset();
    }

    void controlsCarryTheirNames() {
        open({});
        for (const char* name :
             {"UjGroupBox", "NevText1", "NevEdit", "FajsulyText1", "FajsulyEdit1", "MentBtn",
              "ModositGroupBox", "NevText2", "AnyagComboBox", "FajsulyText2", "FajsulyEdit2",
              "ModositBtn", "TorolBtn", "KilepBtn", "GyakoriBtn", "FajsulyEgysegText1",
              "FajsulyEgysegText2"}) {
            QVERIFY2(form_->findChild<QWidget*>(name), name);
        }
        QCOMPARE(gravity1()->digits(), 2);
        QCOMPARE(double(gravity2()->max()), 100000.0);
        QCOMPARE(find<QPushButton>("MentBtn")->text(), QStringLiteral("Mentés"));
        find<QPushButton>("KilepBtn")->setFocus();  // last in the tab order until GyakoriBtn
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("GyakoriBtn"));
    }

    void captionsFollowTheLanguageTexts() {
        open({});
        texts_.set(74, "Save");
        texts_.set(69, "Materials");
        form_->ApplyLanguageTexts();
        QCOMPARE(find<QPushButton>("MentBtn")->text(), QStringLiteral("Save"));
        QCOMPARE(form_->windowTitle(), QStringLiteral("Materials"));
        QCOMPARE(find<QPushButton>("TorolBtn")->text(), QStringLiteral("Törlés"));
    }

    void placedInTheBottomRightCorner() {
        open({});
        const QRect area = form_->screen()->availableGeometry();
        QCOMPARE(form_->frameGeometry().bottomRight(), area.bottomRight());
        const int width = form_->width();
        texts_.set(73, "A much longer specific gravity caption:");
        form_->ApplyLanguageTexts();
        QCoreApplication::processEvents();  // the window system's answer to the resize
        QVERIFY(form_->width() > width);
        QCOMPARE(form_->frameGeometry().bottomRight(), area.bottomRight());
    }

    // The main window puts the texts of a new language in by control name while this
    // window is hidden; the next showing must still find it wholly on the screen.
    void longerCaptionsByNameStayOnScreen() {
        open({});
        form_->hide();
        const QRect area = form_->screen()->availableGeometry();
        const int width = form_->width();
        for (const char* name : {"FajsulyText1", "FajsulyText2"}) {
            find<QLabel>(name)->setText("Spezifisches Gewicht, sehr ausführlich:");
        }
        for (const char* name : {"MentBtn", "ModositBtn", "TorolBtn", "KilepBtn"}) {
            find<QPushButton>(name)->setText("Ein recht langer Knopf");
        }
        form_->show();
        QCoreApplication::processEvents();
        QVERIFY(form_->width() > width);
        QVERIFY(area.contains(form_->frameGeometry()));
        QCOMPARE(form_->frameGeometry().bottomRight(), area.bottomRight());
    }

    void activationListsTheFileAndEmptiesTheFields() {
        open({{"Vas", 7250}, {"alu", 2700}, {"Réz", 8900}});
        find<QLineEdit>("NevEdit")->setText("x");
        typeGravity(gravity1(), "3");
        form_->FormActivate();
        QCOMPARE(comboItems(), (QStringList{"alu", QString::fromUtf8("Réz"), "Vas"}));
        QCOMPARE(find<QLineEdit>("NevEdit")->text(), QString());
        QCOMPARE(combo()->currentText(), QString());
        QCOMPARE(double(gravity1()->value()), 0.0);
    }

    // The main window lists names as strings compare, the dialog as a reader expects:
    // letter case and accents set aside, equal names in the order of the file.
    void listOrders_data() {
        QTest::addColumn<int>("order");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QStringList>("listed");
        const QString olom = QString::fromUtf8("Ólom");
        QTest::newRow("main window: as strings compare")
            << int(MaterialOrder::CodeUnits) << "hu_HU"
            << QStringList{"Alu", "B", "Vas", "alu", "b", olom};
        QTest::newRow("dialog, Hungarian: for the eye, ties in file order")
            << int(MaterialOrder::ForTheEye) << "hu_HU"
            << QStringList{"alu", "Alu", "b", "B", olom, "Vas"};
        QTest::newRow("dialog, C locale: case set aside")
            << int(MaterialOrder::ForTheEye) << "C"
            << QStringList{"alu", "Alu", "b", "B", "Vas", olom};
    }
    void listOrders() {
        QFETCH(int, order);
        QFETCH(QString, locale);
        MaterialTable table;
        for (const char* name : {"b", "Vas", "alu", "", "Ólom", "B", "Alu"})
            table << MakeMaterial(QString::fromUtf8(name), 1000);
        QLocale::setDefault(QLocale(locale));
        const QStringList listed = SortedMaterialNames(table, MaterialOrder(order));
        QLocale::setDefault(QLocale::c());
        QTEST(listed, "listed");
    }

    void pickShowsTheLaterDuplicate() {
        open({{"Vas", 7250}, {"Vas", 7850}});
        pick("Vas");
        QCOMPARE(double(gravity2()->value()), 7.85);
        QCOMPARE(form_->ChosenMaterial(), QStringLiteral("Vas"));
    }

    void save_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("gravity");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("warning");
        QTest::addColumn<QString>("focus");
        const QByteArray vas = Record("Vas", 7250);
        QTest::newRow("blanks around the name are trimmed")
            << " Vas "
            << "7.25" << vas + Record("Vas", 7250) << ""
            << "";
        QTest::newRow("existing name is appended again")
            << "Vas"
            << "7.85" << vas + Record("Vas", 7850) << ""
            << "";
        QTest::newRow("accented name stored as UTF-8")
            << QString::fromUtf8("Réz") << "8.9" << vas + Record("R\xc3\xa9z", 8900) << ""
            << "";
        QTest::newRow("empty name") << ""
                                    << "7.25" << vas << "Adja meg az anyag nevét!"
                                    << "NevEdit";
        QTest::newRow("blank name") << "   "
                                    << "7.25" << vas << "Adja meg az anyag nevét!"
                                    << "NevEdit";
        QTest::newRow("zero gravity") << "Cu"
                                      << "0" << vas << "Adja meg a fajsúlyt!"
                                      << "FajsulyEdit1";
    }
    void save() {
        QFETCH(QString, name);
        QFETCH(QString, gravity);
        open({{"Vas", 7250}});
        TypeText(find<QLineEdit>("NevEdit"), name);
        typeGravity(gravity1(), gravity);
        click("MentBtn");
        QTEST(ReadBytes(path_), "file");
        QFETCH(QString, warning);
        QCOMPARE(form_->warnings, warning.isEmpty() ? QStringList{} : QStringList{warning});
        QFETCH(QString, focus);
        if (!focus.isEmpty()) QCOMPARE(QApplication::focusWidget()->objectName(), focus);
        if (focus.isEmpty()) QVERIFY(comboItems().contains(TrimMaterialText(name)));
    }

    void change_data() {
        QTest::addColumn<QString>("picked");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("gravity");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("warning");
        const QByteArray before = Records({{"Vas", 7250}, {"Alu", 2700}, {"Vas", 7300}});
        QTest::newRow("renames every record of the picked name")
            << "Vas" << QString::fromUtf8("Acél") << "7.85"
            << Records({{"Ac\xc3\xa9l", 7850}, {"Alu", 2700}, {"Ac\xc3\xa9l", 7850}}) << "";
        QTest::newRow("gravity only")
            << "Alu"
            << "Alu"
            << "2.71" << Records({{"Vas", 7250}, {"Alu", 2710}, {"Vas", 7300}}) << "";
        QTest::newRow("nothing picked rewrites the same records") << ""
                                                                  << "Vas"
                                                                  << "1" << before << "";
        QTest::newRow("empty text") << "Vas"
                                    << ""
                                    << "7.85" << before << "Adja meg az anyag nevét!";
        QTest::newRow("zero gravity") << "Vas"
                                      << "Vas"
                                      << "0" << before << "Adja meg a fajsúlyt!";
    }
    void change() {
        QFETCH(QString, picked);
        QFETCH(QString, text);
        QFETCH(QString, gravity);
        open({{"Vas", 7250}, {"Alu", 2700}, {"Vas", 7300}});
        if (!picked.isEmpty()) pick(picked);
        typeComboText(text);
        typeGravity(gravity2(), gravity);
        click("ModositBtn");
        QTEST(ReadBytes(path_), "file");
        QFETCH(QString, warning);
        QCOMPARE(form_->warnings, warning.isEmpty() ? QStringList{} : QStringList{warning});
    }

    // Delete takes what the box shows; a name typed over the pick, or without one, is
    // deleted only after a Yes, and a name the list lacks is refused.
    void remove_data() {
        QTest::addColumn<QString>("picked");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QString>("warning");
        const QByteArray before = Records({{"Vas", 7250}, {"Alu", 2700}, {"Vas", 7300}});
        const QByteArray alu = Records({{"Alu", 2700}});
        QTest::newRow("every record of the picked name, unasked") << "Vas"
                                                                  << "Vas" << false << alu << ""
                                                                  << "";
        QTest::newRow("name typed over the pick, Yes: the shown one goes")
            << "Alu"
            << "Vas" << true << alu << "Delete the material \"Vas\"?"
            << "";
        QTest::newRow("name typed over the pick, No: nothing goes")
            << "Alu"
            << "Vas" << false << before << "Delete the material \"Vas\"?"
            << "";
        QTest::newRow("name typed without a pick, Yes")
            << ""
            << "Vas" << true << alu << "Delete the material \"Vas\"?"
            << "";
        QTest::newRow("name the list lacks is refused")
            << "Vas"
            << "Arany" << true << before << ""
            << "There is no material named \"Arany\". Nothing was deleted.";
        QTest::newRow("empty text even after a pick")
            << "Vas"
            << "" << true << before << "" << QString::fromUtf8("Válassza ki a törlendő anyagot!");
    }
    void remove() {
        QFETCH(QString, picked);
        QFETCH(QString, text);
        open({{"Vas", 7250}, {"Alu", 2700}, {"Vas", 7300}});
        QFETCH(bool, answer);
        form_->answer = answer;
        if (!picked.isEmpty()) pick(picked);
        typeComboText(text);
        click("TorolBtn");
        QTEST(ReadBytes(path_), "file");
        QFETCH(QString, question);
        QCOMPARE(form_->questions, question.isEmpty() ? QStringList{} : QStringList{question});
        QFETCH(QString, warning);
        QCOMPARE(form_->warnings, warning.isEmpty() ? QStringList{} : QStringList{warning});
    }

    // A save that finds its file or its whole folder gone must not claim to have kept
    // the old content.
    void saveAfterTheFileWentAway_data() {
        QTest::addColumn<QString>("gone");
        QTest::addColumn<int>("limit");  // file-size limit during the save; 0: none
        QTest::addColumn<int>("headline");
        QTest::addColumn<QString>("detail");
        QTest::newRow("folder deleted") << "folder" << 0 << int(kTextMaterialFolderGone)
                                        << "no longer exists. Nothing was saved.";
        QTest::newRow("file deleted, disk full") << "file" << 10 << int(kTextMaterialFileGone)
                                                 << "There is no such file, and nothing was saved.";
        QTest::newRow("file there, disk full")
            << "" << 60 << int(kTextMaterialNotSaved) << "The file keeps its previous content.";
    }
    void saveAfterTheFileWentAway() {
        QFETCH(QString, gone);
        QFETCH(int, limit);
        QFETCH(int, headline);
        QFETCH(QString, detail);
        QTemporaryDir work;
        path_ = work.filePath("Gravity.grv");
        open({{"Vas", 7250}, {"Alu", 2700}});
        if (gone == "folder") QVERIFY(QDir(work.path()).removeRecursively());
        if (gone == "file") QVERIFY(QFile::remove(path_));
        TypeText(find<QLineEdit>("NevEdit"), "Cu");
        typeGravity(gravity1(), "8.96");
        {
            const FileSizeLimit fileSize(limit > 0 ? rlim_t(limit) : RLIM_INFINITY);
            click("MentBtn");
        }
        QCOMPARE(form_->warnings.size(), 1);
        const QString warning = form_->warnings[0];
        QVERIFY2(warning.startsWith(QString::fromStdString(LanguageTexts::ExtraEnglish(headline))),
                 qPrintable(warning));
        QVERIFY2(warning.endsWith(detail), qPrintable(warning));
        QCOMPARE(QFileInfo::exists(path_), gone.isEmpty());
    }

    // Appended to what the list holds, named in the current language. A list that lacks
    // none is not saved at all (a save would fail here); a failed save loses nothing.
    void addCommonMaterials_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QStringList>("words");  // texts 178, 179...
        QTest::addColumn<int>("limit");          // file-size limit while saving; 0: none
        QTest::addColumn<QStringList>("appended");
        QTest::addColumn<QString>("message");
        QStringList names;
        Bytes allThere;
        for (int n = kTextFirstCommonMaterial; n <= kTextLastCommonMaterial; ++n) {
            names << QString::fromStdString(LanguageTexts::ExtraEnglish(n));
            allThere.push_back({names.back().toUtf8(), 1000});
        }
        const QString added = "Common materials added to the list: %1.";
        QTest::newRow("names there are kept, gravity and all; letter case counts")
            << Records({{"Copper", 9000}, {"glass", 2600}}) << QStringList{} << 0
            << names.mid(0, 7) + names.mid(8) << added.arg(20);
        QTest::newRow("named in the language, cut to fit, names alike once")
            << QByteArray() << QStringList{"Szerkezeti acél nagyon hosszú", "Acél", "Acél"} << 0
            << QStringList{"Szerkezeti acél nag", "Acél"} + names.mid(3) << added.arg(20);
        QTest::newRow("every one there: nothing saved")
            << Records(allThere) << QStringList{} << 1 << QStringList{}
            << "Every common material is already in the list. Nothing was added.";
        QTest::newRow("save fails: nothing lost, and said")
            << Records({{"Vas", 7250}}) << QStringList{} << 40 << QStringList{}
            << "The material file could not be saved. It keeps what it held before.";
    }
    void addCommonMaterials() {
        QFETCH(QStringList, words);
        for (int k = 0; k < words.size(); ++k)
            texts_.set(kTextFirstCommonMaterial + k, words[k].toStdString());
        QFETCH(QByteArray, before);
        openBytes(before);
        QFETCH(int, limit);
        {
            const FileSizeLimit fileSize(limit > 0 ? rlim_t(limit) : RLIM_INFINITY);
            click("GyakoriBtn");
        }
        const QByteArray after = ReadBytes(path_);
        QVERIFY(after.startsWith(before));
        const MaterialTable table = DecodeMaterials(after.mid(before.size())).table;
        QTEST(MaterialNames(table), "appended");
        for (const MaterialRecord& m : table) QVERIFY(m.gravity > 500 && m.gravity < 12000);
        const QStringList said = form_->warnings + form_->notes;
        QCOMPARE(said.size(), 1);
        QFETCH(QString, message);
        QVERIFY2(said[0].startsWith(message), qPrintable(said[0]));
        QCOMPARE(comboItems().size(), MaterialNames(DecodeMaterials(after).table).size());
    }

    void changeAfterDeleteFindsNothing() {
        open({{"Vas", 7250}, {"Alu", 2700}});
        pick("Vas");
        click("TorolBtn");
        QCOMPARE(form_->ChosenMaterial(), QStringLiteral("Vas"));
        typeComboText("Cu");
        typeGravity(gravity2(), "8.96");
        click("ModositBtn");
        QCOMPARE(ReadBytes(path_), Records({{"Alu", 2700}}));
    }

    void nameFieldsTakeOnlyNamesThatFit_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("ASCII stops at 20") << QString(25, 'a') << QString(20, 'a');
        QTest::newRow("two-byte letters stop at 10")
            << QString(12, QChar(0x0151)) << QString(10, QChar(0x0151));
    }
    void nameFieldsTakeOnlyNamesThatFit() {
        open({});
        QFETCH(QString, typed);
        TypeText(find<QLineEdit>("NevEdit"), typed);
        QTEST(find<QLineEdit>("NevEdit")->text(), "shown");
        typeComboText(typed);
        QTEST(combo()->currentText(), "shown");
    }

    void failedWriteKeepsWhatTheUserHad() {
        texts_.set(kTextMaterialNotSaved, "Nicht gespeichert.");
        open({{"Vas", 7250}, {"Alu", 2700}});
        QTest::keyClicks(find<QLineEdit>("NevEdit"), "Cu");
        typeGravity(gravity1(), "8.96");
        {
            const FileSizeLimit limit(60);  // the old 56 bytes fit; the new 84 do not
            click("MentBtn");
        }
        QCOMPARE(ReadBytes(path_), Records({{"Vas", 7250}, {"Alu", 2700}}));
        QCOMPARE(form_->warnings.size(), 1);
        QVERIFY(form_->warnings[0].startsWith("Nicht gespeichert."));  // the user's language first
        QVERIFY(form_->warnings[0].contains(QDir::toNativeSeparators(path_)));
        QCOMPARE(find<QLineEdit>("NevEdit")->text(), QStringLiteral("Cu"));
        QCOMPARE(double(gravity1()->value()), 8.96);
        QCOMPARE(comboItems(), (QStringList{"Alu", "Vas"}));
        QCOMPARE(store_->table().size(), 2);
    }

    void damagedFileIsToldOnceAndKept() {
        const QByteArray damaged = Records({{"Vas", 7250}}) + "xx";
        openBytes(damaged);
        form_->FormActivate();
        QCOMPARE(form_->warnings.size(), 1);
        QVERIFY(form_->warnings[0].contains("damaged"));
        QCOMPARE(comboItems(), QStringList{"Vas"});
        pick("Vas");
        click("TorolBtn");
        QCOMPARE(ReadBytes(path_ + ".damaged"), damaged);
        QCOMPARE(ReadBytes(path_), QByteArray());
    }

    void closingGivesTheMainWindowBack() {
        QWidget mainWindow;
        store_ = std::make_unique<MaterialStore>(path_);
        form_ = std::make_unique<RecordingForm>(*store_, texts_, &mainWindow);
        form_->show();
        QSignalSpy closed(form_.get(), &TAnyagForm::Closed);
        click("KilepBtn");
        QVERIFY(!form_->isVisible());
        QCOMPARE(closed.count(), 1);
    }

    void warningGoesThroughTheMessageDialog() {
        store_ = std::make_unique<MaterialStore>(path_);
        TAnyagForm form(*store_, texts_);
        form.show();
        QString shown;
        QTimer::singleShot(0, [&shown] {
            if (auto* dialog = qobject_cast<TMessageForm*>(QApplication::activeModalWidget())) {
                if (auto* message = dialog->findChild<QLabel*>("Message")) shown = message->text();
                dialog->done(ResultOK);
            }
        });
        QTest::mouseClick(form.findChild<QPushButton*>("MentBtn"), Qt::LeftButton);
        QCOMPARE(shown, QStringLiteral("Adja meg az anyag nevét!"));
    }
};
MERTANO_REGISTER_TEST(TstAnyagForm)

#include "tst_anyag_form.moc"
