// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The program's own message dialog. Unlike QMessageBox its title and button captions
// come from the current language texts, the caller picks the default buttons, and the
// mouse pointer jumps onto the default button when the dialog opens.

#include <QDialog>
#include <QFlags>
#include <QSize>
#include <QString>
#include <functional>
#include <memory>

class QFontMetrics;
class QPushButton;

namespace mertano {

class LanguageTexts;

// The number is part of the interface: callers and the title/icon table use 0 to 4.
enum class MessageKind : int {
    Warning = 0,
    Error = 1,
    Information = 2,
    Confirmation = 3,
    Custom = 4,
};

// The bit order is also the order of the buttons on the dialog, left to right.
enum class MessageButton : quint16 {
    Yes = 1 << 0,
    No = 1 << 1,
    OK = 1 << 2,
    Cancel = 1 << 3,
    Abort = 1 << 4,
    Retry = 1 << 5,
    Ignore = 1 << 6,
    All = 1 << 7,
    NoToAll = 1 << 8,
    YesToAll = 1 << 9,
    Help = 1 << 10,
};
Q_DECLARE_FLAGS(MessageButtons, MessageButton)
Q_DECLARE_OPERATORS_FOR_FLAGS(MessageButtons)

inline constexpr int kMessageButtonCount = 11;

// What ShowLocalMessage returns: the number of the button that closed the dialog.
// The close box of the window counts as Cancel; Help never closes the dialog.
enum MessageResult : int {
    ResultNone = 0,
    ResultOK = 1,
    ResultCancel = 2,
    ResultAbort = 3,
    ResultRetry = 4,
    ResultIgnore = 5,
    ResultYes = 6,
    ResultNo = 7,
    ResultAll = 8,
    ResultNoToAll = 9,
    ResultYesToAll = 10,
};

// Shows the help topic of a dialog's help context; the help window lives in the app layer.
using MessageHelpHandler = std::function<void(int helpContext)>;

// Average width of the 52 Latin letters (integer division) and the line height: the
// unit every measure of the dialog is built from, so it scales with the font.
QSize AverageCharSize(const QFontMetrics& metrics);

class TMessageForm : public QDialog {
    Q_OBJECT
public:
    explicit TMessageForm(QWidget* parent = nullptr);

    int HelpContext() const { return helpContext_; }
    void SetHelpContext(int helpContext) { helpContext_ = helpContext; }

    // The button that gets the mouse pointer when the dialog shows; null if none.
    QPushButton* PointerButton() const { return pointerButton_; }
    void SetPointerButton(QPushButton* button) { pointerButton_ = button; }

public slots:
    // The close box ends up here; it answers Cancel.
    void reject() override;

signals:
    void HelpRequested(int helpContext);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    int helpContext_ = 0;
    QPushButton* pointerButton_ = nullptr;
};

// Builds the dialog, laid out and centred on the screen, without showing it.
std::unique_ptr<TMessageForm> CreateLocalMessage(QWidget* parent, const QString& text,
                                                 MessageKind kind, MessageButtons buttons,
                                                 MessageButtons defaultButtons,
                                                 const LanguageTexts& texts);

// Shows the dialog modally and returns the MessageResult of the button that closed it.
int ShowLocalMessage(QWidget* parent, const QString& text, MessageKind kind, MessageButtons buttons,
                     MessageButtons defaultButtons, int helpContext, const LanguageTexts& texts,
                     const MessageHelpHandler& showHelp = {});

// As ShowLocalMessage, with the window's top left corner at (x, y); -1 for either keeps
// the centred position in that direction.
int ShowLocalMessagePos(QWidget* parent, const QString& text, MessageKind kind,
                        MessageButtons buttons, MessageButtons defaultButtons, int helpContext,
                        int x, int y, const LanguageTexts& texts,
                        const MessageHelpHandler& showHelp = {});

}  // namespace mertano
