#pragma once

#include <memory>

#include <QByteArray>
#include <QString>

typedef struct evp_pkey_st EVP_PKEY;

namespace vorlaken::packer {

// The key pair that gives the Chromium-family package its id: its public half goes into the manifest
// (an unpacked extension takes its id from there) and into the signed package.
class ExtensionKey {
  public:
    // Reads a PEM private key; throws std::runtime_error when it cannot.
    static ExtensionKey fromPemFile(const QString& path);

    // The public key as DER SubjectPublicKeyInfo.
    QByteArray publicKeyDer() const;
    // The first 16 bytes of the SHA-256 of the public key.
    QByteArray idBytes() const;
    // Those bytes in hex, 0-f written a-p: the id the browsers show.
    QString id() const;
    // An RSA PKCS#1 v1.5 signature with SHA-256.
    QByteArray sign(const QByteArray& data) const;

  private:
    explicit ExtensionKey(EVP_PKEY* key);
    std::shared_ptr<EVP_PKEY> key_;
};

}  // namespace vorlaken::packer
