// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Reading a file that the user or anyone else may have replaced by something else: a
// named pipe would block the program, a device or an overgrown file would fill its
// memory. Only a regular file is read, and only up to a limit that no real file of its
// kind reaches; anything else is refused with the reason, before it is read.

#include <QByteArray>
#include <QString>

namespace mertano {

struct RegularFileRead {
    enum class Status { Read, Missing, Refused };
    Status status = Status::Missing;
    QByteArray bytes;  // Read: the whole file
    QString reason;    // Refused: why, in words such as "it is a folder" (no final stop)
};

// The file at `path`, following symbolic links. Missing: nothing of that name exists, or
// a symbolic link points at nothing (a save would create its target). A symbolic-link
// loop, a folder, a pipe, a device, no permission or more than `maxBytes` bytes is
// Refused. Never blocks and never reads more than `maxBytes` + 1 bytes.
RegularFileRead ReadRegularFile(const QString& path, qint64 maxBytes);

// "64 MiB", "1 MiB", "500 bytes": the limit as the reason words it.
QString FileSizeText(qint64 bytes);

}  // namespace mertano
