#include "StoredBody.h"

#include "BodyDecoder.h"
#include "PictureSniffer.h"

namespace vorlaken {

void StoredBody::assess(const ResponseHead& head, ByteSource& source, CacheRecord* record) {
    record->contentEncoding = head.contentEncoding;
    record->contentType = head.contentType;
    // The announced length counts the stored (still encoded) bytes: fewer means the transfer broke
    // off, more means the entry was written over.
    if (head.contentLength >= 0 && head.contentLength != record->bodyLength) {
        record->truncated = true;
    }
    const std::optional<std::vector<BodyDecoder::Coding>> codings =
        BodyDecoder::codingsOf(head.contentEncoding);
    record->usable = head.isUsable() && !record->truncated && codings.has_value();
    if (!record->usable) {
        return;
    }
    const QByteArray first = source.read(record->bodyOffset, qMin(record->bodyLength, kSniffStoredBytes));
    const QByteArray start = BodyDecoder::decodeStart(*codings, first, PictureSniffer::kSniffLength);
    record->contentType = PictureSniffer::effectiveType(head.contentType, PictureSniffer::typeOf(start));
}

}  // namespace vorlaken
