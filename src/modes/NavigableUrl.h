#pragma once

#include <QString>
#include <QStringList>

namespace vorlaken {

// Whether an address that came from a page or a list may be navigated to: http, https and file only.
// Anything else (javascript:, data:, a browser's own pages) could run or show what no page offered.
bool IsNavigable(const QString& url);

// Tells the user which addresses were passed over, one per line after the reason.
inline const QString kNotNavigatedMessage =
    QStringLiteral("Only http, https and file addresses are opened. These were skipped:");
QString NotNavigatedMessage(const QStringList& skipped);

}  // namespace vorlaken
