// SPDX-License-Identifier: GPL-3.0-or-later
// The store against real files: loading, atomic rewrites, damaged files kept aside.
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include "material_fixtures.h"
#include "materials/material_store.h"
#include "test_main.h"

using namespace mertano;
using namespace mertano::test;

namespace {

MaterialTable Append(MaterialTable table, const QString& name, qint32 gravity) {
    table.append(MakeMaterial(name, gravity));
    return table;
}

}  // namespace

class TstMaterialStore : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString path_;

private slots:
    void init() {
        QVERIFY(dir_.isValid());
        QDir(dir_.path()).removeRecursively();
        QDir().mkpath(dir_.path());
        path_ = QDir(dir_.path()).filePath("Gravity.grv");
    }

    void startUpCreatesOnlyAMissingFile() {
        MaterialStore store(path_);
        QVERIFY(!store.CreateIfMissing());
        QVERIFY(QFileInfo(path_).isFile());
        QCOMPARE(QFileInfo(path_).size(), 0);
        WriteBytes(path_, Record("Vas", 7250));
        QVERIFY(!store.CreateIfMissing());
        QCOMPARE(ReadBytes(path_), Record("Vas", 7250));
    }

    void missingFileIsAnEmptyList() {
        MaterialStore store(path_);
        QVERIFY(!store.LoadMaterials());
        QVERIFY(store.table().isEmpty());
    }

    void everyRecordIsKeptBeyond1001() {
        QByteArray bytes;
        for (int k = 0; k < 1500; ++k) bytes += Record("M" + QByteArray::number(k), k);
        WriteBytes(path_, bytes);
        MaterialStore store(path_);
        QVERIFY(!store.LoadMaterials());
        QCOMPARE(store.table().size(), 1500);
        QVERIFY(!store.Update([](MaterialTable t) { return Append(t, "Új", 1); }));
        QCOMPARE(ReadBytes(path_), bytes + Record("\xc3\x9aj", 1));
        QCOMPARE(store.table().size(), 1501);
    }

    void updateStartsFromTheFileAsItIsNow() {
        WriteBytes(path_, Records({{"Vas", 7250}}));
        MaterialStore store(path_);
        QVERIFY(!store.LoadMaterials());
        WriteBytes(path_, Records({{"Vas", 7250}, {"Alu", 2700}}));  // another writer
        QVERIFY(!store.Update([](MaterialTable t) { return Append(t, "Réz", 8900); }));
        QCOMPARE(ReadBytes(path_), Records({{"Vas", 7250}, {"Alu", 2700}, {"R\xc3\xa9z", 8900}}));
    }

    void damagedFileIsKeptBeforeTheFirstRewrite_data() {
        QTest::addColumn<QByteArray>("damaged");
        QTest::addColumn<QByteArray>("rewritten");
        const QByteArray vas = Record("Vas", 7250);
        QTest::newRow("partial record") << vas + QByteArray("\x02", 1) << vas + Record("Cu", 8960);
        QTest::newRow("name length above 20")
            << Record("ABCDEFGHIJKLMNOPQRSTUVW", 5, 23)
            << Record("ABCDEFGHIJKLMNOPQRST", 5) + Record("Cu", 8960);
    }
    void damagedFileIsKeptBeforeTheFirstRewrite() {
        QFETCH(QByteArray, damaged);
        WriteBytes(path_, damaged);
        MaterialStore store(path_);
        QVERIFY(!store.LoadMaterials());
        const std::optional<QString> report = store.TakeDamageReport();
        QVERIFY(report && report->contains(QDir::toNativeSeparators(path_)));
        QVERIFY(!store.LoadMaterials());
        QVERIFY2(!store.TakeDamageReport(), "the same damage is told once");

        QVERIFY(!store.Update([](MaterialTable t) { return Append(t, "Cu", 8960); }));
        QCOMPARE(ReadBytes(path_ + ".damaged"), damaged);
        QTEST(ReadBytes(path_), "rewritten");
        QVERIFY(!store.Update([](MaterialTable t) { return t; }));
        QCOMPARE(ReadBytes(path_ + ".damaged"), damaged);
    }

    void olderDamagedCopyIsNotOverwritten() {
        WriteBytes(path_ + ".damaged", "older");
        WriteBytes(path_, "xyz");
        MaterialStore store(path_);
        QVERIFY(!store.Update([](MaterialTable t) { return t; }));
        QCOMPARE(ReadBytes(path_ + ".damaged"), QByteArray("older"));
        QCOMPARE(ReadBytes(path_ + ".damaged.2"), QByteArray("xyz"));
        QCOMPARE(ReadBytes(path_), QByteArray());
    }

    void damagedFileIsNotRewrittenWithoutItsCopy() {
        QDir(dir_.path()).mkdir("Gravity.grv.damaged");
        QDir(dir_.path()).mkdir("Gravity.grv.damaged.2");
        WriteBytes(path_ + ".damaged.3", "other");
        for (int k = 4; k <= 100; ++k)
            QDir(dir_.path()).mkdir("Gravity.grv.damaged." + QString::number(k));
        const QByteArray damaged = Record("Vas", 7250) + "x";
        WriteBytes(path_, damaged);
        MaterialStore store(path_);
        const std::optional<MaterialError> error =
            store.Update([](MaterialTable t) { return Append(t, "Cu", 1); });
        QVERIFY(error);
        QVERIFY(error->message.contains(QDir::toNativeSeparators(path_)));
        QCOMPARE(ReadBytes(path_), damaged);
    }

    void directoryInTheFilesPlace() {
        QDir(dir_.path()).mkpath("Gravity.grv/inside");
        MaterialStore store(path_);
        QVERIFY(!store.CreateIfMissing());
        const std::optional<MaterialError> load = store.LoadMaterials();
        QVERIFY(load && load->message.contains(QDir::toNativeSeparators(path_)));
        const std::optional<MaterialError> update =
            store.Update([](MaterialTable t) { return Append(t, "Cu", 1); });
        QVERIFY(update && update->message.contains(QDir::toNativeSeparators(path_)));
        QVERIFY(QFileInfo(path_ + "/inside").isDir());
    }

    void failedLoadKeepsTheLastTable() {
        WriteBytes(path_, Records({{"Vas", 7250}}));
        MaterialStore store(path_);
        QVERIFY(!store.LoadMaterials());
        QFile::remove(path_);
        QDir(dir_.path()).mkdir("Gravity.grv");
        QVERIFY(store.LoadMaterials());
        QCOMPARE(store.table().size(), 1);
    }

    void workingFolderIsFixedAtStartUp() {
        const QString before = QDir::currentPath();
        QDir::setCurrent(dir_.path());
        MaterialStore store = MaterialStore::InWorkingFolder();
        QDir::setCurrent(before);
        QCOMPARE(QFileInfo(QFileInfo(store.path()).path()).canonicalFilePath(),
                 QFileInfo(dir_.path()).canonicalFilePath());
        QVERIFY(QFileInfo(store.path()).isAbsolute());
    }
};
MERTANO_REGISTER_TEST(TstMaterialStore)

#include "tst_material_store.moc"
