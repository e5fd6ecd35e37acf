#pragma once

#include <QByteArray>

#include "ExtensionKey.h"

namespace vorlaken::packer {

// A CRX3 package: the zip archive of the extension behind a header that proves, with the key's
// signature, which extension it is. Chromium-family browsers install such a file from the external
// extension files of a profile.
class CrxWriter {
  public:
    explicit CrxWriter(const ExtensionKey& key) : key_(key) {}
    QByteArray package(const QByteArray& zip) const;

  private:
    const ExtensionKey& key_;
};

}  // namespace vorlaken::packer
