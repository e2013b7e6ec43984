// SPDX-License-Identifier: GPL-3.0-or-later
#include "materials/material_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <utility>

#include "app/regular_file.h"

namespace mertano {
namespace {

constexpr int kMaxDamagedCopies = 100;
// Long enough for a save on a slow disk; a program that holds the lock longer has hung,
// and the save goes ahead without it (the rename still keeps the file whole).
constexpr int kLockWaitMs = 5000;

QString Shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

MaterialError ReadError(const QString& path, const QString& reason) {
    return {QStringLiteral("Could not read the material file %1: %2.").arg(Shown(path), reason)};
}

bool HoldsExactly(const QString& path, const QByteArray& bytes) {
    const RegularFileRead r = ReadRegularFile(path, bytes.size());
    return r.status == RegularFileRead::Status::Read && r.bytes == bytes;
}

// The file's own permission bits. Qt also reports what the running user may do (the
// *User flags) and turns those back into owner bits when it sets permissions, which for
// root would make a read-only file writable.
QFileDevice::Permissions ModeOf(const QFileInfo& file) {
    constexpr QFileDevice::Permissions kOwnGroupOther =
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
        QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup |
        QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
    return file.permissions() & kOwnGroupOther;
}

// Something of that name, be it only a symbolic link that leads nowhere.
bool NameTaken(const QString& path) {
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

// The copy is created with the original's permissions (the umask may narrow them
// further) before a byte of it is written, so it is never readable by more people than
// the original, not even while it is written. Creating it exclusively also means that a
// symbolic link planted under its name is never followed.
std::optional<MaterialError> WriteCopy(const QString& copy, const QByteArray& bytes,
                                       QFileDevice::Permissions permissions) {
    const QString what = QStringLiteral("the copy of the damaged file");
    QFile placeholder(copy);
    if (!placeholder.open(QIODevice::WriteOnly | QIODevice::NewOnly, permissions)) {
        return MaterialError{QStringLiteral("Could not write %1 %2: %3.")
                                 .arg(what, Shown(copy), placeholder.errorString())};
    }
    placeholder.close();
    // QSaveFile gives its temporary file the permissions of the file it replaces.
    auto error = WriteFileAtomically(copy, bytes, what);
    if (error && QFileInfo(copy).size() == 0) QFile::remove(copy);
    return error;
}

}  // namespace

std::optional<MaterialError> WriteFileAtomically(const QString& path, const QByteArray& bytes,
                                                 const QString& what) {
    const QFileInfo before(path);
    const bool replacing = before.exists();
    const QFileDevice::Permissions permissions =
        replacing ? ModeOf(before) : QFileDevice::Permissions();
    QSaveFile file(path);
    auto failed = [&](const QString& reason) {
        return MaterialError{
            QStringLiteral("Could not write %1 %2: %3. The file keeps its previous content.")
                .arg(what, Shown(path), reason)};
    };
    // Unbuffered, so that a write that fits only in part shows here with its count.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return failed(file.errorString());
    }
    const qint64 written = file.write(bytes);
    if (written > 0 && written < bytes.size()) {
        return failed(QStringLiteral("only %1 of its %2 bytes could be written (the disk is full "
                                     "or the file too large)")
                          .arg(written)
                          .arg(bytes.size()));
    }
    // flush() as well: a buffered failure would otherwise only show inside commit(),
    // worded as a failed rename.
    if (written != bytes.size() || !file.flush()) return failed(file.errorString());
    if (!file.commit()) return failed(file.errorString());
    // QSaveFile lets the owner write a file that was read-only; it stays as it was.
    if (replacing && ModeOf(QFileInfo(path)) != permissions) {
        QFile::setPermissions(path, permissions);
    }
    return std::nullopt;
}

MaterialStore::MaterialStore(QString path) : path_(std::move(path)) {}

MaterialStore MaterialStore::InWorkingFolder() {
    return MaterialStore(QDir::current().absoluteFilePath(QString::fromLatin1(kMaterialFileName)));
}

std::optional<MaterialError> MaterialStore::CreateIfMissing() const {
    // A link that leads nowhere or in a loop is not replaced: loading tells what is wrong.
    if (NameTaken(path_)) return std::nullopt;
    QFile file(path_);
    // NewOnly: should another process create it meanwhile, its content stays.
    if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly) || QFileInfo::exists(path_)) {
        return std::nullopt;
    }
    return MaterialError{QStringLiteral("Could not create the material file %1: %2.")
                             .arg(Shown(path_), file.errorString())};
}

std::optional<MaterialError> MaterialStore::read(ReadResult& result) const {
    RegularFileRead r = ReadRegularFile(path_, kMaxMaterialFileBytes);
    if (r.status == RegularFileRead::Status::Missing) return std::nullopt;
    if (r.status == RegularFileRead::Status::Refused) return ReadError(path_, r.reason);
    result.bytes = std::move(r.bytes);
    result.decoded = DecodeMaterials(result.bytes);
    return std::nullopt;
}

void MaterialStore::noteDamage(const QString& damage) {
    if (damage == reportedDamage_) return;
    reportedDamage_ = damage;
    if (!damage.isEmpty()) pendingDamage_ = damage;
}

std::optional<QString> MaterialStore::TakeDamageReport(Reader reader) {
    const std::optional<QString> damage = std::exchange(pendingDamage_, std::nullopt);
    if (!damage) return std::nullopt;
    if (reader == Reader::ReadOnly) {
        return QStringLiteral(
                   "The material file %1 is damaged: %2. Its whole records were read; the file "
                   "was left as it is.")
            .arg(Shown(path_), *damage);
    }
    return QStringLiteral(
               "The material file %1 is damaged: %2. Its whole records were loaded; a copy of "
               "the damaged file is kept as %3 before the list is saved again.")
        .arg(Shown(path_), *damage, QFileInfo(path_).fileName() + ".damaged");
}

std::optional<MaterialError> MaterialStore::LoadMaterials() {
    ReadResult r;
    if (auto error = read(r)) return error;
    table_ = r.decoded.table;
    noteDamage(r.decoded.damage);
    return std::nullopt;
}

std::optional<MaterialError> MaterialStore::keepDamaged(const QByteArray& bytes) const {
    const QString base = path_ + QStringLiteral(".damaged");
    const QFileDevice::Permissions permissions = ModeOf(QFileInfo(path_));
    for (int n = 1; n <= kMaxDamagedCopies; ++n) {
        const QString copy = n == 1 ? base : base + QStringLiteral(".%1").arg(n);
        if (HoldsExactly(copy, bytes)) return std::nullopt;
        if (NameTaken(copy)) continue;  // an older damaged copy: keep it too
        if (auto error = WriteCopy(copy, bytes, permissions)) {
            error->message += QStringLiteral(
                " The material file was not rewritten, so its "
                "damaged content is not lost.");
            return error;
        }
        return std::nullopt;
    }
    return MaterialError{QStringLiteral("Could not keep a copy of the damaged material file %1: "
                                        "too many damaged copies beside it. The file was not "
                                        "rewritten.")
                             .arg(Shown(path_))};
}

QString MaterialStore::lockPath() const {
    // Beside the file the link leads to, so that folders sharing one list share its lock.
    const QString target = QFileInfo(path_).canonicalFilePath();
    return (target.isEmpty() ? path_ : target) + QStringLiteral(".lock");
}

std::optional<MaterialError> MaterialStore::Update(const Change& change) {
    // Held from the read to the rename: another program's save in between would be lost.
    // A lock that cannot be had (a read-only folder, a hung holder) does not stop the save.
    QLockFile lock(lockPath());
    lock.tryLock(kLockWaitMs);
    ReadResult r;
    if (auto error = read(r)) return error;
    // The table mirrors the file whatever happens next.
    table_ = r.decoded.table;
    noteDamage(r.decoded.damage);
    if (!r.decoded.damage.isEmpty()) {
        if (auto error = keepDamaged(r.bytes)) return error;
    }
    MaterialTable next = change(r.decoded.table);
    if (auto error = WriteFileAtomically(path_, EncodeMaterials(next),
                                         QStringLiteral("the material file"))) {
        return error;
    }
    table_ = std::move(next);
    noteDamage({});
    return std::nullopt;
}

}  // namespace mertano
