#pragma once

#include <optional>

#include <QElapsedTimer>
#include <QString>

namespace vorlaken {

// A value read ahead together with another one, handed out once while it is fresh: within one command
// it is as good as a new read; a reader that comes later asks the page again.
class FreshOnce {
  public:
    FreshOnce() = default;
    FreshOnce(QString value, qint64 freshMs);

    std::optional<QString> take();

  private:
    std::optional<QString> value_;
    qint64 freshMs_ = 0;
    QElapsedTimer age_;
};

}  // namespace vorlaken
