// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/valt_form.h"

#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <cmath>
#include <optional>
#include <string>

#include "calc/float_fault.h"
#include "calc/language_texts.h"
#include "calc/numbers.h"
#include "widgets/float_edit.h"
#include "widgets/window_place.h"

namespace mertano {
namespace {

constexpr int kMargin = 8;
constexpr int kRowHeight = 21;
constexpr int kLabelWidth = 118;
constexpr int kPartWidth = 34;
constexpr int kPartGap = 6;
constexpr int kFieldsWidth = 3 * kPartWidth + 2 * kPartGap;
constexpr int kPanelWidth = kMargin + kLabelWidth + 4 + kFieldsWidth + kMargin;
constexpr int kPanelHeight = kMargin + 2 * kRowHeight + 5 + kMargin;
constexpr int kButtonGap = 6;
constexpr int kButtonWidth = (kPanelWidth - 2 * kButtonGap) / 3;
constexpr int kButtonHeight = 25;

constexpr double kDecimalMax = 100000.0;
constexpr double kPartMax = 360.0;
constexpr int kPartMaxLength = 3;

QChar SystemDecimalChar() {
    const QString point = QLocale::system().decimalPoint();
    return point.size() == 1 ? point.front() : QChar('.');
}

// The field's own separator first, so a locale whose separator is neither a point nor a
// comma still reads; then the comma rule, for a comma that got in any other way.
double ReadField(const TFloatEdit* edit) {
    const std::string text = edit->text().toStdString();
    const std::optional<std::string> point =
        SeparatorToPoint(text, QString(edit->decimalChar()).toStdString());
    return static_cast<double>(ReadFieldText(point.value_or(text)));
}

}  // namespace

TValtForm::TValtForm(QWidget* parent) : TValtForm(SystemDecimalChar(), parent) {}

TValtForm::TValtForm(QChar decimalChar, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setObjectName("TValtForm");
    FormCreate(decimalChar);
}

void TValtForm::FormCreate(QChar decimalChar) {
    QFont windowFont = font();
    windowFont.setPixelSize(11);
    setFont(windowFont);
    setWindowTitle(QStringLiteral("Szögek átváltása"));
    setFixedSize(kPanelWidth + 2 * kMargin,
                 kMargin + kPanelHeight + kMargin + kButtonHeight + kMargin);
    buildControls(decimalChar);

    PlaceBottomRight(this, nullptr);

    connect(ValtBtn, &QPushButton::clicked, this, &TValtForm::ValtBtnClick);
    connect(UjadatBtn, &QPushButton::clicked, this, &TValtForm::FormActivate);
    connect(KilepBtn, &QPushButton::clicked, this, &TValtForm::KilepBtnClick);

    // The window sees every key before its controls, so Escape closes it even from
    // inside a field (where the field itself would only undo the typing).
    for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
}

void TValtForm::buildControls(QChar decimalChar) {
    Panel = new QFrame(this);
    Panel->setObjectName("Panel");
    Panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel->setGeometry(kMargin, kMargin, kPanelWidth, kPanelHeight);

    const int fieldsX = kMargin + kLabelWidth + 4;
    const int row1 = kMargin;
    const int row2 = kMargin + kRowHeight + 5;

    DecimText = new QLabel(QStringLiteral("Szög (dec):"), Panel);
    DecimText->setObjectName("DecimText");
    DecimText->setGeometry(kMargin, row1, kLabelWidth, kRowHeight);

    FokText1 = new QLabel(QStringLiteral("Szög (fok,p,mp):"), Panel);
    FokText1->setObjectName("FokText1");
    FokText1->setGeometry(kMargin, row2, kLabelWidth, kRowHeight);

    const auto makeEdit = [&](const char* name, int digits, double max, const QRect& geometry) {
        auto* edit = new TFloatEdit(decimalChar, Panel);
        edit->setObjectName(name);
        edit->setDigits(digits);
        edit->setMin(0.0L);
        edit->setMax(max);
        edit->setGeometry(geometry);
        edit->setFlatBorder();
        edit->endLoading();
        return edit;
    };
    DecimEdit = makeEdit("DecimEdit", 4, kDecimalMax, {fieldsX, row1, kFieldsWidth, kRowHeight});
    FokEdit = makeEdit("FokEdit", 0, kPartMax, {fieldsX, row2, kPartWidth, kRowHeight});
    PercEdit = makeEdit("PercEdit", 0, kPartMax,
                        {fieldsX + kPartWidth + kPartGap, row2, kPartWidth, kRowHeight});
    MpercEdit = makeEdit("MpercEdit", 0, kPartMax,
                         {fieldsX + 2 * (kPartWidth + kPartGap), row2, kPartWidth, kRowHeight});
    for (TFloatEdit* part : {FokEdit, PercEdit, MpercEdit}) part->setMaxLength(kPartMaxLength);

    const int buttonsY = kMargin + kPanelHeight + kMargin;
    const auto makeButton = [&](const char* name, const QString& caption, int column) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(name);
        button->setGeometry(kMargin + column * (kButtonWidth + kButtonGap), buttonsY, kButtonWidth,
                            kButtonHeight);
        return button;
    };
    ValtBtn = makeButton("ValtBtn", QStringLiteral("Át&váltás"), 0);
    UjadatBtn = makeButton("UjadatBtn", QStringLiteral("Új &adat"), 1);
    KilepBtn = makeButton("KilepBtn", QStringLiteral("&Kilépés"), 2);
}

void TValtForm::ApplyLanguageTexts(const LanguageTexts& texts) {
    const auto text = [&texts](int n) { return QString::fromStdString(texts.text(n)); };
    KilepBtn->setText(text(3));
    setWindowTitle(text(4));
    DecimText->setText(text(22));
    FokText1->setText(text(23));
    ValtBtn->setText(text(24));
    UjadatBtn->setText(text(25));
}

void TValtForm::FormActivate() {
    Panel->setEnabled(true);
    for (TFloatEdit* edit : {DecimEdit, FokEdit, PercEdit, MpercEdit}) edit->setValue(0.0L);
    DecimEdit->setFocus(Qt::OtherFocusReason);
}

void TValtForm::ValtBtnClick() {
    const double d = ReadField(DecimEdit);
    const double g = ReadField(FokEdit);
    const double m = ReadField(PercEdit);
    const double s = ReadField(MpercEdit);

    if (d != 0.0) {
        // The field holds at most 100000, but a text set from outside could still leave
        // the 64-bit truncation: then nothing is converted.
        AngleParts parts;
        try {
            parts = SplitAngle(d);
        } catch (const FloatFaultError&) {
            return;
        }
        FokEdit->setValue(static_cast<long double>(static_cast<double>(parts.degrees)));
        PercEdit->setValue(static_cast<long double>(static_cast<double>(parts.minutes)));
        MpercEdit->setValue(static_cast<long double>(static_cast<double>(parts.seconds)));
        lockPanel();
    } else if (g != 0.0 || m != 0.0 || s != 0.0) {
        const long double x = (static_cast<long double>(m) / 60.0L + g) + s / 3600.0L;
        const double decimal = static_cast<double>(x);
        if (!std::isfinite(decimal)) return;
        DecimEdit->setValue(decimal);
        lockPanel();
    }
}

void TValtForm::lockPanel() {
    Panel->setEnabled(false);
    // A field that had the focus (the button pressed by its accelerator) drops it on
    // locking and leaves the window without any; new data is the natural next step.
    if (!focusWidget() || !focusWidget()->isEnabled()) UjadatBtn->setFocus(Qt::OtherFocusReason);
}

void TValtForm::KilepBtnClick() {
    close();
}

bool TValtForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        close();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TValtForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TValtForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // A spontaneous show is the window coming back from minimised: no new start.
    if (event->spontaneous()) return;
    // The frame is known only now, and a new language may have widened the window.
    PlaceBottomRight(this, nullptr);
    FormActivate();
}

void TValtForm::closeEvent(QCloseEvent* event) {
    const bool wasVisible = isVisible();
    event->accept();
    // Hidden before the signal, so the main window's activation finds it gone.
    hide();
    if (wasVisible) emit closed();
}

}  // namespace mertano
