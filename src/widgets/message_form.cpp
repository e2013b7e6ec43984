// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/message_form.h"

#include <QApplication>
#include <QCursor>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <algorithm>
#include <array>
#include <vector>

#include "calc/language_texts.h"
#include "widgets/window_place.h"

namespace mertano {

namespace {

struct ButtonEntry {
    MessageButton button;
    const char* name;
    int textNumber;  // 0: the caption is always "OK", whatever the language
    int result;
};

constexpr std::array<ButtonEntry, kMessageButtonCount> kButtons = {{
    {MessageButton::Yes, "Yes", 52, ResultYes},
    {MessageButton::No, "No", 53, ResultNo},
    {MessageButton::OK, "OK", 0, ResultOK},
    {MessageButton::Cancel, "Cancel", 54, ResultCancel},
    {MessageButton::Abort, "Abort", 55, ResultAbort},
    {MessageButton::Retry, "Retry", 56, ResultRetry},
    {MessageButton::Ignore, "Ignore", 57, ResultIgnore},
    {MessageButton::All, "All", 58, ResultAll},
    {MessageButton::NoToAll, "NoToAll", 59, ResultNoToAll},
    {MessageButton::YesToAll, "YesToAll", 60, ResultYesToAll},
    {MessageButton::Help, "Help", 61, ResultNone},
}};

constexpr int kFirstTitleText = 48;
constexpr int kIconSize = 32;

// Layout measures are quarters of the average width and eighths of the line height,
// rounded to the nearest pixel so that they do not drift small with small fonts.
int Scale(int n, int unit, int parts) {
    return (n * unit + parts / 2) / parts;
}

bool HasIcon(MessageKind kind) {
    const int k = static_cast<int>(kind);
    return k >= 0 && k < static_cast<int>(MessageKind::Custom);
}

QStyle::StandardPixmap IconOf(MessageKind kind) {
    switch (kind) {
        case MessageKind::Error:
            return QStyle::SP_MessageBoxCritical;
        case MessageKind::Information:
            return QStyle::SP_MessageBoxInformation;
        case MessageKind::Confirmation:
            return QStyle::SP_MessageBoxQuestion;
        default:
            return QStyle::SP_MessageBoxWarning;
    }
}

QString TitleOf(MessageKind kind, const LanguageTexts& texts) {
    if (!HasIcon(kind)) return {};
    return QString::fromStdString(texts.text(kFirstTitleText + static_cast<int>(kind)));
}

QString CaptionOf(const ButtonEntry& entry, const LanguageTexts& texts) {
    return entry.textNumber == 0 ? QStringLiteral("OK")
                                : QString::fromStdString(texts.text(entry.textNumber));
}

// Messages are put together as "first line" + "\r" + "second line".
QString WithLineBreaks(const QString& text) {
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

// The free part of the parent's screen: a tall message must not sit under a panel.
QRect ScreenRect(QWidget* parent) {
    const QRect free = WorkArea(parent ? parent->window() : nullptr);
    return free.isEmpty() ? QRect(0, 0, 640, 480) : free;
}

}  // namespace

QSize AverageCharSize(const QFontMetrics& metrics) {
    static const QString kLetters =
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    return {metrics.horizontalAdvance(kLetters) / 52, metrics.height()};
}

TMessageForm::TMessageForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("MessageForm"));
    setSizeGripEnabled(false);
}

void TMessageForm::reject() {
    done(ResultCancel);
}

void TMessageForm::keyPressEvent(QKeyEvent* event) {
    // No button is the cancel button: a stray Escape must not answer the question.
    if (event->matches(QKeySequence::Cancel) || event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TMessageForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The window system places the frame only after the show event, so the button's
    // screen position is known one turn of the event loop later.
    if (pointerButton_) {
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (!pointerButton_ || !isVisible()) return;
                const QPoint centre(pointerButton_->width() / 2, pointerButton_->height() / 2);
                QCursor::setPos(pointerButton_->screen(), pointerButton_->mapToGlobal(centre));
            },
            Qt::QueuedConnection);
    }
}

std::unique_ptr<TMessageForm> CreateLocalMessage(QWidget* parent, const QString& text,
                                                 MessageKind kind, MessageButtons buttons,
                                                 MessageButtons defaultButtons,
                                                 const LanguageTexts& texts) {
    auto form = std::make_unique<TMessageForm>(parent);
    form->setFont(QApplication::font("QMessageBox"));
    const QFontMetrics metrics(form->font());
    const QSize average = AverageCharSize(metrics);
    const int ax = average.width();
    const int ay = average.height();
    const int hMargin = Scale(8, ax, 4);
    const int vMargin = Scale(8, ay, 8);
    const int hSpacing = Scale(10, ax, 4);
    const int vSpacing = Scale(10, ay, 8);
    const int buttonHeight = Scale(14, ay, 8);
    const int buttonSpacing = Scale(4, ax, 4);
    int buttonWidth = Scale(50, ax, 4);

    const QRect screen = ScreenRect(parent);
    const QString shown = WithLineBreaks(text);
    const int textFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
    constexpr int kOpenHeight = 1 << 20;
    const QRect textRect =
        metrics.boundingRect(QRect(0, 0, screen.width() / 2, kOpenHeight), textFlags, shown);
    const int textWidth = std::max(0, textRect.width());
    const int textHeight = std::max(0, textRect.height());

    int blockWidth = textWidth;
    int blockHeight = textHeight;
    if (HasIcon(kind)) {
        blockWidth += kIconSize + hSpacing;
        blockHeight = std::max(blockHeight, kIconSize);
    }

    std::vector<std::pair<QPushButton*, const ButtonEntry*>> made;
    for (const ButtonEntry& entry : kButtons) {
        if (!buttons.testFlag(entry.button)) continue;
        auto* button = new QPushButton(CaptionOf(entry, texts), form.get());
        button->setObjectName(QLatin1String(entry.name));
        made.emplace_back(button, &entry);
        // One width for all, but never so narrow that a language's caption is cut off.
        buttonWidth = std::max(buttonWidth, button->sizeHint().width());
    }
    const int n = static_cast<int>(made.size());
    const int rowWidth = n == 0 ? 0 : n * buttonWidth + (n - 1) * buttonSpacing;

    const int clientWidth = std::max(blockWidth, rowWidth) + 2 * hMargin;
    const int clientHeight = blockHeight + buttonHeight + vSpacing + 2 * vMargin;
    form->setFixedSize(clientWidth, clientHeight);
    // A dialog wider than the screen (all eleven buttons on a small screen) keeps its
    // left edge, and so its first buttons, on the screen.
    form->move(std::max(screen.x(), screen.x() + screen.width() / 2 - clientWidth / 2),
               std::max(screen.y(), screen.y() + screen.height() / 2 - clientHeight / 2));
    form->setWindowTitle(TitleOf(kind, texts));

    if (HasIcon(kind)) {
        auto* image = new QLabel(form.get());
        image->setObjectName(QStringLiteral("Image"));
        const QIcon icon = form->style()->standardIcon(IconOf(kind), nullptr, form.get());
        image->setPixmap(icon.pixmap(QSize(kIconSize, kIconSize), form->devicePixelRatioF()));
        image->setGeometry(hMargin, vMargin, kIconSize, kIconSize);
    }

    auto* message = new QLabel(form.get());
    message->setObjectName(QStringLiteral("Message"));
    // Plain text: a message holding "<" must not be read as markup.
    message->setTextFormat(Qt::PlainText);
    message->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    message->setWordWrap(true);
    message->setText(shown);
    message->setGeometry(blockWidth - textWidth + hMargin, vMargin, textWidth, textHeight);

    TMessageForm* dialog = form.get();
    std::vector<QPushButton*> tabOrder;
    int left = (clientWidth - rowWidth) / 2;
    const int top = blockHeight + vMargin + vSpacing;
    for (const auto& [button, entry] : made) {
        button->setGeometry(left, top, buttonWidth, buttonHeight);
        left += buttonWidth + buttonSpacing;
        if (entry->button == MessageButton::Help) {
            QObject::connect(button, &QPushButton::clicked, dialog,
                             [dialog] { emit dialog->HelpRequested(dialog->HelpContext()); });
        } else {
            const int result = entry->result;
            QObject::connect(button, &QPushButton::clicked, dialog,
                             [dialog, result] { dialog->done(result); });
        }
        tabOrder.push_back(button);
    }
    // Each default button in turn moves to the front of the tab order, so the last one
    // in the fixed order ends up focused, pressed by Enter and under the pointer.
    for (const auto& [button, entry] : made) {
        if (!defaultButtons.testFlag(entry->button)) continue;
        button->setDefault(true);
        tabOrder.erase(std::find(tabOrder.begin(), tabOrder.end(), button));
        tabOrder.insert(tabOrder.begin(), button);
        dialog->SetPointerButton(button);
    }
    for (std::size_t i = 1; i < tabOrder.size(); ++i)
        QWidget::setTabOrder(tabOrder[i - 1], tabOrder[i]);
    if (!tabOrder.empty()) tabOrder.front()->setFocus(Qt::OtherFocusReason);
    return form;
}

int ShowLocalMessagePos(QWidget* parent, const QString& text, MessageKind kind,
                        MessageButtons buttons, MessageButtons defaultButtons, int helpContext,
                        int x, int y, const LanguageTexts& texts,
                        const MessageHelpHandler& showHelp) {
    auto form = CreateLocalMessage(parent, text, kind, buttons, defaultButtons, texts);
    form->SetHelpContext(helpContext);
    if (showHelp) QObject::connect(form.get(), &TMessageForm::HelpRequested, showHelp);
    if (x != -1 || y != -1) form->move(x == -1 ? form->x() : x, y == -1 ? form->y() : y);

    // The parent may be destroyed while the dialog's loop runs, taking the dialog along.
    QPointer<TMessageForm> guard(form.get());
    TMessageForm* dialog = form.release();
    const int result = dialog->exec();
    if (!guard) return ResultCancel;
    delete dialog;
    return result;
}

int ShowLocalMessage(QWidget* parent, const QString& text, MessageKind kind, MessageButtons buttons,
                     MessageButtons defaultButtons, int helpContext, const LanguageTexts& texts,
                     const MessageHelpHandler& showHelp) {
    return ShowLocalMessagePos(parent, text, kind, buttons, defaultButtons, helpContext, -1, -1,
                               texts, showHelp);
}

}  // namespace mertano
