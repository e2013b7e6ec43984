// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/float_edit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QMessageBox>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "widgets/whole_text.h"

namespace mertano {
namespace {

QChar SystemDecimalChar() {
    const QString point = QLocale::system().decimalPoint();
    return point.size() == 1 ? point.front() : QChar('.');
}

// Leaving for another window or a context menu is no exit: the user comes back to the
// same text, and a half-typed number must survive a glance elsewhere.
bool IsPassingFocusReason(Qt::FocusReason reason) {
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
}

// Characters the field's own editing understands (backspace, clipboard shortcuts) pass
// unchecked. A Ctrl or Meta chord is one of them even when the key event carries the
// plain letter as its text; Ctrl+Alt is left to the filter because it is AltGr on Windows.
bool IsControlCharacter(const QKeyEvent& event, QChar c) {
    const Qt::KeyboardModifiers mods = event.modifiers();
    const bool chord =
        (mods & (Qt::ControlModifier | Qt::MetaModifier)) && !(mods & Qt::AltModifier);
    return chord || c.unicode() < 32 || c.category() == QChar::Other_Control;
}

bool IsSeparator(QChar c) {
    return c == QLatin1Char('.') || c == QLatin1Char(',');
}

}  // namespace

QString TCustomFloatEdit::NumberTextFor(const QString& text, QChar decimalChar) {
    QString plain;
    plain.reserve(text.size());
    for (QChar c : text) {
        if (!c.isSpace()) plain += c;  // blanks and no-break spaces group digits
    }
    qsizetype last = -1;
    for (qsizetype k = 0; k < plain.size(); ++k) {
        if (IsSeparator(plain[k]) || plain[k] == decimalChar) last = k;
    }
    if (last < 0) return plain;
    // The last separator is the decimal one when it stands once; every other separator
    // groups digits. "1.234,5" and "1,234.5" are both 1234.5, "12,5" and "12.5" both 12.5.
    const QChar lastChar = plain[last];
    const bool decimal = plain.count(lastChar) == 1;
    QString result;
    result.reserve(plain.size());
    for (qsizetype k = 0; k < plain.size(); ++k) {
        const QChar c = plain[k];
        if (k == last && decimal) {
            result += decimalChar;
        } else if (!(IsSeparator(c) || c == decimalChar)) {
            result += c;
        }
    }
    return result;
}

TCustomFloatEdit::TCustomFloatEdit(QWidget* parent)
    : TCustomFloatEdit(SystemDecimalChar(), parent) {}

TCustomFloatEdit::TCustomFloatEdit(QChar decimalChar, QWidget* parent)
    : QLineEdit(parent), decimalChar_(decimalChar) {
    QLineEdit::setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setText(format(limits_.min));
    KeepWholeText(this);
    // Typing goes through the key filter; what it cannot see (a paste, a drop) arrives
    // here whole and is read as the number it shows, with either separator.
    connect(this, &QLineEdit::textEdited, this, &TCustomFloatEdit::readForeignSeparators);
}

void TCustomFloatEdit::readForeignSeparators(const QString& edited) {
    // Blanks around a number are for the exit check to drop; blanks inside group digits.
    const QString inner = edited.trimmed();
    const bool foreign = std::any_of(inner.begin(), inner.end(), [this](QChar c) {
        return c.isSpace() || (IsSeparator(c) && c != decimalChar_);
    });
    if (!foreign) return;
    const QString number = NumberTextFor(edited, decimalChar_);
    if (!parse(number)) return;  // left as it is: leaving the field puts it right
    const qsizetype fromEnd = edited.size() - cursorPosition();
    setText(number);
    setCursorPosition(std::max<qsizetype>(0, number.size() - fromEnd));
}

void TCustomFloatEdit::setDigits(int digits) {
    digits = std::clamp(digits, 0, kMaxDigits);
    if (digits == limits_.digits) return;
    limits_.digits = digits;
    setValue(value());
}

long double TCustomFloatEdit::value() const {
    if (loading_) return loadValue_;
    QString t = text();
    if (t.isEmpty() || t == QLatin1String("-") || t == QString(decimalChar_) ||
        t == QLatin1String("E")) {
        t = QStringLiteral("0");
    }
    return ClampToLimits(parse(t).value_or(limits_.min), limits_);
}

void TCustomFloatEdit::setValue(long double value) {
    if (loading_) {
        loadValue_ = value;
        return;
    }
    const long double held = ClampToLimits(value, limits_);
    const bool clamped = !(held == value);  // NaN never equals itself
    setText(format(held));
    if (clamped && !errorMessage_.isEmpty()) showErrorMessage();
}

void TCustomFloatEdit::setMin(long double min) {
    if (min == limits_.min) return;
    if (std::isnan(min) || min > limits_.max) throw std::invalid_argument(kMinAboveMaxMessage);
    limits_.min = min;
    setValue(value());
}

void TCustomFloatEdit::setMax(long double max) {
    if (max == limits_.max) return;
    if (std::isnan(max) || max < limits_.min) throw std::invalid_argument(kMaxBelowMinMessage);
    limits_.max = max;
    setValue(value());
}

void TCustomFloatEdit::endLoading() {
    loading_ = false;
    setValue(loadValue_);
}

std::optional<long double> TCustomFloatEdit::parse(const QString& text) const {
    const std::optional<std::string> point =
        SeparatorToPoint(text.toStdString(), QString(decimalChar_).toStdString());
    if (!point) return std::nullopt;
    return ParseNumber(*point);
}

QString TCustomFloatEdit::format(long double value) const {
    return QString::fromStdString(
        PointToSeparator(EditValueText(value, limits_), QString(decimalChar_).toStdString()));
}

void TCustomFloatEdit::showErrorMessage() {
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(), errorMessage_,
                    QMessageBox::Ok, this);
    box.exec();
}

QChar TCustomFloatEdit::raiseKeyPress(QChar key) {
    emit keyPressed(key);
    return key;
}

void TCustomFloatEdit::keyPressEvent(QKeyEvent* event) {
    const QString typed = event->text();
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
        typed == QLatin1String("\r") || typed == QLatin1String("\n")) {
        QChar key = typed == QLatin1String("\n") ? QChar('\n') : QChar('\r');
        emit enterPressed(this, key);
        // Nothing is inserted, but a dialog's default button still hears the key.
        event->ignore();
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        setValue(enterValue_);
        selectAll();
        raiseKeyPress(QChar());
        event->accept();
        return;
    }
    if (typed.isEmpty()) {  // arrows, Delete, Home: no character, nothing to check
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (IsControlCharacter(*event, typed.front())) {
        const QChar key = raiseKeyPress(typed.front());
        if (key.isNull()) {
            event->accept();
        } else {
            QLineEdit::keyPressEvent(event);
        }
        return;
    }
    event->accept();
    for (QChar c : typed) typeCharacter(c);
}

void TCustomFloatEdit::typeCharacter(QChar key) {
    // The other separator's key types this field's own, so 2.5 typed under a comma
    // locale is 2,5 and never 25.
    if (IsSeparator(key)) key = decimalChar_;
    const bool allowed = (key >= QLatin1Char('0') && key <= QLatin1Char('9')) ||
                         key == QLatin1Char('-') || key == QLatin1Char('e') || key == decimalChar_;
    if (!allowed) {
        raiseKeyPress(key);
        return;
    }

    const QString current = text();
    const qsizetype start = hasSelectedText() ? selectionStart() : cursorPosition();
    const qsizetype length = hasSelectedText() ? selectedText().size() : 0;
    const QString prospective = current.left(start) + key + current.mid(start + length);

    if (prospective == QLatin1String("-")) {
        raiseKeyPress(key);
        setText(QStringLiteral("-0"));
        setSelection(1, 1);
        return;
    }
    if (prospective == QString(decimalChar_)) {
        raiseKeyPress(key);
        setText(QLatin1Char('0') + decimalChar_ + QLatin1Char('0'));
        setSelection(2, 1);
        return;
    }
    if (!prospectiveAccepted(prospective, key)) {
        raiseKeyPress(key);
        return;
    }
    if (const QChar changed = raiseKeyPress(key); !changed.isNull()) insert(QString(changed));
}

bool TCustomFloatEdit::prospectiveAccepted(const QString& prospective, QChar key) const {
    const std::optional<long double> number = parse(prospective);
    if (!number) return false;
    if (*number < limits_.min || *number > limits_.max) return false;
    if (key == decimalChar_ && limits_.digits == 0) return false;
    if (!prospective.contains(QLatin1Char('e'), Qt::CaseInsensitive)) {
        const qsizetype separator = prospective.indexOf(decimalChar_);
        if (separator >= 0 && prospective.size() - separator - 1 > limits_.digits) return false;
    }
    return true;
}

void TCustomFloatEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    if (inside_ && IsPassingFocusReason(event->reason())) return;
    inside_ = true;
    if (event->reason() != Qt::MouseFocusReason) selectAll();
    if (refocusing_) return;
    enterValue_ = value();
    emit entered();
}

void TCustomFloatEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (IsPassingFocusReason(event->reason()) || !inside_) return;
    inside_ = false;
    leave();
}

void TCustomFloatEdit::leave() {
    std::optional<long double> accepted;
    if (const std::optional<std::string> point =
            SeparatorToPoint(text().toStdString(), QString(decimalChar_).toStdString())) {
        accepted = AcceptEditText(*point, limits_);
    }
    if (accepted) {
        setValue(*accepted);
        emit exited();
        return;
    }
    setValue(enterValue_);
    selectAll();
    // Taking the focus back from inside the focus change is safe: Qt then does not hand
    // the focus-in to the widget that was about to get it.
    if (isVisible() && isEnabled()) {
        refocusing_ = true;
        setFocus(Qt::OtherFocusReason);
        refocusing_ = false;
    }
    if (!errorMessage_.isEmpty()) showErrorMessage();
}

void TCustomFloatEdit::dropEvent(QDropEvent* event) {
    // A drop into a field without the focus would never be checked on leaving, so the
    // field takes the focus first and records the value the drop replaces.
    if (!hasFocus() && isEnabled() && !isReadOnly()) setFocus(Qt::MouseFocusReason);
    QLineEdit::dropEvent(event);
}

void TCustomFloatEdit::setFlatBorder() {
    // Drawn here rather than by a style sheet, which would cost every field a style of
    // its own at start-up.
    flatBorder_ = true;
    setFrame(false);
    setTextMargins(1, 1, 1, 1);
    QPalette p = palette();
    p.setBrush(QPalette::Disabled, QPalette::Text,
               p.brush(QPalette::Disabled, QPalette::WindowText));
    p.setBrush(QPalette::Disabled, QPalette::Base, p.brush(QPalette::Disabled, QPalette::Button));
    setPalette(p);
}

void TCustomFloatEdit::setMarked(bool marked) {
    if (marked == isMarked()) return;
    if (!marked) {
        setPalette(*marked_);
        marked_.reset();
        return;
    }
    marked_ = palette();
    QPalette p = palette();
    const QColor warning(176, 0, 0);
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(group, QPalette::Text, warning);
        p.setColor(group, QPalette::Shadow, warning);
    }
    setPalette(p);
}

// The one-pixel border and the line edit's own margin of one pixel above and below the
// text, without the room a style's frame would ask for.
int TCustomFloatEdit::flatHeight() const {
    return std::max(fontMetrics().height(), 14) + 4;
}

QSize TCustomFloatEdit::sizeHint() const {
    QSize hint = QLineEdit::sizeHint();
    if (flatBorder_) hint.setHeight(flatHeight());
    return hint;
}

QSize TCustomFloatEdit::minimumSizeHint() const {
    QSize hint = QLineEdit::minimumSizeHint();
    if (flatBorder_) hint.setHeight(flatHeight());
    return hint;
}

void TCustomFloatEdit::paintEvent(QPaintEvent* event) {
    if (flatBorder_) {
        QPainter painter(this);
        painter.fillRect(rect(), palette().brush(QPalette::Base));
    }
    QLineEdit::paintEvent(event);
    if (!flatBorder_) return;
    QPainter painter(this);
    // In every state the border keeps the colour of an active field's shadow.
    painter.setPen(palette().color(QPalette::Active, QPalette::Shadow));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace mertano
