// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Taking the main window's values along: the context menu of the input area and its
// boxes, Ctrl+Shift+C, and what "Copy all results" puts on the clipboard.
#include <QList>
#include <QString>

class QWidget;
class QMenu;
class QMimeData;

namespace mertano {

struct AppContext;
class LanguageTexts;
class TFoForm;

// One line of the copied table: a caption, the value as the screen shows it, its unit.
struct CopyRow {
    QString name;
    QString value;
    QString unit;
};

// What "Copy all results" copies, in the window's language and with its texts: the
// figure, the fields the figure shows (as typed; angles also in degrees, minutes and
// seconds once shown), the results shown, then the material and the mass. Nothing when
// no figure is chosen. The numbers carry `decimalPoint` (the user's locale's, for the
// spreadsheet they go to: the window shows its results with a point), areas and volumes
// their unit squared and cubed (mm², cm³).
QList<CopyRow> ResultRows(const TFoForm& form, const QString& decimalPoint);
QList<CopyRow> ResultRows(const TFoForm& form);
// Tab-separated, one row a line, so that a spreadsheet fills three columns.
QString RowsAsText(const QList<CopyRow>& rows);
// The same as a small HTML table.
QString RowsAsHtml(const QList<CopyRow>& rows);
// Both forms at once, for the clipboard.
QMimeData* ResultsMimeData(const TFoForm& form);

// The entries of the context menu: "Copy" the value of `target` (a result or angle box
// or a field; disabled on anything else or while it is empty), and "Copy all results".
// Other menus may add their entries after these.
void AddCopyActions(QMenu& menu, TFoForm& form, const LanguageTexts& texts, QWidget* target);

// Makes the result and angle boxes selectable with the mouse and gives the input area
// its context menu and the window Ctrl+Shift+C.
void InstallResultCopying(TFoForm& form, AppContext& app);

}  // namespace mertano
