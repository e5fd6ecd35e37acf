#include "ByteSource.h"

namespace vorlaken {

QByteArray MemoryByteSource::read(qint64 offset, qint64 length) {
    if (offset < 0 || length <= 0 || offset >= data_.size()) {
        return {};
    }
    return data_.mid(offset, qMin(length, data_.size() - offset));
}

FileByteSource::FileByteSource(const QString& path) : file_(path) {
    if (file_.open(QIODevice::ReadOnly)) {
        size_ = file_.size();
    }
}

QByteArray FileByteSource::read(qint64 offset, qint64 length) {
    if (!file_.isOpen() || offset < 0 || length <= 0 || offset >= size_) {
        return {};
    }
    length = qMin(length, size_ - offset);
    if (offset + length <= kWindow) {
        if (!headRead_) {
            headRead_ = true;
            head_ = file_.read(kWindow);
        }
        return head_.mid(offset, length);
    }
    if (length <= kWindow && offset >= size_ - kWindow) {
        if (tailOffset_ < 0) {
            tailOffset_ = qMax<qint64>(0, size_ - kWindow);
            if (!file_.seek(tailOffset_)) {
                return {};
            }
            tail_ = file_.read(size_ - tailOffset_);
        }
        return tail_.mid(offset - tailOffset_, length);
    }
    if (!file_.seek(offset)) {
        return {};
    }
    return file_.read(length);
}

}  // namespace vorlaken
