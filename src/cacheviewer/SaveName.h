#pragma once

#include <QString>

namespace vorlaken {

// The file a saved copy gets: number n of total, padded, "_" and the URL's last segment without query
// and fragment; while taken, the name gets another leading "_" (the number does not come back). Names
// are shortened to what the file system takes, keeping their extension. Empty when no free name is left.
QString SaveName(const QString& folder, const QString& url, int n, int total);

}  // namespace vorlaken
