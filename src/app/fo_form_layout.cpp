// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's controls at their places; the form's captions are the Hungarian
// built-in ones until a language file replaces them.
#include <QButtonGroup>
#include <QComboBox>
#include <QFontDatabase>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "app/app_context.h"
#include "app/figure_button.h"
#include "app/fo_form.h"
#include "widgets/float_edit.h"

namespace mertano {
namespace {

const QColor kAqua(0, 255, 255);
const QColor kYellow(255, 255, 0);

template <class W>
W* Make(QWidget* parent, const char* name, const QRect& geometry) {
    auto* w = new W(parent);
    w->setObjectName(name);
    w->setGeometry(geometry);
    return w;
}

QFont PixelFont(const QFont& base, int pixels, bool bold) {
    QFont f = base;
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& caption, const QRect& geometry,
                  Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter) {
    auto* label = Make<QLabel>(parent, name, geometry);
    label->setText(caption);
    label->setAlignment(alignment);
    return label;
}

// A result box: aqua, single border, bold; values in red.
QLabel* MakeBox(QWidget* parent, const char* name, const QRect& geometry, bool value) {
    auto* box = MakeLabel(parent, name, QString(), geometry,
                          (value ? Qt::AlignRight : Qt::AlignHCenter) | Qt::AlignVCenter);
    box->setFrameStyle(QFrame::Box | QFrame::Plain);
    box->setAutoFillBackground(true);
    // A locked panel after a calculation must still show its results plainly.
    QPalette p = box->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(group, QPalette::Window, kAqua);
        p.setColor(group, QPalette::WindowText, value ? QColor(Qt::red) : QColor(Qt::black));
    }
    box->setPalette(p);
    box->setBackgroundRole(QPalette::Window);  // the window's own role is the button face
    box->setFont(PixelFont(parent->font(), 11, true));
    if (value) box->setIndent(3);
    return box;
}

struct FieldPlace {
    Field field;
    const char* edit;
    const char* label;
    const char* caption;
    int editTop;
    int labelTop;
};

// The length fields of the rows; several share a place and never show together.
constexpr FieldPlace kLengthPlaces[] = {
    {Field::AoldEdit, "AoldEdit", "AoldText", "a :", 47, 50},
    {Field::SugarEdit, "SugarEdit", "SugarText", "r :", 47, 49},
    {Field::BoldEdit, "BoldEdit", "BoldText", "b :", 76, 81},
    {Field::AtmeroEdit, "AtmeroEdit", "AtmeroText", "d :", 76, 79},
    {Field::HurEdit, "HurEdit", "HurText", "h :", 76, 79},
    {Field::ColdEdit, "ColdEdit", "ColdText", "c :", 105, 107},
    {Field::NagyrEdit, "NagyrEdit", "NagyrText", "R :", 105, 107},
    {Field::IvEdit, "IvEdit", "IvText", "i :", 105, 107},
    {Field::MagasEdit1, "MagasEdit1", "MagasText1", "ma:", 135, 138},
    {Field::MagasEdit2, "MagasEdit2", "MagasText2", "mb :", 164, 167},
    {Field::MagasEdit3, "MagasEdit3", "MagasText3", "mc :", 192, 195},
};

constexpr FieldPlace kAnglePlaces[] = {
    {Field::AlfaEdit, "AlfaEdit", "AlfaLabel", "\u03b1 :", 47, 45},
    {Field::BetaEdit, "BetaEdit", "BetaLabel", "\u03b2 :", 76, 75},
    {Field::GammaEdit, "GammaEdit", "GammaLabel", "\u03b3 :", 105, 103},
};

struct BoxPlace {
    Output output;
    const char* name;
    int left;
    int top;
};

constexpr BoxPlace kAngleBoxPlaces[] = {
    {Output::Fok1Text, "Fok1Text", 284, 47},      {Output::Perc1Text, "Perc1Text", 312, 47},
    {Output::Mperc1Text, "Mperc1Text", 340, 47},  {Output::Fok2Text, "Fok2Text", 284, 76},
    {Output::Perc2Text, "Perc2Text", 312, 76},    {Output::Mperc2Text, "Mperc2Text", 340, 76},
    {Output::Fok3Text, "Fok3Text", 283, 105},     {Output::Perc3Text, "Perc3Text", 311, 105},
    {Output::Mperc3Text, "Mperc3Text", 339, 105},
};

}  // namespace

void TFoForm::buildControls() {
    buildToolBar();
    buildFigureButtons();

    AlapPanel = Make<QFrame>(this, "AlapPanel", {148, 36, 549, 320});
    AlapPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    KepBevel = Make<QFrame>(AlapPanel, "KepBevel", {7, 80, 158, 158});
    KepBevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
    IdomImage = new PictureLabel(app_.pictures, AlapPanel);
    IdomImage->setObjectName("IdomImage");
    IdomImage->setGeometry(11, 84, 150, 150);
    buildInputPanel();

    SzamolBtn = Make<QPushButton>(this, "SzamolBtn", {226, 382, 140, 24});
    SzamolBtn->setText("Adatok &kiszámítása");
    NyomtatBtn = Make<QPushButton>(this, "NyomtatBtn", {402, 382, 140, 24});
    NyomtatBtn->setText("Képernyő nyomtatása");
    UjBtn = Make<QPushButton>(this, "UjBtn", {576, 382, 75, 24});
    UjBtn->setText("Új &adat");
}

void TFoForm::buildFigureButtons() {
    IdomPanel = Make<QFrame>(this, "IdomPanel", {0, 36, 147, 409});
    IdomPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1 = MakeLabel(IdomPanel, "Panel1", "Idom fajtája", {2, 3, 143, 28}, Qt::AlignCenter);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setAutoFillBackground(true);
    QPalette p = Panel1->palette();
    p.setColor(QPalette::Window, kYellow);
    p.setColor(QPalette::WindowText, Qt::black);
    Panel1->setPalette(p);
    // The window's role is the button face, which its children take by default.
    Panel1->setBackgroundRole(QPalette::Window);
    Panel1->setForegroundRole(QPalette::WindowText);
    Panel1->setFont(PixelFont(font(), 12, true));

    static constexpr const char* kCaptions[] = {"Háromszög",  "Derékszögű háromszög",
                                                "Kör",        "Körcikk",
                                                "Körszelet",  "Kocka",
                                                "Henger",     "Kúp",
                                                "Csonka kúp", "Gömb",
                                                "Téglatest",  "Gömbszelet",
                                                "Gömbréteg"};
    FigureButton** members[] = {&SpeedBtn1,  &SpeedBtn2,  &SpeedBtn3, &SpeedBtn4, &SpeedBtn5,
                                &SpeedBtn6,  &SpeedBtn7,  &SpeedBtn8, &SpeedBtn9, &SpeedBtn10,
                                &SpeedBtn11, &SpeedBtn12, &SpeedBtn13};
    figureGroup_ = new QButtonGroup(this);
    figureGroup_->setExclusive(true);
    for (int k = 0; k < 13; ++k) {
        const QByteArray name = "SpeedBtn" + QByteArray::number(k + 1);
        auto* button = Make<FigureButton>(IdomPanel, name.constData(), {2, 33 + 22 * k, 144, 22});
        button->setText(kCaptions[k]);
        figureGroup_->addButton(button, k);
        *members[k] = button;
        figureButtons_[k] = button;
    }
    SpeedBtn1->takeTabStop();
    KepImage = new PictureLabel(app_.pictures, IdomPanel);
    KepImage->setObjectName("KepImage");
    KepImage->setGeometry(7, 324, 133, 79);
}

void TFoForm::buildInputPanel() {
    InputPanel = Make<QFrame>(AlapPanel, "InputPanel", {170, 0, 381, 321});
    InputPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    // A solved figure locks the panel; its values must stay as legible as before.
    QPalette locked = InputPanel->palette();
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::Base}) {
        locked.setColor(QPalette::Disabled, role, locked.color(QPalette::Active, role));
    }
    InputPanel->setPalette(locked);
    EgysegText1 = MakeLabel(InputPanel, "EgysegText1", "Mértékegység:", {11, 11, 98, 17});
    EgysegComboBox = Make<QComboBox>(InputPanel, "EgysegComboBox", {111, 9, 46, 21});
    EgysegComboBox->setEditable(true);
    EgysegComboBox->addItems({"mm", "cm", "m"});
    EgysegComboBox->setCurrentText("mm");
    EgysegText2 =
        MakeLabel(InputPanel, "EgysegText2", QString(), {161, 10, 26, 17}, Qt::AlignCenter);
    DecimText = MakeLabel(InputPanel, "DecimText", "Decimal", {206, 24, 70, 17}, Qt::AlignCenter);
    FPMText = MakeLabel(InputPanel, "FPMText", "Fok,p,mp", {285, 24, 91, 17}, Qt::AlignCenter);
    buildFields();
    buildOutputs();
}

void TFoForm::buildFields() {
    const QFont editFont = PixelFont(font(), 12, true);
    auto place = [&](const FieldPlace& f, QRect editRect, QRect labelRect, int labelPixels) {
        auto* edit = Make<TFloatEdit>(InputPanel, f.edit, editRect);
        edit->setDigits(4);
        edit->setMax(100000.0L);
        edit->setAlignment(Qt::AlignRight);
        edit->setFont(editFont);
        auto* label = MakeLabel(
            InputPanel, f.label, QString::fromUtf8(f.caption), labelRect,
            f.field == Field::AlfaEdit || f.field == Field::BetaEdit || f.field == Field::GammaEdit
                ? Qt::AlignCenter
                : Qt::AlignLeft | Qt::AlignVCenter);
        label->setFont(PixelFont(font(), labelPixels, true));
        label->setBuddy(edit);
        edits_[FieldIndex(f.field)] = edit;
        fieldLabels_[FieldIndex(f.field)] = label;
    };
    for (const FieldPlace& f : kLengthPlaces) {
        const bool height = f.field == Field::MagasEdit1 || f.field == Field::MagasEdit2 ||
                            f.field == Field::MagasEdit3;
        place(f, {47, f.editTop, 80, 21}, {13, f.labelTop, height ? 34 : 25, 17}, 13);
    }
    for (const FieldPlace& f : kAnglePlaces)
        place(f, {206, f.editTop, 70, 21}, {173, f.labelTop, 27, 23}, 16);

    AoldEdit = edit(Field::AoldEdit), BoldEdit = edit(Field::BoldEdit),
    ColdEdit = edit(Field::ColdEdit);
    AlfaEdit = edit(Field::AlfaEdit), BetaEdit = edit(Field::BetaEdit),
    GammaEdit = edit(Field::GammaEdit);
    SugarEdit = edit(Field::SugarEdit), AtmeroEdit = edit(Field::AtmeroEdit),
    IvEdit = edit(Field::IvEdit);
    HurEdit = edit(Field::HurEdit), NagyrEdit = edit(Field::NagyrEdit);
    MagasEdit1 = edit(Field::MagasEdit1), MagasEdit2 = edit(Field::MagasEdit2),
    MagasEdit3 = edit(Field::MagasEdit3);
    auto label = [this](Field f) { return fieldLabels_[FieldIndex(f)]; };
    AoldText = label(Field::AoldEdit), BoldText = label(Field::BoldEdit),
    ColdText = label(Field::ColdEdit);
    SugarText = label(Field::SugarEdit), AtmeroText = label(Field::AtmeroEdit);
    HurText = label(Field::HurEdit), IvText = label(Field::IvEdit),
    NagyrText = label(Field::NagyrEdit);
    MagasText1 = label(Field::MagasEdit1), MagasText2 = label(Field::MagasEdit2),
    MagasText3 = label(Field::MagasEdit3);
    AlfaLabel = label(Field::AlfaEdit), BetaLabel = label(Field::BetaEdit),
    GammaLabel = label(Field::GammaEdit);

    for (const BoxPlace& b : kAngleBoxPlaces) {
        outputs_[OutputIndex(b.output)] =
            MakeBox(InputPanel, b.name, {b.left, b.top, 25, 19}, false);
    }
    Fok1Text = output(Output::Fok1Text), Perc1Text = output(Output::Perc1Text);
    Mperc1Text = output(Output::Mperc1Text), Fok2Text = output(Output::Fok2Text);
    Perc2Text = output(Output::Perc2Text), Mperc2Text = output(Output::Mperc2Text);
    Fok3Text = output(Output::Fok3Text), Perc3Text = output(Output::Perc3Text);
    Mperc3Text = output(Output::Mperc3Text);
}

void TFoForm::buildOutputs() {
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    auto row = [&](QLabel*& caption, QLabel*& value, QLabel*& unit, const char* names[3],
                   const QString& text, int top, int captionLeft, int captionWidth) {
        caption =
            MakeLabel(InputPanel, names[0], text, {captionLeft, top + 2, captionWidth, 17}, right);
        value = MakeBox(InputPanel, names[1], {223, top, 117, 19}, true);
        unit = MakeLabel(InputPanel, names[2], QString(), {343, top + 2, 35, 17});
    };
    const char* kerulet[] = {"KeruletText1", "KeruletText2", "KeruletText3"};
    const char* terulet[] = {"TeruletText1", "TeruletText2", "TeruletText3"};
    const char* felulet[] = {"FeluletText1", "FeluletText2", "FeluletText3"};
    const char* terfogat[] = {"TerfogatText1", "TerfogatText2", "TerfogatText3"};
    const char* tomeg[] = {"TomegText1", "TomegText2", "TomegText3"};
    row(KeruletText1, KeruletText2, KeruletText3, kerulet, "Kerület:", 189, 136, 84);
    row(TeruletText1, TeruletText2, TeruletText3, terulet, "Terület:", 221, 136, 84);
    row(FeluletText1, FeluletText2, FeluletText3, felulet, "Felület:", 189, 136, 84);
    row(TerfogatText1, TerfogatText2, TerfogatText3, terfogat, "Térfogat:", 221, 136, 84);
    row(TomegText1, TomegText2, TomegText3, tomeg, "Tömeg:", 252, 144, 76);
    TomegText3->setText("kg");
    outputs_[OutputIndex(Output::KeruletText2)] = KeruletText2;
    outputs_[OutputIndex(Output::KeruletText3)] = KeruletText3;
    outputs_[OutputIndex(Output::TeruletText2)] = TeruletText2;
    outputs_[OutputIndex(Output::FeluletText2)] = FeluletText2;
    outputs_[OutputIndex(Output::TerfogatText2)] = TerfogatText2;
    outputs_[OutputIndex(Output::TomegText2)] = TomegText2;

    AnyagText1 = MakeLabel(InputPanel, "AnyagText1", "Anyag", {30, 230, 88, 17}, Qt::AlignCenter);
    AnyagComboBox = Make<QComboBox>(InputPanel, "AnyagComboBox", {11, 252, 127, 21});
    AnyagComboBox->setEditable(true);
    AnyagComboBox->setInsertPolicy(QComboBox::InsertAlphabetically);
    QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    mono.setPixelSize(12);
    AnyagComboBox->setFont(mono);
    AnyagText2 =
        MakeLabel(InputPanel, "AnyagText2", QString(), {11, 279, 126, 17}, Qt::AlignCenter);
}

void TFoForm::setTabOrder() {
    QWidget* order[] = {EgysegComboBox, AoldEdit,  SugarEdit, BoldEdit,     AtmeroEdit, HurEdit,
                        ColdEdit,       NagyrEdit, IvEdit,    MagasEdit1,   MagasEdit2, MagasEdit3,
                        AlfaEdit,       BetaEdit,  GammaEdit, AnyagComboBox};
    for (std::size_t k = 1; k < std::size(order); ++k) QWidget::setTabOrder(order[k - 1], order[k]);
}

}  // namespace mertano
