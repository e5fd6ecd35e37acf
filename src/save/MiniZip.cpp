#include "save/MiniZip.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <minizip/zip.h>

#include "save/FileNaming.h"

namespace vorlaken {

TMiniZip::~TMiniZip() {
    close();
}

void TMiniZip::setFileName(const QString& name) {
    if (name != fileName_)
        close();
    fileName_ = name;
}

bool TMiniZip::open() {
    if (zip_)
        return true;
    if (fileName_.isEmpty() || NameTaken(fileName_))
        return false;
    zip_ = zipOpen64(QFile::encodeName(fileName_).constData(), APPEND_STATUS_CREATE);
    return zip_ != nullptr;
}

bool TMiniZip::close() {
    if (!zip_)
        return true;
    const int result = zipClose(static_cast<zipFile>(zip_), nullptr);
    zip_ = nullptr;
    return result == ZIP_OK;
}

int TMiniZip::addFile(const QString& source, const QString& entryName) {
    if (entryName.isEmpty())
        return kSkipped;
    QFile in(source);
    if (!QFileInfo(source).isFile() || !in.open(QIODevice::ReadOnly))
        return kSkipped;
    if (!open())
        return kNotOpened;
    zipFile zip = static_cast<zipFile>(zip_);

    zip_fileinfo info{};
    const QDateTime modified = QFileInfo(source).lastModified().toLocalTime();
    info.tmz_date.tm_sec = modified.time().second();
    info.tmz_date.tm_min = modified.time().minute();
    info.tmz_date.tm_hour = modified.time().hour();
    info.tmz_date.tm_mday = modified.date().day();
    info.tmz_date.tm_mon = modified.date().month() - 1;
    info.tmz_date.tm_year = modified.date().year();

    const QByteArray name = entryName.toUtf8();
    bool ascii = true;
    for (char c : name)
        ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    const uLong utf8Flag = ascii ? 0 : 0x800;  // general purpose bit 11: the name is UTF-8
    if (zipOpenNewFileInZip4_64(zip, name.constData(), &info, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED, 9,
                                0, -MAX_WBITS, DEF_MEM_LEVEL, Z_DEFAULT_STRATEGY, nullptr, 0, 0, utf8Flag,
                                0) != ZIP_OK) {
        return kWriteFailed;
    }
    int result = 0;
    QByteArray buffer(kPieceSize, Qt::Uninitialized);
    for (;;) {
        const qint64 got = in.read(buffer.data(), kPieceSize);
        if (got < 0) {
            result = kUnreadable;
            break;
        }
        if (got == 0)
            break;
        if (zipWriteInFileInZip(zip, buffer.constData(), unsigned(got)) != ZIP_OK) {
            result = kWriteFailed;
            break;
        }
    }
    if (zipCloseFileInZip(zip) != ZIP_OK && result == 0)
        result = kWriteFailed;
    return result;
}

}  // namespace vorlaken
