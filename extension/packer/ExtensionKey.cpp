#include "ExtensionKey.h"

#include <stdexcept>

#include <QCryptographicHash>
#include <QFile>

#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509.h>

namespace vorlaken::packer {

ExtensionKey::ExtensionKey(EVP_PKEY* key) : key_(key, EVP_PKEY_free) {}

ExtensionKey ExtensionKey::fromPemFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read the key " + path.toStdString());
    const QByteArray pem = file.readAll();
    std::unique_ptr<BIO, decltype(&BIO_free)> bio(BIO_new_mem_buf(pem.constData(), int(pem.size())),
                                                  BIO_free);
    EVP_PKEY* key = PEM_read_bio_PrivateKey(bio.get(), nullptr, nullptr, nullptr);
    if (!key)
        throw std::runtime_error("no private key in " + path.toStdString());
    return ExtensionKey(key);
}

QByteArray ExtensionKey::publicKeyDer() const {
    unsigned char* der = nullptr;
    const int length = i2d_PUBKEY(key_.get(), &der);
    if (length <= 0)
        throw std::runtime_error("the public key cannot be written");
    QByteArray bytes(reinterpret_cast<const char*>(der), length);
    OPENSSL_free(der);
    return bytes;
}

QByteArray ExtensionKey::idBytes() const {
    return QCryptographicHash::hash(publicKeyDer(), QCryptographicHash::Sha256).left(16);
}

QString ExtensionKey::id() const {
    QString id;
    for (const char digit : idBytes().toHex())
        id += QChar(digit >= 'a' ? 'a' + 10 + (digit - 'a') : 'a' + (digit - '0'));
    return id;
}

QByteArray ExtensionKey::sign(const QByteArray& data) const {
    std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> context(EVP_MD_CTX_new(), EVP_MD_CTX_free);
    std::size_t length = 0;
    if (!context || EVP_DigestSignInit(context.get(), nullptr, EVP_sha256(), nullptr, key_.get()) != 1 ||
        EVP_DigestSign(context.get(), nullptr, &length,
                       reinterpret_cast<const unsigned char*>(data.constData()),
                       std::size_t(data.size())) != 1)
        throw std::runtime_error("the package cannot be signed");
    QByteArray signature(qsizetype(length), Qt::Uninitialized);
    if (EVP_DigestSign(context.get(), reinterpret_cast<unsigned char*>(signature.data()), &length,
                       reinterpret_cast<const unsigned char*>(data.constData()),
                       std::size_t(data.size())) != 1)
        throw std::runtime_error("the package cannot be signed");
    signature.truncate(qsizetype(length));
    return signature;
}

}  // namespace vorlaken::packer
