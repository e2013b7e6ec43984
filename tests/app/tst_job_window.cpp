// SPDX-License-Identifier: GPL-3.0-or-later
// The job sheet as a person uses it: figures solved in the main window and added, the
// job kept, saved, opened, exported and handed to the command line.
#include <QAbstractItemModelTester>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTest>

#include "job/job_window.h"
#include "main_window_steps.h"
#include "material_record.h"
#include "test_main.h"

namespace mertano {
namespace {

using test::MaterialRecordBytes;

// Six pieces in two materials and two units, as a workshop's job comes.
struct Piece {
    ShapeKind shape;
    const char* unit;
    const char* material;
    const char* inputs;
};
const Piece kPieces[] = {
    {ShapeKind::Cylinder, "mm", "Steel", "r=20 ma=120"},
    {ShapeKind::Cone, "mm", "Steel", "r=30 ma=40"},
    {ShapeKind::TruncatedCone, "mm", "Aluminium", "R=60 r=30 ma=40"},
    {ShapeKind::Cuboid, "cm", "Aluminium", "a=10 b=20 c=0.5"},
    {ShapeKind::Sphere, "cm", "Steel", "r=2.5"},
    {ShapeKind::Cube, "mm", "Aluminium", "a=35"},
};

QByteArray Run(const QStringList& args, const QByteArray& input) {
    QProcess cli;
    cli.start(QStringLiteral(MERTANO_CLI), args);
    cli.write(input);
    cli.closeWriteChannel();
    cli.waitForFinished(30000);
    return cli.readAllStandardOutput();
}

}  // namespace

class TstJobWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<AppContext> app_;
    std::unique_ptr<TFoForm> form_;

    void open() {
        app_ = std::make_unique<AppContext>();
        form_ = std::make_unique<TFoForm>(*app_);
        QVERIFY(test::ShowActive(*form_));
    }
    void solve(const Piece& p) {
        test::ChooseFigure(*form_, p.shape);
        form_->EgysegComboBox->setCurrentText(p.unit);
        form_->AnyagComboBox->setCurrentText(p.material);
        test::TypeAll(*form_, p.inputs);
        form_->SzamolBtnClick();
    }
    JobModel& model() { return form_->jobWindow()->model(); }
    QString totalsCell(int row, int column) {
        auto* totals = form_->jobWindow()->findChild<QTableWidget*>("JobTotals");
        return totals->item(row, column) ? totals->item(row, column)->text() : QString();
    }

private slots:
    void init() {
        QFile file(QDir::current().filePath("Gravity.grv"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(MaterialRecordBytes("Steel", 7850) + MaterialRecordBytes("Aluminium", 2700));
        file.close();
        QFile::remove(KeptJobPath());
        open();
    }
    void cleanup() {
        form_.reset();
        app_.reset();
    }

    // Built in the window, saved, and fed to the command line: the same totals to the last
    // digit, per unit as the command line adds them, and the window's whole-job mass.
    void windowAndCommandLineAgree() {
        for (const Piece& p : kPieces) {
            solve(p);
            QTest::keyClick(form_.get(), Qt::Key_J, Qt::ControlModifier);
        }
        QCOMPARE(model().rowCount(), 6);
        QVERIFY(model().setData(model().index(0, JobModel::CountColumn), 8));
        model().setPrice("Steel", "1.35");
        const QString path = QDir::current().filePath("job.mertano");
        QVERIFY(form_->jobWindow()->saveTo(path));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray csv = Run({"--batch", "--csv", "--totals"}, file.readAll());
        QCOMPARE(QString::fromStdString(JobCsv(model().answers())), QString::fromUtf8(csv));
        // The job's totals are the sums of the command line's totals of each unit, to the
        // last digit: pieces, mass in ten-thousandths of a kg, cost in cents.
        qint64 pieces = 0, mass = 0, cost = 0;
        for (const QByteArray& line : csv.split('\n')) {
            if (!line.startsWith("Total,")) continue;
            const QList<QByteArray> cells = line.trimmed().split(',');
            pieces += cells[23].toLongLong();
            mass += QByteArray(cells[25]).replace(".", "").toLongLong();
            // The cost is last: the message before it may hold commas of its own.
            cost += QByteArray(cells.last()).replace(".", "").toLongLong();
        }
        const JobTotal whole = model().totals().back();
        QCOMPARE(whole.material, QString());
        QCOMPARE(pieces, 13);
        QCOMPARE(whole.pieces, pieces);
        QCOMPARE(QString(whole.mass).remove('.').toLongLong(), mass);
        QCOMPARE(QString(whole.cost).remove('.').toLongLong(), cost);
        const std::vector<JobTotal> totals = model().totals();
        QCOMPARE(totalsCell(static_cast<int>(totals.size()) - 1, 3), totals.back().mass);
    }

    // The same piece again raises its count; a changed figure is a row of its own.
    void samePieceRaisesTheCount() {
        solve(kPieces[1]);
        form_->addToJob();
        form_->addToJob();
        solve(kPieces[0]);
        form_->addToJob();
        QCOMPARE(model().rowCount(), 2);
        QCOMPARE(model().job().rows[0].count, 2);
        QCOMPARE(model().job().rows[0].density, QString("7.8500"));
    }

    // Shown again in the main window, changed and recalculated, the row is replaced and
    // keeps its count and note.
    void shownRowIsReplaced() {
        solve(kPieces[1]);
        form_->addToJob();
        QVERIFY(model().setData(model().index(0, JobModel::CountColumn), 3));
        QVERIFY(model().setData(model().index(0, JobModel::NoteColumn), "funnel"));
        auto* table = form_->jobWindow()->findChild<QTableView*>("JobTable");
        table->selectRow(0);
        form_->jobWindow()->findChild<QPushButton*>("JobShowBtn")->click();
        QCOMPARE(form_->edit(Field::SugarEdit)->text(), QString("30.0000"));
        form_->changeValues();
        test::TypeAll(*form_, "r=25");
        form_->SzamolBtnClick();
        form_->replaceJobRow();
        QCOMPARE(model().rowCount(), 1);
        QCOMPARE(model().job().rows[0].count, 3);
        QCOMPARE(model().job().rows[0].note, QString("funnel"));
        QVERIFY(model().valuesText(0).startsWith("r = 25.0000 mm"));
    }

    // Every change is kept at once: a new start, as after a killed process, finds it.
    void keptAcrossARestart() {
        solve(kPieces[2]);
        form_->addToJob();
        model().setWaste("5");
        const QByteArray kept = JobBytes(model().job());
        form_.reset();  // no saving on the way out: the copy is already there
        open();
        QCOMPARE(JobBytes(model().job()), kept);
        QVERIFY(form_->jobWindow()->unsaved());
    }

    // A damaged file is refused, the line named, and the job in the window stays.
    void damagedFileLosesNothing_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("line");
        QTest::newRow("cut short") << QByteArray("{\"figure\":\"Cube\",\"fields\":{\"a\":\"2\"}}\n"
                                                 "{\"figure\":\"Cu")
                                   << "2";
        QTest::newRow("foreign") << QByteArray("name,price\nsteel,3\n") << "1";
    }
    void damagedFileLosesNothing() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, line);
        solve(kPieces[0]);
        form_->addToJob();
        const QByteArray before = JobBytes(model().job());
        const QString path = QDir::current().filePath("damaged.mertano");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        test::MessageCatcher catcher;
        catcher.armOnce();
        QVERIFY(!form_->jobWindow()->openFile(path));
        QVERIFY(catcher.text.contains(" " + line + " "));
        QCOMPARE(JobBytes(model().job()), before);
    }

    // The table model keeps Qt's rules through adding, editing, moving and removing.
    void modelKeepsTheRules() {
        QAbstractItemModelTester tester(&model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        for (const Piece& p : kPieces) {
            solve(p);
            form_->addToJob();
        }
        QVERIFY(model().moveRows({}, 0, 2, {}, 5));
        QCOMPARE(model().job().rows[3].shape, ShapeKind::Cylinder);
        QVERIFY(!model().moveRows({}, 0, 1, {}, 1));
        QVERIFY(!model().setData(model().index(1, JobModel::CountColumn), 0));
        QVERIFY(!model().setData(model().index(1, JobModel::MassColumn), "1"));
        QVERIFY(model().removeRows(1, 2));
        QCOMPARE(model().rowCount(), 4);
    }

    // In every language each access key of the window, and of its menu, is its own: Alt
    // and a letter does one thing.
    void accessKeysAreTheirOwn_data() {
        QTest::addColumn<QString>("language");
        for (const char* language : {"English", "Hungarian", "German"}) QTest::newRow(language) << language;
    }
    void accessKeysAreTheirOwn() {
        QFETCH(QString, language);
        const QString folder = QDir(QStringLiteral(MERTANO_HELP_SOURCE) + "..").absolutePath();
        app_->language = LanguageState(folder, language);
        QVERIFY(!app_->language.reload());
        form_->Nyelvvalt();
        JobWindow* window = form_->jobWindow();
        const auto keyOf = [](const QString& text) {
            const qsizetype at = text.indexOf('&');
            return at < 0 || at + 1 >= text.size() ? QChar() : text[at + 1].toLower();
        };
        const auto unique = [&](const QStringList& texts) {
            QSet<QChar> seen;
            for (const QString& t : texts) {
                const QChar key = keyOf(t);
                QVERIFY2(!key.isNull(), qPrintable(t));
                QVERIFY2(!seen.contains(key), qPrintable(language + ": " + t));
                seen.insert(key);
            }
        };
        QStringList inWindow;
        for (const auto* b : window->findChildren<QPushButton*>()) inWindow << b->text();
        for (const auto* l : window->findChildren<QLabel*>())
            if (l->buddy()) inWindow << l->text();
        for (const auto* m : window->findChildren<QMenu*>())
            if (m->menuAction()->parent() && qobject_cast<QMenuBar*>(m->parent())) inWindow << m->title();
        unique(inWindow);
        QStringList inMenu;
        for (const auto* a : window->findChild<QMenuBar*>()->actions().first()->menu()->actions())
            if (!a->isSeparator()) inMenu << a->text();
        unique(inMenu);
    }

    // The report holds the job's title, its totals and, asked for, the solutions.
    void reportToPdf() {
        const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
        if (pdftotext.isEmpty()) QSKIP("pdftotext is not installed");
        for (const Piece& p : kPieces) {
            solve(p);
            form_->addToJob();
        }
        model().setTitle("Hopper for line 3");
        const QString path = QDir::current().filePath("report.pdf");
        QVERIFY(form_->jobWindow()->saveReport(path));
        QProcess text;
        text.start(pdftotext, {path, "-"});
        QVERIFY(text.waitForFinished(30000));
        const QString words = QString::fromUtf8(text.readAllStandardOutput());
        QVERIFY(words.contains("Hopper for line 3"));
        QVERIFY(words.contains(model().totals().back().mass));
        QVERIFY(words.contains("Whole job"));
    }
};

MERTANO_REGISTER_TEST(TstJobWindow)

}  // namespace mertano

#include "tst_job_window.moc"
