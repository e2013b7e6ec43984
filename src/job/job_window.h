// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The job sheet: the pieces of a job in a table, what each material costs, the totals,
// and the job's file. The job is kept in the per-user data folder after every change,
// so closing the window, a crash or a power cut loses nothing: the next start finds it.

#include <QPersistentModelIndex>
#include <QWidget>
#include <functional>
#include <optional>

#include "job/job_model.h"

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTableView;
class QTableWidget;
class QTimer;

namespace mertano {

struct AppContext;

class JobWindow : public QWidget {
    Q_OBJECT

public:
    struct MainWindow {
        // The figure the main window has solved, as a row; nothing when it has none.
        std::function<std::optional<JobRow>()> piece;
        // Shows the row's figure there, calculated, to be seen or changed.
        std::function<void(const JobRow&)> show;
    };
    JobWindow(AppContext& app, MainWindow main, QWidget* parent = nullptr);
    ~JobWindow() override;

    JobModel& model() { return model_; }
    void addPiece(const JobRow& row);
    // The row last shown in the main window, followed through moves; -1 once removed.
    int shownRow() const { return shown_.isValid() ? shown_.row() : -1; }
    void replaceShownRow(const JobRow& with);
    void retranslate();

    // Each says what went wrong in a message of its own; false then.
    bool openFile(const QString& path);
    bool saveTo(const QString& path);
    bool exportCsv(const QString& path);
    bool saveReport(const QString& pdfPath);
    QString filePath() const { return path_; }
    bool unsaved() const { return unsaved_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    void buildMenu();
    void connectAll();
    void jobChanged();
    void keep();
    void restoreKept();
    void showTotals();
    void fitColumns();
    void showPrices();
    void showTitle();
    void updateActions();
    void addFromMain();
    void removeSelected();
    void moveSelected(int by);
    void showSelected();
    void newJob();
    void openChosen();
    void save();
    void saveAs();
    void exportChosen();
    void printReport();
    void reportPdfChosen();
    // False when the person cancels; unsaved changes are saved or let go first.
    bool settleUnsaved();
    void rememberRecent(const QString& path);
    void showRecent();
    int selectedRow() const;
    QString text(int n) const;
    void say(const QString& message, int kind);
    QString chooseFile(bool save, int filterText, const QString& suffix);

    AppContext& app_;
    MainWindow main_;
    JobModel model_;
    QPersistentModelIndex shown_;
    QString path_;  // the job's own file; empty until saved or opened
    bool unsaved_ = false;
    bool keptFailureSaid_ = false;
    bool filling_ = false;  // the window is showing the job, not changing it
    // Typing a title or an allowance is kept once the typing pauses, not at each key.
    bool typing_ = false;
    QTimer* keepSoon_ = nullptr;
    void keepTyped();

    QMenu *fileMenu_ = nullptr, *recentMenu_ = nullptr;
    QAction *newAction_ = nullptr, *openAction_ = nullptr, *saveAction_ = nullptr,
            *saveAsAction_ = nullptr, *csvAction_ = nullptr, *printAction_ = nullptr,
            *pdfAction_ = nullptr, *solutionsAction_ = nullptr, *closeAction_ = nullptr;
    QLabel *titleLabel_ = nullptr, *wasteLabel_ = nullptr, *pricesLabel_ = nullptr,
           *totalsLabel_ = nullptr, *status_ = nullptr;
    QLineEdit *title_ = nullptr, *waste_ = nullptr;
    QTableView* table_ = nullptr;
    QTableWidget *prices_ = nullptr, *totals_ = nullptr;
    QPushButton *addBtn_ = nullptr, *removeBtn_ = nullptr, *upBtn_ = nullptr,
                *downBtn_ = nullptr, *showBtn_ = nullptr;
};

// The job as a report for paper: its title, the date, the table, the totals, and when
// `solutions`, each row's worked solution with its picture. HTML for QTextDocument,
// whose pictures `addPictures` puts into the document.
struct JobReport {
    QString html;
    QList<QPair<QString, QString>> pictures;  // resource name, picture name
};
JobReport MakeJobReport(const JobModel& model, const LanguageTexts& texts, bool solutions,
                        const QString& date);

}  // namespace mertano
