// SPDX-License-Identifier: GPL-3.0-or-later
// The numeric edit driven as a user drives it: keys, pastes and focus moves in a real,
// headless window.
#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <stdexcept>

#include "test_main.h"
#include "widgets/float_edit.h"

namespace mertano {
namespace {

// Counts the messages instead of opening a modal box.
class CountingFloatEdit : public TFloatEdit {
public:
    using TFloatEdit::TFloatEdit;
    int messages = 0;

protected:
    void showErrorMessage() override { ++messages; }
};

struct Setup {
    QChar separator = '.';
    int digits = 4;
    long double min = 0.0L;
    long double max = 100000.0L;
    int maxLength = 32767;
};

// A script of keys: plain characters are typed; a few marks stand for other keys.
void Type(QWidget* widget, const QString& script) {
    for (QChar c : script) {
        switch (c.unicode()) {
            case '<':
                QTest::keyClick(widget, Qt::Key_Left);
                break;
            case '^':
                QTest::keyClick(widget, Qt::Key_Home);
                break;
            case '~':
                QTest::keyClick(widget, Qt::Key_Delete);
                break;
            case '*':
                QTest::keyClick(widget, Qt::Key_A, Qt::ControlModifier);
                break;
            default:
                QTest::keyClick(widget, c.toLatin1());
                break;
        }
    }
}

}  // namespace

class FloatEditTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QWidget> window_;
    CountingFloatEdit* edit_ = nullptr;
    QLineEdit* other_ = nullptr;

    // A window with the edit and a plain field to move the focus to; the edit has the
    // focus (entered by Tab) and holds `value`.
    bool Open(const Setup& s, long double value = 0.0L) {
        window_ = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(window_.get());
        edit_ = new CountingFloatEdit(s.separator, window_.get());
        other_ = new QLineEdit(window_.get());
        layout->addWidget(edit_);
        layout->addWidget(other_);
        edit_->setDigits(s.digits);
        edit_->setMax(s.max);
        edit_->setMin(s.min);
        edit_->setMaxLength(s.maxLength);
        edit_->setValue(value);
        edit_->endLoading();
        window_->show();
        window_->activateWindow();
        if (!QTest::qWaitForWindowActive(window_.get())) return false;
        edit_->setFocus(Qt::TabFocusReason);
        return edit_->hasFocus();
    }

    void Paste(const QString& text) {
        edit_->selectAll();
        if (text.isEmpty()) {
            QTest::keyClick(edit_, Qt::Key_Backspace);
        } else {
            QApplication::clipboard()->setText(text);
            QTest::keyClick(edit_, Qt::Key_V, Qt::ControlModifier);
        }
    }

private slots:
    void cleanup() {
        window_.reset();
        edit_ = nullptr;
        other_ = nullptr;
    }

    void keyFilter_data() {
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<int>("digits");
        QTest::addColumn<double>("min");
        QTest::addColumn<int>("maxLength");
        QTest::addColumn<QString>("initial");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("selectionStart");  // -1: nothing selected
        QTest::addColumn<QString>("selected");

        const QChar pt('.'), cm(',');
        const int any = 32767;
        // clang-format off
        QTest::newRow("digits and separator") << pt << 4 << 0.0 << any << "" << "12.3" << "12.3" << -1 << "";
        QTest::newRow("fifth decimal refused") << pt << 4 << 0.0 << any << "" << "12.34567" << "12.3456" << -1 << "";
        QTest::newRow("digit above max refused") << pt << 4 << 0.0 << any << "99999" << "7" << "99999" << -1 << "";
        QTest::newRow("max itself accepted") << pt << 4 << 0.0 << any << "10000" << "01" << "100000" << -1 << "";
        QTest::newRow("selection replaced") << pt << 4 << 0.0 << any << "99999" << "*7" << "7" << -1 << "";
        QTest::newRow("separator alone gives 0.0") << pt << 4 << 0.0 << any << "" << "." << "0.0" << 2 << "0";
        QTest::newRow("digit after lone separator") << pt << 4 << 0.0 << any << "" << ".5" << "0.5" << -1 << "";
        QTest::newRow("minus alone gives -0") << pt << 4 << 0.0 << any << "" << "-" << "-0" << 1 << "0";
        QTest::newRow("minus over whole selection") << pt << 4 << 0.0 << any << "12" << "*-" << "-0" << 1 << "0";
        QTest::newRow("digit after -0 below min") << pt << 4 << 0.0 << any << "" << "-5" << "-0" << 1 << "0";
        QTest::newRow("negative min lets digits follow") << pt << 4 << -10.0 << any << "" << "-50" << "-5" << -1 << "";
        QTest::newRow("x plus and upper E refused") << pt << 4 << 0.0 << any << "1" << "x+E " << "1" << -1 << "";
        QTest::newRow("comma key types the point") << pt << 4 << 0.0 << any << "1" << ",5" << "1.5" << -1 << "";
        QTest::newRow("comma key after the point refused") << pt << 4 << 0.0 << any << "1.5" << "," << "1.5" << -1 << "";
        QTest::newRow("comma key alone gives 0.0") << pt << 4 << 0.0 << any << "" << "," << "0.0" << 2 << "0";
        QTest::newRow("no decimals: comma key refused") << pt << 0 << 0.0 << any << "5" << "," << "5" << -1 << "";
        QTest::newRow("e without exponent refused") << pt << 4 << 0.0 << any << "1" << "e" << "1" << -1 << "";
        QTest::newRow("e between digits accepted") << pt << 4 << 0.0 << any << "15" << "<e" << "1e5" << -1 << "";
        QTest::newRow("e beyond max refused") << pt << 4 << 0.0 << any << "25" << "<e" << "25" << -1 << "";
        QTest::newRow("second separator refused") << pt << 4 << 0.0 << any << "1.5" << "." << "1.5" << -1 << "";
        QTest::newRow("digit before separator in full fraction") << pt << 2 << 0.0 << any << "1.25" << "^3" << "31.25" << -1 << "";
        QTest::newRow("no decimals: separator refused") << pt << 0 << 0.0 << any << "5" << "." << "5" << -1 << "";
        QTest::newRow("no decimals: lone separator") << pt << 0 << 0.0 << any << "" << "." << "0.0" << 2 << "0";
        QTest::newRow("max length stops typing") << pt << 0 << 0.0 << 3 << "" << "0012" << "001" << -1 << "";
        QTest::newRow("backspace unchecked") << pt << 4 << 0.0 << any << "12" << "\b\b3" << "3" << -1 << "";
        QTest::newRow("delete unchecked") << pt << 4 << 0.0 << any << "1e5" << "<~" << "1e" << -1 << "";
        QTest::newRow("enter inserts nothing") << pt << 4 << 0.0 << any << "12" << "\r3" << "123" << -1 << "";
        QTest::newRow("escape restores entry value") << pt << 4 << 0.0 << any << "12" << "3\x1b" << "0.0000" << 0 << "0.0000";
        QTest::newRow("comma: digits and separator") << cm << 4 << 0.0 << any << "" << "12,3" << "12,3" << -1 << "";
        QTest::newRow("comma: point key types the comma") << cm << 4 << 0.0 << any << "2" << ".5" << "2,5" << -1 << "";
        QTest::newRow("comma: point key after the comma refused") << cm << 4 << 0.0 << any << "1,5" << "." << "1,5" << -1 << "";
        QTest::newRow("comma: point key alone gives 0,0") << cm << 4 << 0.0 << any << "" << "." << "0,0" << 2 << "0";
        QTest::newRow("comma: separator alone") << cm << 4 << 0.0 << any << "" << "," << "0,0" << 2 << "0";
        QTest::newRow("comma: fifth decimal refused") << cm << 4 << 0.0 << any << "" << "1,23456" << "1,2345" << -1 << "";
        // clang-format on
    }

    void keyFilter() {
        QFETCH(QChar, separator);
        QFETCH(int, digits);
        QFETCH(double, min);
        QFETCH(int, maxLength);
        QFETCH(QString, initial);
        QFETCH(QString, keys);
        QFETCH(QString, expected);
        QFETCH(int, selectionStart);
        QFETCH(QString, selected);

        QVERIFY(Open({separator, digits, min, 100000.0L, maxLength}));
        edit_->setText(initial);  // caret at the end, nothing selected
        Type(edit_, keys);
        QCOMPARE(edit_->text(), expected);
        QCOMPARE(edit_->selectionStart(), selectionStart);
        QCOMPARE(edit_->selectedText(), selected);
    }

    void leaving_data() {
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<int>("digits");
        QTest::addColumn<double>("entryValue");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<bool>("byMouse");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("expected");

        const QChar pt('.'), cm(',');
        // clang-format off
        QTest::newRow("empty means min") << pt << 4 << 5.0 << "" << false << true << "0.0000";
        QTest::newRow("padded to four decimals") << pt << 4 << 5.0 << "12.3" << false << true << "12.3000";
        QTest::newRow("rounded to four decimals") << pt << 4 << 5.0 << "3.14159" << true << true << "3.1416";
        QTest::newRow("exponent written out") << pt << 4 << 5.0 << "1e3" << false << true << "1000.0000";
        QTest::newRow("blanks around a number") << pt << 4 << 5.0 << " 7 " << false << true << "7.0000";
        QTest::newRow("minus zero is zero") << pt << 4 << 5.0 << "-0" << false << true << "0.0000";
        QTest::newRow("underflow is zero") << pt << 4 << 5.0 << "1e-5000" << false << true << "0.0000";
        QTest::newRow("no decimals: 0.0") << pt << 0 << 5.0 << "0.0" << false << true << "0";
        QTest::newRow("no decimals: rounded") << pt << 0 << 5.0 << "37.6" << false << true << "38";
        QTest::newRow("comma: padded") << cm << 4 << 5.0 << "1,5" << false << true << "1,5000";
        QTest::newRow("exponent without digits") << pt << 4 << 12.5 << "1e" << false << false << "12.5000";
        QTest::newRow("junk by tab") << pt << 4 << 12.5 << "abc" << false << false << "12.5000";
        QTest::newRow("junk by mouse") << pt << 4 << 12.5 << "abc" << true << false << "12.5000";
        QTest::newRow("overflow to infinity") << pt << 4 << 12.5 << "1e5000" << false << false << "12.5000";
        QTest::newRow("nan") << pt << 4 << 12.5 << "nan" << false << false << "12.5000";
        QTest::newRow("infinity") << pt << 4 << 12.5 << "inf" << false << false << "12.5000";
        QTest::newRow("above max") << pt << 4 << 12.5 << "250000" << false << false << "12.5000";
        QTest::newRow("below min") << pt << 4 << 12.5 << "-1" << false << false << "12.5000";
        // clang-format on
    }

    // A paste or a drop is read as the number it shows, whichever separator it uses;
    // "shown" is the text right after it, "left" the text once the field is left.
    void otherSeparatorPastedOrDropped_data() {
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<QString>("initial");
        QTest::addColumn<QString>("inserted");
        QTest::addColumn<bool>("dropped");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("left");

        const QChar pt('.'), cm(',');
        // clang-format off
        QTest::newRow("point: comma pasted") << pt << "" << "12,5" << false << "12.5" << "12.5000";
        QTest::newRow("comma: point pasted") << cm << "" << "2.5" << false << "2,5" << "2,5000";
        QTest::newRow("comma: own separator untouched") << cm << "" << "2,5" << false << "2,5" << "2,5000";
        QTest::newRow("point: grouped with commas") << pt << "" << "1,234.5" << false << "1234.5" << "1234.5000";
        QTest::newRow("comma: grouped with points") << cm << "" << "1.234,5" << false << "1234,5" << "1234,5000";
        QTest::newRow("comma: grouped with a no-break space") << cm << "" << "1\u00a0234,5" << false << "1234,5" << "1234,5000";
        QTest::newRow("point: groups only") << pt << "" << "12,345" << false << "12.345" << "12.3450";
        QTest::newRow("point: repeated commas group") << pt << "" << "1,2,3" << false << "123" << "123.0000";
        QTest::newRow("point: pasted after digits") << pt << "1" << ",5" << false << "1.5" << "1.5000";
        QTest::newRow("point: junk stays junk") << pt << "" << "a,5" << false << "a,5" << "0.0000";
        QTest::newRow("point: comma dropped") << pt << "" << "12,5" << true << "12.5" << "12.5000";
        QTest::newRow("comma: point dropped") << cm << "" << "0.25" << true << "0,25" << "0,2500";
        // clang-format on
    }

    void otherSeparatorPastedOrDropped() {
        QFETCH(QChar, separator);
        QFETCH(QString, initial);
        QFETCH(QString, inserted);
        QFETCH(bool, dropped);
        QFETCH(QString, shown);
        QFETCH(QString, left);

        QVERIFY(Open({separator, 4}));
        edit_->setText(initial);  // caret at the end
        if (dropped) {
            edit_->clear();
            QMimeData data;
            data.setText(inserted);
            const QPoint at = edit_->rect().center();
            QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(edit_, &enter);
            QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(edit_, &drop);
        } else {
            QApplication::clipboard()->setText(inserted);
            QTest::keyClick(edit_, Qt::Key_V, Qt::ControlModifier);
        }
        QCOMPARE(edit_->text(), shown);
        QTest::keyClick(edit_, Qt::Key_Tab);
        QCOMPARE(edit_->text(), left);
    }

    void leaving() {
        QFETCH(QChar, separator);
        QFETCH(int, digits);
        QFETCH(double, entryValue);
        QFETCH(QString, pasted);
        QFETCH(bool, byMouse);
        QFETCH(bool, accepted);
        QFETCH(QString, expected);

        QVERIFY(Open({separator, digits}, entryValue));
        QSignalSpy entered(edit_, &TCustomFloatEdit::entered);
        QSignalSpy exited(edit_, &TCustomFloatEdit::exited);
        Paste(pasted);
        QCOMPARE(edit_->text(), pasted);
        if (byMouse) {
            QTest::mouseClick(other_, Qt::LeftButton);
        } else {
            QTest::keyClick(edit_, Qt::Key_Tab);
        }
        QCOMPARE(edit_->text(), expected);
        QCOMPARE(exited.size(), accepted ? 1 : 0);
        QCOMPARE(edit_->hasFocus(), !accepted);
        QCOMPARE(entered.size(), 0);  // taking the focus back is no new entry
        if (!accepted) {
            QCOMPARE(edit_->selectedText(), expected);
            // The restored value is sound: the next exit is accepted.
            QTest::keyClick(edit_, Qt::Key_Tab);
            QVERIFY(other_->hasFocus());
            QCOMPARE(exited.size(), 1);
        }
    }

    void refusedExitShowsMessage() {
        QVERIFY(Open({}, 12.5L));
        edit_->setErrorMessage(QStringLiteral("Out of range"));
        Paste(QStringLiteral("250000"));
        QTest::keyClick(edit_, Qt::Key_Tab);
        QCOMPARE(edit_->messages, 1);
        QVERIFY(edit_->hasFocus());
    }

    void windowSwitchIsNoExit() {
        QVERIFY(Open({}, 12.5L));
        QSignalSpy exited(edit_, &TCustomFloatEdit::exited);
        Paste(QStringLiteral("1e"));
        QWidget elsewhere;
        elsewhere.show();
        elsewhere.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&elsewhere));
        window_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
        QVERIFY(edit_->hasFocus());
        QCOMPARE(edit_->text(), QStringLiteral("1e"));
        QCOMPARE(exited.size(), 0);
    }

    void droppedTextIsChecked() {
        QVERIFY(Open({}, 12.5L));
        other_->setFocus(Qt::TabFocusReason);
        QMimeData data;
        data.setText(QStringLiteral("abc"));
        const QPoint at = edit_->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(edit_, &enter);
        QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(edit_, &drop);
        QVERIFY(edit_->hasFocus());
        QVERIFY(edit_->text().contains(QStringLiteral("abc")));
        QTest::keyClick(edit_, Qt::Key_Tab);
        QCOMPARE(edit_->text(), QStringLiteral("12.5000"));
        QVERIFY(edit_->hasFocus());
    }

    void enteringSelects_data() {
        QTest::addColumn<bool>("byMouse");
        QTest::addColumn<bool>("allSelected");
        QTest::newRow("by tab") << false << true;
        QTest::newRow("by mouse click") << true << false;
    }

    void enteringSelects() {
        QFETCH(bool, byMouse);
        QFETCH(bool, allSelected);
        QVERIFY(Open({}, 12.5L));
        other_->setFocus(Qt::TabFocusReason);
        QSignalSpy entered(edit_, &TCustomFloatEdit::entered);
        if (byMouse) {
            QTest::mouseClick(edit_, Qt::LeftButton);
        } else {
            QTest::keyClick(other_, Qt::Key_Backtab);
        }
        QVERIFY(edit_->hasFocus());
        QCOMPARE(entered.size(), 1);
        QCOMPARE(edit_->selectedText() == edit_->text(), allSelected);
        // Escape goes back to the value at entry, whatever was typed since.
        Paste(QStringLiteral("99"));
        QTest::keyClick(edit_, Qt::Key_Escape);
        QCOMPARE(edit_->text(), QStringLiteral("12.5000"));
    }

    void keyEvents() {
        QVERIFY(Open({}));
        edit_->setText(QString());
        QList<QChar> pressed;
        connect(edit_, &TCustomFloatEdit::keyPressed, edit_, [&](QChar& key) {
            pressed << key;
            if (key == QLatin1Char('5')) key = QChar();  // the handler drops it
        });
        TCustomFloatEdit* enterSender = nullptr;
        QChar enterKey;
        connect(edit_, &TCustomFloatEdit::enterPressed, edit_,
                [&](TCustomFloatEdit* sender, QChar& key) {
                    enterSender = sender;
                    enterKey = key;
                });
        Type(edit_, QStringLiteral("152x\r"));
        QCOMPARE(edit_->text(), QStringLiteral("12"));
        // Refused characters are reported too; Enter is not.
        QCOMPARE(pressed, (QList<QChar>{'1', '5', '2', 'x'}));
        QCOMPARE(enterSender, edit_);
        QCOMPARE(enterKey, QChar('\r'));
        QTest::keyClick(edit_, Qt::Key_Escape);
        QCOMPARE(pressed.size(), 5);
        QVERIFY(pressed.back().isNull());
    }

    void valueWrite_data() {
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<int>("digits");
        QTest::addColumn<QString>("message");
        QTest::addColumn<double>("written");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("messages");

        const QChar pt('.'), cm(',');
        const double nan = std::numeric_limits<double>::quiet_NaN();
        const double inf = std::numeric_limits<double>::infinity();
        // clang-format off
        QTest::newRow("rounded to digits") << pt << 4 << "" << 3.14159 << "3.1416" << 0;
        QTest::newRow("above max, no message set") << pt << 4 << "" << 250000.0 << "100000.0000" << 0;
        QTest::newRow("above max with message") << pt << 4 << "Out" << 250000.0 << "100000.0000" << 1;
        QTest::newRow("below min with message") << pt << 4 << "Out" << -5.0 << "0.0000" << 1;
        QTest::newRow("nan becomes min") << pt << 4 << "Out" << nan << "0.0000" << 1;
        QTest::newRow("infinity becomes max") << pt << 4 << "Out" << inf << "100000.0000" << 1;
        QTest::newRow("in range, no message") << pt << 4 << "Out" << 12.5 << "12.5000" << 0;
        QTest::newRow("no decimals") << pt << 0 << "" << 37.0 << "37" << 0;
        QTest::newRow("eighteen significant digits") << pt << 18 << "" << 1.0 / 3.0 << "0.333333333333333315" << 0;
        QTest::newRow("comma separator") << cm << 4 << "" << 12.5 << "12,5000" << 0;
        // clang-format on
    }

    void valueWrite() {
        QFETCH(QChar, separator);
        QFETCH(int, digits);
        QFETCH(QString, message);
        QFETCH(double, written);
        QFETCH(QString, expected);
        QFETCH(int, messages);

        QVERIFY(Open({separator, digits}));
        edit_->setErrorMessage(message);
        const QString before = edit_->text();
        QSignalSpy changed(edit_, &QLineEdit::textChanged);
        edit_->setValue(written);
        QCOMPARE(edit_->text(), expected);
        QCOMPARE(edit_->messages, messages);
        QCOMPARE(changed.size(), expected == before ? 0 : 1);
    }

    void valueRead_data() {
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");

        const QChar pt('.'), cm(',');
        // Min -5 tells "read as 0" from "fell back to min".
        QTest::newRow("empty is 0") << pt << "" << 0.0;
        QTest::newRow("lone minus is 0") << pt << "-" << 0.0;
        QTest::newRow("lone separator is 0") << pt << "." << 0.0;
        QTest::newRow("upper E is 0") << pt << "E" << 0.0;
        QTest::newRow("number") << pt << "-2.25" << -2.25;
        QTest::newRow("junk is min") << pt << "abc" << -5.0;
        QTest::newRow("overflow is min") << pt << "1e5000" << -5.0;
        QTest::newRow("above max is max") << pt << "250" << 100.0;
        QTest::newRow("below min is min") << pt << "-7" << -5.0;
        QTest::newRow("comma: number") << cm << "1,5" << 1.5;
        QTest::newRow("comma: lone separator is 0") << cm << "," << 0.0;
        QTest::newRow("comma: point is junk") << cm << "1.5" << -5.0;
    }

    void valueRead() {
        QFETCH(QChar, separator);
        QFETCH(QString, text);
        QFETCH(double, expected);

        QVERIFY(Open({separator, 4, -5.0L, 100.0L}));
        edit_->setText(text);
        QCOMPARE(static_cast<double>(edit_->value()), expected);
    }

    void limits_data() {
        QTest::addColumn<QString>("which");
        QTest::addColumn<double>("written");
        QTest::addColumn<QString>("error");
        QTest::addColumn<QString>("expected");

        const double nan = std::numeric_limits<double>::quiet_NaN();
        const QString minError = TCustomFloatEdit::kMinAboveMaxMessage;
        const QString maxError = TCustomFloatEdit::kMaxBelowMinMessage;
        // Starting from min 10, max 100, value 50.
        QTest::newRow("min above max") << "min" << 200.0 << minError << "50.0";
        QTest::newRow("max below min") << "max" << 5.0 << maxError << "50.0";
        QTest::newRow("min nan") << "min" << nan << minError << "50.0";
        QTest::newRow("max nan") << "max" << nan << maxError << "50.0";
        QTest::newRow("min raised over value") << "min" << 60.0 << ""
                                               << "60.0";
        QTest::newRow("max lowered under value") << "max" << 40.0 << ""
                                                 << "40.0";
        QTest::newRow("min up to max") << "min" << 100.0 << ""
                                       << "100.0";
        QTest::newRow("digits") << "digits" << 3.0 << ""
                                << "50.000";
        QTest::newRow("digits above 18") << "digits" << 25.0 << ""
                                         << "50.000000000000000000";
        QTest::newRow("digits below 0") << "digits" << -3.0 << ""
                                        << "50";
    }

    void limits() {
        QFETCH(QString, which);
        QFETCH(double, written);
        QFETCH(QString, error);
        QFETCH(QString, expected);

        QVERIFY(Open({'.', 1, 10.0L, 100.0L}, 50.0L));
        edit_->setErrorMessage(QStringLiteral("Out"));  // re-clamping never shows it
        QString thrown;
        try {
            if (which == QLatin1String("min")) edit_->setMin(written);
            if (which == QLatin1String("max")) edit_->setMax(written);
            if (which == QLatin1String("digits")) edit_->setDigits(static_cast<int>(written));
        } catch (const std::invalid_argument& e) {
            thrown = QString::fromUtf8(e.what());
        }
        QCOMPARE(thrown, error);
        QCOMPARE(edit_->text(), expected);
        QCOMPARE(edit_->messages, 0);
        if (!error.isEmpty()) {
            QCOMPARE(static_cast<double>(edit_->min()), 10.0);
            QCOMPARE(static_cast<double>(edit_->max()), 100.0);
        }
        if (which == QLatin1String("digits")) {
            QCOMPARE(edit_->digits(), std::clamp(static_cast<int>(written), 0, 18));
        }
    }

    void loading() {
        TFloatEdit edit(QChar('.'), nullptr);
        QVERIFY(edit.isLoading());
        QCOMPARE(edit.text(), QStringLiteral("0.0"));
        QCOMPARE(edit.digits(), 1);
        QCOMPARE(static_cast<double>(edit.max()), 100.0);
        QCOMPARE(edit.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);

        edit.setDigits(4);
        edit.setMax(100000.0L);
        edit.setValue(12.5L);
        QCOMPARE(edit.text(), QStringLiteral("0.0"));  // untouched until loaded
        QCOMPARE(static_cast<double>(edit.value()), 12.5);
        edit.endLoading();
        QVERIFY(!edit.isLoading());
        QCOMPARE(edit.text(), QStringLiteral("12.5000"));
        QCOMPARE(edit.property("digits").toInt(), 4);
        QCOMPARE(edit.property("value").toDouble(), 12.5);
        QVERIFY(edit.setProperty("max", 10.0));
        QCOMPARE(edit.text(), QStringLiteral("10.0000"));

        TFloatEdit field(QChar('.'), nullptr);
        field.setDigits(4);
        field.setMax(100000.0L);
        field.endLoading();
        QCOMPARE(field.text(), QStringLiteral("0.0000"));
    }
};

MERTANO_REGISTER_TEST(FloatEditTest)

}  // namespace mertano

#include "tst_float_edit.moc"
