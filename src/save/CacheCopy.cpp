#include "save/CacheCopy.h"

#include <QByteArray>
#include <QFile>

#include "save/FileNaming.h"

namespace vorlaken {

StoreOutcome CacheCopy::copy(const QString& source, const QString& target) {
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly) || in.size() == 0)
        return StoreOutcome::of(StoreOutcome::kFailed);
    if (NameTaken(target))
        return StoreOutcome::of(StoreOutcome::kFailed);
    QFile out(target);
    if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return StoreOutcome::of(StoreOutcome::kWriteFailed, out.errorString());

    StoreOutcome outcome = StoreOutcome::of(StoreOutcome::kStored);
    QByteArray buffer(kPieceSize, Qt::Uninitialized);
    qint64 copied = 0;
    for (;;) {
        const qint64 got = in.read(buffer.data(), kPieceSize);
        if (got < 0) {
            outcome = StoreOutcome::of(StoreOutcome::kFailed);
            break;
        }
        if (got == 0)
            break;
        if (out.write(buffer.constData(), got) != got) {
            outcome = StoreOutcome::of(StoreOutcome::kWriteFailed, out.errorString());
            break;
        }
        copied += got;
    }
    if (outcome.stored() && copied == 0)
        outcome = StoreOutcome::of(StoreOutcome::kFailed);
    if (outcome.stored() && !out.flush())
        outcome = StoreOutcome::of(StoreOutcome::kWriteFailed, out.errorString());
    out.close();
    if (!outcome.stored())
        out.remove();
    return outcome;
}

}  // namespace vorlaken
