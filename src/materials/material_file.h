// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The material file Gravity.grv: a plain sequence of 28-byte little-endian records, no
// header and no count, in the order they were written.
//
//   offset  size  field
//        0     1  name length, 0 to 20
//        1    20  name bytes; only the first "name length" count
//       21     3  padding (zeros in a new record, kept as read otherwise)
//       24     4  specific gravity in g/cm3 times 1000, signed 32-bit
//
// Names are written as UTF-8, cut at a character boundary to at most 20 bytes. A name
// read from the file is taken as UTF-8 when its bytes are valid UTF-8 and as Latin-1
// otherwise (a file written by an 8-bit program), and such bytes are written back as
// they were read, so no name is lost or mangled by a rewrite.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace mertano {

inline constexpr char kMaterialFileName[] = "Gravity.grv";
inline constexpr int kMaterialRecordSize = 28;
inline constexpr int kMaterialNameBytes = 20;
// No list a person keeps comes near it (about 2.4 million records); anything larger in
// the file's place is refused rather than read into memory.
inline constexpr qint64 kMaxMaterialFileBytes = 64 * 1024 * 1024;

struct MaterialRecord {
    QString name;          // trimmed; empty for a record whose name is blank
    QByteArray nameBytes;  // the bytes written for the name: trimmed, at most 20
    qint32 gravity = 0;    // specific gravity times 1000
    std::array<char, 3> padding{};

    bool operator==(const MaterialRecord&) const = default;
};

using MaterialTable = QList<MaterialRecord>;

// Characters 0 to 32 removed at both ends: the file's and the dialog's notion of blank.
QString TrimMaterialText(const QString& text);

// Whether a typed name, once trimmed, fits the 20 bytes of a record.
bool MaterialNameFits(const QString& name);

// A material as the dialog stores it: the name trimmed and cut at a character boundary
// to what fits (a character with its accents is never split).
MaterialRecord MakeMaterial(const QString& name, qint32 gravity);

// A specific gravity as typed (g/cm3) to the stored integer: times 1000, halves to the
// even neighbour, held within the 32-bit range.
qint32 GravityToStored(long double gravity);
inline long double StoredToGravity(qint32 stored) {
    return stored / 1000.0L;
}

// What reading the file's bytes found: every whole record, and why the file counts as
// damaged (empty when it is sound).
struct DecodedMaterials {
    MaterialTable table;
    QString damage;
};

DecodedMaterials DecodeMaterials(const QByteArray& bytes);
QByteArray EncodeMaterials(const MaterialTable& table);

// The gravity of the last record whose name equals `name` (both trimmed; exact and
// case-sensitive), if any. An empty name matches nothing.
std::optional<qint32> FindGravity(const MaterialTable& table, const QString& name);

// Every record named `chosenName` renamed to `newName` (made to fit) with `gravity`.
MaterialTable ChangeMaterial(MaterialTable table, const QString& chosenName, const QString& newName,
                             qint32 gravity);

// Every record named `chosenName` removed; an empty name removes nothing.
MaterialTable DeleteMaterial(MaterialTable table, const QString& chosenName);

// The items of a material combo box, in table order (the box sorts them itself). Blank
// names are left out: such an item could be neither picked nor told apart.
QStringList MaterialNames(const MaterialTable& table);

}  // namespace mertano
