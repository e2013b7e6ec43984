// SPDX-License-Identifier: GPL-3.0-or-later
// The store against real files: loading, atomic rewrites, damaged files kept aside.
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

#include <cstdio>

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

    // The copy and the rewritten file are for the eyes of those who could read the file.
    void copiesAreNoMoreReadableThanTheOriginal_data() {
        QTest::addColumn<int>("mode");
        QTest::newRow("owner only") << 0600;
        QTest::newRow("owner and group") << 0640;
        QTest::newRow("read-only for the owner") << 0400;
        QTest::newRow("everyone") << 0644;
    }
    void copiesAreNoMoreReadableThanTheOriginal() {
        QFETCH(int, mode);
        const mode_t umaskBefore = ::umask(022);
        WriteBytes(path_, Record("Vas", 7250) + "torn");
        QCOMPARE(::chmod(QFile::encodeName(path_), mode_t(mode)), 0);
        const auto permissions = QFileInfo(path_).permissions();
        MaterialStore store(path_);
        const auto error = store.Update([](MaterialTable t) { return Append(t, "Cu", 8960); });
        ::umask(umaskBefore);
        QVERIFY(!error);
        QCOMPARE(QFileInfo(path_ + ".damaged").permissions(), permissions);
        QCOMPARE(QFileInfo(path_).permissions(), permissions);
    }

    void aLinkedListIsRewrittenThroughTheLink() {
        QDir(dir_.path()).mkdir("shared");
        const QString target = dir_.path() + "/shared/Gravity.grv";
        WriteBytes(target, Record("Vas", 7250));
        QVERIFY(QFile::link(target, path_));
        MaterialStore store(path_);
        QVERIFY(!store.Update([](MaterialTable t) { return Append(t, "Cu", 8960); }));
        QVERIFY(QFileInfo(path_).isSymLink());
        QCOMPARE(ReadBytes(target), Record("Vas", 7250) + Record("Cu", 8960));
    }

    // Nothing in the file's place may block the program or fill its memory; each is an
    // unreadable file, and a save leaves it alone.
    void onlyARegularFileWithinTheLimitIsRead_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("named pipe") << "pipe"
                                    << "named pipe";
        QTest::newRow("link to /dev/zero") << "zero"
                                           << "device";
        QTest::newRow("symbolic-link loop") << "loop"
                                            << "symbolic links";
        QTest::newRow("one byte over the limit") << "over"
                                                 << "larger than 64 MiB";
    }
    void onlyARegularFileWithinTheLimitIsRead() {
        QFETCH(QString, kind);
        if (kind == "pipe") QCOMPARE(mkfifo(QFile::encodeName(path_), 0600), 0);
        if (kind == "zero") QVERIFY(QFile::link("/dev/zero", path_));
        if (kind == "loop") QVERIFY(QFile::link(path_, path_));
        if (kind == "over") {
            QFile file(path_);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QVERIFY(file.resize(kMaxMaterialFileBytes + 1));  // sparse: costs no disk
        }
        MaterialStore store(path_);
        QVERIFY(!store.CreateIfMissing());
        QFETCH(QString, reason);
        for (const auto& error :
             {store.LoadMaterials(), store.Update([](MaterialTable t) { return t; })}) {
            QVERIFY(error);
            QVERIFY2(error->message.contains(reason), qPrintable(error->message));
            QVERIFY(error->message.contains(QDir::toNativeSeparators(path_)));
        }
        QCOMPARE(
            QDir(dir_.path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot),
            QStringList{"Gravity.grv"});
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

    // Every dialog that closes reloads the list: a file that holds what was read keeps the
    // table (and its generation, so no window lists it again); any other change is read,
    // even one made within the same tick of the file system's clock.
    void reloadTakesOnlyAChange_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<bool>("newTable");
        const QByteArray two = Records({{"Vas", 7250}, {"Alu", 2700}});
        QTest::newRow("nothing changed") << "" << two << false;
        QTest::newRow("the same bytes written again") << "write" << two << false;
        QTest::newRow("the same bytes renamed into its place") << "rename" << two << false;
        QTest::newRow("same size, another gravity, at once")
            << "write" << Records({{"Vas", 7850}, {"Alu", 2700}}) << true;
        QTest::newRow("same size and times, another gravity")
            << "write, times back" << Records({{"Vas", 7850}, {"Alu", 2700}}) << true;
        QTest::newRow("another file of the same size renamed into its place")
            << "rename" << Records({{"Cu", 8960}, {"Alu", 2700}}) << true;
        QTest::newRow("deleted") << "delete" << QByteArray() << true;
    }
    void reloadTakesOnlyAChange() {
        QFETCH(QString, change);
        QFETCH(QByteArray, after);
        QFETCH(bool, newTable);
        WriteBytes(path_, Records({{"Vas", 7250}, {"Alu", 2700}}));
        const QDateTime modified = QFileInfo(path_).lastModified();
        MaterialStore store(path_);
        QVERIFY(!store.LoadMaterials());
        const quint64 generation = store.generation();
        if (change.startsWith("write")) WriteBytes(path_, after);
        if (change.endsWith("times back")) {
            QFile file(path_);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(modified, QFileDevice::FileModificationTime));
        }
        if (change == "rename") {
            WriteBytes(path_ + ".new", after);
            QCOMPARE(std::rename(QFile::encodeName(path_ + ".new"), QFile::encodeName(path_)), 0);
        }
        if (change == "delete") QVERIFY(QFile::remove(path_));
        QVERIFY(!store.LoadMaterials());
        QCOMPARE(store.generation() != generation, newTable);
        QCOMPARE(EncodeMaterials(store.table()), after);
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
