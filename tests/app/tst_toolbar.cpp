// SPDX-License-Identifier: GPL-3.0-or-later
// The toolbar's actions with the desktop replaced, the link rules, and printing.
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QHoverEvent>
#include <QLabel>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "app/app_context.h"
#include "app/figure_button.h"
#include "app/fo_form.h"
#include "app/print_window.h"
#include "main_window_steps.h"
#include "system/links.h"
#include "test_main.h"

using namespace mertano;

namespace {

class FakeActions : public PlatformActions {
public:
    bool openUrl(const QUrl& url, const QString& browserCommand) override {
        opened << url.toString(QUrl::FullyEncoded);
        browsers << browserCommand;
        return canOpen;
    }
    bool startCalculator() override {
        ++calculators;
        return hasCalculator;
    }
    void showHelp(const QString& topic) override { topics << topic; }

    QStringList opened, browsers, topics;
    int calculators = 0;
    bool canOpen = true, hasCalculator = true;
};

}  // namespace

class TstToolbar : public QObject {
    Q_OBJECT

    std::unique_ptr<AppContext> app_;
    std::shared_ptr<FakeActions> actions_;
    std::unique_ptr<TFoForm> form_;
    std::unique_ptr<QWidget> dialog_;

private slots:
    void init() {
        app_ = std::make_unique<AppContext>();
        actions_ = std::make_shared<FakeActions>();
        app_->actions = actions_;
        app_->values.websiteAddress = "https://example.org";
        app_->values.mailAddress = "info@example.org";
        app_->values.workingFolder = QDir::currentPath();
        form_ = std::make_unique<TFoForm>(*app_);
        dialog_ = std::make_unique<QWidget>();
        dialog_->setObjectName("TValtForm");
        form_->setSecondaryWindows({}, {}, [this] { return dialog_.get(); });
        form_->show();
        QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    }
    void clickThroughWindow(QWidget* widget) {
        const QPoint at = widget->mapTo(form_.get(), widget->rect().center());
        QTest::mouseClick(form_->windowHandle(), Qt::LeftButton, {}, at);
    }
    void copyThroughWindow() {
        QTest::keyClick(form_->windowHandle(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    }
    void cleanup() {
        form_.reset();
        dialog_.reset();
        app_.reset();
    }

    void exitButtonCloses() {
        QTest::mouseClick(form_->KilepSpBtn, Qt::LeftButton);
        QVERIFY(!form_->isVisible());
    }

    void calculatorAndHelpGoThroughTheDesktop() {
        QTest::mouseClick(form_->CalcSpBtn, Qt::LeftButton);
        QCOMPARE(actions_->calculators, 1);
        QTest::mouseClick(form_->HelpSpBtn, Qt::LeftButton);
        QCOMPARE(actions_->topics, QStringList{"Scribble10"});
    }

    void f1OpensTheHelp() {
        form_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
        QTest::keyClick(form_.get(), Qt::Key_F1);
        QCOMPARE(actions_->topics, QStringList{"Scribble10"});
    }

    // Up and Down move the keyboard among the figures, round the ends, without choosing
    // one; the figures stay one stop of the Tab key.
    void arrowsMoveAmongTheFigures_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("to");
        QTest::newRow("down") << 0 << int(Qt::Key_Down) << 1;
        QTest::newRow("up") << 5 << int(Qt::Key_Up) << 4;
        QTest::newRow("up from the first to the last") << 0 << int(Qt::Key_Up) << 12;
        QTest::newRow("down from the last to the first") << 12 << int(Qt::Key_Down) << 0;
    }
    void arrowsMoveAmongTheFigures() {
        QFETCH(int, from);
        QFETCH(int, key);
        QFETCH(int, to);
        form_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
        FigureButton* start = form_->figureButton(static_cast<ShapeKind>(from));
        start->takeTabStop();
        start->setFocus(Qt::TabFocusReason);
        QTest::keyClick(start, static_cast<Qt::Key>(key));
        FigureButton* target = form_->figureButton(static_cast<ShapeKind>(to));
        QCOMPARE(QApplication::focusWidget(), target);
        QVERIFY(!target->isChecked());
        int stops = 0;
        for (ShapeKind shape : kAllShapes)
            stops += (form_->figureButton(shape)->focusPolicy() & Qt::TabFocus) != 0;
        QCOMPARE(stops, 1);
        QCOMPARE(target->focusPolicy() & Qt::TabFocus, Qt::TabFocus);
    }

    void aDialogBlocksTheWindowUntilItCloses() {
        QTest::mouseClick(form_->figureButton(ShapeKind::Cube), Qt::LeftButton);
        form_->AnyagComboBox->setCurrentText("Vas");
        // The toolbar's glyphs and the figure's picture: what a disabled window greys.
        const auto look = [this] {
            return std::pair(form_->ToolBar->grab().toImage(), form_->IdomImage->grab().toImage());
        };
        const auto lookBefore = look();
        QTest::mouseClick(form_->ValtSpBtn, Qt::LeftButton);
        QVERIFY(dialog_->isVisible());
        // Clicks and keys that come through the window system do not reach the window,
        // which looks as it did before.
        clickThroughWindow(form_->figureButton(ShapeKind::Sphere));
        QVERIFY(!form_->figureButton(ShapeKind::Sphere)->isChecked());
        QGuiApplication::clipboard()->setText("kept");
        copyThroughWindow();
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("kept"));
        QCOMPARE(look(), lookBefore);
        dialog_->close();
        // Handing back runs the activation: a material the list does not hold is cleared.
        QCOMPARE(form_->AnyagComboBox->currentText(), QString());
        QVERIFY(form_->InputPanel->isVisible());
        clickThroughWindow(form_->figureButton(ShapeKind::Sphere));
        QVERIFY(form_->figureButton(ShapeKind::Sphere)->isChecked());
        copyThroughWindow();
        QVERIFY(QGuiApplication::clipboard()->text() != "kept");
    }

    void bannerOpensTheWebsite_data() {
        QTest::addColumn<QString>("website");
        QTest::addColumn<QString>("opened");
        QTest::newRow("https") << "https://example.org"
                               << "https://example.org/indexeng.html";
        QTest::newRow("http") << "http://example.org/mertano"
                              << "http://example.org/mertano/indexeng.html";
        QTest::newRow("a local file is never opened") << "file:///etc/passwd"
                                                      << "";
        QTest::newRow("another scheme is never opened") << "javascript:alert(1)"
                                                        << "";
        QTest::newRow("no address") << ""
                                    << "";
    }
    void bannerOpensTheWebsite() {
        QFETCH(QString, website);
        QFETCH(QString, opened);
        app_->values.websiteAddress = website;
        app_->values.browserCommand = "browser";
        test::MessageCatcher catcher;
        if (opened.isEmpty()) catcher.armOnce();
        QTest::mouseClick(form_->OrvImage, Qt::LeftButton);
        QCOMPARE(actions_->opened.join(' '), opened);
        QCOMPARE(catcher.seen, opened.isEmpty() ? 1 : 0);
        if (!opened.isEmpty()) QCOMPARE(actions_->browsers.front(), QString("browser"));
    }

    // What the desktop cannot do is said, naming what is missing, never left to standard
    // error; a banner or link without an address is plain text.
    void desktopFailuresAreSaid_data() {
        QTest::addColumn<QString>("website");
        QTest::addColumn<QString>("mail");
        QTest::addColumn<bool>("desktopCan");
        QTest::addColumn<QString>("click");
        QTest::addColumn<int>("text");
        QTest::addColumn<QString>("named");
        QTest::newRow("no calculator")
            << "https://example.org"
            << "info@example.org" << false << "CalcSpBtn" << int(kTextNoCalculator)
            << CalculatorCandidates().join(", ");
        QTest::newRow("no browser") << "https://example.org"
                                    << "info@example.org" << false << "OrvImage"
                                    << int(kTextNoBrowser) << "https://example.org/indexeng.html";
        QTest::newRow("no website address")
            << ""
            << "info@example.org" << true << "OrvImage" << int(kTextNoWebsite) << "";
        QTest::newRow("no mail program") << "https://example.org"
                                         << "info@example.org" << false << "MailLabel2"
                                         << int(kTextNoMailProgram) << "info@example.org";
        QTest::newRow("no usable mail address")
            << "https://example.org"
            << "info(at)example" << true << "MailLabel2" << int(kTextNoMailAddress) << "";
    }
    void desktopFailuresAreSaid() {
        QFETCH(QString, website);
        QFETCH(QString, mail);
        QFETCH(bool, desktopCan);
        QFETCH(QString, click);
        QFETCH(int, text);
        QFETCH(QString, named);
        app_->values.websiteAddress = website;
        app_->values.mailAddress = mail;
        actions_->canOpen = actions_->hasCalculator = desktopCan;
        form_->FormActivate();
        QWidget* target = form_->findChild<QWidget*>(click);
        if (click != "CalcSpBtn") {
            const bool addressed = click == "OrvImage" ? !website.isEmpty() : !mail.contains('(');
            QCOMPARE(target->cursor().shape(),
                     addressed ? Qt::PointingHandCursor : Qt::ArrowCursor);
        }
        test::MessageCatcher catcher;
        catcher.armOnce();
        QTest::mouseClick(target, Qt::LeftButton);
        QCOMPARE(catcher.seen, 1);
        const QString expected = QString::fromStdString(
            FillIn(LanguageTexts::ExtraEnglish(text), {named.toStdString()}));
        QCOMPARE(catcher.text, expected);
        if (!named.isEmpty()) QVERIFY(catcher.text.contains(named));
    }

    void plainLinksDoNotLightUp() {
        app_->values.websiteAddress.clear();
        app_->values.mailAddress = "nobody";
        form_->FormActivate();
        QHoverEvent enter(QEvent::HoverEnter, QPointF(2, 2), QPointF(2, 2), QPointF(-1, -1));
        QApplication::sendEvent(form_->OrvImage, &enter);
        QApplication::sendEvent(form_->MailLabel2, &enter);
        QCOMPARE(form_->OrvImage->shownPixmap().toImage(),
                 app_->pictures.picture("B54", form_->devicePixelRatioF()).toImage());
        QCOMPARE(form_->MailLabel2->palette().color(QPalette::WindowText),
                 form_->palette().color(QPalette::WindowText));
        QVERIFY(!form_->MailLabel2->font().underline());
    }

    void websitePageFollowsTheLanguage_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("page");
        QTest::newRow("Hungarian") << "Hungarian"
                                   << "https://example.org/index.html";
        QTest::newRow("lower case is another name") << "hungarian"
                                                    << "https://example.org/indexeng.html";
        QTest::newRow("English") << "English"
                                 << "https://example.org/indexeng.html";
    }
    void websitePageFollowsTheLanguage() {
        QFETCH(QString, language);
        QTEST(WebsitePageUrl("https://example.org", language)->toString(), "page");
    }

    void mailLink_data() {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("subject");
        QTest::addColumn<QString>("url");
        QTest::newRow("plain") << "info@example.org"
                               << "Mertano"
                               << "mailto:info@example.org?subject=Mertano";
        QTest::newRow("empty address keeps the subject") << ""
                                                         << "Hi"
                                                         << "mailto:?subject=Hi";
        QTest::newRow("a question mark cannot add headers") << "a@b.org?cc=c@d.org"
                                                            << "Hi"
                                                            << "mailto:?subject=Hi";
        QTest::newRow("two at signs") << "a@b@c.org"
                                      << "Hi"
                                      << "mailto:?subject=Hi";
        QTest::newRow("blank inside") << "a b@c.org"
                                      << "Hi"
                                      << "mailto:?subject=Hi";
        QTest::newRow("subject cannot add fields or lines")
            << "info@example.org"
            << "A&cc=x@y.org\r\nBcc: z@w.org"
            << "mailto:info@example.org?subject=A%26cc%3Dx@y.org%0D%0ABcc:%20z@w.org";
        QTest::newRow("accented subject")
            << "info@example.org"
            << "Számítás"
            << "mailto:info@example.org?subject=Sz%C3%A1m%C3%ADt%C3%A1s";
    }
    void mailLink() {
        QFETCH(QString, address);
        QFETCH(QString, subject);
        QTEST(MailUrl(address, subject).toString(QUrl::FullyEncoded), "url");
    }

    void mailLinkKeepsTheStartingFolder() {
        QTemporaryDir elsewhere;
        QDir::setCurrent(elsewhere.path());
        QTest::mouseClick(form_->MailLabel2, Qt::LeftButton);
        QCOMPARE(actions_->opened.size(), 1);
        QVERIFY(actions_->opened.front().startsWith("mailto:info@example.org?subject="));
        QCOMPARE(QDir::currentPath(), app_->values.workingFolder);
    }

    void hoverEffects() {
        auto hover = [](QWidget* w, QEvent::Type type) {
            QHoverEvent event(type, QPointF(2, 2), QPointF(2, 2), QPointF(-1, -1));
            QApplication::sendEvent(w, &event);
        };
        hover(form_->MailLabel2, QEvent::HoverEnter);
        QCOMPARE(form_->MailLabel2->palette().color(QPalette::WindowText), QColor(Qt::red));
        QVERIFY(form_->MailLabel2->font().underline());
        hover(form_->OrvImage, QEvent::HoverEnter);
        const QImage highlighted = form_->OrvImage->shownPixmap().toImage();
        hover(form_->ToolBar, QEvent::HoverMove);
        QCOMPARE(form_->MailLabel2->palette().color(QPalette::WindowText), QColor(Qt::blue));
        QVERIFY(!form_->MailLabel2->font().underline());
        QCOMPARE(form_->OrvImage->shownPixmap().toImage(),
                 app_->pictures.picture("B54", form_->devicePixelRatioF()).toImage());
        QCOMPARE(highlighted, app_->pictures.picture("B55", form_->devicePixelRatioF()).toImage());
    }

    // The window's own role is the button face; its children must still draw in the
    // colours they were given, which only the drawn pixels show.
    void headingAndLinkDrawInTheirColours() {
        const QImage heading = form_->Panel1->grab().toImage();
        QCOMPARE(QColor(heading.pixel(6, heading.height() / 2)), QColor(Qt::yellow));
        const QImage link = form_->MailLabel2->grab().toImage();
        bool blue = false;
        for (int y = 0; y < link.height(); ++y)
            for (int x = 0; x < link.width(); ++x)
                blue = blue || QColor(link.pixel(x, y)) == QColor(Qt::blue);
        QVERIFY(blue);
    }

    // The window goes to paper drawn, not as a screen grab: its texts are text in the PDF,
    // and neither the whole window nor the figure's picture is a bitmap in it.
    void printsTheWindowAsDrawing() {
        QTemporaryDir folder;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(folder.filePath("window.pdf"));
        test::ChooseFigure(*form_, ShapeKind::Cone);
        test::TypeAll(*form_, "r=3.25 ma=4");
        form_->SzamolBtn->click();
        QVERIFY(PrintWindow(printer, *form_));
        QFile pdf(folder.filePath("window.pdf"));
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        const QByteArray bytes = pdf.readAll();
        QCOMPARE(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") +
                     bytes.count("/Type /Page "),
                 qsizetype(1));
        static const QRegularExpression imageWidth("/Subtype\\s*/Image[^>]*/Width\\s+(\\d+)");
        for (auto m = imageWidth.globalMatch(QString::fromLatin1(bytes)); m.hasNext();)
            QVERIFY(m.next().captured(1).toInt() < form_->IdomImage->width());

        QProcess pdftotext;
        pdftotext.start("pdftotext", {"-layout", pdf.fileName(), "-"});
        QVERIFY2(pdftotext.waitForFinished(), "pdftotext (poppler-utils) is needed");
        const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
        // What was typed, and what was worked out (the surface and the slant height).
        for (const QString& value :
             {form_->SugarEdit->text(), form_->FeluletText2->text(), form_->AoldEdit->text()})
            QVERIFY2(text.contains(value), qPrintable(value + " in\n" + text));
        QVERIFY(text.contains(form_->SzamolBtn->text().remove('&')));

        QWidget empty;
        empty.resize(0, 0);
        QVERIFY(!PrintWindow(printer, empty));
    }
};

MERTANO_REGISTER_TEST(TstToolbar)
#include "tst_toolbar.moc"
