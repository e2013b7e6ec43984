// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The language dialog: picking a language shows it at once, OK keeps it for the next
// starts, the exit button returns to the language the dialog was opened with.
//
// The owner connects TextsChanged to the slot that applies state.texts() to all windows
// (the dialog itself among them), and Closed to enabling the main window again.

#include <QDialog>
#include <QString>
#include <functional>

class QComboBox;
class QPushButton;

namespace mertano {

class LanguageState;

class TNyelvForm : public QDialog {
    Q_OBJECT
public:
    // Shows a message about a missing or unreadable language file, or a choice that could
    // not be stored.
    using MessageHook = std::function<void(QWidget* parent, const QString& message)>;

    explicit TNyelvForm(LanguageState& state, QWidget* parent = nullptr);

    // By default the program's message dialog; tests put their own here.
    void SetMessageHook(MessageHook hook) { showMessage_ = std::move(hook); }
    const QString& LanguageOnEntry() const { return languageOnEntry_; }

public slots:
    void FormActivate();
    void NyelvComboBoxClick();
    void RendbenBtnClick();
    void KilepBtnClick();
    // Every way of closing (exit, OK, close box, Escape) ends here.
    void done(int result) override;

signals:
    // The state holds the texts of another language now.
    void TextsChanged();
    void Closed();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    // Switches to the language and reloads its texts; false, with the user told which file
    // failed, when it cannot be read.
    bool SwitchTo(const QString& name);
    QString ChosenName() const;

    LanguageState& state_;
    QComboBox* NyelvComboBox = nullptr;
    QPushButton* RendbenBtn = nullptr;
    QPushButton* KilepBtn = nullptr;
    QString languageOnEntry_;
    MessageHook showMessage_;
};

}  // namespace mertano
