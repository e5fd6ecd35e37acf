#include "CrxWriter.h"

#include <cstdint>
#include <string>

#include <QtEndian>

#include "packer/crx3.pb.h"

namespace vorlaken::packer {

namespace {

QByteArray littleEndian32(std::uint32_t value) {
    QByteArray bytes(4, Qt::Uninitialized);
    qToLittleEndian(value, bytes.data());
    return bytes;
}

QByteArray bytesOf(const std::string& text) {
    return QByteArray(text.data(), qsizetype(text.size()));
}

}  // namespace

QByteArray CrxWriter::package(const QByteArray& zip) const {
    crx::SignedData signedData;
    const QByteArray id = key_.idBytes();
    signedData.set_crx_id(id.constData(), std::size_t(id.size()));
    const QByteArray signedHeader = bytesOf(signedData.SerializeAsString());

    // What the signature covers: a fixed prefix, the signed header with its length, then the archive.
    const QByteArray proven = QByteArrayLiteral("CRX3 SignedData") + QByteArray(1, '\0') +
                              littleEndian32(std::uint32_t(signedHeader.size())) + signedHeader + zip;
    const QByteArray publicKey = key_.publicKeyDer();
    const QByteArray signature = key_.sign(proven);

    crx::CrxFileHeader header;
    crx::AsymmetricKeyProof* proof = header.add_sha256_with_rsa();
    proof->set_public_key(publicKey.constData(), std::size_t(publicKey.size()));
    proof->set_signature(signature.constData(), std::size_t(signature.size()));
    header.set_signed_header_data(signedHeader.constData(), std::size_t(signedHeader.size()));
    const QByteArray headerBytes = bytesOf(header.SerializeAsString());

    return QByteArrayLiteral("Cr24") + littleEndian32(3) + littleEndian32(std::uint32_t(headerBytes.size())) +
           headerBytes + zip;
}

}  // namespace vorlaken::packer
