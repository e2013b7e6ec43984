// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace mertano {

// Writes the bytes to `path` through a QSaveFile, so an old file is replaced only by a
// whole new one; false with the reason in `error` (when given) otherwise.
bool SavePatternFile(const QString& path, const QByteArray& bytes, QString* error);

}  // namespace mertano
