// SPDX-License-Identifier: GPL-3.0-or-later
// How the time to read and list the material file grows with the file: reading and
// decoding it, sorting and listing it in each window's order, the main window's whole
// activation after the file changed, and the activation after a dialog closed over an
// unchanged file. At a hundredth, a tenth and all of the largest file Mertano reads
// (64 MiB, 2.4 million records), offscreen; the complexity lines fit each series to N.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <QtEndian>
#include <map>
#include <memory>

#include "app/app_context.h"
#include "app/fo_form.h"
#include "materials/material_file.h"
#include "materials/material_list.h"
#include "materials/material_store.h"

using namespace mertano;

namespace {

constexpr qint64 kLargest = kMaxMaterialFileBytes / kMaterialRecordSize;

QTemporaryDir& Work() {
    static QTemporaryDir work;
    return work;
}

// Names as people keep them, some accented, in no order; a few repeat.
MaterialTable Table(qint64 records) {
    static const char* const kStems[] = {"Acél", "Alu",   "Bronz",  "Réz",  "Öntvény", "Ólom",
                                         "Vas",  "Tölgy", "Gránit", "Üveg", "beton",   "Cink"};
    QRandomGenerator random(7);
    MaterialTable table;
    table.reserve(records);
    for (qint64 k = 0; k < records; ++k) {
        const QString name = QStringLiteral("%1 %2")
                                 .arg(QString::fromUtf8(kStems[random.bounded(12)]))
                                 .arg(random.bounded(quint32(records)));
        table << MakeMaterial(name, qint32(1000 + random.bounded(20000)));
    }
    return table;
}

void Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

// The file of each size, written once.
const QString& FileOf(qint64 records) {
    static std::map<qint64, QString> files;
    QString& path = files[records];
    if (path.isEmpty()) {
        QDir(Work().path()).mkdir(QString::number(records));
        path = Work().filePath(QString::number(records) + "/Gravity.grv");
        Write(path, EncodeMaterials(Table(records)));
    }
    return path;
}

void Count(benchmark::State& state) {
    state.SetComplexityN(state.range(0));
    state.counters["records/s"] = benchmark::Counter(
        double(state.iterations()) * double(state.range(0)), benchmark::Counter::kIsRate);
}

void BM_ReadAndDecode(benchmark::State& state) {
    const QString& path = FileOf(state.range(0));
    for (auto _ : state) {
        MaterialStore store(path);
        if (store.LoadMaterials()) state.SkipWithError("unreadable");
        benchmark::DoNotOptimize(store.table().data());
    }
    Count(state);
}

void ListInBox(benchmark::State& state, MaterialOrder order) {
    MaterialStore store(FileOf(state.range(0)));
    if (store.LoadMaterials()) state.SkipWithError("unreadable");
    QComboBox box;
    box.setEditable(true);
    ListMaterials(&box, store, order);
    auto* model = dynamic_cast<MaterialListModel*>(box.model());
    for (auto _ : state) {
        model->listed = 0;  // as after a change: the old list goes, the new one comes
        ListMaterials(&box, store, order);
    }
    if (box.count() != MaterialNames(store.table()).size()) state.SkipWithError("wrong count");
    Count(state);
}
void BM_ListMainWindowOrder(benchmark::State& state) {
    ListInBox(state, MaterialOrder::CodeUnits);
}
void BM_ListDialogOrder(benchmark::State& state) {
    ListInBox(state, MaterialOrder::ForTheEye);
}

// The main window shown with the file's list, as after start-up.
struct Window {
    AppContext app;
    std::unique_ptr<TFoForm> form;
    explicit Window(const QString& path) {
        app.materials = MaterialStore(path);
        form = std::make_unique<TFoForm>(app);
        form->show();
        QApplication::processEvents();
    }
};

// A dialog closing after the file was rewritten by someone else: read, decode, list.
void BM_ActivateAfterAChange(benchmark::State& state) {
    const QString path = Work().filePath(QString("changed-%1.grv").arg(state.range(0)));
    QFile::remove(path);
    QFile::copy(FileOf(state.range(0)), path);
    Window window(path);
    QByteArray bytes;
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) state.SkipWithError("unreadable");
        bytes = file.readAll();
    }
    qint32 gravity = 0;
    for (auto _ : state) {
        state.PauseTiming();
        qToLittleEndian<qint32>(++gravity, bytes.data() + 24);  // the first record's gravity
        Write(path, bytes);
        state.ResumeTiming();
        window.form->FormActivate();
    }
    Count(state);
}

// A dialog closing over a file that has not changed: what every close of the angle or
// language dialog costs.
void BM_ActivateUnchanged(benchmark::State& state) {
    const QString& path = FileOf(state.range(0));
    Window window(path);
    // Until its times have settled, a file is read again to be sure; a user's file has.
    while (QFileInfo(path).metadataChangeTime().msecsTo(QDateTime::currentDateTime()) < 3500)
        QThread::msleep(100);
    window.form->FormActivate();
    for (auto _ : state) window.form->FormActivate();
    Count(state);
}

void Sizes(benchmark::internal::Benchmark* b) {
    b->Arg(kLargest / 100)->Arg(kLargest / 10)->Arg(kLargest);
    b->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
}

BENCHMARK(BM_ReadAndDecode)->Apply(Sizes);
BENCHMARK(BM_ListMainWindowOrder)->Apply(Sizes);
BENCHMARK(BM_ListDialogOrder)->Apply(Sizes);
BENCHMARK(BM_ActivateAfterAChange)->Apply(Sizes);
BENCHMARK(BM_ActivateUnchanged)->Apply(Sizes)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The offscreen platform's notes would bury the figures.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    QApplication application(argc, argv);
    // The dialog's order is a language's collation, as on a user's desktop.
    QLocale::setDefault(QLocale(QLocale::Hungarian, QLocale::Hungary));
    QDir::setCurrent(Work().path());
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
