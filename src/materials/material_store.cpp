// SPDX-License-Identifier: GPL-3.0-or-later
#include "materials/material_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <utility>

namespace mertano {
namespace {

constexpr int kMaxDamagedCopies = 100;

QString Shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

MaterialError ReadError(const QString& path, const QString& reason) {
    return {QStringLiteral("Could not read the material file %1: %2.").arg(Shown(path), reason)};
}

bool HoldsExactly(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return QFileInfo(path).isFile() && file.open(QIODevice::ReadOnly) && file.readAll() == bytes;
}

}  // namespace

std::optional<MaterialError> WriteFileAtomically(const QString& path, const QByteArray& bytes,
                                                 const QString& what) {
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
    return std::nullopt;
}

MaterialStore::MaterialStore(QString path) : path_(std::move(path)) {}

MaterialStore MaterialStore::InWorkingFolder() {
    return MaterialStore(QDir::current().absoluteFilePath(QString::fromLatin1(kMaterialFileName)));
}

std::optional<MaterialError> MaterialStore::CreateIfMissing() const {
    if (QFileInfo::exists(path_)) return std::nullopt;
    QFile file(path_);
    // NewOnly: should another process create it meanwhile, its content stays.
    if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly) || QFileInfo::exists(path_)) {
        return std::nullopt;
    }
    return MaterialError{QStringLiteral("Could not create the material file %1: %2.")
                             .arg(Shown(path_), file.errorString())};
}

std::optional<MaterialError> MaterialStore::read(ReadResult& result) const {
    QFile file(path_);
    if (!QFileInfo::exists(path_)) return std::nullopt;
    if (!QFileInfo(path_).isFile()) return ReadError(path_, QStringLiteral("it is not a file"));
    if (!file.open(QIODevice::ReadOnly)) return ReadError(path_, file.errorString());
    result.bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) return ReadError(path_, file.errorString());
    result.decoded = DecodeMaterials(result.bytes);
    return std::nullopt;
}

void MaterialStore::noteDamage(const QString& damage) {
    if (damage.isEmpty()) {
        reportedDamage_.clear();
        return;
    }
    const QString report =
        QStringLiteral(
            "The material file %1 is damaged: %2. Its whole records were loaded; a copy of "
            "the damaged file is kept as %3 before the list is saved again.")
            .arg(Shown(path_), damage, QFileInfo(path_).fileName() + ".damaged");
    if (report == reportedDamage_) return;
    reportedDamage_ = report;
    pendingReport_ = report;
}

std::optional<QString> MaterialStore::TakeDamageReport() {
    return std::exchange(pendingReport_, std::nullopt);
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
    for (int n = 1; n <= kMaxDamagedCopies; ++n) {
        const QString copy = n == 1 ? base : base + QStringLiteral(".%1").arg(n);
        if (HoldsExactly(copy, bytes)) return std::nullopt;
        if (QFileInfo::exists(copy)) continue;  // an older damaged copy: keep it too
        if (auto error =
                WriteFileAtomically(copy, bytes, QStringLiteral("the copy of the damaged file"))) {
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

std::optional<MaterialError> MaterialStore::Update(const Change& change) {
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
