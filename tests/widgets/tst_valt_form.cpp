// SPDX-License-Identifier: GPL-3.0-or-later
// The angle conversion dialog driven as a user drives it: typing into the fields by
// object name, pressing the buttons, closing it every way, and where it stands.
#include <QApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>
#include <memory>

#include "calc/language_texts.h"
#include "test_main.h"
#include "widgets/float_edit.h"
#include "widgets/valt_form.h"

namespace mertano {
namespace {

const char* const kFieldNames[] = {"DecimEdit", "FokEdit", "PercEdit", "MpercEdit"};

// Enters the field as Tab would (selecting its text) and types the script; "\b" is
// Backspace, so "\b" alone empties the field.
void TypeInto(QWidget* form, const char* name, const QString& script) {
    auto* edit = form->findChild<QLineEdit*>(name);
    QVERIFY2(edit, name);
    edit->setFocus(Qt::TabFocusReason);
    for (QChar c : script) {
        if (c == QLatin1Char('\b'))
            QTest::keyClick(edit, Qt::Key_Backspace);
        else
            QTest::keyClick(edit, c.toLatin1());
    }
}

QStringList FieldTexts(QWidget* form) {
    QStringList texts;
    for (const char* name : kFieldNames) texts << form->findChild<QLineEdit*>(name)->text();
    return texts;
}

bool PanelEnabled(QWidget* form) {
    return form->findChild<QFrame*>("Panel")->isEnabled();
}

void Click(QWidget* form, const char* button) {
    QTest::mouseClick(form->findChild<QPushButton*>(button), Qt::LeftButton);
}

}  // namespace

class ValtFormTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TValtForm> form_;

    void Open(QChar separator = QLatin1Char('.')) {
        form_ = std::make_unique<TValtForm>(separator, nullptr);
        form_->show();
        form_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    }

private slots:
    void cleanup() { form_.reset(); }

    void convert_data() {
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<QStringList>("typed");  // per field; empty: left as it is
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<bool>("locked");

        const QChar point('.');
        QTest::newRow("30.5 gives 30 30 0") << point << QStringList{"30.5", "", "", ""}
                                            << QStringList{"30.5000", "30", "30", "0"} << true;
        QTest::newRow("10.1 cuts its seconds to 59, never rounds them up")
            << point << QStringList{"10.1", "", "", ""} << QStringList{"10.1000", "10", "5", "59"}
            << true;
        QTest::newRow("0.0125 gives 45 seconds") << point << QStringList{"0.0125", "", "", ""}
                                                 << QStringList{"0.0125", "0", "0", "45"} << true;
        QTest::newRow("359.9999 stays below a whole degree")
            << point << QStringList{"359.9999", "", "", ""}
            << QStringList{"359.9999", "359", "59", "59"} << true;
        QTest::newRow("400.5 holds the degrees at 360, minutes still 30")
            << point << QStringList{"400.5", "", "", ""}
            << QStringList{"400.5000", "360", "30", "0"} << true;
        QTest::newRow("the largest decimal, 100000, fits the truncation")
            << point << QStringList{"100000", "", "", ""}
            << QStringList{"100000.0000", "360", "0", "0"} << true;
        QTest::newRow("decimal wins over typed parts")
            << point << QStringList{"12.25", "1", "2", "3"}
            << QStringList{"12.2500", "12", "15", "0"} << true;
        QTest::newRow("comma separator reads 12,5 as 12.5")
            << QChar(',') << QStringList{"12,5", "", "", ""}
            << QStringList{"12,5000", "12", "30", "0"} << true;
        QTest::newRow("10 6 0 with the decimal emptied gives 10.1000")
            << point << QStringList{"\b", "10", "6", ""} << QStringList{"10.1000", "10", "6", "0"}
            << true;
        QTest::newRow("90 seconds alone give 0.0250")
            << point << QStringList{"", "", "", "90"} << QStringList{"0.0250", "0", "0", "90"}
            << true;
        QTest::newRow("minutes beyond 60 are not carried")
            << point << QStringList{"", "1", "90", ""} << QStringList{"2.5000", "1", "90", "0"}
            << true;
        QTest::newRow("comma separator writes the result with a comma")
            << QChar(',') << QStringList{"", "0", "1", "30"}
            << QStringList{"0,0250", "0", "1", "30"} << true;
        QTest::newRow("all zero changes nothing and stays editable")
            << point << QStringList{"", "", "", ""} << QStringList{"0.0000", "0", "0", "0"}
            << false;
        QTest::newRow("all emptied changes nothing and stays editable")
            << point << QStringList{"\b", "\b", "\b", "\b"} << QStringList{"0.0000", "0", "0", "0"}
            << false;
    }

    void convert() {
        QFETCH(QChar, separator);
        QFETCH(QStringList, typed);
        QFETCH(QStringList, shown);
        QFETCH(bool, locked);

        Open(separator);
        for (int i = 0; i < 4; ++i) {
            if (!typed[i].isEmpty()) TypeInto(form_.get(), kFieldNames[i], typed[i]);
        }
        Click(form_.get(), "ValtBtn");
        QCOMPARE(FieldTexts(form_.get()), shown);
        QCOMPARE(PanelEnabled(form_.get()), !locked);
    }

    // A button's accelerator presses it without taking the focus from the field, so
    // the conversion reads the text as typed, before the field's exit check.
    void convertWithFocusStillInField() {
        Open();
        TypeInto(form_.get(), "DecimEdit", "10.1");
        form_->ValtBtn->click();
        QCOMPARE(FieldTexts(form_.get()), (QStringList{"10.1000", "10", "5", "59"}));
        QVERIFY(!PanelEnabled(form_.get()));
        // The locked field gave the focus away to the next step rather than losing it.
        QCOMPARE(QApplication::focusWidget(), form_->UjadatBtn);
    }

    // The button stays usable on a shown result; the decimal then decides, and the
    // truncation shows through: 10 6 0 comes back as 10 5 59.
    void convertingAgainGoesFromTheDecimal() {
        Open();
        TypeInto(form_.get(), "FokEdit", "10");
        TypeInto(form_.get(), "PercEdit", "6");
        Click(form_.get(), "ValtBtn");
        QCOMPARE(form_->DecimEdit->text(), QString("10.1000"));
        Click(form_.get(), "ValtBtn");
        QCOMPARE(FieldTexts(form_.get()), (QStringList{"10.1000", "10", "5", "59"}));
    }

    // Texts that typing cannot produce (set from outside) read as 0 or are refused
    // quietly; nothing throws and nothing non-finite reaches a field.
    void unusableTextsAreHarmless_data() {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<bool>("locked");
        QTest::newRow("decimal beyond the 64-bit truncation")
            << QStringList{"1e30", "0", "0", "0"} << QStringList{"1e30", "0", "0", "0"} << false;
        QTest::newRow("decimal beyond a double")
            << QStringList{"1e400", "0", "0", "0"} << QStringList{"1e400", "0", "0", "0"} << false;
        QTest::newRow("degrees far beyond 360 give a decimal held at its maximum")
            << QStringList{"0", "9e9", "0", "0"} << QStringList{"100000.0000", "9e9", "0", "0"}
            << true;
        QTest::newRow("garbage everywhere reads as zero")
            << QStringList{"abc", "x", "--", "1.."} << QStringList{"abc", "x", "--", "1.."}
            << false;
        QTest::newRow("a number with trailing garbage reads as zero")
            << QStringList{"12.5x", "0", "0", "0"} << QStringList{"12.5x", "0", "0", "0"} << false;
    }

    void unusableTextsAreHarmless() {
        QFETCH(QStringList, texts);
        QFETCH(QStringList, shown);
        QFETCH(bool, locked);
        Open();
        form_->ValtBtn->setFocus();
        for (int i = 0; i < 4; ++i) form_->findChild<QLineEdit*>(kFieldNames[i])->setText(texts[i]);
        form_->ValtBtnClick();
        QCOMPARE(FieldTexts(form_.get()), shown);
        QCOMPARE(PanelEnabled(form_.get()), !locked);
    }

    void newDataUnlocksAndClears() {
        Open();
        TypeInto(form_.get(), "DecimEdit", "30.5");
        Click(form_.get(), "ValtBtn");
        QVERIFY(!PanelEnabled(form_.get()));
        QVERIFY(!form_->DecimEdit->isEnabled());

        Click(form_.get(), "UjadatBtn");
        QVERIFY(PanelEnabled(form_.get()));
        QCOMPARE(FieldTexts(form_.get()), (QStringList{"0.0000", "0", "0", "0"}));
        QCOMPARE(QApplication::focusWidget(), form_->DecimEdit);
        // The focus arrived with the text selected: typing replaces it at once.
        QTest::keyClicks(QApplication::focusWidget(), "0.0125");
        Click(form_.get(), "ValtBtn");
        QCOMPARE(FieldTexts(form_.get()), (QStringList{"0.0125", "0", "0", "45"}));
    }

    void showingStartsAfresh() {
        Open();
        QCOMPARE(QApplication::focusWidget(), form_->DecimEdit);
        TypeInto(form_.get(), "DecimEdit", "30.5");
        Click(form_.get(), "ValtBtn");
        form_->close();
        form_->show();
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
        QVERIFY(PanelEnabled(form_.get()));
        QCOMPARE(FieldTexts(form_.get()), (QStringList{"0.0000", "0", "0", "0"}));
        QCOMPARE(QApplication::focusWidget(), form_->DecimEdit);
    }

    void closing_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("KilepBtn") << "KilepBtn";
        QTest::newRow("Escape while typing in a field") << "EscapeInField";
        QTest::newRow("Escape on a locked result") << "EscapeOnResult";
        QTest::newRow("close box") << "CloseBox";
    }

    void closing() {
        QFETCH(QString, how);
        Open();
        QSignalSpy closed(form_.get(), &TValtForm::closed);
        if (how == "KilepBtn") {
            Click(form_.get(), "KilepBtn");
        } else if (how == "EscapeInField") {
            TypeInto(form_.get(), "DecimEdit", "12.");
            QTest::keyClick(form_->DecimEdit, Qt::Key_Escape);
        } else if (how == "EscapeOnResult") {
            TypeInto(form_.get(), "DecimEdit", "12");
            Click(form_.get(), "ValtBtn");
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        } else {
            form_->windowHandle()->close();
        }
        QCOMPARE(closed.count(), 1);
        QVERIFY(form_->isHidden());
        // Hidden, not gone: the window shows again, ready for new data.
        form_->show();
        QVERIFY(form_->isVisible());
        QVERIFY(PanelEnabled(form_.get()));
    }

    void placedBottomRight() {
        TValtForm form('.', nullptr);
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        QCOMPARE(form.frameGeometry().bottomRight(), area.bottomRight());
        QCOMPARE(form.minimumSize(), form.maximumSize());
    }

    // The captions another language puts in must fit where the controls stand.
    void captionsFit_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::newRow("Hungarian parts label") << "FokText1"
                                               << "Szög (fok,p,mp):";
        QTest::newRow("English parts label") << "FokText1"
                                             << "Angle (deg,min,sec):";
        QTest::newRow("German decimal label") << "DecimText"
                                              << "Winkel (dezimal):";
        QTest::newRow("German parts label") << "FokText1"
                                            << "Winkel (Grad,Min,Sek):";
        QTest::newRow("a label far longer") << "DecimText"
                                            << "An angle in decimal degrees, as typed:";
        QTest::newRow("Hungarian new data") << "UjadatBtn"
                                            << "Új &adat";
        QTest::newRow("German convert") << "ValtBtn"
                                        << "&Umrechnen";
        QTest::newRow("English exit") << "KilepBtn"
                                      << "E&xit";
    }

    void captionsFit() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        TValtForm form('.', nullptr);
        auto* widget = form.findChild<QWidget*>(name);
        QVERIFY(widget);
        if (auto* label = qobject_cast<QLabel*>(widget)) label->setText(caption);
        if (auto* button = qobject_cast<QPushButton*>(widget)) button->setText(caption);
        // The texts come by control name; the window makes room when it is shown.
        form.show();
        QVERIFY2(widget->sizeHint().width() <= widget->width(), qPrintable(name));
        QVERIFY(widget->parentWidget()->rect().contains(widget->geometry()));
        QVERIFY(form.screen()->availableGeometry().contains(form.frameGeometry()));
    }

    void languageTextsByNumber_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("number");
        QTest::newRow("exit button") << "KilepBtn" << 3;
        QTest::newRow("window title") << "TValtForm" << 4;
        QTest::newRow("decimal label") << "DecimText" << 22;
        QTest::newRow("parts label") << "FokText1" << 23;
        QTest::newRow("convert button") << "ValtBtn" << 24;
        QTest::newRow("new data button") << "UjadatBtn" << 25;
    }

    void languageTextsByNumber() {
        QFETCH(QString, name);
        QFETCH(int, number);
        LanguageTexts texts;
        for (int n = 1; n <= kLanguageTextCount; ++n) texts.set(n, "text " + std::to_string(n));
        TValtForm form('.', nullptr);
        form.ApplyLanguageTexts(texts);
        const QString expected = QString("text %1").arg(number);
        if (name == "TValtForm") {
            QCOMPARE(form.windowTitle(), expected);
            return;
        }
        auto* widget = form.findChild<QWidget*>(name);
        QVERIFY(widget);
        const QVariant text = widget->property("text");
        QCOMPARE(text.toString(), expected);
    }
};

MERTANO_REGISTER_TEST(ValtFormTest)

}  // namespace mertano

#include "tst_valt_form.moc"
