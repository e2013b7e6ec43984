// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The material table of the whole program and the file it comes from. The program
// creates one store at start-up and hands it to the windows that need it.
//
// Every rewrite is atomic (QSaveFile: a temporary file in the same folder, flushed and
// checked, then renamed over the old one), so after any failure the file holds exactly
// its old content and the table stays as it was. Failures come back as values whose
// message names the file and the reason; nothing is thrown.
//
// A damaged file (a size that is not a multiple of 28, a name length above 20) loads as
// far as its records are whole. Before such a file is rewritten, its bytes are kept
// beside it as Gravity.grv.damaged (or .damaged.2, .3... when an older, different copy
// is already there); when that copy cannot be written, the file is not rewritten. The
// copy, like every rewrite, is readable by no one who could not read the original.
//
// Only a regular file of at most kMaxMaterialFileBytes is read: a pipe, a device, a
// folder, a symbolic-link loop or an oversized file in its place is an error, as an
// unreadable file is. A Gravity.grv that is a symbolic link is read and rewritten
// through it, so one list can be shared between folders.
//
// Two programs saving at once take turns through a lock file beside the list
// (Gravity.grv.lock), so each save starts from the other's result and none is lost.

#include <QString>
#include <functional>
#include <optional>

#include "materials/material_file.h"

namespace mertano {

struct MaterialError {
    QString message;
};

class MaterialStore {
public:
    // `path` is used as given; InWorkingFolder() makes it absolute.
    explicit MaterialStore(QString path);
    // Gravity.grv in the current working folder, resolved now to an absolute path, so
    // a later change of the working folder does not move the list.
    static MaterialStore InWorkingFolder();

    const QString& path() const { return path_; }
    const MaterialTable& table() const { return table_; }

    // Start-up: creates the file with no records when nothing of that name exists.
    [[nodiscard]] std::optional<MaterialError> CreateIfMissing() const;

    // Rereads the whole file. A missing file is an empty list. After a failure the table
    // keeps what the last successful load gave.
    [[nodiscard]] std::optional<MaterialError> LoadMaterials();

    // Rereads the file, applies `change` to its records and writes the result back. The
    // table takes the result only when the file holds it.
    using Change = std::function<MaterialTable(MaterialTable)>;
    [[nodiscard]] std::optional<MaterialError> Update(const Change& change);

    // Why the file was found damaged, once per damage: reading the same damage again
    // adds nothing, so the user is told once, by whichever window asks first. A reader
    // that never saves is told so, instead of the copy a save will keep.
    enum class Reader { Window, ReadOnly };
    std::optional<QString> TakeDamageReport(Reader reader = Reader::Window);

private:
    struct ReadResult {
        DecodedMaterials decoded;
        QByteArray bytes;
    };
    std::optional<MaterialError> read(ReadResult& result) const;
    std::optional<MaterialError> keepDamaged(const QByteArray& bytes) const;
    void noteDamage(const QString& damage);
    QString lockPath() const;

    QString path_;
    MaterialTable table_;
    QString reportedDamage_;  // the damage last found, while the file stays so
    std::optional<QString> pendingDamage_;
};

// The file written atomically; `what` names the file in the message ("the material file").
[[nodiscard]] std::optional<MaterialError> WriteFileAtomically(const QString& path,
                                                               const QByteArray& bytes,
                                                               const QString& what);

}  // namespace mertano
