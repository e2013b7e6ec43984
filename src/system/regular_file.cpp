// SPDX-License-Identifier: GPL-3.0-or-later
#include "system/regular_file.h"

#include <QFile>
#include <QFileInfo>
#include <QtGlobal>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace mertano {
namespace {

constexpr qint64 kMiB = 1024 * 1024;

RegularFileRead Refused(QString reason) {
    return {RegularFileRead::Status::Refused, {}, std::move(reason)};
}

RegularFileRead TooLarge(qint64 maxBytes) {
    return Refused(QStringLiteral("it is larger than %1, more than such a file ever holds")
                       .arg(FileSizeText(maxBytes)));
}

#ifdef Q_OS_UNIX

QString NotRegular(mode_t mode) {
    if (S_ISDIR(mode)) return QStringLiteral("it is a folder, not a file");
    if (S_ISFIFO(mode)) return QStringLiteral("it is a named pipe, not a regular file");
    if (S_ISCHR(mode) || S_ISBLK(mode)) return QStringLiteral("it is a device, not a regular file");
    if (S_ISSOCK(mode)) return QStringLiteral("it is a socket, not a regular file");
    return QStringLiteral("it is not a regular file");
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

RegularFileRead ReadDescriptor(int fd, qint64 sizeHint, qint64 maxBytes) {
    // One byte beyond the limit tells a file that grew past it since it was looked at.
    QByteArray bytes(qMin(sizeHint, maxBytes) + 1, Qt::Uninitialized);
    qint64 total = 0;
    for (;;) {
        if (total == bytes.size()) {
            if (total > maxBytes) break;
            bytes.resize(qMin(total * 2, maxBytes + 1));
        }
        const ssize_t n = ::read(fd, bytes.data() + total, size_t(bytes.size() - total));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return Refused(qt_error_string(errno));
        if (n == 0) break;
        total += n;
    }
    if (total > maxBytes) return TooLarge(maxBytes);
    bytes.resize(total);
    return {RegularFileRead::Status::Read, std::move(bytes), {}};
}

#endif

}  // namespace

QString FileSizeText(qint64 bytes) {
    if (bytes >= kMiB && bytes % kMiB == 0) return QStringLiteral("%1 MiB").arg(bytes / kMiB);
    return QStringLiteral("%1 bytes").arg(bytes);
}

RegularFileRead ReadRegularFile(const QString& path, qint64 maxBytes) {
#ifdef Q_OS_UNIX
    const QByteArray native = QFile::encodeName(path);
    // Looked at before it is opened: opening a pipe waits for a writer, and opening a
    // device may do something by itself.
    struct stat st {};
    if (::stat(native.constData(), &st) != 0) {
        if (errno == ENOENT) return {};
        return Refused(qt_error_string(errno));
    }
    if (!S_ISREG(st.st_mode)) return Refused(NotRegular(st.st_mode));
    if (st.st_size > maxBytes) return TooLarge(maxBytes);
    // Non-blocking and checked again, should something else take its place meanwhile.
    const Descriptor fd(::open(native.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.get() < 0) {
        if (errno == ENOENT) return {};
        return Refused(qt_error_string(errno));
    }
    if (::fstat(fd.get(), &st) != 0) return Refused(qt_error_string(errno));
    if (!S_ISREG(st.st_mode)) return Refused(NotRegular(st.st_mode));
    return ReadDescriptor(fd.get(), st.st_size, maxBytes);
#else
    const QFileInfo info(path);
    if (!info.exists()) return {};
    if (info.isDir()) return Refused(QStringLiteral("it is a folder, not a file"));
    if (!info.isFile()) return Refused(QStringLiteral("it is not a regular file"));
    if (info.size() > maxBytes) return TooLarge(maxBytes);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return Refused(file.errorString());
    QByteArray bytes = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError) return Refused(file.errorString());
    if (bytes.size() > maxBytes) return TooLarge(maxBytes);
    return {RegularFileRead::Status::Read, std::move(bytes), {}};
#endif
}

}  // namespace mertano
