// SPDX-License-Identifier: GPL-3.0-or-later
#include "materials/material_file.h"

#include <QStringDecoder>
#include <QTextBoundaryFinder>
#include <QtEndian>
#include <algorithm>
#include <limits>

#include "calc/float_fault.h"

namespace mertano {
namespace {

constexpr int kNameOffset = 1;
constexpr int kPaddingOffset = 21;
constexpr int kGravityOffset = 24;
// A damaged file names its first few bad records; the rest are only counted.
constexpr int kListedBadRecords = 3;

bool IsBlank(QChar c) {
    return c.unicode() <= 32;
}

QByteArray TrimBytes(QByteArray bytes) {
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    qsizetype begin = 0, end = bytes.size();
    while (begin < end && blank(bytes[begin])) ++begin;
    while (end > begin && blank(bytes[end - 1])) --end;
    return bytes.mid(begin, end - begin);
}

QString DecodeName(const QByteArray& bytes) {
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString name = utf8(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : name;
}

// The longest start of `name` that ends on a character boundary and fits in UTF-8.
QString CutToFit(const QString& name) {
    if (name.toUtf8().size() <= kMaterialNameBytes) return name;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, name);
    qsizetype fits = 0;
    for (qsizetype pos = finder.toNextBoundary(); pos > 0; pos = finder.toNextBoundary()) {
        if (name.left(pos).toUtf8().size() > kMaterialNameBytes) break;
        fits = pos;
    }
    return name.left(fits);
}

// The bad records of a file: every one counted, only the first few described, so that a
// file of nothing but bad records costs no more memory than a sound one.
struct BadRecords {
    QStringList listed;
    qsizetype count = 0;

    void add(qsizetype index, int length) {
        if (count++ >= kListedBadRecords) return;
        listed << QStringLiteral(
                      "record %1 gives a name length of %2, above %3 (its name was cut "
                      "to %3 bytes)")
                      .arg(index + 1)
                      .arg(length)
                      .arg(kMaterialNameBytes);
    }
};

MaterialRecord DecodeRecord(const char* r, qsizetype index, BadRecords& bad) {
    int length = static_cast<unsigned char>(r[0]);
    if (length > kMaterialNameBytes) {
        bad.add(index, length);
        length = kMaterialNameBytes;
    }
    MaterialRecord m;
    m.nameBytes = TrimBytes(QByteArray(r + kNameOffset, length));
    m.name = DecodeName(m.nameBytes);
    m.gravity = qFromLittleEndian<qint32>(r + kGravityOffset);
    std::copy_n(r + kPaddingOffset, m.padding.size(), m.padding.begin());
    return m;
}

QString DescribeDamage(const BadRecords& records, qsizetype size) {
    QStringList bad = records.listed;
    if (records.count > kListedBadRecords) {
        bad << QStringLiteral("%1 more such records").arg(records.count - kListedBadRecords);
    }
    if (const qsizetype rest = size % kMaterialRecordSize; rest != 0) {
        bad.prepend(QStringLiteral("its size, %1 bytes, is not a multiple of %2 (the last %3 "
                                   "bytes are no whole record and were not read)")
                        .arg(size)
                        .arg(kMaterialRecordSize)
                        .arg(rest));
    }
    return bad.join(QStringLiteral("; "));
}

}  // namespace

QString TrimMaterialText(const QString& text) {
    qsizetype begin = 0, end = text.size();
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;
    return text.mid(begin, end - begin);
}

bool MaterialNameFits(const QString& name) {
    return TrimMaterialText(name).toUtf8().size() <= kMaterialNameBytes;
}

MaterialRecord MakeMaterial(const QString& name, qint32 gravity) {
    MaterialRecord m;
    // Cutting may leave a blank at the new end.
    m.name = TrimMaterialText(CutToFit(TrimMaterialText(name)));
    m.nameBytes = m.name.toUtf8();
    m.gravity = gravity;
    return m;
}

qint32 GravityToStored(long double gravity) {
    constexpr auto kLow = std::numeric_limits<qint32>::min();
    constexpr auto kHigh = std::numeric_limits<qint32>::max();
    const long double scaled = std::clamp(gravity * 1000.0L, static_cast<long double>(kLow),
                                          static_cast<long double>(kHigh));
    return static_cast<qint32>(RoundToInt64(scaled));
}

DecodedMaterials DecodeMaterials(const QByteArray& bytes) {
    DecodedMaterials out;
    BadRecords bad;
    const qsizetype count = bytes.size() / kMaterialRecordSize;
    out.table.reserve(count);
    for (qsizetype k = 0; k < count; ++k) {
        out.table << DecodeRecord(bytes.constData() + k * kMaterialRecordSize, k, bad);
    }
    if (bad.count > 0 || bytes.size() % kMaterialRecordSize != 0) {
        out.damage = DescribeDamage(bad, bytes.size());
    }
    return out;
}

QByteArray EncodeMaterials(const MaterialTable& table) {
    QByteArray out(table.size() * kMaterialRecordSize, '\0');
    char* r = out.data();
    for (const MaterialRecord& m : table) {
        const auto length = std::min<qsizetype>(m.nameBytes.size(), kMaterialNameBytes);
        r[0] = static_cast<char>(length);
        std::copy_n(m.nameBytes.constData(), length, r + kNameOffset);
        std::copy(m.padding.begin(), m.padding.end(), r + kPaddingOffset);
        qToLittleEndian<qint32>(m.gravity, r + kGravityOffset);
        r += kMaterialRecordSize;
    }
    return out;
}

std::optional<qint32> FindGravity(const MaterialTable& table, const QString& name) {
    const QString key = TrimMaterialText(name);
    std::optional<qint32> found;
    if (key.isEmpty()) return found;
    for (const MaterialRecord& m : table) {
        if (m.name == key) found = m.gravity;
    }
    return found;
}

MaterialTable ChangeMaterial(MaterialTable table, const QString& chosenName, const QString& newName,
                             qint32 gravity) {
    const QString key = TrimMaterialText(chosenName);
    if (key.isEmpty()) return table;
    for (MaterialRecord& m : table) {
        if (m.name != key) continue;
        const std::array<char, 3> padding = m.padding;  // not ours to clear
        m = MakeMaterial(newName, gravity);
        m.padding = padding;
    }
    return table;
}

MaterialTable DeleteMaterial(MaterialTable table, const QString& chosenName) {
    const QString key = TrimMaterialText(chosenName);
    if (key.isEmpty()) return table;
    table.removeIf([&key](const MaterialRecord& m) { return m.name == key; });
    return table;
}

QStringList MaterialNames(const MaterialTable& table) {
    QStringList names;
    for (const MaterialRecord& m : table) {
        if (!m.name.isEmpty()) names << m.name;
    }
    return names;
}

}  // namespace mertano
