// SPDX-License-Identifier: GPL-3.0-or-later
#include "materials/material_store.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QtGlobal>
#include <algorithm>
#include <atomic>
#include <utility>

#ifdef Q_OS_LINUX
#include <sys/stat.h>

#include <ctime>
#endif

#include "system/regular_file.h"

namespace mertano {
namespace {

constexpr int kMaxDamagedCopies = 100;
// Long enough for a save on a slow disk; a program that holds the lock longer has hung,
// and the save goes ahead without it (the rename still keeps the file whole).
constexpr int kLockWaitMs = 5000;
// File times come from a clock that ticks coarsely (up to 2 s on FAT); a file changed
// more recently than this may change again without any of its times moving.
constexpr qint64 kSettleNs = 3'000'000'000;

quint64 NextGeneration() {
    static std::atomic<quint64> last{0};
    return ++last;
}

std::size_t HashOf(const QByteArray& bytes) {
    return qHash(QByteArrayView(bytes), std::size_t(0x4d657274616e6fULL));
}

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
        if (replacing) {
            return MaterialError{
                QStringLiteral("Could not write %1 %2: %3. The file keeps its previous content.")
                    .arg(what, Shown(path), reason)};
        }
        // There was no file to keep: say what is gone rather than the system's reason,
        // which for a deleted folder only names a file that is not there.
        const QString folder = before.absolutePath();
        if (!QFileInfo(folder).isDir()) {
            return MaterialError{
                QStringLiteral("Could not write %1 %2: its folder %3 no longer exists. Nothing "
                               "was saved.")
                    .arg(what, Shown(path), Shown(folder)),
                MaterialFault::FolderGone};
        }
        return MaterialError{QStringLiteral("Could not write %1 %2: %3. There is no such "
                                            "file, and nothing was saved.")
                                 .arg(what, Shown(path), reason),
                             MaterialFault::FileGone};
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

MaterialStore::MaterialStore(QString path)
    : path_(std::move(path)), generation_(NextGeneration()) {}

bool MaterialStore::FileStamp::sameFile(const FileStamp& other) const {
    return exists == other.exists && device == other.device && inode == other.inode &&
           size == other.size && modifiedNs == other.modifiedNs && changedNs == other.changedNs;
}

MaterialStore::FileStamp MaterialStore::stampOf(const QString& path) {
    FileStamp stamp;
    qint64 nowNs = 0;
#ifdef Q_OS_LINUX
    struct stat st {};
    // Through a symbolic link, as the file is read.
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) {
        stamp.settled = true;  // nothing there, and a file that comes shows as a change
        return stamp;
    }
    constexpr qint64 kNs = 1'000'000'000;
    stamp.device = quint64(st.st_dev);
    stamp.inode = quint64(st.st_ino);
    stamp.size = qint64(st.st_size);
    stamp.modifiedNs = qint64(st.st_mtim.tv_sec) * kNs + st.st_mtim.tv_nsec;
    // The change time moves with every write and cannot be set back, as the
    // modification time can (a copy that keeps the times, a restored backup).
    stamp.changedNs = qint64(st.st_ctim.tv_sec) * kNs + st.st_ctim.tv_nsec;
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    nowNs = qint64(now.tv_sec) * kNs + now.tv_nsec;
#else
    const QFileInfo info(path);
    if (!info.exists()) {
        stamp.settled = true;
        return stamp;
    }
    constexpr qint64 kNsPerMs = 1'000'000;
    stamp.size = info.size();
    stamp.modifiedNs = info.lastModified().toMSecsSinceEpoch() * kNsPerMs;
    stamp.changedNs = info.metadataChangeTime().toMSecsSinceEpoch() * kNsPerMs;
    nowNs = QDateTime::currentMSecsSinceEpoch() * kNsPerMs;
#endif
    stamp.exists = true;
    stamp.settled = nowNs - std::max(stamp.modifiedNs, stamp.changedNs) > kSettleNs;
    return stamp;
}

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
    if (r.status == RegularFileRead::Status::Refused) return ReadError(path_, r.reason);
    result.bytes = std::move(r.bytes);
    return std::nullopt;
}

void MaterialStore::adopt(const QByteArray& bytes, const FileStamp& stamp) {
    const std::size_t hash = HashOf(bytes);
    // Decoding is what a large list costs; the same bytes give the same table.
    if (!hash_ || *hash_ != hash) {
        DecodedMaterials decoded = DecodeMaterials(bytes);
        table_ = std::move(decoded.table);
        generation_ = NextGeneration();
        noteDamage(decoded.damage);
        hash_ = hash;
    }
    stamp_ = stamp;
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
    // Looked at before it is read: a change in between shows as a change next time.
    const FileStamp stamp = stampOf(path_);
    if (stamp_ && stamp_->settled && stamp_->sameFile(stamp)) return std::nullopt;
    ReadResult r;
    if (auto error = read(r)) {
        stamp_.reset();
        return error;
    }
    adopt(r.bytes, stamp);
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
    const bool knewTheFile = stamp_ && stamp_->exists;
    const FileStamp stamp = stampOf(path_);
    ReadResult r;
    if (auto error = read(r)) {
        stamp_.reset();
        return error;
    }
    // The table mirrors the file whatever happens next.
    adopt(r.bytes, stamp);
    // The damage of the bytes just adopted, whether found now or when they were first read.
    if (!reportedDamage_.isEmpty()) {
        if (auto error = keepDamaged(r.bytes)) return error;
    }
    MaterialTable next = change(table_);
    const QByteArray bytes = EncodeMaterials(next);
    if (auto error = WriteFileAtomically(path_, bytes, QStringLiteral("the material file"))) {
        // A file that never was cannot have gone.
        if (error->fault == MaterialFault::FileGone && !knewTheFile)
            error->fault = MaterialFault::Other;
        return error;
    }
    table_ = std::move(next);
    generation_ = NextGeneration();
    hash_ = HashOf(bytes);
    stamp_ = stampOf(path_);
    noteDamage({});
    return std::nullopt;
}

}  // namespace mertano
