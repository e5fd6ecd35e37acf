// libFuzzer target: one Firefox cache2 entry file from arbitrary bytes.
#include <cstdint>

#include <QByteArray>

#include "FuzzChecks.h"
#include "platform/browsercache/ByteSource.h"
#include "platform/browsercache/FirefoxCacheEntryReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    vorlaken::MemoryByteSource source(bytes);
    if (const std::optional<vorlaken::CacheRecord> record = vorlaken::FirefoxCacheEntryReader::read(source)) {
        vorlaken::fuzz::CheckRecord(*record, bytes.size());
    }
    return 0;
}
