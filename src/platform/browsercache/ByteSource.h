#pragma once

#include <QByteArray>

namespace vorlaken {

// Random access to the bytes of one cache file. Readers parse through it, so the same parser runs on
// files (listing) and on memory (fuzzing). read() returns fewer bytes than asked only at the end.
class ByteSource {
  public:
    virtual ~ByteSource() = default;
    virtual qint64 size() const = 0;
    virtual QByteArray read(qint64 offset, qint64 length) = 0;
};

class MemoryByteSource : public ByteSource {
  public:
    explicit MemoryByteSource(QByteArray data) : data_(std::move(data)) {}
    qint64 size() const override { return data_.size(); }
    QByteArray read(qint64 offset, qint64 length) override;

  private:
    QByteArray data_;
};

// Serves reads near the start and near the end of a file from two buffers, so that parsing a small
// entry costs one or two reads of the file whatever the number of fields looked at. Opens only regular
// files and never follows a symbolic link.
class FileByteSource : public ByteSource {
  public:
    explicit FileByteSource(const QString& path);
    ~FileByteSource() override;
    FileByteSource(const FileByteSource&) = delete;
    FileByteSource& operator=(const FileByteSource&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    qint64 size() const override { return size_; }
    // Milliseconds since the epoch of the last change of the file's contents.
    qint64 modifiedMs() const { return modifiedMs_; }
    QByteArray read(qint64 offset, qint64 length) override;

  private:
    static constexpr qint64 kWindow = 8192;
    QByteArray readAt(qint64 offset, qint64 length) const;

    int fd_ = -1;
    qint64 size_ = 0;
    qint64 modifiedMs_ = 0;
    QByteArray head_;  // the first bytes of the file, read on first use
    bool headRead_ = false;
    QByteArray tail_;
    qint64 tailOffset_ = -1;
};

}  // namespace vorlaken
