#pragma once

#include <QString>

namespace vorlaken {

// The zip writer TMiniZip: a new archive opened on the first added file, entries deflated at level 9
// with their file's modification time, flat and in the order added.
class TMiniZip {
  public:
    TMiniZip() = default;
    ~TMiniZip();
    TMiniZip(const TMiniZip&) = delete;
    TMiniZip& operator=(const TMiniZip&) = delete;

    const QString& fileName() const { return fileName_; }
    // A different name closes any open archive first.
    void setFileName(const QString& name);

    // 0 on success; negative when the source does not exist, the entry name is empty, the archive
    // cannot be opened (an existing file of its name is never replaced) or writing failed.
    int addFile(const QString& source, const QString& entryName);
    void close();

    static constexpr int kPieceSize = 8192;

  private:
    bool open();

    QString fileName_;
    void* zip_ = nullptr;
};

}  // namespace vorlaken
