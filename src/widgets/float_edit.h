// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

// The numeric edit used for every measurement field: it lets the user type only text
// that reads as a decimal number between min() and max() with at most digits()
// decimals, shows its value in fixed notation with exactly digits() decimals, and puts
// the previous value back when the field is left with unusable text.
//
// Loading. The windows are built in code, so "loading" is explicit: a new control is
// loading until its owner calls endLoading() once the form is built. While loading,
// setValue() only stores the value and value() returns it; setDigits(), setMin() and
// setMax() do not touch the text. endLoading() formats the stored value once, so a
// main-window field (digits 4) then shows 0.0000.
//
// Events. The control's events are signals: OnChange is QLineEdit::textChanged,
// OnEnter is entered(), OnExit is exited() (only when the exit is accepted),
// OnEnterPress is enterPressed() and OnKeyPress is keyPressed(). The last two pass the
// key character by reference so that a handler may change it or clear it to drop it;
// connect them directly (a queued connection cannot write back).
//
// Separators. The decimal separator is the system locale's; the key of the other one
// (a point under a comma locale, a comma under a point locale) types it, so a number
// typed either way reads as typed. Pasted or dropped text is read the same way:
// NumberTextFor() turns it into this field's notation as soon as it arrives.
//
// Focus. Entering records the value that Escape and a refused exit go back to, and
// selects the whole text unless a mouse click brought the focus. Leaving checks whatever
// the text is, typed or pasted, dropped or composed: a number within range is shown
// normalised, anything else is replaced by the recorded value and the focus stays. A
// switch to another window or a context menu is neither an exit nor an entry. A drop
// into a field without the focus gives it the focus first, so the drop is checked too.
//
// Range errors. setMin() above max() and setMax() below min() (or either NaN) throw
// std::invalid_argument carrying kMinAboveMaxMessage or kMaxBelowMinMessage and leave
// the control unchanged.
//
// Alignment is QLineEdit's own property; the control starts right-aligned.
#include <QChar>
#include <QLineEdit>
#include <QString>

#include "calc/numbers.h"

namespace mertano {

class TCustomFloatEdit : public QLineEdit {
    Q_OBJECT

public:
    static constexpr int kMaxDigits = 18;
    static constexpr const char* kMinAboveMaxMessage =
        "Minimum value must not be greater than maximum value !";
    static constexpr const char* kMaxBelowMinMessage =
        "Maximum value must not be less than minimum value !";

    // The decimal separator is the system locale's.
    explicit TCustomFloatEdit(QWidget* parent = nullptr);
    // The decimal separator is given; tests use it to try another locale's separator.
    TCustomFloatEdit(QChar decimalChar, QWidget* parent);

    int digits() const { return limits_.digits; }
    void setDigits(int digits);  // clamped to 0..18

    // Read from the text on every call (while loading: the stored value). Unusable text,
    // NaN and infinity included, gives min(); the result is held within min()..max().
    long double value() const;
    // Clamps to min()..max() (showing errorMessage() when it is not empty) and shows the
    // value with digits() decimals. NaN counts as out of range and becomes min().
    void setValue(long double value);

    long double min() const { return limits_.min; }
    void setMin(long double min);
    long double max() const { return limits_.max; }
    void setMax(long double max);

    QString errorMessage() const { return errorMessage_; }
    void setErrorMessage(const QString& message) { errorMessage_ = message; }

    QChar decimalChar() const { return decimalChar_; }

    // Pasted or dropped text as this field reads it: blanks dropped, a point or a comma
    // standing once as the last separator taken for `decimalChar`, and every other point
    // or comma taken as a digit-group separator and dropped.
    static QString NumberTextFor(const QString& text, QChar decimalChar);

    // A flat border without the 3D look; a field locked after a calculation keeps its
    // value as legible as before.
    void setFlatBorder();
    // A value the calculation could not keep: its text and border in a warning colour,
    // until it is cleared.
    void setMarked(bool marked);
    bool isMarked() const { return marked_.has_value(); }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    bool isLoading() const { return loading_; }
    void endLoading();

signals:
    void entered();
    void exited();
    void enterPressed(mertano::TCustomFloatEdit* sender, QChar& key);
    void keyPressed(QChar& key);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

    // Shows errorMessage(); tests override it to count the messages instead.
    virtual void showErrorMessage();

private:
    // A text with this field's separator; a "." that is not the separator reads as nothing.
    std::optional<long double> parse(const QString& text) const;
    QString format(long double value) const;
    void typeCharacter(QChar key);
    void readForeignSeparators(const QString& edited);
    bool prospectiveAccepted(const QString& prospective, QChar key) const;
    QChar raiseKeyPress(QChar key);
    void leave();

    EditLimits limits_{1, 0.0L, 100.0L};
    QChar decimalChar_;
    QString errorMessage_;
    long double enterValue_ = 0.0L;
    long double loadValue_ = 0.0L;
    bool loading_ = true;
    bool inside_ = false;      // entered and not yet left (a window switch is no exit)
    bool refocusing_ = false;  // a refused exit takes the focus back
    bool flatBorder_ = false;
    std::optional<QPalette> marked_;  // the palette before the mark
    int flatHeight() const;
};

// The control as the windows use it: TCustomFloatEdit with its settings published as
// Qt properties.
class TFloatEdit : public TCustomFloatEdit {
    Q_OBJECT
    Q_PROPERTY(int digits READ digits WRITE setDigits)
    Q_PROPERTY(double value READ valueAsDouble WRITE setValueAsDouble)
    Q_PROPERTY(double min READ minAsDouble WRITE setMinAsDouble)
    Q_PROPERTY(double max READ maxAsDouble WRITE setMaxAsDouble)
    Q_PROPERTY(QString errorMessage READ errorMessage WRITE setErrorMessage)

public:
    using TCustomFloatEdit::TCustomFloatEdit;

private:
    // The meta-object system has no long double; the C++ accessors keep full precision.
    double valueAsDouble() const { return static_cast<double>(value()); }
    void setValueAsDouble(double v) { setValue(v); }
    double minAsDouble() const { return static_cast<double>(min()); }
    void setMinAsDouble(double v) { setMin(v); }
    double maxAsDouble() const { return static_cast<double>(max()); }
    void setMaxAsDouble(double v) { setMax(v); }
};

}  // namespace mertano
