// SPDX-License-Identifier: GPL-3.0-or-later
// Which folder holds the program's files: beside the executable or the data folder of
// its prefix.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "system/program_folder.h"
#include "test_main.h"

using namespace mertano;

class TstProgramFolder : public QObject {
    Q_OBJECT

private slots:
    void decides_data() {
        QTest::addColumn<QStringList>("layout");  // folders, or files when they end in ".lng"
        QTest::addColumn<QString>("executable");
        QTest::addColumn<QString>("dataFromExecutable");
        QTest::addColumn<QString>("expected");
        QTest::newRow("build tree: the files beside the executable")
            << QStringList{"build/bin/Language/English.lng"} << "build/bin"
            << "../share/mertano"
            << "build/bin/";
        QTest::newRow("installed: the data folder of the prefix")
            << QStringList{"usr/bin", "usr/share/mertano/Language/English.lng"} << "usr/bin"
            << "../share/mertano"
            << "usr/share/mertano/";
        QTest::newRow("a prefix moved elsewhere")
            << QStringList{"opt/x/y/bin", "opt/x/y/share/mertano/Language/German.lng"}
            << "opt/x/y/bin"
            << "../share/mertano"
            << "opt/x/y/share/mertano/";
        QTest::newRow("another layout of bin and share")
            << QStringList{"p/lib/mertano/bin", "p/share/mertano/Language/German.lng"}
            << "p/lib/mertano/bin"
            << "../../../share/mertano"
            << "p/share/mertano/";
        QTest::newRow("a copy beside the executable wins over the prefix")
            << QStringList{"usr/bin/Language/English.lng", "usr/share/mertano/Language/German.lng"}
            << "usr/bin"
            << "../share/mertano"
            << "usr/bin/";
        QTest::newRow("the language folder in another letter case")
            << QStringList{"copy/language/English.lng", "share/mertano/Language"} << "copy"
            << "../share/mertano"
            << "copy/";
        QTest::newRow("an installed data folder still missing its languages")
            << QStringList{"usr/bin", "usr/share/mertano"} << "usr/bin"
            << "../share/mertano"
            << "usr/share/mertano/";
        QTest::newRow("nothing anywhere: beside the executable, where a copy looks")
            << QStringList{"usr/bin"} << "usr/bin"
            << "../share/mertano"
            << "usr/bin/";
        QTest::newRow("executable folder given with a trailing separator")
            << QStringList{"usr/bin", "usr/share/mertano"} << "usr/bin/"
            << "../share/mertano"
            << "usr/share/mertano/";
        QTest::newRow("no data path configured")
            << QStringList{"usr/bin", "usr/share/mertano"} << "usr/bin"
            << ""
            << "usr/bin/";
    }
    void decides() {
        QFETCH(QStringList, layout);
        QFETCH(QString, executable);
        QFETCH(QString, dataFromExecutable);
        QFETCH(QString, expected);
        QTemporaryDir root;
        QVERIFY(root.isValid());
        const QDir dir(root.path());
        for (const QString& entry : layout) {
            if (entry.endsWith(".lng")) {
                QVERIFY(dir.mkpath(entry.section('/', 0, -2)));
                QFile file(dir.filePath(entry));
                QVERIFY(file.open(QIODevice::WriteOnly));
            } else {
                QVERIFY(dir.mkpath(entry));
            }
        }
        QCOMPARE(ProgramFolder(dir.filePath(executable), dataFromExecutable),
                 dir.filePath(expected));
    }
};

MERTANO_REGISTER_TEST(TstProgramFolder)
#include "tst_program_folder.moc"
