// SPDX-License-Identifier: GPL-3.0-or-later
// The toolbar and the actions around the calculation: leave, the three dialogs, the
// calculator, help, printing, the website banner and the e-mail link.
#include <QDir>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QShortcut>
#include <QToolButton>
#include <QWindow>

#include "app/app_context.h"
#include "app/fo_form.h"
#include "system/links.h"
#include "app/print_window.h"
#include "calc/language_texts.h"
#include "lang/text_placement.h"
#include "widgets/focus_ring.h"
#include "widgets/message_form.h"
#include "widgets/window_place.h"

namespace mertano {
namespace {

struct ToolPlace {
    const char* name;
    const char* picture;
    const char* hint;
    int left;
    int glyph;
};

constexpr ToolPlace kTools[] = {
    {"KilepSpBtn", "B0", "Kilépés", 2, 25},
    {"ValtSpBtn", "B13", "Szögek átváltása", 40, 25},
    {"CalcSpBtn", "B16", "Számológép", 78, 25},
    {"AnyagSpBtn", "B64", "Anyagok karbantartása", 116, 27},
    {"NyelvSpBtn", "B63", "Please, if you make a new language file, send my share!", 154, 27},
    {"HelpSpBtn", "B14", "Segítség", 192, 27},
};
constexpr int kSeparatorLefts[] = {33, 71, 109, 147, 185, 223, 458};

}  // namespace

void TFoForm::buildToolBar() {
    auto* bar = new QFrame(this);
    bar->setObjectName("ToolBar");
    bar->setGeometry(0, 0, 715, 36);
    bar->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    ToolBar = bar;
    QToolButton** members[] = {&KilepSpBtn, &ValtSpBtn,  &CalcSpBtn,
                               &AnyagSpBtn, &NyelvSpBtn, &HelpSpBtn};
    for (std::size_t k = 0; k < std::size(kTools); ++k) {
        const ToolPlace& t = kTools[k];
        auto* button = new ToolBarButton(ToolBar);
        button->setObjectName(t.name);
        button->setGeometry(t.left, 3, 30, 30);
        button->setAutoRaise(true);
        button->setIconSize({t.glyph, t.glyph});
        button->setIcon(PictureIcon(app_.pictures, t.picture));
        button->setToolTip(QString::fromUtf8(t.hint));
        button->setAccessibleName(QString::fromUtf8(t.hint));
        *members[k] = button;
    }
    for (int k = 0; k < 7; ++k) {
        auto* separator = new QFrame(ToolBar);
        separator->setObjectName(QString("ToolButton%1").arg(k + 1));
        separator->setGeometry(kSeparatorLefts[k] + 2, 6, 2, 24);
        separator->setFrameStyle(QFrame::VLine | QFrame::Sunken);
    }
    OrvImage = new PictureLabel(app_.pictures, ToolBar);
    OrvImage->setObjectName("OrvImage");
    OrvImage->setGeometry(256, 3, 200, 30);
    MailLabel1 = new QLabel("E-mail:", ToolBar);
    MailLabel1->setObjectName("MailLabel1");
    MailLabel1->setGeometry(462, 3, 43, 30);
    MailLabel1->setAlignment(Qt::AlignCenter);
    MailLabel2 = new QLabel(app_.values.mailAddress, ToolBar);
    MailLabel2->setObjectName("MailLabel2");
    MailLabel2->setGeometry(505, 3, 208, 30);
    MailLabel2->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // Under the window's button-face role a label would draw in the button-text colour.
    MailLabel2->setForegroundRole(QPalette::WindowText);
    showLinksAsUsable();
    // The window's application-wide event filter sees their hover and click events.
    for (QWidget* w : std::initializer_list<QWidget*>{ToolBar, OrvImage, MailLabel1, MailLabel2}) {
        w->setAttribute(Qt::WA_Hover);
    }
}

void TFoForm::connectToolBar() {
    connect(KilepSpBtn, &QToolButton::clicked, this, &TFoForm::KilepSpBtnClick);
    connect(ValtSpBtn, &QToolButton::clicked, this, &TFoForm::ValtSpBtnClick);
    connect(CalcSpBtn, &QToolButton::clicked, this, &TFoForm::CalcSpBtnClick);
    connect(AnyagSpBtn, &QToolButton::clicked, this, &TFoForm::AnyagSpBtnClick);
    connect(NyelvSpBtn, &QToolButton::clicked, this, &TFoForm::NyelvSpBtnClick);
    connect(HelpSpBtn, &QToolButton::clicked, this, &TFoForm::HelpSpBtnClick);
    // F1 is where a desktop user looks for help first.
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, this, &TFoForm::HelpSpBtnClick);
    connect(NyomtatBtn, &QPushButton::clicked, this, &TFoForm::NyomtatBtnClick);
}

void TFoForm::setSecondaryWindows(WindowMaker anyagForm, WindowMaker nyelvForm,
                                  WindowMaker valtForm) {
    makeAnyagForm_ = std::move(anyagForm);
    makeNyelvForm_ = std::move(nyelvForm);
    makeValtForm_ = std::move(valtForm);
}

QWidget* TFoForm::secondary(QWidget*& window, const WindowMaker& make) {
    if (!window && make) {
        window = make();
        // Made later than the others, it shows the texts they show.
        if (window && textsShown_) ApplyLanguageTexts({window}, app_.language.texts());
    }
    return window;
}

void TFoForm::KilepSpBtnClick() {
    close();
}
void TFoForm::ValtSpBtnClick() {
    openSecondary(valtForm());
}
void TFoForm::AnyagSpBtnClick() {
    openSecondary(anyagForm());
}
void TFoForm::NyelvSpBtnClick() {
    openSecondary(nyelvForm());
}
void TFoForm::CalcSpBtnClick() {
    if (!app_.actions->startCalculator())
        sayCannot(kTextNoCalculator, CalculatorCandidates().join(QStringLiteral(", ")));
}
void TFoForm::HelpSpBtnClick() {
    app_.actions->showHelp("Scribble10");
}

void TFoForm::openSecondary(QWidget* window) {
    if (!window) return;
    // The main window takes no input until the dialog hands back, and looks as it did
    // meanwhile. The dialog blocks it as a window-modal child would; disabling the window
    // instead would grey every control and repaint it all at each opening and closing.
    window->setWindowModality(Qt::WindowModal);
    window->winId();  // the dialog's native window, to be told whose it is
    window->windowHandle()->setTransientParent(windowHandle());
    openSecondary_ = window;
    window->show();
    // Each dialog places itself; one that would lie off the screen that holds this
    // window (another monitor, a caption that grew) goes to its corner there.
    const QRect area = WorkArea(this);
    if (!area.contains(window->frameGeometry())) PlaceBottomRight(window, this);
    window->raise();
    window->activateWindow();
}

void TFoForm::secondaryClosed() {
    openSecondary_ = nullptr;
    if (!isVisible() || closing_) return;
    activateWindow();
    FormActivate();
}

void TFoForm::NyomtatBtnClick() {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) return;
    if (!PrintWindow(printer, *this)) sayCannot(kTextNotPrinted);
}

void TFoForm::OrvImageClick() {
    const std::optional<QUrl> page =
        WebsitePageUrl(app_.values.websiteAddress, app_.language.languageName());
    if (!page) return sayCannot(kTextNoWebsite);
    if (!app_.actions->openUrl(*page, app_.values.browserCommand))
        sayCannot(kTextNoBrowser, page->toString());
}

void TFoForm::MailLabel2Click() {
    showMailLink(false);
    if (!hasMailAddress()) return sayCannot(kTextNoMailAddress);
    const QUrl mail =
        MailUrl(app_.values.mailAddress, QString::fromStdString(app_.language.texts().text(62)));
    const bool opened = app_.actions->openUrl(mail, QString());
    // The material file lives in the folder the program started in; stay there.
    if (!app_.values.workingFolder.isEmpty()) QDir::setCurrent(app_.values.workingFolder);
    if (!opened) sayCannot(kTextNoMailProgram, app_.values.mailAddress);
    FormActivate();
}

bool TFoForm::hasWebsite() const {
    return WebsitePageUrl(app_.values.websiteAddress, app_.language.languageName()).has_value();
}

bool TFoForm::hasMailAddress() const {
    return LooksLikeMailAddress(app_.values.mailAddress);
}

void TFoForm::showLinksAsUsable() {
    OrvImage->setCursor(hasWebsite() ? Qt::PointingHandCursor : Qt::ArrowCursor);
    MailLabel2->setCursor(hasMailAddress() ? Qt::PointingHandCursor : Qt::ArrowCursor);
    showBanner(false);
    showMailLink(false);
}

void TFoForm::sayCannot(int text, const QString& what) {
    const std::string message = app_.language.texts().text(text);
    showMessage(QString::fromStdString(FillIn(message, {what.toStdString()})),
                static_cast<int>(MessageKind::Warning));
}

void TFoForm::showBanner(bool highlighted) {
    OrvImage->setPicture(highlighted && hasWebsite() ? "B55" : "B54");
}

void TFoForm::showMailLink(bool highlighted) {
    const bool link = hasMailAddress();
    QPalette p = MailLabel2->palette();
    p.setColor(QPalette::WindowText, !link         ? palette().color(QPalette::WindowText)
                                     : highlighted ? QColor(Qt::red)
                                                   : QColor(Qt::blue));
    MailLabel2->setPalette(p);
    QFont f = MailLabel2->font();
    f.setUnderline(highlighted && link);
    MailLabel2->setFont(f);
}

bool TFoForm::toolBarEvent(QObject* watched, QEvent* event) {
    if (watched == anyagForm_ || watched == nyelvForm_ || watched == valtForm_) {
        if (event->type() == QEvent::Hide && watched == openSecondary_) secondaryClosed();
        return false;
    }
    const bool enter = event->type() == QEvent::HoverEnter || event->type() == QEvent::HoverMove;
    if (watched == OrvImage) {
        if (enter) showBanner(true);
        if (event->type() == QEvent::HoverLeave) showBanner(false);
        if (event->type() == QEvent::MouseButtonRelease) OrvImageClick();
    } else if (watched == MailLabel2) {
        if (enter) showMailLink(true);
        if (event->type() == QEvent::HoverLeave) showMailLink(false);
        if (event->type() == QEvent::MouseButtonRelease) MailLabel2Click();
    } else if ((watched == ToolBar || watched == MailLabel1) && enter) {
        showMailLink(false);
        showBanner(false);
    }
    return false;
}

}  // namespace mertano
