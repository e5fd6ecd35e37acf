#pragma once

#include <memory>
#include <optional>
#include <vector>

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace vorlaken {

// Undoes the Content-Encoding of a stored body (gzip, deflate, br, zstd, or a list of them), block by
// block. Browsers store bodies as they came over the wire; a picture is only what is left after
// decoding. Output beyond a bound counts as a failure, so a small entry cannot fill the disk.
class BodyDecoder {
  public:
    enum class Coding { Gzip, Deflate, Brotli, Zstd };
    static constexpr qint64 kDefaultMaxOutput = 256LL * 1024 * 1024;

    // The decoding steps of a Content-Encoding value, in the order they undo it; empty for none or
    // "identity"; nothing when some coding is unknown.
    static std::optional<std::vector<Coding>> codingsOf(const QString& contentEncoding);

    explicit BodyDecoder(std::vector<Coding> codings, qint64 maxOutput = kDefaultMaxOutput);
    ~BodyDecoder();
    BodyDecoder(const BodyDecoder&) = delete;
    BodyDecoder& operator=(const BodyDecoder&) = delete;

    // Appends what the input decodes to; false when the input is not valid or the output too long.
    bool feed(QByteArrayView input, QByteArray* output);
    // True when everything fed formed complete streams: a body cut short decodes to no picture.
    bool finish();

    // As much of the start of a body as its first stored bytes decode to, at most maxOutput bytes; for
    // telling the type without reading the whole body.
    static QByteArray decodeStart(const std::vector<Coding>& codings, QByteArrayView firstBytes,
                                  qint64 maxOutput);

    // One decoding step (defined with the decoder).
    class Stage;

  private:
    std::vector<std::unique_ptr<Stage>> stages_;
    qint64 maxOutput_;
    qint64 produced_ = 0;
    bool failed_ = false;
};

}  // namespace vorlaken
