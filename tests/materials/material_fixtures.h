// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Material file bytes written out by hand, independent of the encoder under test.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QtEndian>
#include <utility>
#include <vector>

namespace mertano::test {

// One 28-byte record; `length` -1 means the name's own size.
inline QByteArray Record(const QByteArray& name, qint32 gravity, int length = -1,
                         const QByteArray& padding = QByteArray(3, '\0')) {
    QByteArray r(28, '\0');
    r[0] = static_cast<char>(length < 0 ? name.size() : length);
    r.replace(1, name.size(), name);
    r.replace(21, 3, padding);
    qToLittleEndian<qint32>(gravity, r.data() + 24);
    return r.left(28);
}

inline QByteArray Records(const std::vector<std::pair<QByteArray, qint32>>& records) {
    QByteArray out;
    for (const auto& [name, gravity] : records) out += Record(name, gravity);
    return out;
}

inline void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) f.write(bytes);
}

inline QByteArray ReadBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

}  // namespace mertano::test
