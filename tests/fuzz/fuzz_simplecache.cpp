// libFuzzer target: one Chromium simple-cache entry file, and the index file, from arbitrary bytes.
#include <cstdint>
#include <cstdlib>

#include <QByteArray>

#include "FuzzChecks.h"
#include "platform/browsercache/ByteSource.h"
#include "platform/browsercache/SimpleCacheEntryReader.h"
#include "platform/browsercache/SimpleCacheIndex.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    vorlaken::MemoryByteSource source(bytes);
    if (const std::optional<vorlaken::CacheRecord> record = vorlaken::SimpleCacheEntryReader::read(source)) {
        vorlaken::fuzz::CheckRecord(*record, bytes.size());
    }
    vorlaken::SimpleCacheIndex::parse(bytes);
    return 0;
}
