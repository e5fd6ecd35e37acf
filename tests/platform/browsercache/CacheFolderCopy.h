#pragma once

#include <QString>

namespace vorlaken::test {

// Copies the plain files of a cache folder (and its sub folders) so a test can change the copy freely.
bool CopyCacheFolder(const QString& from, const QString& to);

}  // namespace vorlaken::test
