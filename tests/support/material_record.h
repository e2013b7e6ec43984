// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QtGlobal>

namespace mertano::test {

// One record of the material file as it is stored, written out by hand so that the
// tests do not read the file through the code they test: the name's length, the name,
// and the gravity times 1000 as a little-endian 32-bit number at byte 24.
inline QByteArray MaterialRecordBytes(const QByteArray& name, qint32 gravity) {
    QByteArray r(28, '\0');
    r[0] = char(name.size());
    r.replace(1, name.size(), name);
    for (int k = 0; k < 4; ++k) r[24 + k] = char((gravity >> (8 * k)) & 0xff);
    return r;
}

}  // namespace mertano::test
