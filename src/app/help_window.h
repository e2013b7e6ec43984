// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Mertano's own help: HTML pages in the folder "help" beside the program, one subfolder
// per language, shown in a window of the program.
#include <QString>
#include <QStringList>
#include <QTextBrowser>
#include <QWidget>

#include "calc/language_texts.h"

class QToolButton;

namespace mertano {

class PictureList;

// The topic of the start page, the one the toolbar's help button asks for.
inline constexpr char kHelpStartTopic[] = "Scribble10";

// The folder of the help pages for a language, ending in "/": the Hungarian pages for the
// language named "Hungarian" and the German ones for "German", in any letter case, the
// English pages for every other one.
QString HelpFolder(const QString& programFolder, const QString& languageName);
// The page file of a topic: a page's own name without ".html" ("cone") in any letter case
// gives that page; "Scribble10", an empty topic and any topic it does not know give the
// start page.
QString HelpPage(const QString& topic);
// The file names of every help page, the start page first; each language has them all.
QStringList HelpPages();

// The text browser of the help window. It follows only links to pages inside the help
// folder, and draws the figure pictures the pages name as "picture:B8" from the picture
// list, at the screen's pixel ratio, so no picture file ships with the pages.
class HelpBrowser : public QTextBrowser {
    Q_OBJECT

public:
    HelpBrowser(const PictureList& pictures, QWidget* parent = nullptr);
    QVariant loadResource(int type, const QUrl& name) override;

    // The help folder whose pages the links may reach; empty allows none.
    void setFolder(const QString& folder) { folder_ = folder; }
    // Follows a link as a click does: only to an existing page inside the folder.
    bool follow(const QUrl& link);

protected:
    // The pages' type sizes and pictures follow the window's zoom.
    void changeEvent(QEvent* event) override;

private:
    const PictureList& pictures_;
    QString folder_;
};

class HelpWindow : public QWidget {
    Q_OBJECT

public:
    // `programFolder` ends in the path separator, as the start-up values hold it.
    HelpWindow(const QString& programFolder, const PictureList& pictures,
               QWidget* parent = nullptr);

    // The language whose pages the next topic shows, and the texts of that language for
    // the window's own buttons and messages.
    void setLanguage(const QString& languageName, const LanguageTexts& texts);
    QString language() const { return language_; }

    // Shows the window, raised, at the page of the topic (`kHelpStartTopic` for the start
    // page). Without pages it shows a message saying where they were looked for.
    void showTopic(const QString& topic);
    // Back to the start page of the current language.
    void home();

    // The folder the pages are read from: the language's own, or the English one when
    // the language has no pages; empty when there are no pages at all.
    QString folder() const;

    HelpBrowser* browser() const { return browser_; }

private:
    void applyLanguageTexts();
    void updateTitle();
    void showMissing(const QString& where);

    QString programFolder_;
    QString language_;
    LanguageTexts texts_;
    HelpBrowser* browser_ = nullptr;
    QToolButton* backButton_ = nullptr;
    QToolButton* forwardButton_ = nullptr;
    QToolButton* homeButton_ = nullptr;
};

}  // namespace mertano
