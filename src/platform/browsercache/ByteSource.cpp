#include "ByteSource.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>

namespace vorlaken {

QByteArray MemoryByteSource::read(qint64 offset, qint64 length) {
    if (offset < 0 || length <= 0 || offset >= data_.size()) {
        return {};
    }
    return data_.mid(offset, qMin(length, data_.size() - offset));
}

FileByteSource::FileByteSource(const QString& path) {
    // Plain system calls: listing opens tens of thousands of files, and O_NOFOLLOW keeps a link planted
    // in a cache folder from leading the reader elsewhere.
    // O_NOATIME also leaves the browser's files as they were; it is refused for files of other users.
    // O_NONBLOCK keeps a FIFO planted there from blocking the open; regular files read as always.
    const QByteArray name = QFile::encodeName(path);
    constexpr int kFlags = O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK;
    fd_ = ::open(name.constData(), kFlags | O_NOATIME);
    if (fd_ < 0 && errno == EPERM) {
        fd_ = ::open(name.constData(), kFlags);
    }
    if (fd_ < 0) {
        return;
    }
    struct stat info {};
    if (::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd_);
        fd_ = -1;
        return;
    }
    size_ = info.st_size;
    modifiedMs_ = qint64(info.st_mtim.tv_sec) * 1000 + info.st_mtim.tv_nsec / 1000000;
}

FileByteSource::~FileByteSource() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

QByteArray FileByteSource::readAt(qint64 offset, qint64 length) const {
    QByteArray bytes(length, Qt::Uninitialized);
    qint64 done = 0;
    while (done < length) {
        const ssize_t got = ::pread(fd_, bytes.data() + done, size_t(length - done), off_t(offset + done));
        if (got <= 0) {
            break;
        }
        done += got;
    }
    bytes.truncate(done);
    return bytes;
}

QByteArray FileByteSource::read(qint64 offset, qint64 length) {
    if (fd_ < 0 || offset < 0 || length <= 0 || offset >= size_) {
        return {};
    }
    length = qMin(length, size_ - offset);
    if (offset + length <= kWindow) {
        if (!headRead_) {
            headRead_ = true;
            head_ = readAt(0, qMin(kWindow, size_));
        }
        return head_.mid(offset, length);
    }
    if (length <= kWindow && offset >= size_ - kWindow) {
        if (tailOffset_ < 0) {
            tailOffset_ = qMax<qint64>(0, size_ - kWindow);
            tail_ = readAt(tailOffset_, size_ - tailOffset_);
        }
        return tail_.mid(offset - tailOffset_, length);
    }
    return readAt(offset, length);
}

}  // namespace vorlaken
