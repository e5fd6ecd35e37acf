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

    // 0 on success; kSkipped when the source does not exist or the entry name is empty, kUnreadable
    // when the source could not be read whole; kNotOpened when the archive cannot be opened (an
    // existing file of its name is never replaced) and kWriteFailed when writing into it failed.
    int addFile(const QString& source, const QString& entryName);
    // False when the archive could not be finished; true also when none was open.
    bool close();

    static constexpr int kSkipped = -1;
    static constexpr int kNotOpened = -2;
    static constexpr int kWriteFailed = -4;
    static constexpr int kUnreadable = -5;

    static constexpr int kPieceSize = 8192;

  private:
    bool open();

    QString fileName_;
    void* zip_ = nullptr;
};

}  // namespace vorlaken
