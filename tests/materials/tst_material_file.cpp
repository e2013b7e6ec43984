// SPDX-License-Identifier: GPL-3.0-or-later
// The material file's bytes, its damaged forms and the table operations on its records.
#include <QTemporaryDir>
#include <QTest>

#include "material_fixtures.h"
#include "materials/material_file.h"
#include "materials/material_store.h"
#include "test_main.h"

using namespace mertano;
using namespace mertano::test;

namespace {

QStringList Names(const MaterialTable& table) {
    QStringList names;
    for (const MaterialRecord& m : table) names << m.name;
    return names;
}

QList<qint32> Gravities(const MaterialTable& table) {
    QList<qint32> out;
    for (const MaterialRecord& m : table) out << m.gravity;
    return out;
}

MaterialTable Table(const std::vector<std::pair<QByteArray, qint32>>& records) {
    return DecodeMaterials(Records(records)).table;
}

}  // namespace

class TstMaterialFile : public QObject {
    Q_OBJECT

private slots:
    void newRecordIsByteExact() {
        const QByteArray expected = QByteArray::fromHex(
            "03566173"
            "0000000000000000000000000000000000"  // "Vas", 17 unused bytes
            "000000"                              // padding
            "521c0000");                          // 7250
        QCOMPARE(EncodeMaterials({MakeMaterial(QStringLiteral("Vas"), 7250)}), expected);
    }

    void decodesRecords_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("nameBytes");
        QTest::addColumn<qint32>("gravity");
        QTest::newRow("plain") << Record("Vas", 7250) << "Vas" << QByteArray("Vas") << 7250;
        QTest::newRow("blanks and NULs around the name are trimmed")
            << Record(QByteArray(" \tVas\0 ", 7), 7250) << "Vas" << QByteArray("Vas") << 7250;
        QTest::newRow("bytes beyond the name length do not count")
            << Record("VasXYZ", 7250, 3) << "Vas" << QByteArray("Vas") << 7250;
        QTest::newRow("UTF-8 name") << Record("R\xc3\xa9z", 8900) << QString::fromUtf8("Réz")
                                    << QByteArray("R\xc3\xa9z") << 8900;
        QTest::newRow("8-bit name is read as Latin-1 and its bytes kept")
            << Record("R\xe9z", 8900) << QString::fromUtf8("Réz") << QByteArray("R\xe9z") << 8900;
        QTest::newRow("blank name") << Record("   ", 1000) << "" << QByteArray() << 1000;
        QTest::newRow("gravity is signed")
            << Record("Minus", -5) << "Minus" << QByteArray("Minus") << -5;
        QTest::newRow("full 20 bytes")
            << Record("ABCDEFGHIJKLMNOPQRST", 1) << "ABCDEFGHIJKLMNOPQRST"
            << QByteArray("ABCDEFGHIJKLMNOPQRST") << 1;
    }
    void decodesRecords() {
        QFETCH(QByteArray, bytes);
        const DecodedMaterials d = DecodeMaterials(bytes);
        QCOMPARE(d.table.size(), 1);
        QTEST(d.table[0].name, "name");
        QTEST(d.table[0].nameBytes, "nameBytes");
        QTEST(d.table[0].gravity, "gravity");
        QVERIFY(d.damage.isEmpty());
    }

    void roundTripKeepsEveryByte_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("duplicates in file order")
            << Records({{"Vas", 7250}, {"Vas", 7850}, {"Alu", 2700}, {"Vas", 7300}});
        QTest::newRow("8-bit names stay 8-bit") << Records({{"R\xe9z", 8900}, {"\xd3n", 11340}});
        QTest::newRow("padding as read") << Record("Vas", 7250, -1, QByteArray("\x01\x02\x03", 3));
        QTest::newRow("blank record") << Record("", 1234);
    }
    void roundTripKeepsEveryByte() {
        QFETCH(QByteArray, bytes);
        QCOMPARE(EncodeMaterials(DecodeMaterials(bytes).table), bytes);
    }

    void damagedFiles_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("damage");
        const QByteArray two = Records({{"Vas", 7250}, {"Alu", 2700}});
        QTest::newRow("partial last record")
            << two + QByteArray("\x03Cu", 3) << QStringList{"Vas", "Alu"} << "59 bytes";
        QTest::newRow("shorter than one record")
            << QByteArray(27, 'x') << QStringList{} << "the last 27 bytes";
        QTest::newRow("name length above 20 cuts the name")
            << Record("Vas", 7250) + Record("ABCDEFGHIJKLMNOPQRST", 1, 25)
            << QStringList{"Vas", "ABCDEFGHIJKLMNOPQRST"} << "record 2 gives a name length of 25";
        QByteArray many;
        for (int k = 0; k < 5; ++k) many += Record("X", 1, 200);
        QTest::newRow("many bad records are counted")
            << many << QStringList(5, "X") << "2 more such records";
    }
    void damagedFiles() {
        QFETCH(QByteArray, bytes);
        const DecodedMaterials d = DecodeMaterials(bytes);
        QTEST(Names(d.table), "names");
        QFETCH(QString, damage);
        QVERIFY2(d.damage.contains(damage), qPrintable(d.damage));
    }

    void namesAreCutToFit_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("fits");
        QTest::newRow("trimmed") << " \tVas  "
                                 << "Vas" << true;
        QTest::newRow("20 ASCII characters") << QString(20, 'a') << QString(20, 'a') << true;
        QTest::newRow("21 ASCII characters") << QString(21, 'a') << QString(20, 'a') << false;
        QTest::newRow("blanks do not count")
            << "  " + QString(20, 'a') + "  " << QString(20, 'a') << true;
        QTest::newRow("two-byte letters cut whole")
            << QString(11, QChar(0x0151)) << QString(10, QChar(0x0151)) << false;
        QTest::newRow("letter with combining accent is not split")
            << QString::fromUtf8("e\u0301").repeated(7) << QString::fromUtf8("e\u0301").repeated(6)
            << false;
        QTest::newRow("a blank left at the cut is trimmed") << "abcdefghijklmnopqrs tuv"
                                                            << "abcdefghijklmnopqrs" << false;
        QTest::newRow("four-byte character at the edge")
            << QString(17, 'a') + QString::fromUtf8("\U0001F600") << QString(17, 'a') << false;
    }
    void namesAreCutToFit() {
        QFETCH(QString, typed);
        const MaterialRecord m = MakeMaterial(typed, 1000);
        QTEST(m.name, "stored");
        QCOMPARE(m.nameBytes, m.name.toUtf8());
        QVERIFY(m.nameBytes.size() <= 20);
        QTEST(MaterialNameFits(typed), "fits");
    }

    void gravityIsStoredTimes1000_data() {
        QTest::addColumn<double>("typed");
        QTest::addColumn<qint32>("stored");
        QTest::newRow("iron") << 7.25 << 7250;
        QTest::newRow("two decimals") << 0.01 << 10;
        QTest::newRow("largest the edit takes") << 100000.0 << 100000000;
        QTest::newRow("beyond 32 bits is held") << 1e12 << std::numeric_limits<qint32>::max();
    }
    void gravityIsStoredTimes1000() {
        QFETCH(double, typed);
        QTEST(GravityToStored(typed), "stored");
    }

    void findGravity_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("gravity");  // -1: none
        QTest::newRow("last equal name wins") << "Vas" << 7300;
        QTest::newRow("typed name is trimmed") << "  Alu " << 2700;
        QTest::newRow("case-sensitive") << "vas" << -1;
        QTest::newRow("empty name matches no blank record") << "" << -1;
    }
    void findGravity() {
        const MaterialTable t = Table({{"Vas", 7250}, {"Alu", 2700}, {"", 5}, {"Vas", 7300}});
        QFETCH(QString, name);
        QFETCH(int, gravity);
        const std::optional<qint32> found = FindGravity(t, name);
        QCOMPARE(found.value_or(-1), gravity);
    }

    void changeAndDelete_data() {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QList<qint32>>("gravities");
        QTest::newRow("change renames every record of the name")
            << "change"
            << "Vas" << QStringList{"Acél", "Alu", "Acél"} << QList<qint32>{7850, 2700, 7850};
        QTest::newRow("change with nothing chosen changes nothing")
            << "change"
            << "" << QStringList{"Vas", "Alu", "Vas"} << QList<qint32>{7250, 2700, 7300};
        QTest::newRow("delete removes every record of the name")
            << "delete"
            << "Vas" << QStringList{"Alu"} << QList<qint32>{2700};
        QTest::newRow("delete of an unknown name keeps all")
            << "delete"
            << "Réz" << QStringList{"Vas", "Alu", "Vas"} << QList<qint32>{7250, 2700, 7300};
        QTest::newRow("delete with nothing chosen keeps all")
            << "delete"
            << "" << QStringList{"Vas", "Alu", "Vas"} << QList<qint32>{7250, 2700, 7300};
    }
    void changeAndDelete() {
        const MaterialTable t = Table({{"Vas", 7250}, {"Alu", 2700}, {"Vas", 7300}});
        QFETCH(QString, operation);
        QFETCH(QString, chosen);
        const MaterialTable result = operation == "change"
                                         ? ChangeMaterial(t, chosen, QStringLiteral("Acél"), 7850)
                                         : DeleteMaterial(t, chosen);
        QTEST(Names(result), "names");
        QTEST(Gravities(result), "gravities");
    }

    void changeKeepsThePadding() {
        const MaterialTable t =
            DecodeMaterials(Record("Vas", 7250, -1, QByteArray("\x07\x08\x09", 3))).table;
        const QByteArray out = EncodeMaterials(ChangeMaterial(t, "Vas", "Acél", 7850));
        QCOMPARE(out, Record("Ac\xc3\xa9l", 7850, -1, QByteArray("\x07\x08\x09", 3)));
    }

    void comboNamesSkipBlanksAndKeepOrder() {
        const MaterialTable t = Table({{"Vas", 1}, {" ", 2}, {"Alu", 3}, {"Vas", 4}});
        QCOMPARE(MaterialNames(t), (QStringList{"Vas", "Alu", "Vas"}));
    }
};
MERTANO_REGISTER_TEST(TstMaterialFile)

#include "tst_material_file.moc"
