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

// What became of a save that failed, where the user's headline depends on it: the file or
// its whole folder was gone (deleted since it was loaded), so nothing was kept either.
enum class MaterialFault { Other, FileGone, FolderGone };

struct MaterialError {
    QString message;
    MaterialFault fault = MaterialFault::Other;
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
    // keeps what the last successful load gave. A file that has not changed since it was
    // last read (the same file, size, modification and change times, and changed long
    // enough before to be sure of them) is not read again; one that was rewritten with the
    // same bytes leaves the table as it was.
    [[nodiscard]] std::optional<MaterialError> LoadMaterials();

    // Changes whenever table() may have changed, and differs between stores: a window that
    // listed the table of generation g need not list it again while it stays g. Never 0.
    quint64 generation() const { return generation_; }

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
    // How the file looked when it was looked at, to tell whether it changed since.
    struct FileStamp {
        bool exists = false;
        quint64 device = 0;
        quint64 inode = 0;
        qint64 size = 0;
        qint64 modifiedNs = 0;
        qint64 changedNs = 0;
        // Last changed well before it was looked at: a write within the same tick of the
        // file system's clock would leave every field as it was, so a stamp taken just
        // after a change proves nothing.
        bool settled = false;
        bool sameFile(const FileStamp& other) const;
    };
    static FileStamp stampOf(const QString& path);

    struct ReadResult {
        QByteArray bytes;  // empty for a missing file, which is an empty list
    };
    std::optional<MaterialError> read(ReadResult& result) const;
    // Takes the file's bytes as the table, decoding them only when they are not those the
    // table already came from.
    void adopt(const QByteArray& bytes, const FileStamp& stamp);
    std::optional<MaterialError> keepDamaged(const QByteArray& bytes) const;
    void noteDamage(const QString& damage);
    QString lockPath() const;

    QString path_;
    MaterialTable table_;
    quint64 generation_;
    std::optional<FileStamp> stamp_;   // the file table_ came from; none: read it
    std::optional<std::size_t> hash_;  // of the bytes table_ came from
    QString reportedDamage_;           // the damage of those bytes, while the file stays so
    std::optional<QString> pendingDamage_;
};

// The file written atomically; `what` names the file in the message ("the material file").
[[nodiscard]] std::optional<MaterialError> WriteFileAtomically(const QString& path,
                                                               const QByteArray& bytes,
                                                               const QString& what);

}  // namespace mertano
