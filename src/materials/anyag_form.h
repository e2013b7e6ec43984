// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// TAnyagForm, the materials dialog: adds a material to the material file, changes the
// name or specific gravity of one, deletes one, and adds the common materials the list
// lacks (GyakoriBtn; gyakori: common).
//
// The program creates it once, hidden, with the material store and the language texts
// it shares with the main window, which blocks itself while the dialog is shown. Each
// showing starts with FormActivate, which reloads the file if it changed. Closing it
// (KilepBtn or the close box) hides it, which hands the main window back, and emits
// Closed(); the main window then reloads its own list.
//
// Every operation rewrites the file at once through the store, so closing leaves the
// table and the file agreeing. When a write fails, the user is told which file and
// why, and the fields and the list keep what the user had.
//
// Captions come from the language texts; a text that is still empty (no language file
// yet) leaves the built-in Hungarian caption. The texts are held by reference: after a
// language is applied, call ApplyLanguageTexts(), or SetLanguageTexts() for another set.

#include <QPointer>
#include <QString>
#include <QWidget>

#include "materials/material_store.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace mertano {

class LanguageTexts;
class TFloatEdit;

class TAnyagForm : public QWidget {
    Q_OBJECT

public:
    TAnyagForm(MaterialStore& store, const LanguageTexts& texts, QWidget* mainWindow = nullptr);

    void SetLanguageTexts(const LanguageTexts& texts);
    void ApplyLanguageTexts();

    // The trimmed name last picked in AnyagComboBox: the key by which a change finds its
    // records. Empty until the first pick; kept for the whole process. A deletion takes
    // the name the box shows, and asks first when that is not this one.
    const QString& ChosenMaterial() const { return chosenMaterial_; }

public slots:
    void FormActivate();
    void AnyagComboBoxClick();
    void MentBtnClick();
    void ModositBtnClick();
    void TorolBtnClick();
    void GyakoriBtnClick();
    void KilepBtnClick();

signals:
    void Closed();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

    // A warning with one OK button, through ShowLocalMessage; tests record it instead.
    virtual void ShowWarning(const QString& text);
    // A question with Yes and No, through ShowLocalMessage; true for Yes.
    virtual bool AskYesNo(const QString& question);
    // A note with one OK button, through ShowLocalMessage.
    virtual void ShowInformation(const QString& text);

private:
    void buildControls();
    void FormCreate();
    void FormClose();
    void lineUp();
    void relist();
    void refuse(int textNumber, QWidget* field);
    // Writes the change; false (and the user told why) when the file could not take it.
    bool save(const MaterialStore::Change& change);
    void tellDamage();
    QString text(int number) const;

    MaterialStore& store_;
    const LanguageTexts* texts_;
    QPointer<QWidget> mainWindow_;
    QString chosenMaterial_;

    QGroupBox* UjGroupBox;
    QLabel* NevText1;
    QLineEdit* NevEdit;
    QLabel* FajsulyText1;
    TFloatEdit* FajsulyEdit1;
    QLabel* FajsulyEgysegText1;
    QPushButton* MentBtn;
    QGroupBox* ModositGroupBox;
    QLabel* NevText2;
    QComboBox* AnyagComboBox;
    QLabel* FajsulyText2;
    TFloatEdit* FajsulyEdit2;
    QLabel* FajsulyEgysegText2;
    QPushButton* ModositBtn;
    QPushButton* TorolBtn;
    QPushButton* KilepBtn;
    QPushButton* GyakoriBtn;
};

}  // namespace mertano
