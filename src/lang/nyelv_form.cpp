// SPDX-License-Identifier: GPL-3.0-or-later
#include "lang/nyelv_form.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

#include "lang/detailed_message.h"
#include "lang/language_file.h"
#include "lang/language_state.h"
#include "lang/settle_language.h"
#include "widgets/message_form.h"

namespace mertano {

TNyelvForm::TNyelvForm(LanguageState& state, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      state_(state) {
    showMessage_ = [this](QWidget* owner, const QString& message) {
        ShowLocalMessage(owner, message, MessageKind::Error, MessageButton::OK, MessageButton::OK,
                         0, state_.texts());
    };
    FormCreate();
}

void TNyelvForm::FormCreate() {
    setObjectName(QStringLiteral("NyelvForm"));
    setWindowTitle(QStringLiteral("Nyelv"));
    setSizeGripEnabled(false);

    NyelvComboBox = new QComboBox(this);
    NyelvComboBox->setObjectName(QStringLiteral("NyelvComboBox"));
    NyelvComboBox->setEditable(true);
    // A typed name is used as typed, never added to the list of files found.
    NyelvComboBox->setInsertPolicy(QComboBox::NoInsert);
    NyelvComboBox->setMinimumWidth(fontMetrics().averageCharWidth() * 28);
    RendbenBtn = new QPushButton(QStringLiteral("OK"), this);
    RendbenBtn->setObjectName(QStringLiteral("RendbenBtn"));
    KilepBtn = new QPushButton(QStringLiteral("Kilépés"), this);
    KilepBtn->setObjectName(QStringLiteral("KilepBtn"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(RendbenBtn);
    buttons->addWidget(KilepBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(NyelvComboBox);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(NyelvComboBox, &QComboBox::activated, this, &TNyelvForm::NyelvComboBoxClick);
    connect(RendbenBtn, &QPushButton::clicked, this, &TNyelvForm::RendbenBtnClick);
    connect(KilepBtn, &QPushButton::clicked, this, &TNyelvForm::KilepBtnClick);

    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.right() + 1 - width(), area.bottom() + 1 - height());
    }
}

void TNyelvForm::showEvent(QShowEvent* event) {
    FormActivate();
    QDialog::showEvent(event);
}

void TNyelvForm::FormActivate() {
    // The stored choice wins over a language only previewed before the dialog was closed
    // by its close box, as long as that choice still has its file.
    const QString stored = TrimLanguageName(StoredLanguageName());
    if (!LanguageFilePath(state_.programFolder(), stored).isEmpty()) state_.setLanguageName(stored);
    const QString current = TrimLanguageName(state_.languageName());

    NyelvComboBox->clear();
    for (const QString& name : state_.languageNames()) {
        const QString trimmed = TrimLanguageName(name);
        if (!trimmed.isEmpty()) NyelvComboBox->addItem(trimmed);
    }
    NyelvComboBox->setCurrentIndex(-1);
    for (int i = 0; i < NyelvComboBox->count(); ++i) {
        if (NyelvComboBox->itemText(i).compare(current, Qt::CaseInsensitive) == 0)
            NyelvComboBox->setCurrentIndex(i);
    }
    // The language in use, even when the list lacks it, so that leaving never switches
    // to an empty name.
    languageOnEntry_ = current;
}

QString TNyelvForm::ChosenName() const {
    return TrimLanguageName(NyelvComboBox->currentText());
}

bool TNyelvForm::SwitchTo(const QString& name) {
    const QString previous = state_.languageName();
    state_.setLanguageName(name);
    if (const auto error = state_.reload()) {
        state_.setLanguageName(previous);
        showMessage_(this, LanguageLoadMessage(state_.texts(), *error));
        return false;
    }
    emit TextsChanged();
    return true;
}

void TNyelvForm::NyelvComboBoxClick() {
    SwitchTo(ChosenName());
}

void TNyelvForm::RendbenBtnClick() {
    const QString name = ChosenName();
    // Stored only once its file has been read, so a typo cannot break the next start.
    if (!SwitchTo(name)) return;
    // The language stays for this run either way; the user is told, in it, that the next
    // start will not have it.
    if (const std::optional<QString> error = StoreLanguageChoice(name))
        showMessage_(this, DetailedMessage(state_.texts(), kTextLanguageNotKept, *error));
    accept();
}

void TNyelvForm::KilepBtnClick() {
    SwitchTo(languageOnEntry_);
    reject();
}

void TNyelvForm::done(int result) {
    QDialog::done(result);
    emit Closed();
}

}  // namespace mertano
