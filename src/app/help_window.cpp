// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/help_window.h"

#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QRegularExpression>
#include <QStyle>
#include <QTextDocument>
#include <QToolButton>
#include <QVBoxLayout>

#include "pictures/pictures.h"
#include "widgets/window_place.h"
#include "widgets/zoom.h"

namespace mertano {

namespace {

const QStringList kPages = {
    "index.html",     "using.html",     "triangle.html", "right_triangle.html",
    "circle.html",    "sector.html",    "segment.html",  "cube.html",
    "cuboid.html",    "cylinder.html",  "cone.html",     "truncated_cone.html",
    "sphere.html",    "cap.html",       "zone.html",     "units.html",
    "materials.html", "languages.html", "angles.html",   "printing.html",
    "job.html",       "pattern.html",
};

// The subfolder of a language's pages; a language without pages of its own reads the
// English ones.
QString HelpSubfolder(const QString& languageName) {
    const QString name = languageName.trimmed();
    if (name.compare("Hungarian", Qt::CaseInsensitive) == 0) return "hu";
    if (name.compare("German", Qt::CaseInsensitive) == 0) return "de";
    return "en";
}

bool IsFolder(const QString& path) {
    return !path.isEmpty() && QFileInfo(path).isDir();
}

QString Text(const LanguageTexts& texts, int n) {
    return QString::fromStdString(texts.text(n));
}

}  // namespace

QString HelpFolder(const QString& programFolder, const QString& languageName) {
    QString folder = programFolder;
    if (!folder.isEmpty() && !folder.endsWith('/') && !folder.endsWith(QDir::separator()))
        folder += '/';
    return folder + "help/" + HelpSubfolder(languageName) + '/';
}

QString HelpPage(const QString& topic) {
    const QString wanted = topic.trimmed().toLower() + ".html";
    // Only a page of the list: a topic never becomes a path of its own.
    for (const QString& page : kPages)
        if (page == wanted) return page;
    return kPages.front();
}

QStringList HelpPages() {
    return kPages;
}

HelpBrowser::HelpBrowser(const PictureList& pictures, QWidget* parent)
    : QTextBrowser(parent), pictures_(pictures) {
    // Links go through `follow`, which keeps them inside the help folder.
    setOpenLinks(false);
    setOpenExternalLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, &HelpBrowser::follow);
}

QVariant HelpBrowser::loadResource(int type, const QUrl& name) {
    const int zoom = WindowZoom(window());
    if (name.scheme() == "picture") {
        if (type != QTextDocument::ImageResource) return {};
        const QPixmap pixmap = pictures_.picture(name.path(), devicePixelRatioF(),
                                                 pictures_.size(name.path()) * (zoom / 100.0));
        return pixmap.isNull() ? QVariant() : QVariant(pixmap);
    }
    const QVariant loaded = QTextBrowser::loadResource(type, name);
    if (type != QTextDocument::StyleSheetResource || zoom == 100) return loaded;
    // The style sheet sizes its type in points, which no widget font scales.
    static const QRegularExpression points(QStringLiteral("(\\d+(?:\\.\\d+)?)pt\\b"));
    QString sheet = loaded.toString();
    QString zoomed;
    qsizetype from = 0;
    for (auto m = points.globalMatch(sheet); m.hasNext();) {
        const QRegularExpressionMatch match = m.next();
        zoomed += sheet.mid(from, match.capturedStart() - from) +
                  QString::number(match.captured(1).toDouble() * zoom / 100.0) + "pt";
        from = match.capturedEnd();
    }
    return zoomed + sheet.mid(from);
}

void HelpBrowser::changeEvent(QEvent* event) {
    QTextBrowser::changeEvent(event);
    if (event->type() == QEvent::FontChange && !source().isEmpty()) reload();
}

bool HelpBrowser::follow(const QUrl& link) {
    if (folder_.isEmpty()) return false;
    const QUrl base = source().isValid() ? source() : QUrl::fromLocalFile(folder_ + kPages.front());
    const QUrl target = base.resolved(link);
    if (!target.isLocalFile()) return false;
    const QFileInfo page(target.toLocalFile());
    const QString root = QFileInfo(folder_).canonicalFilePath();
    if (root.isEmpty() || !page.isFile() || !page.canonicalFilePath().startsWith(root + '/'))
        return false;
    setSource(target);
    return true;
}

HelpWindow::HelpWindow(const QString& programFolder, const PictureList& pictures, QWidget* parent)
    : QWidget(parent, Qt::Window), programFolder_(programFolder) {
    setObjectName("HelpWindow");
    resize(680, 600);

    auto makeButton = [this](const char* name, QStyle::StandardPixmap icon) {
        auto* button = new QToolButton(this);
        button->setObjectName(name);
        button->setIcon(style()->standardIcon(icon));
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setAutoRaise(true);
        return button;
    };
    backButton_ = makeButton("BackBtn", QStyle::SP_ArrowBack);
    forwardButton_ = makeButton("ForwardBtn", QStyle::SP_ArrowForward);
    homeButton_ = makeButton("HomeBtn", QStyle::SP_DirHomeIcon);
    backButton_->setEnabled(false);
    forwardButton_->setEnabled(false);

    browser_ = new HelpBrowser(pictures, this);
    browser_->setObjectName("HelpBrowser");
    browser_->document()->setDocumentMargin(10);

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(4, 4, 4, 0);
    buttons->addWidget(backButton_);
    buttons->addWidget(forwardButton_);
    buttons->addWidget(homeButton_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addLayout(buttons);
    layout->addWidget(browser_);

    connect(backButton_, &QToolButton::clicked, browser_, &QTextBrowser::backward);
    connect(forwardButton_, &QToolButton::clicked, browser_, &QTextBrowser::forward);
    connect(homeButton_, &QToolButton::clicked, this, &HelpWindow::home);
    connect(browser_, &QTextBrowser::backwardAvailable, backButton_, &QWidget::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forwardButton_, &QWidget::setEnabled);
    connect(browser_, &QTextBrowser::sourceChanged, this, &HelpWindow::updateTitle);

    applyLanguageTexts();
}

void HelpWindow::setLanguage(const QString& languageName, const LanguageTexts& texts) {
    language_ = languageName;
    texts_ = texts;
    applyLanguageTexts();
}

QString HelpWindow::folder() const {
    const QString own = HelpFolder(programFolder_, language_);
    if (IsFolder(own)) return own;
    const QString english = HelpFolder(programFolder_, QString());
    return IsFolder(english) ? english : QString();
}

void HelpWindow::showTopic(const QString& topic) {
    const QString pages = folder();
    const QString path = pages + HelpPage(topic);
    if (pages.isEmpty()) {
        showMissing(QDir::cleanPath(HelpFolder(programFolder_, language_)));
    } else if (!QFileInfo(path).isFile()) {
        showMissing(QDir::cleanPath(path));
    } else {
        const QUrl url = QUrl::fromLocalFile(path);
        // The pages of another language make a new history: going back would mix them.
        const bool otherFolder =
            !browser_->source().isValid() || !browser_->source().toLocalFile().startsWith(pages);
        browser_->setFolder(pages);
        if (browser_->source() != url) browser_->setSource(url);
        if (otherFolder) browser_->clearHistory();
    }
    // A window already open may lie behind the main window; a new one comes up on top.
    if (isVisible()) {
        raise();
        activateWindow();
    } else {
        // Smaller than its usual size on a small screen, and wholly on it.
        const QRect area = WorkArea(this);
        if (!area.isEmpty())
            resize(size().boundedTo(area.size() - (frameGeometry().size() - size())));
        show();
        KeepOnScreen(this, this);
    }
}

void HelpWindow::home() {
    showTopic(kHelpStartTopic);
}

void HelpWindow::applyLanguageTexts() {
    backButton_->setText(Text(texts_, kTextHelpBack));
    forwardButton_->setText(Text(texts_, kTextHelpForward));
    homeButton_->setText(Text(texts_, kTextHelpContents));
    updateTitle();
}

void HelpWindow::updateTitle() {
    const QString base = Text(texts_, kTextHelpTitle);
    const QString page = browser_->documentTitle().trimmed();
    setWindowTitle(page.isEmpty() || !browser_->source().isValid() ? base : base + " – " + page);
}

void HelpWindow::showMissing(const QString& where) {
    browser_->setFolder(QString());
    browser_->setSource(QUrl());
    browser_->clearHistory();
    browser_->setHtml(QString("<h2>%1</h2><p>%2 <tt>%3</tt></p><p>%4</p>")
                          .arg(Text(texts_, kTextHelpMissing).toHtmlEscaped(),
                               Text(texts_, kTextHelpLookedIn).toHtmlEscaped(),
                               QDir::toNativeSeparators(where).toHtmlEscaped(),
                               Text(texts_, kTextHelpCopy).toHtmlEscaped()));
    updateTitle();
}

}  // namespace mertano
