// SPDX-License-Identifier: GPL-3.0-or-later
// The message dialog: titles and icons per kind, buttons, default button and keys, the
// measured layout, and the modal call answered from inside its own loop.
#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTest>
#include <QTimer>
#include <algorithm>

#include "calc/language_texts.h"
#include "test_main.h"
#include "widgets/message_form.h"

using namespace mertano;

Q_DECLARE_METATYPE(mertano::MessageKind)
Q_DECLARE_METATYPE(mertano::MessageButtons)

namespace {

LanguageTexts Texts() {
    LanguageTexts t;
    const char* captions[] = {"Warning", "Error",      "Information", "Confirm", "&Yes",
                              "&No",     "Cancel",     "&Abort",      "&Retry",  "&Ignore",
                              "&All",    "N&o to All", "Yes to A&ll", "&Help"};
    for (int n = 48; n <= 61; ++n) t.set(n, captions[n - 48]);
    return t;
}

const MessageButtons kAll = MessageButtons::fromInt(0x7ff);

// The buttons left to right as the user sees them.
QList<QPushButton*> Row(QWidget* form) {
    QList<QPushButton*> row = form->findChildren<QPushButton*>();
    std::sort(row.begin(), row.end(), [](auto* a, auto* b) { return a->x() < b->x(); });
    return row;
}

QStringList Names(const QList<QPushButton*>& row) {
    QStringList names;
    for (auto* b : row) names << b->objectName();
    return names;
}

void ShowActive(QWidget* form) {
    form->show();
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form));
    QCoreApplication::processEvents();  // what the dialog queued for after its placing
}

// Runs once the modal loop has started: the only way to answer a modal dialog in a test.
void Answer(const QStringList& actions) {
    QTimer::singleShot(0, [actions] {
        auto* form = qobject_cast<TMessageForm*>(QApplication::activeModalWidget());
        QVERIFY(form);
        for (const QString& action : actions) {
            if (action == "<Escape>")
                QTest::keyClick(form->focusWidget(), Qt::Key_Escape);
            else if (action == "<Enter>")
                QTest::keyClick(form->focusWidget(), Qt::Key_Return);
            else if (action == "<Close>")
                form->close();
            else
                form->findChild<QPushButton*>(action)->click();
        }
    });
}

}  // namespace

class TestMessageForm : public QObject {
    Q_OBJECT

private slots:
    void titleAndIcon_data() {
        QTest::addColumn<MessageKind>("kind");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("icon");  // QStyle::StandardPixmap, or -1 for none
        QTest::newRow("warning") << MessageKind::Warning << "Warning"
                                 << int(QStyle::SP_MessageBoxWarning);
        QTest::newRow("error") << MessageKind::Error << "Error"
                               << int(QStyle::SP_MessageBoxCritical);
        QTest::newRow("information")
            << MessageKind::Information << "Information" << int(QStyle::SP_MessageBoxInformation);
        QTest::newRow("confirmation")
            << MessageKind::Confirmation << "Confirm" << int(QStyle::SP_MessageBoxQuestion);
        QTest::newRow("custom has neither") << MessageKind::Custom << "" << -1;
        QTest::newRow("unknown kind acts as custom") << MessageKind(9) << "" << -1;
    }
    void titleAndIcon() {
        QFETCH(MessageKind, kind);
        QFETCH(QString, title);
        QFETCH(int, icon);
        auto form = CreateLocalMessage(nullptr, "Text", kind, MessageButton::OK, MessageButton::OK,
                                       Texts());
        QCOMPARE(form->windowTitle(), title);
        auto* image = form->findChild<QLabel*>("Image");
        auto* message = form->findChild<QLabel*>("Message");
        QVERIFY(message);
        // Both the icon and, without one, the text start at the same margin.
        auto reference = CreateLocalMessage(nullptr, "Text", MessageKind::Warning, {}, {}, Texts());
        const QRect iconPlace = reference->findChild<QLabel*>("Image")->geometry();
        QCOMPARE(image != nullptr, icon >= 0);
        if (icon < 0) {
            QCOMPARE(message->x(), iconPlace.x());
            return;
        }
        QCOMPARE(image->geometry(), iconPlace);
        QCOMPARE(iconPlace.size(), QSize(32, 32));
        QVERIFY(message->x() > image->geometry().right());
        const QImage expected = form->style()
                                    ->standardIcon(QStyle::StandardPixmap(icon))
                                    .pixmap(QSize(32, 32), form->devicePixelRatioF())
                                    .toImage();
        QCOMPARE(image->pixmap().toImage(), expected);
    }

    void buttons_data() {
        QTest::addColumn<bool>("loaded");
        QTest::addColumn<MessageButtons>("buttons");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<QList<int>>("results");
        QTest::newRow("OK only") << true << MessageButtons(MessageButton::OK) << QStringList{"OK"}
                                 << QStringList{"OK"} << QList<int>{1};
        QTest::newRow("cancel, no, yes given in any order")
            << true << (MessageButton::Cancel | MessageButton::No | MessageButton::Yes)
            << QStringList{"Yes", "No", "Cancel"} << QStringList{"&Yes", "&No", "Cancel"}
            << QList<int>{6, 7, 2};
        QTest::newRow("all eleven")
            << true << kAll << QStringList{"Yes",    "No",  "OK",      "Cancel",   "Abort", "Retry",
                                           "Ignore", "All", "NoToAll", "YesToAll", "Help"}
            << QStringList{"&Yes",    "&No",  "OK",         "Cancel",      "&Abort", "&Retry",
                           "&Ignore", "&All", "N&o to All", "Yes to A&ll", "&Help"}
            << QList<int>{6, 7, 1, 2, 3, 4, 5, 8, 9, 10, 0};
        QTest::newRow("no language loaded: only OK has a caption")
            << false << (MessageButton::Yes | MessageButton::OK | MessageButton::Help)
            << QStringList{"Yes", "OK", "Help"} << QStringList{"", "OK", ""} << QList<int>{6, 1, 0};
        QTest::newRow("bits beyond Help are ignored")
            << true << MessageButtons::fromInt(0xf804) << QStringList{"OK"} << QStringList{"OK"}
            << QList<int>{1};
        QTest::newRow("no buttons")
            << true << MessageButtons() << QStringList{} << QStringList{} << QList<int>{};
    }
    void buttons() {
        QFETCH(bool, loaded);
        QFETCH(MessageButtons, buttons);
        QFETCH(QStringList, names);
        QFETCH(QStringList, captions);
        QFETCH(QList<int>, results);
        const LanguageTexts texts = loaded ? Texts() : LanguageTexts();
        auto form =
            CreateLocalMessage(nullptr, "Text", MessageKind::Confirmation, buttons, {}, texts);
        const QList<QPushButton*> row = Row(form.get());
        QCOMPARE(Names(row), names);
        for (int i = 0; i < row.size(); ++i) {
            QCOMPARE(row[i]->text(), captions[i]);
            auto fresh =
                CreateLocalMessage(nullptr, "Text", MessageKind::Confirmation, buttons, {}, texts);
            fresh->setResult(-1);
            fresh->findChild<QPushButton*>(names[i])->click();
            QCOMPARE(fresh->result(), results[i] == 0 ? -1 : results[i]);  // Help stays open
        }
    }

    void layout_data() {
        QTest::addColumn<MessageKind>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<MessageButtons>("buttons");
        const QString longText = QString("The three sides do not form a triangle. ").repeated(12);
        QTest::newRow("warning with OK")
            << MessageKind::Warning << "Side c must be shorter than a + b."
            << MessageButtons(MessageButton::OK);
        QTest::newRow("long text with icon")
            << MessageKind::Error << longText << (MessageButton::Yes | MessageButton::No);
        QTest::newRow("eleven buttons under a short text") << MessageKind::Custom << "Go?" << kAll;
        QTest::newRow("empty text, no buttons")
            << MessageKind::Information << "" << MessageButtons();
        QTest::newRow("empty custom") << MessageKind::Custom << "" << MessageButtons();
    }
    void layout() {
        QFETCH(MessageKind, kind);
        QFETCH(QString, text);
        QFETCH(MessageButtons, buttons);
        LanguageTexts texts = Texts();
        texts.set(60, "A caption far too long for any ordinary button");
        auto form = CreateLocalMessage(nullptr, text, kind, buttons, {}, texts);
        QVERIFY(form->width() > 0 && form->height() > 0);
        QCOMPARE(form->minimumSize(), form->maximumSize());  // not resizable
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QVERIFY(form->x() >= screen.x() && form->y() >= screen.y());
        QList<QWidget*> parts = form->findChildren<QWidget*>();
        for (QWidget* w : parts) {
            QVERIFY2(form->rect().contains(w->geometry()), qPrintable(w->objectName()));
            for (QWidget* other : parts)
                if (w != other && !w->geometry().isEmpty())
                    QVERIFY2(!w->geometry().intersects(other->geometry()),
                             qPrintable(w->objectName() + " overlaps " + other->objectName()));
        }
        const QList<QPushButton*> row = Row(form.get());
        if (row.isEmpty()) return;
        for (auto* b : row) {
            QCOMPARE(b->size(), row.first()->size());
            QCOMPARE(b->y(), row.first()->y());
            QVERIFY2(b->width() >= b->sizeHint().width(), "caption cut off");
        }
        const int leftGap = row.first()->x();
        const int rightGap = form->width() - row.last()->geometry().right() - 1;
        QVERIFY(qAbs(leftGap - rightGap) <= 1);
    }

    void longTextWrapsAndWidens() {
        const QString shortText = "Short.";
        const QString longText = QString("Every word of this message counts. ").repeated(20);
        auto small = CreateLocalMessage(nullptr, shortText, MessageKind::Warning, MessageButton::OK,
                                        MessageButton::OK, Texts());
        auto big = CreateLocalMessage(nullptr, longText, MessageKind::Warning, MessageButton::OK,
                                      MessageButton::OK, Texts());
        const int halfScreen = QGuiApplication::primaryScreen()->geometry().width() / 2;
        const QLabel* message = big->findChild<QLabel*>("Message");
        QVERIFY(message->width() <= halfScreen);
        QVERIFY(message->width() > halfScreen * 3 / 4);  // filled, not wrapped early
        QVERIFY(big->width() > small->width());
        QVERIFY(message->height() >= 3 * QFontMetrics(message->font()).height());
        QVERIFY(big->height() > small->height());
    }

    void lineBreaks_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("carriage return") << "First line\rSecond line";
        QTest::newRow("CR LF breaks once") << "First line\r\nSecond line";
        QTest::newRow("line feed") << "First line\nSecond line";
    }
    void lineBreaks() {
        QFETCH(QString, text);
        auto one = CreateLocalMessage(nullptr, "First line Second line", MessageKind::Custom,
                                      MessageButton::OK, {}, Texts());
        auto two =
            CreateLocalMessage(nullptr, text, MessageKind::Custom, MessageButton::OK, {}, Texts());
        const QLabel* message = two->findChild<QLabel*>("Message");
        QVERIFY(!message->text().contains('\r'));
        const int lineHeight = one->findChild<QLabel*>("Message")->height();
        QVERIFY(message->height() > lineHeight);
        QVERIFY(message->height() < 2 * lineHeight + lineHeight / 2);
    }

    void defaultButton_data() {
        QTest::addColumn<MessageButtons>("buttons");
        QTest::addColumn<MessageButtons>("defaults");
        QTest::addColumn<QString>("focused");
        QTest::addColumn<bool>("pointer");
        QTest::addColumn<int>("enterResult");
        QTest::newRow("OK") << MessageButtons(MessageButton::OK)
                            << MessageButtons(MessageButton::OK) << "OK" << true << 1;
        QTest::newRow("No of yes, no, cancel")
            << (MessageButton::Yes | MessageButton::No | MessageButton::Cancel)
            << MessageButtons(MessageButton::No) << "No" << true << 7;
        QTest::newRow("two defaults: the later in order wins")
            << (MessageButton::Yes | MessageButton::No | MessageButton::Cancel)
            << (MessageButton::Cancel | MessageButton::Yes) << "Cancel" << true << 2;
        QTest::newRow("no default: the first button has the focus")
            << (MessageButton::Abort | MessageButton::Retry) << MessageButtons() << "Abort" << false
            << 3;
        QTest::newRow("a default that is not shown is ignored")
            << (MessageButton::Yes | MessageButton::No) << MessageButtons(MessageButton::Retry)
            << "Yes" << false << 6;
    }
    void defaultButton() {
        QFETCH(MessageButtons, buttons);
        QFETCH(MessageButtons, defaults);
        QFETCH(QString, focused);
        QFETCH(bool, pointer);
        QFETCH(int, enterResult);
        const QPoint away(1, 1);
        QCursor::setPos(away);
        auto form = CreateLocalMessage(nullptr, "Proceed?", MessageKind::Confirmation, buttons,
                                       defaults, Texts());
        ShowActive(form.get());
        auto* button = qobject_cast<QPushButton*>(QApplication::focusWidget());
        QVERIFY(button);
        QCOMPARE(button->objectName(), focused);
        const QPoint centre =
            button->mapToGlobal(QPoint(button->width() / 2, button->height() / 2));
        QCOMPARE(QCursor::pos(), pointer ? centre : away);
        QTest::keyClick(button, Qt::Key_Return);
        QVERIFY(!form->isVisible());
        QCOMPARE(form->result(), enterResult);
    }

    void showModal_data() {
        QTest::addColumn<QStringList>("actions");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("helpShown");
        QTest::newRow("OK clicked") << QStringList{"OK"} << 1 << 0;
        QTest::newRow("No clicked") << QStringList{"No"} << 7 << 0;
        QTest::newRow("Enter presses the default") << QStringList{"<Enter>"} << 1 << 0;
        QTest::newRow("close box answers cancel") << QStringList{"<Close>"} << 2 << 0;
        QTest::newRow("Escape ignored, then Yes") << QStringList{"<Escape>", "Yes"} << 6 << 0;
        QTest::newRow("help, then OK") << QStringList{"Help", "OK"} << 1 << 1;
    }
    void showModal() {
        QFETCH(QStringList, actions);
        QFETCH(int, result);
        QFETCH(int, helpShown);
        int helpCalls = 0;
        Answer(actions);
        const int answer = ShowLocalMessage(
            nullptr, "Save the changes?", MessageKind::Confirmation,
            MessageButton::Yes | MessageButton::No | MessageButton::OK | MessageButton::Help,
            MessageButton::OK, 12, Texts(), [&](int context) {
                QCOMPARE(context, 12);
                ++helpCalls;
            });
        QCOMPARE(answer, result);
        QCOMPARE(helpCalls, helpShown);
        QVERIFY(!QApplication::activeModalWidget());
        const QWidgetList left = QApplication::topLevelWidgets();
        QVERIFY(std::none_of(left.begin(), left.end(),
                             [](QWidget* w) { return qobject_cast<TMessageForm*>(w); }));
    }

    void position_data() {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::newRow("centred") << -1 << -1;
        QTest::newRow("left given") << 10 << -1;
        QTest::newRow("both given") << 10 << 20;
    }
    void position() {
        QFETCH(int, x);
        QFETCH(int, y);
        QPoint seen;
        QSize size;
        QTimer::singleShot(0, [&] {
            QWidget* form = QApplication::activeModalWidget();
            seen = form->pos();
            size = form->size();
            form->close();
        });
        ShowLocalMessagePos(nullptr, "Text", MessageKind::Warning, MessageButton::OK,
                            MessageButton::OK, 0, x, y, Texts());
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QCOMPARE(seen.x(), x != -1 ? x : screen.width() / 2 - size.width() / 2);
        QCOMPARE(seen.y(), y != -1 ? y : screen.height() / 2 - size.height() / 2);
    }

    void parentClosedWhileShowing() {
        auto* parent = new QWidget;
        parent->show();
        QTimer::singleShot(0, parent, [parent] { delete parent; });
        const int answer = ShowLocalMessage(parent, "Text", MessageKind::Warning, MessageButton::OK,
                                            MessageButton::OK, 0, Texts());
        QCOMPARE(answer, int(ResultCancel));
    }
};

MERTANO_REGISTER_TEST(TestMessageForm)
#include "tst_message_form.moc"
