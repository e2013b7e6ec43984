// SPDX-License-Identifier: GPL-3.0-or-later
#include "pattern_save.h"

#include <QSaveFile>

namespace mertano {

bool SavePatternFile(const QString& path, const QByteArray& bytes, QString* error) {
    QSaveFile file(path);
    const bool saved =
        file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
    if (!saved && error) *error = file.errorString();
    return saved;
}

}  // namespace mertano
