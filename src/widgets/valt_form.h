// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The angle conversion dialog: one angle between decimal degrees and degrees, minutes
// and seconds. The user types either form and presses ValtBtn; the other form is filled
// in and Panel is locked until UjadatBtn (or the next showing) starts again.
//
// The window is created hidden and reused: closing it in any way (KilepBtn, Escape, the
// close box) only hides it and emits closed(), which the main window connects to enable
// itself again and run its activation.
//
// Captions are the Hungarian built-in ones until ApplyLanguageTexts() or a lookup by
// objectName replaces them.
#include <QChar>
#include <QWidget>

class QFrame;
class QLabel;
class QPushButton;

namespace mertano {

class LanguageTexts;
class TFloatEdit;

class TValtForm : public QWidget {
    Q_OBJECT

public:
    // The fields use the system locale's decimal separator.
    explicit TValtForm(QWidget* parent = nullptr);
    // The fields use the given separator; tests use it to try another locale's.
    TValtForm(QChar decimalChar, QWidget* parent);

    // Texts 3, 4 and 22 to 25 of the current language, each taken as it stands.
    void ApplyLanguageTexts(const LanguageTexts& texts);

    // Editing again: Panel enabled, all four fields 0, the focus in DecimEdit.
    void FormActivate();
    // Decimal to parts when DecimEdit is not 0, otherwise parts to decimal when any part
    // is not 0; a conversion that happens locks Panel.
    void ValtBtnClick();
    void KilepBtnClick();

    QFrame* Panel = nullptr;
    QLabel* DecimText = nullptr;
    QLabel* FokText1 = nullptr;
    TFloatEdit* DecimEdit = nullptr;
    TFloatEdit* FokEdit = nullptr;
    TFloatEdit* PercEdit = nullptr;
    TFloatEdit* MpercEdit = nullptr;
    QPushButton* ValtBtn = nullptr;
    QPushButton* UjadatBtn = nullptr;
    QPushButton* KilepBtn = nullptr;

signals:
    // The window has been hidden by a close of any kind.
    void closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate(QChar decimalChar);
    void buildControls(QChar decimalChar);
    void arrange();
    void lockPanel();
};

}  // namespace mertano
