// SPDX-License-Identifier: GPL-3.0-or-later
#include "job/job_window.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSaveFile>
#include <QSettings>
#include <QTableView>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "app/app_context.h"
#include "calc/language_texts.h"
#include "cli/cli_request.h"
#include "materials/mass.h"
#include "widgets/file_choice.h"
#include "widgets/message_form.h"

namespace mertano {
namespace {

constexpr int kRecentJobs = 8;
const QString kRecentKey = QStringLiteral("RecentJobs");
const QString kFileKey = QStringLiteral("JobFile");

QSettings Settings() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, "Vrelk", "Mertano");
}

// What can be typed on the way to an allowance the command line takes (cli::WasteText
// has the last word): digits and one point or comma.
const QRegularExpression kPercentTyping(QStringLiteral("\\d{0,3}([.,]\\d{0,6})?"));

QTableWidgetItem* Cell(const QString& text, bool number, bool editable = false) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(number ? Qt::AlignRight | Qt::AlignVCenter
                                  : Qt::AlignLeft | Qt::AlignVCenter);
    if (!editable) item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}

}  // namespace

JobWindow::JobWindow(AppContext& app, MainWindow main, QWidget* parent)
    : QWidget(parent, Qt::Window),
      app_(app),
      main_(std::move(main)),
      model_(app.language.texts(), this) {
    setObjectName("JobWindow");
    keepSoon_ = new QTimer(this);
    keepSoon_->setSingleShot(true);
    keepSoon_->setInterval(300);
    connect(keepSoon_, &QTimer::timeout, this, &JobWindow::keep);
    build();
    connectAll();
    retranslate();
    restoreKept();
    resize(900, 560);
}

// Whatever was typed last is kept before the window goes, without a word: the program is
// on its way out.
JobWindow::~JobWindow() {
    if (keepSoon_->isActive()) KeepJob(model_.job());
}

void JobWindow::keepTyped() {
    if (!keepSoon_->isActive()) return;
    keepSoon_->stop();
    keep();
}

QString JobWindow::text(int n) const {
    return QString::fromStdString(app_.language.texts().text(n));
}

void JobWindow::build() {
    titleLabel_ = new QLabel(this);
    title_ = new QLineEdit(this);
    title_->setObjectName("JobTitleEdit");
    titleLabel_->setBuddy(title_);
    wasteLabel_ = new QLabel(this);
    waste_ = new QLineEdit(this);
    waste_->setObjectName("JobWasteEdit");
    waste_->setValidator(new QRegularExpressionValidator(kPercentTyping, waste_));
    waste_->setMaximumWidth(80);
    wasteLabel_->setBuddy(waste_);

    table_ = new QTableView(this);
    table_->setObjectName("JobTable");
    table_->setModel(&model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked |
                            QAbstractItemView::AnyKeyPressed);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->installEventFilter(this);

    addBtn_ = new QPushButton(this);
    addBtn_->setObjectName("JobAddBtn");
    removeBtn_ = new QPushButton(this);
    removeBtn_->setObjectName("JobRemoveBtn");
    upBtn_ = new QPushButton(this);
    upBtn_->setObjectName("JobUpBtn");
    downBtn_ = new QPushButton(this);
    downBtn_->setObjectName("JobDownBtn");
    showBtn_ = new QPushButton(this);
    showBtn_->setObjectName("JobShowBtn");

    pricesLabel_ = new QLabel(this);
    prices_ = new QTableWidget(0, 2, this);
    prices_->setObjectName("JobPrices");
    prices_->verticalHeader()->hide();
    prices_->horizontalHeader()->setStretchLastSection(true);
    totalsLabel_ = new QLabel(this);
    totals_ = new QTableWidget(0, 7, this);
    totals_->setObjectName("JobTotals");
    totals_->verticalHeader()->hide();
    totals_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    totals_->horizontalHeader()->setStretchLastSection(true);
    prices_->installEventFilter(this);
    totals_->installEventFilter(this);
    status_ = new QLabel(this);
    status_->setObjectName("JobStatus");
    status_->setWordWrap(true);

    auto* head = new QHBoxLayout;
    head->addWidget(titleLabel_);
    head->addWidget(title_, 1);
    head->addSpacing(16);
    head->addWidget(wasteLabel_);
    head->addWidget(waste_);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {addBtn_, removeBtn_, upBtn_, downBtn_, showBtn_}) buttons->addWidget(b);
    buttons->addStretch();
    auto* bottom = new QGridLayout;
    bottom->addWidget(pricesLabel_, 0, 0);
    bottom->addWidget(totalsLabel_, 0, 1);
    bottom->addWidget(prices_, 1, 0);
    bottom->addWidget(totals_, 1, 1);
    bottom->setColumnStretch(0, 1);
    bottom->setColumnStretch(1, 3);
    auto* layout = new QVBoxLayout(this);
    buildMenu();
    layout->addLayout(head);
    layout->addWidget(table_, 3);
    layout->addLayout(buttons);
    layout->addLayout(bottom, 2);
    layout->addWidget(status_);
}

void JobWindow::buildMenu() {
    auto* bar = new QMenuBar(this);
    fileMenu_ = bar->addMenu(QString());
    newAction_ = fileMenu_->addAction(QString(), this, &JobWindow::newJob);
    newAction_->setShortcut(QKeySequence::New);
    openAction_ = fileMenu_->addAction(QString(), this, &JobWindow::openChosen);
    openAction_->setShortcut(QKeySequence::Open);
    recentMenu_ = fileMenu_->addMenu(QString());
    connect(recentMenu_, &QMenu::aboutToShow, this, &JobWindow::showRecent);
    saveAction_ = fileMenu_->addAction(QString(), this, &JobWindow::save);
    saveAction_->setShortcut(QKeySequence::Save);
    saveAsAction_ = fileMenu_->addAction(QString(), this, &JobWindow::saveAs);
    saveAsAction_->setShortcut(QKeySequence::SaveAs);
    fileMenu_->addSeparator();
    csvAction_ = fileMenu_->addAction(QString(), this, &JobWindow::exportChosen);
    printAction_ = fileMenu_->addAction(QString(), this, &JobWindow::printReport);
    printAction_->setShortcut(QKeySequence::Print);
    pdfAction_ = fileMenu_->addAction(QString(), this, &JobWindow::reportPdfChosen);
    solutionsAction_ = fileMenu_->addAction(QString());
    solutionsAction_->setCheckable(true);
    fileMenu_->addSeparator();
    closeAction_ = fileMenu_->addAction(QString(), this, &QWidget::close);
    closeAction_->setShortcut(QKeySequence::Close);
    // The shortcuts work wherever the focus is in this window.
    for (QAction* a : fileMenu_->actions()) addAction(a);
    layout()->setMenuBar(bar);
}

void JobWindow::connectAll() {
    connect(&model_, &JobModel::jobChanged, this, &JobWindow::jobChanged);
    connect(title_, &QLineEdit::textEdited, this, [this](const QString& t) {
        typing_ = true;
        model_.setTitle(t);
        typing_ = false;
    });
    connect(title_, &QLineEdit::editingFinished, this, &JobWindow::keepTyped);
    connect(waste_, &QLineEdit::editingFinished, this, &JobWindow::keepTyped);
    connect(waste_, &QLineEdit::textEdited, this, [this](const QString& t) {
        // "5," is on its way to "5,5"; above 100 the job keeps the allowance it had.
        typing_ = true;
        if (t.trimmed().isEmpty()) {
            model_.setWaste(QString());
        } else if (const std::optional<std::string> w = cli::WasteText(t.trimmed().toStdString())) {
            model_.setWaste(QString::fromStdString(*w));
        }
        typing_ = false;
    });
    connect(prices_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (filling_ || item->column() != 1) return;
        const QString material = prices_->item(item->row(), 0)->text();
        const QString typed = item->text().trimmed();
        if (typed.isEmpty()) return model_.setPrice(material, QString());
        // The command line's rule, so the file holds only prices it takes.
        const std::optional<std::string> price = cli::PriceText(typed.toStdString());
        if (!price) return showPrices();  // not a price: the box shows the one the job has
        model_.setPrice(material, QString::fromStdString(*price));
    });
    connect(addBtn_, &QPushButton::clicked, this, &JobWindow::addFromMain);
    connect(removeBtn_, &QPushButton::clicked, this, &JobWindow::removeSelected);
    connect(upBtn_, &QPushButton::clicked, this, [this] { moveSelected(-1); });
    connect(downBtn_, &QPushButton::clicked, this, [this] { moveSelected(1); });
    connect(showBtn_, &QPushButton::clicked, this, &JobWindow::showSelected);
    connect(table_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        if (!(model_.flags(index) & Qt::ItemIsEditable)) showSelected();
    });
    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &JobWindow::updateActions);
    connect(&model_, &QAbstractItemModel::modelReset, this, &JobWindow::fitColumns);
    connect(&model_, &QAbstractItemModel::rowsInserted, this, &JobWindow::fitColumns);
}

// Measured from the rows in view (Qt looks at a thousand at most), so a long job opens as
// fast as a short one; again when the zoom changes the tables' fonts.
void JobWindow::fitColumns() {
    table_->resizeColumnsToContents();
    const int values = table_->columnWidth(JobModel::ValuesColumn);
    table_->setColumnWidth(JobModel::ValuesColumn, qMin(values, 360 * fontMetrics().height() / 16));
    prices_->resizeColumnsToContents();
    totals_->resizeColumnsToContents();
}

void JobWindow::retranslate() {
    showTitle();
    fileMenu_->setTitle(text(kTextFileMenu));
    newAction_->setText(text(kTextNewJob));
    openAction_->setText(text(kTextOpenJob));
    recentMenu_->setTitle(text(kTextRecentJobs));
    saveAction_->setText(text(kTextSaveJob));
    saveAsAction_->setText(text(kTextSaveJobAs));
    csvAction_->setText(text(kTextExportCsv));
    printAction_->setText(text(kTextPrintReport));
    pdfAction_->setText(text(kTextReportPdf));
    solutionsAction_->setText(text(kTextReportSolutions));
    closeAction_->setText(text(kTextCloseWindow));
    titleLabel_->setText(text(kTextJobTitle));
    wasteLabel_->setText(text(kTextJobWaste));
    addBtn_->setText(text(kTextAddFromMain));
    removeBtn_->setText(text(kTextRemoveRow));
    upBtn_->setText(text(kTextMoveUp));
    downBtn_->setText(text(kTextMoveDown));
    showBtn_->setText(text(kTextShowInMain));
    pricesLabel_->setText(text(kTextJobPrice));
    totalsLabel_->setText(text(kTextJobTotals));
    model_.languageChanged();
    showPrices();
    showTotals();
    updateActions();
}

void JobWindow::showTitle() {
    const QString name = path_.isEmpty() ? text(kTextUntitledJob) : QFileInfo(path_).fileName();
    setWindowTitle(text(kTextJobSheet) + QStringLiteral(" \u2013 ") + name +
                   (unsaved_ ? QStringLiteral(" *") : QString()));
}

void JobWindow::jobChanged() {
    if (!filling_) {
        unsaved_ = true;
        if (typing_) {
            keepSoon_->start();
        } else {
            keepSoon_->stop();
            keep();
        }
    }
    showTitle();
    showPrices();
    showTotals();
    updateActions();
}

void JobWindow::keep() {
    const std::optional<QString> failed = KeepJob(model_.job());
    if (!failed) {
        keptFailureSaid_ = false;
        return;
    }
    status_->setText(text(kTextJobNotKept).arg(QDir::toNativeSeparators(KeptJobPath()), *failed));
    // Said once in a message, then only in the window, not at every keystroke.
    if (!keptFailureSaid_) say(status_->text(), static_cast<int>(MessageKind::Warning));
    keptFailureSaid_ = true;
}

void JobWindow::restoreKept() {
    const QString kept = KeptJobPath();
    if (!QFileInfo::exists(kept)) return;
    auto read = OpenJob(kept);
    if (auto* job = std::get_if<Job>(&read)) {
        path_ = Settings().value(kFileKey).toString();
        // The job is unsaved when its file no longer holds what the kept copy holds.
        const auto inFile = path_.isEmpty() ? decltype(read)(JobReadError{}) : OpenJob(path_);
        const auto* fileJob = std::get_if<Job>(&inFile);
        unsaved_ = !fileJob || JobBytes(*fileJob) != JobBytes(*job);
        if (!fileJob && !path_.isEmpty() && !QFileInfo::exists(path_)) path_.clear();
        filling_ = true;
        model_.setJob(std::move(*job));
        filling_ = false;
        title_->setText(model_.job().title);
        waste_->setText(model_.job().waste);
        if (model_.rowCount() > 0)
            status_->setText(text(kTextJobKept).arg(QString::number(model_.rowCount())));
    } else {
        // A kept copy that cannot be read is set aside, not overwritten by the next change.
        QFile::remove(kept + ".damaged");
        QFile::rename(kept, kept + ".damaged");
    }
}

void JobWindow::showPrices() {
    filling_ = true;
    QStringList materials;
    for (const JobRow& row : model_.job().rows) {
        if (!row.material.isEmpty() && !materials.contains(row.material)) materials << row.material;
    }
    prices_->setHorizontalHeaderLabels({text(kTextJobMaterial), text(kTextJobPrice)});
    prices_->setRowCount(static_cast<int>(materials.size()));
    for (int r = 0; r < materials.size(); ++r) {
        prices_->setItem(r, 0, Cell(materials[r], false));
        prices_->setItem(r, 1, Cell(model_.job().prices.value(materials[r]), true, true));
    }
    prices_->resizeColumnsToContents();
    filling_ = false;
}

void JobWindow::showTotals() {
    const std::vector<JobTotal> totals = model_.totals();
    totals_->setHorizontalHeaderLabels({text(kTextJobMaterial), text(kTextJobPieces),
                                        text(kTextJobVolume), text(kTextJobMass),
                                        text(kTextJobCost), text(kTextMassWithWaste),
                                        text(kTextCostWithWaste)});
    const bool waste = !model_.job().waste.isEmpty();
    totals_->setColumnHidden(5, !waste);
    totals_->setColumnHidden(6, !waste);
    totals_->setRowCount(static_cast<int>(totals.size()));
    for (int r = 0; r < static_cast<int>(totals.size()); ++r) {
        const JobTotal& t = totals[static_cast<std::size_t>(r)];
        QTableWidgetItem* name = Cell(TotalName(t, app_.language.texts()), false);
        if (t.material.isEmpty()) {
            QFont bold = name->font();
            bold.setBold(true);
            name->setFont(bold);
        }
        totals_->setItem(r, 0, name);
        totals_->setItem(r, 1, Cell(QString::number(t.pieces), true));
        totals_->setItem(r, 2, Cell(VolumesText(t), true));
        totals_->setItem(r, 3, Cell(t.mass, true));
        totals_->setItem(r, 4, Cell(t.cost, true));
        totals_->setItem(r, 5, Cell(t.massWithWaste, true));
        totals_->setItem(r, 6, Cell(t.costWithWaste, true));
    }
    totals_->resizeColumnsToContents();
}

int JobWindow::selectedRow() const {
    const QModelIndexList rows = table_->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void JobWindow::updateActions() {
    const int row = selectedRow();
    const bool any = model_.rowCount() > 0;
    removeBtn_->setEnabled(row >= 0);
    upBtn_->setEnabled(row > 0);
    downBtn_->setEnabled(row >= 0 && row + 1 < model_.rowCount());
    showBtn_->setEnabled(row >= 0);
    for (QAction* a : {csvAction_, printAction_, pdfAction_}) a->setEnabled(any);
}

void JobWindow::addPiece(const JobRow& row) {
    const int at = model_.addRow(row);
    table_->selectRow(at);
    table_->scrollTo(model_.index(at, 0));
}

void JobWindow::addFromMain() {
    if (const std::optional<JobRow> row = main_.piece ? main_.piece() : std::nullopt) addPiece(*row);
}

void JobWindow::replaceShownRow(const JobRow& with) {
    if (shownRow() < 0) return;
    model_.replaceRow(shownRow(), with);
}

void JobWindow::removeSelected() {
    const int row = selectedRow();
    if (row < 0) return;
    model_.removeRows(row, 1);
    if (model_.rowCount() > 0) table_->selectRow(qMin(row, model_.rowCount() - 1));
    updateActions();
}

void JobWindow::moveSelected(int by) {
    const int row = selectedRow();
    const int to = row + by;
    if (row < 0 || to < 0 || to >= model_.rowCount()) return;
    model_.moveRows({}, row, 1, {}, by > 0 ? to + 1 : to);
    table_->selectRow(to);
}

void JobWindow::showSelected() {
    const int row = selectedRow();
    if (row < 0 || !main_.show) return;
    shown_ = QPersistentModelIndex(model_.index(row, 0));
    main_.show(model_.job().rows[row]);
}

bool JobWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FontChange) QTimer::singleShot(0, this, &JobWindow::fitColumns);
    // Delete removes the chosen row, Enter shows it; a cell being edited has the keys to
    // itself, since its editor has the focus.
    if (watched == table_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Delete) {
            removeSelected();
            return true;
        }
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            showSelected();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void JobWindow::say(const QString& message, int kind) {
    ShowLocalMessage(this, message, static_cast<MessageKind>(kind), MessageButton::OK,
                     MessageButton::OK, 0, app_.language.texts());
}

bool JobWindow::settleUnsaved() {
    if (!unsaved_ || model_.rowCount() == 0) return true;
    const int answer = ShowLocalMessage(
        this, text(kTextJobUnsaved), MessageKind::Confirmation,
        MessageButton::Yes | MessageButton::No | MessageButton::Cancel, MessageButton::Yes, 0,
        app_.language.texts());
    if (answer == ResultCancel) return false;
    if (answer == ResultYes) {
        if (path_.isEmpty()) {
            const QString chosen = chooseFile(true, kTextJobFiles, "mertano");
            return !chosen.isEmpty() && saveTo(chosen);
        }
        return saveTo(path_);
    }
    return true;
}

void JobWindow::newJob() {
    if (!settleUnsaved()) return;
    path_.clear();
    Settings().remove(kFileKey);
    model_.setJob(Job{});
    unsaved_ = false;
    title_->clear();
    waste_->clear();
    status_->clear();
    showTitle();
}

QString JobWindow::chooseFile(bool save, int filterText, const QString& suffix) {
    return ChooseFile(this, {save, text(filterText), suffix,
                             path_.isEmpty() ? QString() : QFileInfo(path_).absolutePath(), {}});
}

void JobWindow::openChosen() {
    if (!settleUnsaved()) return;
    const QString chosen = chooseFile(false, kTextJobFiles, "mertano");
    if (!chosen.isEmpty()) openFile(chosen);
}

bool JobWindow::openFile(const QString& path) {
    auto read = OpenJob(path);
    if (auto* error = std::get_if<JobReadError>(&read)) {
        say(error->line > 0
                ? text(kTextJobLineRefused).arg(QString::number(error->line), error->message)
                : text(kTextJobNotRead).arg(error->message),
            static_cast<int>(MessageKind::Error));
        return false;
    }
    path_ = QFileInfo(path).absoluteFilePath();
    model_.setJob(std::get<Job>(std::move(read)));
    unsaved_ = false;
    title_->setText(model_.job().title);
    waste_->setText(model_.job().waste);
    status_->clear();
    Settings().setValue(kFileKey, path_);
    rememberRecent(path_);
    showTitle();
    return true;
}

bool JobWindow::saveTo(const QString& path) {
    if (const std::optional<QString> failed = SaveJob(path, model_.job())) {
        say(text(kTextFileNotSaved).arg(QDir::toNativeSeparators(path), *failed),
            static_cast<int>(MessageKind::Error));
        return false;
    }
    path_ = QFileInfo(path).absoluteFilePath();
    unsaved_ = false;
    status_->clear();
    Settings().setValue(kFileKey, path_);
    rememberRecent(path_);
    showTitle();
    return true;
}

void JobWindow::save() {
    if (path_.isEmpty()) {
        saveAs();
    } else {
        saveTo(path_);
    }
}

void JobWindow::saveAs() {
    const QString chosen = chooseFile(true, kTextJobFiles, "mertano");
    if (!chosen.isEmpty()) saveTo(chosen);
}

void JobWindow::rememberRecent(const QString& path) {
    QSettings settings = Settings();
    QStringList recent = settings.value(kRecentKey).toStringList();
    recent.removeAll(path);
    recent.prepend(path);
    while (recent.size() > kRecentJobs) recent.removeLast();
    settings.setValue(kRecentKey, recent);
}

void JobWindow::showRecent() {
    recentMenu_->clear();
    const QStringList recent = Settings().value(kRecentKey).toStringList();
    int n = 0;
    for (const QString& path : recent) {
        if (!QFileInfo::exists(path)) continue;
        const QString label =
            QStringLiteral("&%1 %2").arg(QString::number(++n), QDir::toNativeSeparators(path).replace(QLatin1Char('&'), QStringLiteral("&&")));
        recentMenu_->addAction(label, this, [this, path] {
            if (settleUnsaved()) openFile(path);
        });
    }
    recentMenu_->setEnabled(true);
}

bool JobWindow::exportCsv(const QString& path) {
    QSaveFile file(path);
    const std::string csv = JobCsv(model_.answers());
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(csv.data(), static_cast<qint64>(csv.size())) != static_cast<qint64>(csv.size()) ||
        !file.commit()) {
        say(text(kTextFileNotSaved).arg(QDir::toNativeSeparators(path), file.errorString()),
            static_cast<int>(MessageKind::Error));
        return false;
    }
    return true;
}

void JobWindow::exportChosen() {
    const QString chosen = chooseFile(true, kTextCsvFiles, "csv");
    if (!chosen.isEmpty()) exportCsv(chosen);
}

void JobWindow::reportPdfChosen() {
    const QString chosen = chooseFile(true, kTextPdfFiles, "pdf");
    if (!chosen.isEmpty()) saveReport(chosen);
}

}  // namespace mertano
