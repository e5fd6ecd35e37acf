#include "BodyDecoder.h"

#include <brotli/decode.h>
#include <zlib.h>
#include <zstd.h>

#include <QStringList>

namespace vorlaken {

namespace {

constexpr qsizetype kOutBlock = 64 * 1024;

}  // namespace

// One decoding step. Each consumes its whole input per call and reports whether its stream ended.
class BodyDecoder::Stage {
  public:
    virtual ~Stage() = default;
    virtual bool feed(QByteArrayView input, QByteArray* output, qint64 room) = 0;
    virtual bool ended() const = 0;
};

namespace {

class ZlibStage : public BodyDecoder::Stage {
  public:
    explicit ZlibStage(bool gzip) : gzip_(gzip) {}
    ~ZlibStage() override {
        if (started_) {
            inflateEnd(&stream_);
        }
    }

    bool feed(QByteArrayView input, QByteArray* output, qint64 room) override {
        qsizetype at = 0;
        while (at < input.size()) {
            if (!started_ && !start(input.sliced(at))) {
                return false;
            }
            if (ended_) {
                // Like the browser, which showed this body, ignore what follows the end of the stream.
                return true;
            }
            stream_.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(input.data() + at));
            stream_.avail_in = uInt(qMin<qsizetype>(input.size() - at, 1 << 30));
            const uInt given = stream_.avail_in;
            const int result = pump(output, room);
            at += given - stream_.avail_in;
            if (result == Z_STREAM_END) {
                ended_ = true;
            } else if (result != Z_OK && result != Z_BUF_ERROR) {
                return false;
            }
            if (output->size() > room) {
                return false;
            }
            if (given == stream_.avail_in && result != Z_STREAM_END) {
                break;  // no progress: needs more input
            }
        }
        return true;
    }
    bool ended() const override { return ended_; }

  private:
    bool start(QByteArrayView first) {
        // "deflate" is meant to be zlib-wrapped, yet some servers send the bare stream: the first two
        // bytes of a zlib header tell them apart.
        int bits = 15 + 16;
        if (!gzip_) {
            const bool wrapped = first.size() >= 2 && (uchar(first.at(0)) & 0x0f) == 8 &&
                                 ((uint(uchar(first.at(0))) << 8) | uchar(first.at(1))) % 31 == 0;
            bits = wrapped ? 15 : -15;
        }
        if (inflateInit2(&stream_, bits) != Z_OK) {
            return false;
        }
        started_ = true;
        return true;
    }
    int pump(QByteArray* output, qint64 room) {
        int result = Z_OK;
        do {
            const qsizetype before = output->size();
            output->resize(before + kOutBlock);
            stream_.next_out = reinterpret_cast<Bytef*>(output->data() + before);
            stream_.avail_out = uInt(kOutBlock);
            result = inflate(&stream_, Z_NO_FLUSH);
            output->resize(before + kOutBlock - stream_.avail_out);
            if (output->size() > room) {
                return Z_DATA_ERROR;
            }
        } while (result == Z_OK && stream_.avail_out == 0);
        return result;
    }

    z_stream stream_{};
    bool gzip_;
    bool started_ = false;
    bool ended_ = false;
};

class BrotliStage : public BodyDecoder::Stage {
  public:
    BrotliStage() : state_(BrotliDecoderCreateInstance(nullptr, nullptr, nullptr)) {}
    ~BrotliStage() override { BrotliDecoderDestroyInstance(state_); }

    bool feed(QByteArrayView input, QByteArray* output, qint64 room) override {
        if (state_ == nullptr) {
            return false;
        }
        if (ended_) {
            return true;
        }
        size_t availIn = size_t(input.size());
        const uint8_t* nextIn = reinterpret_cast<const uint8_t*>(input.data());
        while (true) {
            const qsizetype before = output->size();
            output->resize(before + kOutBlock);
            size_t availOut = size_t(kOutBlock);
            uint8_t* nextOut = reinterpret_cast<uint8_t*>(output->data() + before);
            const BrotliDecoderResult result =
                BrotliDecoderDecompressStream(state_, &availIn, &nextIn, &availOut, &nextOut, nullptr);
            output->resize(before + kOutBlock - qsizetype(availOut));
            if (result == BROTLI_DECODER_RESULT_ERROR || output->size() > room) {
                return false;
            }
            if (result == BROTLI_DECODER_RESULT_SUCCESS) {
                ended_ = true;
                return true;  // like the browser, ignore what follows the end of the stream
            }
            if (result == BROTLI_DECODER_RESULT_NEEDS_MORE_INPUT) {
                return true;
            }
        }
    }
    bool ended() const override { return ended_; }

  private:
    BrotliDecoderState* state_;
    bool ended_ = false;
};

class ZstdStage : public BodyDecoder::Stage {
  public:
    ZstdStage() : stream_(ZSTD_createDStream()) {
        if (stream_ != nullptr) {
            // Bounds the window a hostile frame may ask for (the format's default limit, 128 MiB).
            ZSTD_DCtx_setParameter(stream_, ZSTD_d_windowLogMax, 27);
        }
    }
    ~ZstdStage() override { ZSTD_freeDStream(stream_); }

    bool feed(QByteArrayView input, QByteArray* output, qint64 room) override {
        if (stream_ == nullptr) {
            return false;
        }
        ZSTD_inBuffer in{input.data(), size_t(input.size()), 0};
        while (true) {
            const size_t inBefore = in.pos;
            const qsizetype before = output->size();
            output->resize(before + kOutBlock);
            ZSTD_outBuffer out{output->data() + before, size_t(kOutBlock), 0};
            const size_t result = ZSTD_decompressStream(stream_, &out, &in);
            output->resize(before + qsizetype(out.pos));
            if (ZSTD_isError(result) || output->size() > room) {
                return false;
            }
            if (result == 0) {
                // A frame ended and is flushed; more frames may follow.
                ended_ = true;
                if (in.pos == in.size) {
                    return true;
                }
                continue;
            }
            if (out.pos > 0 || in.pos > inBefore) {
                ended_ = false;  // inside a frame
            }
            if (in.pos == in.size && out.pos < out.size) {
                return true;
            }
        }
    }
    bool ended() const override { return ended_; }

  private:
    ZSTD_DStream* stream_;
    bool ended_ = false;
};

}  // namespace

std::optional<std::vector<BodyDecoder::Coding>> BodyDecoder::codingsOf(const QString& contentEncoding) {
    std::vector<Coding> codings;
    const QStringList names = contentEncoding.toLower().split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (const QString& raw : names) {
        const QString name = raw.trimmed();
        if (name.isEmpty() || name == QLatin1String("identity")) {
            continue;
        }
        if (name == QLatin1String("gzip") || name == QLatin1String("x-gzip")) {
            codings.push_back(Coding::Gzip);
        } else if (name == QLatin1String("deflate")) {
            codings.push_back(Coding::Deflate);
        } else if (name == QLatin1String("br")) {
            codings.push_back(Coding::Brotli);
        } else if (name == QLatin1String("zstd")) {
            codings.push_back(Coding::Zstd);
        } else {
            return std::nullopt;
        }
        if (codings.size() > 4) {
            return std::nullopt;  // no server stacks codings that deep
        }
    }
    // The last coding applied is the first to undo.
    return std::vector<Coding>(codings.rbegin(), codings.rend());
}

BodyDecoder::BodyDecoder(std::vector<Coding> codings, qint64 maxOutput) : maxOutput_(maxOutput) {
    for (const Coding coding : codings) {
        switch (coding) {
            case Coding::Gzip:
                stages_.push_back(std::make_unique<ZlibStage>(true));
                break;
            case Coding::Deflate:
                stages_.push_back(std::make_unique<ZlibStage>(false));
                break;
            case Coding::Brotli:
                stages_.push_back(std::make_unique<BrotliStage>());
                break;
            case Coding::Zstd:
                stages_.push_back(std::make_unique<ZstdStage>());
                break;
        }
    }
}

BodyDecoder::~BodyDecoder() = default;

bool BodyDecoder::feed(QByteArrayView input, QByteArray* output) {
    if (failed_) {
        return false;
    }
    QByteArray current;
    QByteArrayView data = input;
    for (const std::unique_ptr<Stage>& stage : stages_) {
        QByteArray next;
        if (!stage->feed(data, &next, maxOutput_ - produced_)) {
            failed_ = true;
            return false;
        }
        current = std::move(next);
        data = current;
    }
    if (produced_ + data.size() > maxOutput_) {
        failed_ = true;
        return false;
    }
    produced_ += data.size();
    output->append(data);
    return true;
}

bool BodyDecoder::finish() {
    if (failed_) {
        return false;
    }
    for (const std::unique_ptr<Stage>& stage : stages_) {
        if (!stage->ended()) {
            return false;
        }
    }
    return true;
}

QByteArray BodyDecoder::decodeStart(const std::vector<Coding>& codings, QByteArrayView firstBytes,
                                    qint64 maxOutput) {
    if (codings.empty()) {
        return firstBytes.first(qMin<qsizetype>(firstBytes.size(), maxOutput)).toByteArray();
    }
    // Decoding stops at the bound; what came out before is still the true start of the body.
    BodyDecoder decoder(codings, maxOutput);
    QByteArray output = firstBytes.toByteArray();
    for (const std::unique_ptr<Stage>& stage : decoder.stages_) {
        QByteArray next;
        stage->feed(output, &next, maxOutput);
        output = std::move(next);
    }
    output.truncate(maxOutput);
    return output;
}

}  // namespace vorlaken
