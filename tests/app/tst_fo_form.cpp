// SPDX-License-Identifier: GPL-3.0-or-later
// The real main window, driven by object names as a user would: choose, type, press.
#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <memory>

#include <sys/stat.h>

#include "app/app_context.h"
#include "app/figure_button.h"
#include "app/fo_form.h"
#include "main_window_steps.h"
#include "material_record.h"
#include "shapes/shape_catalogue.h"
#include "test_main.h"
#include "widgets/float_edit.h"

using namespace mertano;
using mertano::test::MaterialRecordBytes;

Q_DECLARE_METATYPE(mertano::ShapeKind)

namespace {

// One record of the material file, byte by byte.
}  // namespace

using test::MessageCatcher;

class TstFoForm : public test::MainWindowTest {
    Q_OBJECT

    template <class T = QWidget>
    T* find(const char* name) {
        T* w = form_->findChild<T*>(name);
        if (!w) qWarning("no control %s", name);
        return w;
    }
    TFloatEdit* field(const QString& valueName) { return test::FieldNamed(*form_, valueName); }
    void choose(ShapeKind shape) { test::ChooseFigure(*form_, shape); }
    void type(const QString& valueName, const QString& text) {
        test::TypeInto(*form_, valueName, text);
    }
    void typeAll(const QString& inputs) { test::TypeAll(*form_, inputs); }

private slots:
    void init() { QVERIFY(openWindow()); }
    void cleanup() { closeWindow(); }

    void startsWithNoFigure() {
        QCOMPARE(form_->size(), QSize(715, 445));
        QVERIFY(!find("AlapPanel")->isVisible());
        QVERIFY(!find("SzamolBtn")->isVisible());
        QVERIFY(!find("NyomtatBtn")->isVisible());
        QVERIFY(!find("UjBtn")->isVisible());
        QVERIFY(find("SpeedBtn1")->isVisible());
        QVERIFY(!form_->KepImage->shownPixmap().isNull());
        QCOMPARE(form_->windowTitle().left(8), QString("Mertano "));
    }

    void layoutOfEachFigure_data() {
        QTest::addColumn<ShapeKind>("shape");
        for (ShapeKind s : kAllShapes) QTest::newRow(Shape(s).name.data()) << s;
    }
    void layoutOfEachFigure() {
        QFETCH(ShapeKind, shape);
        const ShapeInfo& info = Shape(shape);
        choose(shape);
        QVERIFY(find("InputPanel")->isVisible());
        for (Field f : kAllFields) {
            QCOMPARE(form_->edit(f)->isVisible(), ShowsField(shape, f));
            QCOMPARE(form_->edit(f)->text(), QString("0.0000"));
        }
        QCOMPARE(form_->AoldEdit->y(), info.aInRowTwo ? 76 : 47);
        QCOMPARE(form_->AoldText->y(), info.aInRowTwo ? 79 : 49);
        QCOMPARE(form_->AoldText->text(),
                 QString(shape == ShapeKind::SphericalZone ? "a1" : "a :"));
        QCOMPARE(form_->NagyrText->text(),
                 QString(shape == ShapeKind::SphericalZone ? "a2" : "R :"));
        if (!info.magasCaption.empty()) {
            QCOMPARE(form_->MagasText1->text(), QString::fromUtf8(info.magasCaption.data()));
        }
        QCOMPARE(find("FeluletText2")->isVisible(), info.solid);
        QCOMPARE(find("TomegText3")->isVisible(), info.solid);
        QCOMPARE(find("AnyagComboBox")->isVisible(), info.solid);
        QCOMPARE(find("KeruletText2")->isVisible(), !info.solid);
        QCOMPARE(find("Fok1Text")->isVisible(), ShowsField(shape, Field::AlfaEdit));
        QCOMPARE(find("Fok3Text")->isVisible(), ShowsField(shape, Field::GammaEdit));
        QCOMPARE(find("DecimText")->isVisible(), !info.angleFields.empty());
        QCOMPARE(QApplication::focusWidget(), form_->edit(info.firstFocus));
        QVERIFY(!find("SzamolBtn")->isEnabled());
        QVERIFY(!find("NyomtatBtn")->isEnabled());
        // The chosen button alone carries the glyph.
        for (ShapeKind other : kAllShapes) {
            QCOMPARE(!form_->figureButton(other)->icon().isNull(), other == shape);
        }
        // Moving the focus to the first field is an entering like any other.
        const std::string_view shown = EnterPicture(info.firstFocus, shape);
        QCOMPARE(form_->IdomImage->shownPixmap().toImage(),
                 app_->pictures
                     .picture(QString::fromUtf8(shown.data(), qsizetype(shown.size())),
                              form_->devicePixelRatioF())
                     .toImage());
    }

    void typeAndCalculate_data() {
        QTest::addColumn<ShapeKind>("shape");
        QTest::addColumn<QString>("inputs");
        QTest::addColumn<QString>("expected");
        using S = ShapeKind;
        QTest::newRow("cone")
            << S::Cone << "r=3 ma=4"
            << "AoldEdit=5.0000;FeluletText2=75.40;TerfogatText2=37.70;Fok1Text= 53;"
               "FeluletText3=mm2;TerfogatText3=mm3";
        QTest::newRow("triangle") << S::Triangle << "a=3 b=4 c=5"
                                  << "KeruletText2=12.0000;KeruletText3=mm;TeruletText2=6.00;"
                                     "GammaEdit=90.0000;MagasEdit3=2.4000";
        QTest::newRow("circle from the diameter")
            << S::Circle << "d=10"
            << "SugarEdit=5.0000;KeruletText2=31.42;TeruletText2=78.54";
    }
    void typeAndCalculate() {
        QFETCH(ShapeKind, shape);
        QFETCH(QString, inputs);
        QFETCH(QString, expected);
        choose(shape);
        typeAll(inputs);
        QVERIFY(form_->SzamolBtn->isEnabled());
        QTest::mouseClick(form_->SzamolBtn, Qt::LeftButton);
        for (const QString& item : expected.split(';')) {
            const qsizetype eq = item.indexOf('=');
            const QString name = item.left(eq);
            QWidget* w = find(name.toLatin1().constData());
            const QString shown = qobject_cast<QLabel*>(w) ? qobject_cast<QLabel*>(w)->text()
                                                           : qobject_cast<QLineEdit*>(w)->text();
            QCOMPARE(shown, item.mid(eq + 1));
        }
        QVERIFY(!form_->InputPanel->isEnabled());
        QVERIFY(!form_->SzamolBtn->isEnabled());
        QVERIFY(form_->NyomtatBtn->isEnabled());

        // New data unlocks and clears everything; the layout stays.
        QTest::mouseClick(form_->UjBtn, Qt::LeftButton);
        QVERIFY(form_->InputPanel->isEnabled());
        QVERIFY(!form_->NyomtatBtn->isEnabled());
        QCOMPARE(form_->FeluletText2->text(), QString());
        QCOMPARE(form_->KeruletText2->text(), QString());
        for (Field f : kAllFields) QCOMPARE(form_->edit(f)->text(), QString("0.0000"));
        QCOMPARE(QApplication::focusWidget(), form_->edit(Shape(shape).firstFocus));
    }

    // Ctrl+E after a calculation: the typed values come back (never the computed ones),
    // the unit and material stay, the results go, and one changed value calculates again.
    void changeValuesKeepsWhatWasTyped_data() {
        QTest::addColumn<ShapeKind>("shape");
        QTest::addColumn<QString>("inputs");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QString>("changed");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<bool>("warned");
        using S = ShapeKind;
        QTest::newRow("cone, one value changed")
            << S::Cone << "r=3 ma=4" << "mm" << "r=6" << "AoldEdit=7.2111" << false;
        QTest::newRow("cube in cm with a material")
            << S::Cube << "a=10" << "cm" << "a=20" << "TomegText2=58.0000" << false;
        QTest::newRow("values that did not fit come back as typed")
            << S::Circle << "r=1 d=5" << "mm" << "d=0" << "KeruletText2=6.28" << true;
        QTest::newRow("triangle, a side changed")
            << S::Triangle << "a=3 b=4 c=5" << "m" << "c=6" << "GammaEdit=117.2796" << false;
    }
    void changeValuesKeepsWhatWasTyped() {
        QFETCH(ShapeKind, shape);
        QFETCH(QString, inputs);
        QFETCH(QString, unit);
        QFETCH(QString, changed);
        QFETCH(QString, expected);
        QFETCH(bool, warned);
        QFile file(app_->materials.path());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(MaterialRecordBytes("Vas", 7250));
        file.close();
        form_->FormActivate();
        choose(shape);
        form_->EgysegComboBox->setCurrentText(unit);
        form_->AnyagComboBox->setCurrentText("Vas");
        typeAll(inputs);
        std::array<QString, kFieldCount> typed;
        for (Field f : kAllFields) typed[FieldIndex(f)] = form_->edit(f)->text();
        QTest::keyClick(form_.get(), Qt::Key_E, Qt::ControlModifier);  // nothing to change yet
        QVERIFY(form_->InputPanel->isEnabled());
        MessageCatcher catcher;
        if (warned) catcher.armOnce();
        form_->SzamolBtnClick();
        QCOMPARE(catcher.seen, warned ? 1 : 0);
        QCOMPARE(form_->edit(Field::AtmeroEdit)->isMarked(), warned);
        QVERIFY(!form_->InputPanel->isEnabled());
        QVERIFY(form_->canChangeValues());

        QVERIFY(test::ShowActive(*form_));  // back from the warning, as a user would be
        QTest::keyClick(form_.get(), Qt::Key_E, Qt::ControlModifier);
        QVERIFY(form_->InputPanel->isEnabled());
        QVERIFY(!form_->canChangeValues());
        for (Field f : kAllFields) QCOMPARE(form_->edit(f)->text(), typed[FieldIndex(f)]);
        QVERIFY(!form_->edit(Field::AtmeroEdit)->isMarked());
        for (QLabel* box : {form_->KeruletText2, form_->TeruletText2, form_->TerfogatText2,
                            form_->TomegText2, form_->Fok1Text})
            QCOMPARE(box->text(), QString());
        QCOMPARE(form_->EgysegComboBox->currentText(), unit);
        QCOMPARE(form_->TerfogatText3->text(), unit + "3");
        QCOMPARE(form_->AnyagComboBox->currentText(), QString("Vas"));
        QVERIFY(form_->SzamolBtn->isEnabled());
        QVERIFY(!form_->NyomtatBtn->isEnabled());

        typeAll(changed);
        form_->SzamolBtnClick();
        const qsizetype eq = expected.indexOf('=');
        QWidget* w = find(expected.left(eq).toLatin1().constData());
        const QString shown = qobject_cast<QLabel*>(w) ? qobject_cast<QLabel*>(w)->text()
                                                       : qobject_cast<QLineEdit*>(w)->text();
        QCOMPARE(shown, expected.mid(eq + 1));
        QFile::remove(app_->materials.path());
    }

    void calculateButtonFollowsTheFields() {
        choose(ShapeKind::Triangle);
        typeAll("a=3 b=4");
        QVERIFY(!form_->SzamolBtn->isEnabled());
        typeAll("gamma=90");
        QVERIFY(form_->SzamolBtn->isEnabled());
        type("gamma", "");
        QTest::keyClick(form_->GammaEdit, Qt::Key_Backspace);
        QVERIFY(!form_->SzamolBtn->isEnabled());
    }

    void anyChangeAfterCalculatingDisablesPrinting() {
        choose(ShapeKind::Cylinder);
        typeAll("r=1");
        form_->SzamolBtnClick();  // not solvable: the panel stays open, printing is enabled
        QVERIFY(form_->NyomtatBtn->isEnabled());
        QVERIFY(form_->InputPanel->isEnabled());
        typeAll("r=2");
        QVERIFY(!form_->NyomtatBtn->isEnabled());
    }

    void choosingAgainUnlocksAfterASolution() {
        choose(ShapeKind::Cube);
        typeAll("a=2");
        form_->SzamolBtnClick();
        QVERIFY(!form_->InputPanel->isEnabled());
        choose(ShapeKind::Cube);
        QVERIFY(form_->InputPanel->isEnabled());
        QCOMPARE(form_->AoldEdit->text(), QString("0.0000"));
        QCOMPARE(form_->TerfogatText2->text(), QString());
    }

    void unitSurvivesAChangeOfFigure() {
        choose(ShapeKind::Cube);
        form_->EgysegComboBox->setCurrentText("cm");
        choose(ShapeKind::Sphere);
        QCOMPARE(form_->FeluletText3->text(), QString("cm2"));
        QCOMPARE(form_->TerfogatText3->text(), QString("cm3"));
        QCOMPARE(form_->EgysegText2->text(), QString("cm"));
        QCOMPARE(form_->TomegText3->text(), QString("kg"));
    }

    void enteringAFieldShowsItsPicture_data() {
        QTest::addColumn<ShapeKind>("shape");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("picture");
        QTest::newRow("cylinder radius") << ShapeKind::Cylinder << "r"
                                         << "B39";
        QTest::newRow("sphere radius is its own picture") << ShapeKind::Sphere << "r"
                                                          << "B10";
        QTest::newRow("triangle mb shows the plain triangle") << ShapeKind::Triangle << "mb"
                                                              << "B1";
        QTest::newRow("segment chord") << ShapeKind::CircularSegment << "h"
                                       << "B34";
        QTest::newRow("zone a2") << ShapeKind::SphericalZone << "R"
                                 << "B60";
    }
    void enteringAFieldShowsItsPicture() {
        QFETCH(ShapeKind, shape);
        QFETCH(QString, name);
        QFETCH(QString, picture);
        choose(shape);
        form_->EgysegComboBox->setFocus();
        field(name)->setFocus();
        QCOMPARE(form_->IdomImage->shownPixmap().toImage(),
                 app_->pictures.picture(picture, form_->devicePixelRatioF()).toImage());
        // The picture stays after the field is left.
        form_->EgysegComboBox->setFocus();
        QCOMPARE(form_->IdomImage->shownPixmap().toImage(),
                 app_->pictures.picture(picture, form_->devicePixelRatioF()).toImage());
    }

    void angleAbove180IsRefusedOnLeaving_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("refused");
        QTest::newRow("beta 200") << "beta"
                                  << "200" << true;
        QTest::newRow("alfa 180.0001") << "alfa"
                                       << "180.0001" << true;
        QTest::newRow("gamma 180 is accepted") << "gamma"
                                               << "180" << false;
    }
    void angleAbove180IsRefusedOnLeaving() {
        QFETCH(QString, name);
        QFETCH(QString, typed);
        QFETCH(bool, refused);
        choose(ShapeKind::Triangle);
        type(name, typed);
        MessageCatcher catcher;
        if (refused) catcher.armOnce();
        QTest::keyClick(field(name), Qt::Key_Tab);
        QTRY_COMPARE(catcher.seen, refused ? 1 : 0);
        if (refused) {
            QVERIFY(catcher.text.contains("180"));
            QCOMPARE(field(name)->text(), QString("0.0000"));
            QTRY_COMPARE(form_->focusWidget(), static_cast<QWidget*>(field(name)));
        } else {
            QCOMPARE(field(name)->text(), QString("180.0000"));
        }
    }

    void sidesThatFormNoTriangleAreRefused() {
        choose(ShapeKind::Triangle);
        typeAll("a=3 b=4 c=7");
        MessageCatcher catcher;
        catcher.armOnce();
        QTest::mouseClick(form_->SzamolBtn, Qt::LeftButton);
        QTRY_COMPARE(catcher.seen, 1);
        QVERIFY(catcher.text.contains("a + b"));
        QVERIFY(form_->InputPanel->isEnabled());
        QCOMPARE(form_->ColdEdit->text(), QString("7.0000"));
    }

    void arithmeticFaultShowsAnErrorAndTheWindowGoesOn() {
        choose(ShapeKind::CircularSegment);
        typeAll("r=1 h=3");
        MessageCatcher catcher;
        catcher.armOnce();
        QTest::mouseClick(form_->SzamolBtn, Qt::LeftButton);
        QTRY_COMPARE(catcher.seen, 1);
        // The built-in English names the figure, as a language file does.
        QVERIFY2(
            catcher.text.startsWith("Circular segment: no such figure has the values given.\n"),
            qPrintable(catcher.text));
        QVERIFY(catcher.text.endsWith("\n\nInvalid floating point operation"));
        QCOMPARE(form_->KeruletText2->text(), QString());
        QCOMPARE(form_->TeruletText2->text(), QString());
        QVERIFY(form_->InputPanel->isEnabled());
        QVERIFY(!form_->NyomtatBtn->isEnabled());
        typeAll("h=2");
        form_->SzamolBtnClick();
        QCOMPARE(form_->KeruletText2->text(), QString("5.14"));
    }

    void activationKeepsTheFigureButEmptiesTheMaterial() {
        choose(ShapeKind::Cone);
        typeAll("r=3 ma=4");
        form_->SzamolBtnClick();
        form_->AnyagComboBox->setCurrentText("Vas");
        form_->FormActivate();
        QCOMPARE(form_->AoldEdit->text(), QString("5.0000"));
        QCOMPARE(form_->FeluletText2->text(), QString("75.40"));
        QCOMPARE(form_->AnyagComboBox->currentText(), QString());
    }

    void massInTheChosenMaterialAndUnit_data() {
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QString>("edge");
        QTest::addColumn<QString>("material");
        QTest::addColumn<QString>("mass");
        QTest::newRow("centimetres") << "cm"
                                     << "10"
                                     << "Vas"
                                     << "7.2500";
        QTest::newRow("millimetres") << "mm"
                                     << "100"
                                     << "Vas"
                                     << "7.2500";
        QTest::newRow("metres") << "m"
                                << "0.1"
                                << "Vas"
                                << "7.2500";
        QTest::newRow("the last of equal names wins") << "cm"
                                                      << "10"
                                                      << "Réz"
                                                      << "8.9000";
        QTest::newRow("names are case-sensitive") << "cm"
                                                  << "10"
                                                  << "vas"
                                                  << "0.0000";
        QTest::newRow("no material leaves the mass empty") << "cm"
                                                           << "10"
                                                           << ""
                                                           << "";
    }
    void massInTheChosenMaterialAndUnit() {
        QFETCH(QString, unit);
        QFETCH(QString, edge);
        QFETCH(QString, material);
        QFETCH(QString, mass);
        const auto record = MaterialRecordBytes;
        QFile file(app_->materials.path());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(record("Vas", 7250) + record("R\xc3\xa9z", 8000) + record("R\xc3\xa9z", 8900));
        file.close();
        form_->FormActivate();
        QCOMPARE(form_->AnyagComboBox->count(), 3);
        choose(ShapeKind::Cube);
        form_->EgysegComboBox->setCurrentText(unit);
        form_->AnyagComboBox->setCurrentText(material);
        QCOMPARE(form_->AnyagText2->text(), material);
        typeAll("a=" + edge);
        form_->SzamolBtnClick();
        QCOMPARE(form_->TomegText2->text(), mass);
        QFile::remove(app_->materials.path());
    }

    // A dialog closing or a new language reloads the material list; the mass on screen
    // must always belong to the material shown beside it.
    void materialAndMassAfterAReload_data() {
        QTest::addColumn<QByteArray>("reloaded");
        QTest::addColumn<QString>("material");
        QTest::addColumn<bool>("massKept");
        QTest::newRow("unchanged: both stay")
            << MaterialRecordBytes("Vas", 7250) + MaterialRecordBytes("Alu", 2700) << "Vas" << true;
        QTest::newRow("another one added: both stay")
            << MaterialRecordBytes("Vas", 7250) + MaterialRecordBytes("Réz", 8900) << "Vas" << true;
        QTest::newRow("deleted: both go") << MaterialRecordBytes("Alu", 2700) << "" << false;
        QTest::newRow("renamed: both go")
            << MaterialRecordBytes("Eisen", 7250) + MaterialRecordBytes("Alu", 2700) << "" << false;
        QTest::newRow("gravity changed: both go")
            << MaterialRecordBytes("Vas", 7850) + MaterialRecordBytes("Alu", 2700) << "" << false;
    }
    void materialAndMassAfterAReload() {
        QFETCH(QByteArray, reloaded);
        QFETCH(QString, material);
        QFETCH(bool, massKept);
        QFile file(app_->materials.path());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(MaterialRecordBytes("Vas", 7250) + MaterialRecordBytes("Alu", 2700));
        file.close();
        form_->FormActivate();
        choose(ShapeKind::Cube);
        form_->AnyagComboBox->setCurrentText("Vas");
        typeAll("a=10");
        form_->SzamolBtnClick();
        const QString mass = form_->TomegText2->text();
        QVERIFY(!mass.isEmpty());

        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(reloaded);
        file.close();
        form_->FormActivate();
        QCOMPARE(form_->AnyagComboBox->currentText(), material);
        QCOMPARE(form_->AnyagText2->text(), material);
        QCOMPARE(form_->TomegText2->text(), massKept ? mass : QString());
        QFile::remove(app_->materials.path());
    }

    // A dialog closing lists the materials again only when the file changed, or when a
    // name typed into the box has made the list differ from the file.
    void materialListIsListedAgainOnlyWhenItChanged_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<int>("listings");
        QTest::addColumn<int>("count");
        QTest::newRow("file unchanged") << "" << 0 << 2;
        QTest::newRow("a material added") << "add" << 1 << 3;
        QTest::newRow("a name typed into the box") << "type" << 1 << 2;
    }
    void materialListIsListedAgainOnlyWhenItChanged() {
        QFETCH(QString, change);
        const QByteArray two = MaterialRecordBytes("Vas", 7250) + MaterialRecordBytes("Alu", 2700);
        auto write = [this](const QByteArray& bytes) {
            QFile file(app_->materials.path());
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(bytes);
        };
        write(two);
        form_->FormActivate();
        choose(ShapeKind::Cube);
        QSignalSpy listings(form_->AnyagComboBox->model(), &QAbstractItemModel::modelReset);
        if (change == "add") write(two + MaterialRecordBytes("Cu", 8960));
        if (change == "type") {
            form_->AnyagComboBox->setFocus();
            form_->AnyagComboBox->lineEdit()->setText("Arany");
            QTest::keyClick(form_->AnyagComboBox, Qt::Key_Return);
            QCOMPARE(form_->AnyagComboBox->count(), 3);
        }
        form_->FormActivate();
        QTEST(int(listings.count()), "listings");
        QTEST(form_->AnyagComboBox->count(), "count");
        QFile::remove(app_->materials.path());
    }

    // A language file that cannot be read is said, and the window keeps the built-in
    // English captions, figure buttons included, rather than none.
    void unreadableLanguageLeavesTheEnglishCaptions_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("named pipe") << "pipe";
        QTest::newRow("device") << "device";
        QTest::newRow("larger than a language file") << "large";
    }
    void unreadableLanguageLeavesTheEnglishCaptions() {
        QFETCH(QString, kind);
        closeWindow();
        QTemporaryDir program;
        QVERIFY(QDir(program.path()).mkdir("Language"));
        const QString file = program.filePath("Language/Odd.lng");
        if (kind == "pipe") QCOMPARE(mkfifo(QFile::encodeName(file), 0600), 0);
        if (kind == "device") QVERIFY(QFile::link("/dev/zero", file));
        if (kind == "large") {
            QFile big(file);
            QVERIFY(big.open(QIODevice::WriteOnly));
            QVERIFY(big.write(QByteArray(2 * 1024 * 1024, ' ') + "003 Odd\r\n") > 0);
        }
        app_ = std::make_unique<AppContext>();
        app_->language = LanguageState(program.path() + "/", "Odd", {"Odd"});
        form_ = std::make_unique<TFoForm>(*app_);
        MessageCatcher catcher;
        catcher.armOnce();
        QVERIFY(test::ShowActive(*form_));
        QTRY_COMPARE(catcher.seen, 1);
        QVERIFY2(catcher.text.startsWith("The language file could not be read:"),
                 qPrintable(catcher.text));
        QCOMPARE(catcher.title, QString("Error"));
        QCOMPARE(form_->figureButton(ShapeKind::SphericalZone)->text(), QString("Spherical zone"));
        QCOMPARE(form_->SzamolBtn->text(), QString("&Calculate"));
        QCOMPARE(form_->KilepSpBtn->toolTip(), QString("Exit"));
    }

    // The help window and the dialogs have no parent: closing the main window in any
    // way must take them along, or the program keeps running without a window.
    void closingTakesEveryOtherWindowAlong_data() {
        QTest::addColumn<int>("how");
        QTest::newRow("exit button") << 0;
        QTest::newRow("escape") << 1;
        QTest::newRow("close box") << 2;
    }
    void closingTakesEveryOtherWindowAlong() {
        QFETCH(int, how);
        QWidget help;
        help.setWindowTitle("help");
        help.show();
        QVERIFY(QTest::qWaitForWindowExposed(&help));
        form_->activateWindow();
        if (how == 0) QTest::mouseClick(form_->KilepSpBtn, Qt::LeftButton);
        if (how == 1) QTest::keyClick(form_->KilepSpBtn, Qt::Key_Escape);
        if (how == 2) form_->close();
        QVERIFY(!form_->isVisible());
        QVERIFY(!help.isVisible());
    }

    void centredInTheWorkArea() {
        const QRect area = form_->screen()->availableGeometry();
        QCOMPARE(form_->frameGeometry().topLeft(),
                 CentredPosition(area, form_->frameGeometry().size()));
    }

    void boxesAndPictureAreNamedForScreenReaders() {
        // The captions of a language, as its texts put them in.
        form_->FeluletText1->setText("Surface:");
        form_->TomegText1->setText("Mass:");
        form_->KeruletText1->setText("Perimeter:");
        form_->FPMText->setText("Deg,Min,Sec");
        form_->figureButton(ShapeKind::Cone)->setText("C&one");
        form_->figureButton(ShapeKind::Triangle)->setText("&Triangle");
        choose(ShapeKind::Cone);
        QCOMPARE(form_->FeluletText2->accessibleName(), QStringLiteral("Surface"));
        QCOMPARE(form_->TomegText2->accessibleName(), QStringLiteral("Mass"));
        QCOMPARE(form_->Fok1Text->accessibleName(), QStringLiteral("α Deg"));
        QCOMPARE(form_->Mperc2Text->accessibleName(), QStringLiteral("β Sec"));
        QCOMPARE(form_->IdomImage->accessibleName(), QStringLiteral("Cone"));
        choose(ShapeKind::Triangle);
        QCOMPARE(form_->IdomImage->accessibleName(), QStringLiteral("Triangle"));
        QCOMPARE(form_->KeruletText2->accessibleName(), QStringLiteral("Perimeter"));
    }

    void escapeClosesTheWindowEvenFromAField() {
        choose(ShapeKind::Cube);
        form_->AoldEdit->setFocus();
        QTest::keyClicks(form_->AoldEdit, "12");
        QTest::keyClick(form_->AoldEdit, Qt::Key_Escape);
        QVERIFY(!form_->isVisible());
    }

    void labelsAnnounceTheirFields() {
        for (Field f : kAllFields) {
            bool found = false;
            for (QLabel* label : form_->findChildren<QLabel*>())
                found = found || label->buddy() == form_->edit(f);
            QVERIFY2(found, FieldControlName(f).data());
        }
    }
};

MERTANO_REGISTER_TEST(TstFoForm)
#include "tst_fo_form.moc"
