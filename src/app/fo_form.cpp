// SPDX-License-Identifier: GPL-3.0-or-later
#include "fo_form.h"

#include "app/figure_button.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include "app/app_context.h"
#include "app/copy_results.h"
#include "app/window_fields.h"
#include "job/job_window.h"
#include "pattern/pattern_window.h"
#include "calc/calculate.h"
#include "lang/detailed_message.h"
#include "lang/text_placement.h"
#include "materials/mass.h"
#include "materials/material_file.h"
#include "materials/material_list.h"
#include "shapes/calc_button_rule.h"
#include "shapes/shape_catalogue.h"
#include "widgets/float_edit.h"
#include "widgets/message_form.h"
#include "widgets/whole_text.h"
#include "widgets/window_place.h"
#include "widgets/zoom.h"

namespace mertano {
namespace {

const QColor kChosenCaption(0, 0, 255);

}  // namespace

TFoForm::TFoForm(AppContext& app, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      app_(app) {
    setObjectName("TFoForm");
    FormCreate();
}

TFoForm::~TFoForm() {
    qApp->removeEventFilter(this);
}

void TFoForm::FormCreate() {
    QFont windowFont = font();
    windowFont.setPixelSize(11);
    setFont(windowFont);
    setFixedSize(715, 445);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);
    setWindowTitle("Mertano " + app_.values.versionText);

    buildControls();
    placeCentred();
    for (TFloatEdit* e : edits_) {
        e->setFlatBorder();
        e->endLoading();
    }
    if (const std::optional<MaterialError> error = app_.materials.CreateIfMissing()) {
        creationError_ = error->message;
    }
    setTabOrder();
    connectHandlers();
    connectToolBar();
    InstallResultCopying(*this, app_);
    // The window sees every key first, so Escape closes it even from inside a field.
    qApp->installEventFilter(this);
}

void TFoForm::connectHandlers() {
    connect(figureGroup_, &QButtonGroup::idClicked, this, [this] { Inicializal(); });
    connect(UjBtn, &QPushButton::clicked, this, &TFoForm::Inicializal);
    connect(SzamolBtn, &QPushButton::clicked, this, &TFoForm::SzamolBtnClick);
    connect(EgysegComboBox, &QComboBox::currentTextChanged, this, &TFoForm::EgysegComboBoxChange);
    connect(AnyagComboBox, &QComboBox::currentTextChanged, this, &TFoForm::AnyagComboBoxChange);
    for (Field f : kAllFields) {
        connect(edit(f), &QLineEdit::textChanged, this, &TFoForm::Kapcsvalt);
        connect(edit(f), &TCustomFloatEdit::entered, this, [this, f] { EditEnter(f); });
    }
    connect(AlfaEdit, &TCustomFloatEdit::exited, this, &TFoForm::AlfaEditExit);
    connect(BetaEdit, &TCustomFloatEdit::exited, this, &TFoForm::BetaEditExit);
    connect(GammaEdit, &TCustomFloatEdit::exited, this, &TFoForm::GammaEditExit);
    connectSolution();
    connectZoom();
    connectJob();
    connectPattern();
}

void TFoForm::placeCentred() {
    // The frame counts once the window system has given one, as the window's width does.
    const QRect area = WorkArea(this);
    if (area.isEmpty()) return;
    move(CentredPosition(area, frameGeometry().size()));
    PlaceAgainWhenFramed(this, [this] { placeCentred(); });
}

void TFoForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!activated_) {
        activated_ = true;
        placeCentred();
        FormActivate();
    }
}

void TFoForm::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    if (!event->isAccepted()) return;
    closing_ = true;
    // The help window and the dialogs have no parent; left open they would keep the
    // process running after the main window is gone.
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window != this && window->isVisible()) window->close();
    }
    closing_ = false;
}

void TFoForm::FormActivate() {
    // A dialog handing back leaves the texts as they were unless it changed the language,
    // and the language dialog puts a new language's texts up itself.
    if (!textsShown_ || textsLanguage_ != app_.language.languageName()) Nyelvvalt();
    const LanguageTexts& texts = app_.language.texts();
    if (!creationError_.isEmpty()) {
        showMessage(DetailedMessage(texts, kTextMaterialNotCreated,
                                    std::exchange(creationError_, QString())),
                    static_cast<int>(MessageKind::Error));
    }
    const QString chosen = TrimMaterialText(AnyagComboBox->currentText());
    const std::optional<qint32> chosenGravity = FindGravity(app_.materials.table(), chosen);
    // Every dialog that closes comes here: a file that has not changed is not read again,
    // and a list that has not changed is not listed again.
    const quint64 generation = app_.materials.generation();
    if (const std::optional<MaterialError> error = app_.materials.LoadMaterials()) {
        showMessage(DetailedMessage(texts, kTextMaterialUnreadable, error->message),
                    static_cast<int>(MessageKind::Error));
    }
    if (const std::optional<QString> damage = app_.materials.TakeDamageReport()) {
        showMessage(DetailedMessage(texts, kTextMaterialDamaged, *damage),
                    static_cast<int>(MessageKind::Warning));
    }
    ListMaterials(AnyagComboBox, app_.materials, MaterialOrder::CodeUnits);
    // A mass is shown only with the material it was worked out for: the material stays
    // while the reloaded list still holds it unchanged, and the mass goes with it.
    const bool kept =
        chosenGravity && (app_.materials.generation() == generation ||
                          FindGravity(app_.materials.table(), chosen) == chosenGravity);
    AnyagComboBox->setCurrentText(kept ? chosen : QString());
    if (!kept) TomegText2->clear();
    if (!selectedShape()) {
        Inicializal();
        AlapPanel->hide();
        SzamolBtn->hide();
        NyomtatBtn->hide();
        UjBtn->hide();
    }
    KepImage->setPicture("B12");
    showLinksAsUsable();
    // The welcome picture is the window's own painting. With a figure chosen there is
    // nothing of its own to draw again, and repainting every control would cost more
    // than the rest of the activation.
    if (!selectedShape()) update();
}

void TFoForm::Nyelvvalt() {
    // Before a language is settled (tests build windows without one) the built-in
    // captions stand.
    if (!app_.language.languageName().isEmpty()) {
        if (const std::optional<LanguageLoadError> error = app_.language.reload()) {
            showMessage(LanguageLoadMessage(app_.language.texts(), *error),
                        static_cast<int>(MessageKind::Error));
        }
    }
    QList<QWidget*> windows{this};
    for (QWidget* w : {anyagForm_, nyelvForm_, valtForm_}) {
        if (w) windows << w;
    }
    ApplyLanguageTexts(windows, app_.language.texts());
    textsShown_ = true;
    textsLanguage_ = app_.language.languageName();
    setWindowTitle("Mertano " + app_.values.versionText);
    if (MailLabel2->text().isEmpty()) MailLabel2->setText(app_.values.mailAddress);
    nameForScreenReaders();
    solutionChanged();
    if (jobWindow_) jobWindow_->retranslate();
    if (patternWindow_) patternWindow_->retranslate();
}

void TFoForm::nameForScreenReaders() {
    // The fields are named by their buddy labels; the boxes and the picture have no
    // buddy, so each takes the caption a sighted user reads beside it.
    const auto caption = [](const QLabel* label) {
        return label->text().remove(QLatin1Char('&')).remove(QLatin1Char(':')).trimmed();
    };
    const std::pair<QLabel*, QLabel*> results[] = {
        {KeruletText1, KeruletText2},   {TeruletText1, TeruletText2}, {FeluletText1, FeluletText2},
        {TerfogatText1, TerfogatText2}, {TomegText1, TomegText2},
    };
    for (const auto& [label, box] : results) box->setAccessibleName(caption(label));
    // "Fok,p,mp" heads the three boxes of each angle row, one part for each.
    const QStringList parts = FPMText->text().split(QLatin1Char(','));
    for (const AngleBoxes& angle : kAngleBoxes) {
        const QLabel* label = fieldLabels_[FieldIndex(angle.field)];
        const std::array<QLabel*, 3> boxes = {output(angle.degrees), output(angle.minutes),
                                              output(angle.seconds)};
        for (std::size_t k = 0; k < boxes.size(); ++k) {
            const QString part =
                k < std::size_t(parts.size()) ? parts[qsizetype(k)].trimmed() : QString();
            boxes[k]->setAccessibleName((caption(label) + QLatin1Char(' ') + part).trimmed());
        }
    }
    const std::optional<ShapeKind> shape = selectedShape();
    IdomImage->setAccessibleName(shape ? figureButton(*shape)->text().remove(QLatin1Char('&'))
                                       : QString());
}

void TFoForm::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    if (selectedShape()) return;
    QPainter painter(this);
    const int zoom = WindowZoom(this);
    const QPoint at(AlapPanel->x() + AlapPanel->width() / 2 - Zoomed(160, zoom),
                    AlapPanel->y() + AlapPanel->height() / 2 - Zoomed(50, zoom));
    if (PaperPainting::active()) {
        app_.pictures.paint("B12", painter, QRectF(at, app_.pictures.size("B12") * (zoom / 100.0)));
        return;
    }
    painter.drawPixmap(at, app_.pictures.picture("B12", devicePixelRatioF(),
                                                 app_.pictures.size("B12") * (zoom / 100.0)));
}

bool TFoForm::eventFilter(QObject* watched, QEvent* event) {
    if (toolBarEvent(watched, event)) return true;
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this && !openSecondary_) {
        close();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

std::optional<ShapeKind> TFoForm::selectedShape() const {
    const int id = figureGroup_->checkedId();
    if (id < 0) return std::nullopt;
    return static_cast<ShapeKind>(id);
}

void TFoForm::clearResults() {
    markReplaced({});
    solutions_ = 1;
    for (QLabel* box :
         {Fok1Text, Fok2Text, Fok3Text, Perc1Text, Perc2Text, Perc3Text, Mperc1Text, Mperc2Text,
          Mperc3Text, KeruletText2, KeruletText3, TeruletText2, TeruletText3, FeluletText2,
          FeluletText3, TerfogatText2, TerfogatText3, TomegText2}) {
        SetWholeText(box, QString());
    }
    solved_.reset();
    solutionChanged();
}

void TFoForm::Inicializal() {
    InputPanel->hide();
    AlapPanel->show();
    SzamolBtn->show();
    SzamolBtn->setEnabled(false);
    NyomtatBtn->show();
    NyomtatBtn->setEnabled(false);
    UjBtn->show();

    MoveZoomed(AoldText, {BasePosition(AoldText).x(), 49});
    AoldText->setText("a :");
    MoveZoomed(AoldEdit, {BasePosition(AoldEdit).x(), 47});
    NagyrText->setText("R :");

    for (Field f :
         {Field::NagyrEdit, Field::AoldEdit, Field::BoldEdit, Field::ColdEdit, Field::MagasEdit1,
          Field::MagasEdit2, Field::MagasEdit3, Field::IvEdit, Field::HurEdit, Field::SugarEdit,
          Field::AtmeroEdit, Field::AlfaEdit, Field::BetaEdit, Field::GammaEdit}) {
        edit(f)->setValue(0.0L);
    }
    clearResults();
    InputPanel->setEnabled(true);

    for (QObject* child : InputPanel->children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (w && w != EgysegText1 && w != EgysegComboBox && w != EgysegText2) w->hide();
    }
    // Only the chosen figure's button carries the marker and the chosen colour; the
    // others are left alone, so they are not painted again.
    for (FigureButton* button : figureButtons_) {
        if (button->icon().isNull()) continue;
        button->setPalette(palette());
        button->setIcon(QIcon());
    }
    EgysegText2->clear();
    AnyagText2->clear();
    AnyagComboBox->setCurrentText(QString());
    EgysegComboBoxChange();
    AnyagComboBoxChange();

    if (const std::optional<ShapeKind> shape = selectedShape()) showFigure(*shape);
}

void TFoForm::showFigure(ShapeKind shape) {
    const ShapeInfo& info = Shape(shape);
    IdomImage->setPicture(QString::fromUtf8(info.picture.data(), qsizetype(info.picture.size())));
    FigureButton* button = figureButton(shape);
    button->setIcon(QIcon(app_.pictures.picture("B11", devicePixelRatioF())));
    QPalette chosen = button->palette();
    chosen.setColor(QPalette::ButtonText, kChosenCaption);
    button->setPalette(chosen);

    if (info.aInRowTwo) {
        MoveZoomed(AoldText, {BasePosition(AoldText).x(), 79});
        MoveZoomed(AoldEdit, {BasePosition(AoldEdit).x(), 76});
    }
    if (!info.magasCaption.empty())
        MagasText1->setText(QString::fromUtf8(info.magasCaption.data()));
    if (shape == ShapeKind::SphericalZone) {
        AoldText->setText("a1");
        NagyrText->setText("a2");
    }

    for (Field f : ShownFields(shape)) {
        edit(f)->show();
        fieldLabels_[FieldIndex(f)]->show();
    }
    for (Field f : info.angleFields) {
        const AngleBoxes* boxes = AngleBoxesOf(f);
        for (Output o : {boxes->degrees, boxes->minutes, boxes->seconds}) output(o)->show();
    }
    DecimText->setVisible(!info.angleFields.empty());
    FPMText->setVisible(!info.angleFields.empty());
    const std::vector<QWidget*> outputs =
        info.solid
            ? std::vector<QWidget*>{FeluletText1,  FeluletText2,  FeluletText3, TerfogatText1,
                                    TerfogatText2, TerfogatText3, TomegText1,   TomegText2,
                                    TomegText3,    AnyagText1,    AnyagText2,   AnyagComboBox}
            : std::vector<QWidget*>{KeruletText1, KeruletText2, KeruletText3,
                                    TeruletText1, TeruletText2, TeruletText3};
    for (QWidget* w : outputs) w->show();
    InputPanel->show();
    nameForScreenReaders();
    edit(info.firstFocus)->setFocus();
}

void TFoForm::Kapcsvalt() {
    std::array<std::string, kFieldCount> texts;
    for (Field f : kAllFields) texts[FieldIndex(f)] = edit(f)->text().toStdString();
    SzamolBtn->setEnabled(false);
    NyomtatBtn->setEnabled(false);
    SzamolBtn->setEnabled(CalculateEnabled(selectedShape(), ReadFieldValues(texts)));
}

void TFoForm::EditEnter(Field field) {
    const std::optional<ShapeKind> shape = selectedShape();
    if (!shape) return;
    const std::string_view picture = EnterPicture(field, *shape);
    if (!picture.empty()) {
        IdomImage->setPicture(QString::fromUtf8(picture.data(), qsizetype(picture.size())));
    }
}

void TFoForm::AngleEditExit(Field field) {
    TFloatEdit* angle = edit(field);
    const std::optional<int> text = AngleExitMessage(field, angle->value());
    if (!text) return;
    showMessage(QString::fromStdString(app_.language.texts().text(*text)),
                static_cast<int>(MessageKind::Warning));
    angle->setValue(0.0L);
    angle->setFocus();
}

void TFoForm::SzamolBtnClick() {
    calculate(1);
}

void TFoForm::calculate(int solution) {
    markReplaced({});
    WindowFields fields(*this);
    std::optional<SolvedInputs> inputs;
    if (const std::optional<ShapeKind> shape = selectedShape()) {
        inputs = SolvedInputs{*shape, {}, fields.unitText(), solution};
        for (Field f : kAllFields) inputs->fields[FieldIndex(f)] = fields.fieldText(f);
    }
    const LanguageTexts& texts = app_.language.texts();
    const CalcOutcome outcome = Calculate(fields, texts, nullptr, solution);
    const bool reached =
        outcome.state == CalcState::Solved || outcome.state == CalcState::NotSolvable;
    solved_ = reached ? inputs : std::nullopt;
    lastState_ = outcome.state;
    solutions_ = outcome.state == CalcState::Solved ? outcome.solutions : 1;
    solutionChanged();
    if (outcome.state == CalcState::Failed) {
        showMessage(QString::fromStdString(outcome.message), static_cast<int>(MessageKind::Error));
    } else if (outcome.state == CalcState::Solved && !outcome.replaced.empty()) {
        markReplaced(outcome.replaced);
        showMessage(QString::fromStdString(outcome.message),
                    static_cast<int>(MessageKind::Warning));
    } else if (solutions_ == 2 && solution == 1) {
        QString command = QString::fromStdString(texts.text(kTextShowOther));
        command.remove('&');
        showMessage(
            QString::fromStdString(FillIn(texts.text(kTextSecondFigure), {command.toStdString()})),
            static_cast<int>(MessageKind::Information));
    }
}

void TFoForm::markReplaced(const std::vector<ReplacedValue>& replaced) {
    for (Field f : kAllFields) {
        edit(f)->setMarked(false);
        edit(f)->setToolTip(QString());
    }
    const LanguageTexts& texts = app_.language.texts();
    for (const ReplacedValue& r : replaced) {
        edit(r.field)->setMarked(true);
        // What was typed, in the words of the solution window.
        edit(r.field)->setToolTip(QString::fromStdString(FormatFixed(r.typed, 4) + ' ' +
                                                         texts.text(kTextReplacedBy) + ' ' +
                                                         FormatFixed(r.shown, 4)));
    }
}

void TFoForm::EgysegComboBoxChange() {
    const UnitLabels labels = UnitLabelsFor(EgysegComboBox->currentText());
    EgysegText2->setText(labels.egysegText2);
    KeruletText3->setText(labels.keruletText3);
    TeruletText3->setText(labels.teruletText3);
    FeluletText3->setText(labels.feluletText3);
    TerfogatText3->setText(labels.terfogatText3);
}

void TFoForm::AnyagComboBoxChange() {
    AnyagText2->setText(AnyagComboBox->currentText());
}

void TFoForm::showMessage(const QString& text, int kind) {
    ShowLocalMessage(this, text, static_cast<MessageKind>(kind), MessageButton::OK,
                     MessageButton::OK, 0, app_.language.texts());
}

}  // namespace mertano
