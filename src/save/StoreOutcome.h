#pragma once

#include <QString>

namespace vorlaken {

// How storing one picture ended. Only kStored leaves a file behind, and then a whole one.
struct StoreOutcome {
    enum Kind {
        kStored,       // the file holds the whole picture
        kFailed,       // this picture could not be had (status, empty or cut body, stall); the run goes on
        kStopped,      // "stop saving" or the program closing abandoned it
        kWriteFailed,  // the target folder refused the bytes (disk full, folder gone, read-only)
    };
    Kind kind = kFailed;
    QString reason;  // for kWriteFailed: the system's words

    bool stored() const { return kind == kStored; }
    static StoreOutcome of(Kind kind, const QString& reason = QString()) { return {kind, reason}; }
};

}  // namespace vorlaken
