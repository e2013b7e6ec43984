// SPDX-License-Identifier: GPL-3.0-or-later
#include "materials/anyag_form.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>
#include <QValidator>
#include <algorithm>
#include <string>

#include "calc/language_texts.h"
#include "lang/detailed_message.h"
#include "materials/common_materials.h"
#include "materials/material_file.h"
#include "materials/material_list.h"
#include "widgets/float_edit.h"
#include "widgets/message_form.h"
#include "widgets/window_place.h"

namespace mertano {
namespace {

constexpr long double kMaxGravity = 100000.0L;
constexpr int kGravityDigits = 2;
// A unit symbol, the same in every language.
constexpr char16_t kGravityUnit[] = u"g/cm\u00b3";

// The language text numbers of the dialog and what shows while a text is empty.
enum Text : int {
    kKilep = 3,
    kNevText2 = 68,
    kCaption = 69,
    kUjGroup = 70,
    kModositGroup = 71,
    kNevText1 = 72,
    kFajsuly = 73,
    kMent = 74,
    kModosit = 75,
    kTorol = 76,
    kNoName = 77,
    kNoGravity = 78,
    kNothingToDelete = 79,
};

QString BuiltinText(int number) {
    switch (number) {
        case kKilep:
            return QStringLiteral("Kilépés");
        case kNevText2:
            return QStringLiteral("Anyag:");
        case kCaption:
            return QStringLiteral("Anyagok");
        case kUjGroup:
            return QStringLiteral("Új anyag");
        case kModositGroup:
            return QStringLiteral("Anyag módosítása, törlése");
        case kNevText1:
            return QStringLiteral("Név:");
        case kFajsuly:
            return QStringLiteral("Fajsúly:");
        case kMent:
            return QStringLiteral("Mentés");
        case kModosit:
            return QStringLiteral("Módosít");
        case kTorol:
            return QStringLiteral("Törlés");
        case kNoName:
            return QStringLiteral("Adja meg az anyag nevét!");
        case kNoGravity:
            return QStringLiteral("Adja meg a fajsúlyt!");
        case kNothingToDelete:
            return QStringLiteral("Válassza ki a törlendő anyagot!");
    }
    return {};
}

// Refuses any edit after which the name would no longer fit a record, so what the user
// sees is what is stored.
class MaterialNameValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        return MaterialNameFits(input) ? Acceptable : Invalid;
    }
};

TFloatEdit* MakeGravityEdit(const QString& name, QWidget* parent) {
    auto* edit = new TFloatEdit(parent);
    edit->setObjectName(name);
    edit->setDigits(kGravityDigits);
    edit->setMax(kMaxGravity);
    // The main window's field type: in the dialog's small plain type a comma separator
    // drew like a point, so the two windows seemed to use different separators.
    QFont font = edit->font();
    font.setPixelSize(12);
    font.setBold(true);
    edit->setFont(font);
    edit->setFlatBorder();
    edit->endLoading();
    return edit;
}

template <class W, class... Args>
W* Named(const char* name, Args&&... args) {
    auto* w = new W(std::forward<Args>(args)...);
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

}  // namespace

TAnyagForm::TAnyagForm(MaterialStore& store, const LanguageTexts& texts, QWidget* mainWindow)
    : QWidget(nullptr), store_(store), texts_(&texts), mainWindow_(mainWindow) {
    setObjectName(QStringLiteral("AnyagForm"));
    // A fixed border and only a system menu.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    buildControls();
    ApplyLanguageTexts();
    FormCreate();
}

void TAnyagForm::buildControls() {
    UjGroupBox = Named<QGroupBox>("UjGroupBox", this);
    NevText1 = Named<QLabel>("NevText1", UjGroupBox);
    NevEdit = Named<QLineEdit>("NevEdit", UjGroupBox);
    FajsulyText1 = Named<QLabel>("FajsulyText1", UjGroupBox);
    FajsulyEdit1 = MakeGravityEdit(QStringLiteral("FajsulyEdit1"), UjGroupBox);
    FajsulyEgysegText1 =
        Named<QLabel>("FajsulyEgysegText1", QString::fromUtf16(kGravityUnit), UjGroupBox);
    MentBtn = Named<QPushButton>("MentBtn", UjGroupBox);
    ModositGroupBox = Named<QGroupBox>("ModositGroupBox", this);
    NevText2 = Named<QLabel>("NevText2", ModositGroupBox);
    AnyagComboBox = Named<QComboBox>("AnyagComboBox", ModositGroupBox);
    FajsulyText2 = Named<QLabel>("FajsulyText2", ModositGroupBox);
    FajsulyEdit2 = MakeGravityEdit(QStringLiteral("FajsulyEdit2"), ModositGroupBox);
    FajsulyEgysegText2 =
        Named<QLabel>("FajsulyEgysegText2", QString::fromUtf16(kGravityUnit), ModositGroupBox);
    ModositBtn = Named<QPushButton>("ModositBtn", ModositGroupBox);
    TorolBtn = Named<QPushButton>("TorolBtn", ModositGroupBox);
    KilepBtn = Named<QPushButton>("KilepBtn", this);
    // Made last, so that it comes last in the tab order.
    GyakoriBtn = Named<QPushButton>("GyakoriBtn", this);

    NevEdit->setValidator(new MaterialNameValidator(NevEdit));
    AnyagComboBox->setEditable(true);
    AnyagComboBox->setInsertPolicy(QComboBox::NoInsert);
    AnyagComboBox->lineEdit()->setValidator(new MaterialNameValidator(AnyagComboBox));
    NevText1->setBuddy(NevEdit);
    NevText2->setBuddy(AnyagComboBox);
    FajsulyText1->setBuddy(FajsulyEdit1);
    FajsulyText2->setBuddy(FajsulyEdit2);

    // Room for a name of 20 characters and a gravity of 100000.00.
    const int nameWidth = fontMetrics().horizontalAdvance(QString(20, u'n')) + 12;
    NevEdit->setMinimumWidth(nameWidth);
    AnyagComboBox->setMinimumWidth(nameWidth);
    const int gravityWidth = fontMetrics().horizontalAdvance(QStringLiteral("1000000.00")) + 12;
    FajsulyEdit1->setFixedWidth(gravityWidth);
    FajsulyEdit2->setFixedWidth(gravityWidth);

    // Both boxes share one column plan, so the fields, their units and the buttons line
    // up: label | field | unit, stretching | button | button.
    auto* uj = new QGridLayout(UjGroupBox);
    uj->addWidget(NevText1, 0, 0);
    uj->addWidget(NevEdit, 0, 1, 1, 4);
    uj->addWidget(FajsulyText1, 1, 0);
    uj->addWidget(FajsulyEdit1, 1, 1);
    uj->addWidget(FajsulyEgysegText1, 1, 2);
    uj->addWidget(MentBtn, 1, 4);
    auto* modosit = new QGridLayout(ModositGroupBox);
    modosit->addWidget(NevText2, 0, 0);
    modosit->addWidget(AnyagComboBox, 0, 1, 1, 4);
    modosit->addWidget(FajsulyText2, 1, 0);
    modosit->addWidget(FajsulyEdit2, 1, 1);
    modosit->addWidget(FajsulyEgysegText2, 1, 2);
    modosit->addWidget(ModositBtn, 1, 3);
    modosit->addWidget(TorolBtn, 1, 4);
    for (QGridLayout* grid : {uj, modosit}) grid->setColumnStretch(2, 1);

    auto* main = new QVBoxLayout(this);
    main->setSizeConstraint(QLayout::SetFixedSize);
    main->addWidget(UjGroupBox);
    main->addWidget(ModositGroupBox);
    // The button for the whole list at the left, the way out at the right, where it was.
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(GyakoriBtn);
    bottom->addStretch(1);
    bottom->addWidget(KilepBtn);
    main->addLayout(bottom);

    connect(AnyagComboBox, &QComboBox::activated, this, &TAnyagForm::AnyagComboBoxClick);
    connect(MentBtn, &QPushButton::clicked, this, &TAnyagForm::MentBtnClick);
    connect(ModositBtn, &QPushButton::clicked, this, &TAnyagForm::ModositBtnClick);
    connect(TorolBtn, &QPushButton::clicked, this, &TAnyagForm::TorolBtnClick);
    connect(KilepBtn, &QPushButton::clicked, this, &TAnyagForm::KilepBtnClick);
    connect(GyakoriBtn, &QPushButton::clicked, this, &TAnyagForm::GyakoriBtnClick);
}

QString TAnyagForm::text(int number) const {
    const std::string& t = texts_->text(number);
    return t.empty() ? BuiltinText(number) : QString::fromStdString(t);
}

void TAnyagForm::SetLanguageTexts(const LanguageTexts& texts) {
    texts_ = &texts;
    ApplyLanguageTexts();
}

void TAnyagForm::ApplyLanguageTexts() {
    setWindowTitle(text(kCaption));
    UjGroupBox->setTitle(text(kUjGroup));
    ModositGroupBox->setTitle(text(kModositGroup));
    NevText1->setText(text(kNevText1));
    NevText2->setText(text(kNevText2));
    FajsulyText1->setText(text(kFajsuly));
    FajsulyText2->setText(text(kFajsuly));
    MentBtn->setText(text(kMent));
    ModositBtn->setText(text(kModosit));
    TorolBtn->setText(text(kTorol));
    KilepBtn->setText(text(kKilep));
    GyakoriBtn->setText(text(kTextAddCommonMaterials));
    lineUp();
    if (isVisible()) PlaceBottomRight(this, mainWindow_);
}

void TAnyagForm::lineUp() {
    // The label columns of the two boxes and the buttons share one width, whatever the
    // language makes of their captions.
    int labelWidth = 0, buttonWidth = 0;
    for (QLabel* label : {NevText1, NevText2, FajsulyText1, FajsulyText2}) {
        label->setMinimumWidth(0);
        labelWidth = std::max(labelWidth, label->sizeHint().width());
    }
    for (QPushButton* button : {MentBtn, ModositBtn, TorolBtn, KilepBtn}) {
        button->setMinimumWidth(0);
        buttonWidth = std::max(buttonWidth, button->sizeHint().width());
    }
    for (QLabel* label : {NevText1, NevText2, FajsulyText1, FajsulyText2}) {
        label->setMinimumWidth(labelWidth);
    }
    for (QPushButton* button : {MentBtn, ModositBtn, TorolBtn, KilepBtn}) {
        button->setMinimumWidth(buttonWidth);
    }
}

void TAnyagForm::FormCreate() {
    PlaceBottomRight(this, mainWindow_);
}

void TAnyagForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous()) return;  // back from minimised: not a new showing
    // The captions may have changed since the last showing (they are also applied by
    // control name, without this window's knowledge), and the frame is known only once
    // the window is shown: the columns and the corner are worked out anew. The main window
    // puts in no caption of GyakoriBtn: it is read from the texts here.
    GyakoriBtn->setText(text(kTextAddCommonMaterials));
    lineUp();
    PlaceBottomRight(this, mainWindow_);
    // Queued, so that a message about the file does not open inside the showing.
    QMetaObject::invokeMethod(this, &TAnyagForm::FormActivate, Qt::QueuedConnection);
}

void TAnyagForm::closeEvent(QCloseEvent* event) {
    event->accept();
    FormClose();
}

void TAnyagForm::FormClose() {
    // Every operation has already written the file, so nothing is pending here. Hiding
    // hands the main window back.
    hide();
    emit Closed();
}

void TAnyagForm::ShowWarning(const QString& message) {
    ShowLocalMessage(this, message, MessageKind::Warning, MessageButton::OK, MessageButton::OK, 0,
                     *texts_);
}

bool TAnyagForm::AskYesNo(const QString& question) {
    // No is the default: Enter pressed out of habit must not delete.
    return ShowLocalMessage(this, question, MessageKind::Confirmation,
                            MessageButton::Yes | MessageButton::No, MessageButton::No, 0,
                            *texts_) == ResultYes;
}

void TAnyagForm::ShowInformation(const QString& message) {
    ShowLocalMessage(this, message, MessageKind::Information, MessageButton::OK, MessageButton::OK,
                     0, *texts_);
}

void TAnyagForm::tellDamage() {
    if (std::optional<QString> report = store_.TakeDamageReport())
        ShowWarning(DetailedMessage(*texts_, kTextMaterialDamaged, *report));
}

void TAnyagForm::FormActivate() {
    const std::optional<MaterialError> error = store_.LoadMaterials();
    ListMaterials(AnyagComboBox, store_, MaterialOrder::ForTheEye);
    NevEdit->clear();
    AnyagComboBox->setEditText(QString());
    FajsulyEdit1->setValue(0.0L);
    FajsulyEdit2->setValue(0.0L);
    if (error) ShowWarning(DetailedMessage(*texts_, kTextMaterialUnreadable, error->message));
    tellDamage();
}

void TAnyagForm::relist() {
    // The list grew under what the user typed or picked in the box, which stays.
    const QString shown = AnyagComboBox->currentText();
    if (ListMaterials(AnyagComboBox, store_, MaterialOrder::ForTheEye))
        AnyagComboBox->setEditText(shown);
}

void TAnyagForm::AnyagComboBoxClick() {
    const QString picked = TrimMaterialText(AnyagComboBox->currentText());
    if (std::optional<qint32> gravity = FindGravity(store_.table(), picked)) {
        chosenMaterial_ = picked;
        FajsulyEdit2->setValue(StoredToGravity(*gravity));
    }
}

void TAnyagForm::refuse(int textNumber, QWidget* field) {
    ShowWarning(text(textNumber));
    field->setFocus();
}

bool TAnyagForm::save(const MaterialStore::Change& change) {
    const std::optional<MaterialError> error = store_.Update(change);
    tellDamage();
    if (!error) return true;
    // "It keeps what it held before" would be untrue of a file that is gone.
    int headline = kTextMaterialNotSaved;
    if (error->fault == MaterialFault::FolderGone) headline = kTextMaterialFolderGone;
    if (error->fault == MaterialFault::FileGone) headline = kTextMaterialFileGone;
    ShowWarning(DetailedMessage(*texts_, headline, error->message));
    return false;
}

void TAnyagForm::MentBtnClick() {
    const QString name = TrimMaterialText(NevEdit->text());
    if (name.isEmpty()) return refuse(kNoName, NevEdit);
    if (FajsulyEdit1->value() == 0.0L) return refuse(kNoGravity, FajsulyEdit1);
    const MaterialRecord record = MakeMaterial(name, GravityToStored(FajsulyEdit1->value()));
    const bool saved = save([&record](MaterialTable table) {
        table.append(record);  // a name that is already there gets a second record
        return table;
    });
    if (saved) FormActivate();
}

void TAnyagForm::ModositBtnClick() {
    const QString newName = TrimMaterialText(AnyagComboBox->currentText());
    if (newName.isEmpty()) return refuse(kNoName, AnyagComboBox);
    if (FajsulyEdit2->value() == 0.0L) return refuse(kNoGravity, FajsulyEdit2);
    const qint32 gravity = GravityToStored(FajsulyEdit2->value());
    const bool saved = save([&](MaterialTable table) {
        return ChangeMaterial(std::move(table), chosenMaterial_, newName, gravity);
    });
    if (saved) FormActivate();
}

void TAnyagForm::TorolBtnClick() {
    // What is deleted is what the box shows. A name typed over the one picked, or typed
    // without a pick, may be a slip of the keyboard: that one is deleted only when the
    // user says so, and a name the list lacks is refused.
    const QString shown = TrimMaterialText(AnyagComboBox->currentText());
    if (shown.isEmpty()) return refuse(kNothingToDelete, AnyagComboBox);
    if (shown != chosenMaterial_) {
        const std::string name = shown.toStdString();
        if (!FindGravity(store_.table(), shown)) {
            ShowWarning(QString::fromStdString(FillIn(texts_->text(kTextNoSuchMaterial), {name})));
            AnyagComboBox->setFocus();
            return;
        }
        if (!AskYesNo(QString::fromStdString(FillIn(texts_->text(kTextDeleteShown), {name}))))
            return;
    }
    const bool saved =
        save([&shown](MaterialTable table) { return DeleteMaterial(std::move(table), shown); });
    if (saved) FormActivate();
}

void TAnyagForm::GyakoriBtnClick() {
    // Read afresh first, so that a list that lacks nothing leaves the file untouched.
    if (const std::optional<MaterialError> error = store_.LoadMaterials()) {
        ShowWarning(DetailedMessage(*texts_, kTextMaterialUnreadable, error->message));
        return;
    }
    relist();
    tellDamage();
    int added = 0;
    AddCommonMaterials(store_.table(), *texts_, added);
    if (added > 0) {
        // Counted again on the records the save reads: another Mertano may have saved since.
        const bool saved = save([&](MaterialTable table) {
            return AddCommonMaterials(std::move(table), *texts_, added);
        });
        if (!saved) return;
        relist();
    }
    if (added == 0) return ShowInformation(text(kTextCommonAllThere));
    ShowInformation(
        QString::fromStdString(FillIn(texts_->text(kTextCommonAdded), {std::to_string(added)})));
}

void TAnyagForm::KilepBtnClick() {
    close();
}

}  // namespace mertano
