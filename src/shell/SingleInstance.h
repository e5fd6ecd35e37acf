#pragma once

#include <memory>

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

namespace vorlaken {

// Keeps grabnest to one running copy per user: a lock file in the runtime folder says who runs, and a
// local socket beside it lets a second start ask the running copy to come to the front.
class SingleInstance : public QObject {
    Q_OBJECT
  public:
    // folder: where the lock and socket live (the user's runtime folder by default).
    explicit SingleInstance(const QString& folder = QString());
    ~SingleInstance() override;

    // True when this process is the first: it now holds the lock and listens for later starts.
    // False when another copy runs; that copy has then been asked to raise its window (best effort).
    bool claim();

    static QString defaultFolder();

  signals:
    void raiseRequested();

  private:
    bool askRunningCopy() const;

    QString folder_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer server_;
};

}  // namespace vorlaken
