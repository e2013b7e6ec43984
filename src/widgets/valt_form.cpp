// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/valt_form.h"

#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "calc/float_fault.h"
#include "calc/language_texts.h"
#include "calc/numbers.h"
#include "widgets/float_edit.h"
#include "widgets/window_place.h"
#include "widgets/zoom.h"

namespace mertano {
namespace {

constexpr int kMargin = 8;
constexpr int kRowHeight = 21;
constexpr int kLabelWidth = 118;  // the narrowest label column; a longer caption widens it
constexpr int kPartWidth = 34;
constexpr int kPartGap = 6;
constexpr int kButtonGap = 6;
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
    buildControls(decimalChar);
    arrange();

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

    DecimText = new QLabel(QStringLiteral("Szög (dec):"), Panel);
    DecimText->setObjectName("DecimText");
    FokText1 = new QLabel(QStringLiteral("Szög (fok,p,mp):"), Panel);
    FokText1->setObjectName("FokText1");

    const auto makeEdit = [&](const char* name, int digits, double max) {
        auto* edit = new TFloatEdit(decimalChar, Panel);
        edit->setObjectName(name);
        edit->setDigits(digits);
        edit->setMin(0.0L);
        edit->setMax(max);
        // The main window's field type, in which a comma separator is plainly a comma.
        QFont font = edit->font();
        font.setPixelSize(12);
        font.setBold(true);
        edit->setFont(font);
        edit->setFlatBorder();
        edit->endLoading();
        return edit;
    };
    DecimEdit = makeEdit("DecimEdit", 4, kDecimalMax);
    FokEdit = makeEdit("FokEdit", 0, kPartMax);
    PercEdit = makeEdit("PercEdit", 0, kPartMax);
    MpercEdit = makeEdit("MpercEdit", 0, kPartMax);
    for (TFloatEdit* part : {FokEdit, PercEdit, MpercEdit}) part->setMaxLength(kPartMaxLength);
    DecimText->setBuddy(DecimEdit);
    FokText1->setBuddy(FokEdit);

    const auto makeButton = [&](const char* name, const QString& caption) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(name);
        return button;
    };
    ValtBtn = makeButton("ValtBtn", QStringLiteral("Át&váltás"));
    UjadatBtn = makeButton("UjadatBtn", QStringLiteral("Új &adat"));
    KilepBtn = makeButton("KilepBtn", QStringLiteral("&Kilépés"));
}

void TValtForm::arrange() {
    // Sizes at the window's zoom; the fonts have grown with it already.
    const int zoom = WindowZoom(this);
    const auto z = [zoom](int pixels) { return Zoomed(pixels, zoom); };
    const int margin = z(kMargin);
    const int rowHeight = z(kRowHeight);
    const int partWidth = z(kPartWidth);
    const int partGap = z(kPartGap);
    const int fieldsWidth = 3 * partWidth + 2 * partGap;
    const int panelHeight = margin + 2 * rowHeight + z(5) + margin;
    const int buttonGap = z(kButtonGap);
    const int buttonHeight = z(kButtonHeight);
    // The label column and the buttons take what the current captions need, so that
    // no language has a caption cut.
    int labelWidth = z(kLabelWidth);
    for (const QLabel* label : {DecimText, FokText1}) {
        labelWidth = std::max(labelWidth, label->sizeHint().width());
    }
    int buttonWidth = 0;
    for (const QPushButton* button : {ValtBtn, UjadatBtn, KilepBtn}) {
        buttonWidth = std::max(buttonWidth, button->sizeHint().width());
    }
    int panelWidth = margin + labelWidth + z(4) + fieldsWidth + margin;
    panelWidth = std::max(panelWidth, 3 * buttonWidth + 2 * buttonGap);
    buttonWidth = (panelWidth - 2 * buttonGap) / 3;

    Panel->setGeometry(margin, margin, panelWidth, panelHeight);
    const int fieldsX = panelWidth - margin - fieldsWidth;
    const int row1 = margin;
    const int row2 = margin + rowHeight + z(5);
    DecimText->setGeometry(margin, row1, fieldsX - z(4) - margin, rowHeight);
    FokText1->setGeometry(margin, row2, fieldsX - z(4) - margin, rowHeight);
    DecimEdit->setGeometry(fieldsX, row1, fieldsWidth, rowHeight);
    FokEdit->setGeometry(fieldsX, row2, partWidth, rowHeight);
    PercEdit->setGeometry(fieldsX + partWidth + partGap, row2, partWidth, rowHeight);
    MpercEdit->setGeometry(fieldsX + 2 * (partWidth + partGap), row2, partWidth, rowHeight);

    const int buttonsY = margin + panelHeight + margin;
    int column = 0;
    for (QPushButton* button : {ValtBtn, UjadatBtn, KilepBtn}) {
        button->setGeometry(margin + column++ * (buttonWidth + buttonGap), buttonsY, buttonWidth,
                            buttonHeight);
    }
    setFixedSize(panelWidth + 2 * margin, buttonsY + buttonHeight + margin);
}

void TValtForm::ApplyLanguageTexts(const LanguageTexts& texts) {
    const auto text = [&texts](int n) { return QString::fromStdString(texts.text(n)); };
    KilepBtn->setText(text(3));
    setWindowTitle(text(4));
    DecimText->setText(text(22));
    FokText1->setText(text(23));
    ValtBtn->setText(text(24));
    UjadatBtn->setText(text(25));
    arrange();
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
    // The captions may have come by control name since the last showing, and the frame
    // is known only now: the window is sized and placed anew.
    arrange();
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
