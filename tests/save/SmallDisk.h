#pragma once

#include <csignal>

#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

namespace vorlaken::test {

// A folder that holds only so many bytes: a tmpfs of diskBytes where the machine lets us mount one (as
// root), else a limit of fileBytes on the size of every file this process writes (with SIGXFSZ
// ignored, so a write past it fails instead of killing the process). Either way a write that does not
// fit fails.
class SmallDisk {
  public:
    SmallDisk(qint64 diskBytes, qint64 fileBytes) {
        path_ = dir_.path() + QStringLiteral("/small");
        QDir().mkpath(path_);
        const QByteArray options = "size=" + QByteArray::number(diskBytes);
        mounted_ =
            ::mount("tmpfs", QFile::encodeName(path_).constData(), "tmpfs", 0, options.constData()) == 0;
        if (!mounted_) {
            ::getrlimit(RLIMIT_FSIZE, &before_);
            const struct rlimit limit = {rlim_t(fileBytes), before_.rlim_max};
            limited_ = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
            previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        }
    }
    ~SmallDisk() {
        if (mounted_)
            ::umount2(QFile::encodeName(path_).constData(), MNT_DETACH);
        if (limited_) {
            ::setrlimit(RLIMIT_FSIZE, &before_);
            std::signal(SIGXFSZ, previousHandler_);
        }
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool ready() const { return mounted_ || limited_; }
    bool mounted() const { return mounted_; }
    // Ends with "/".
    QString path() const { return path_ + u'/'; }

  private:
    QTemporaryDir dir_;
    QString path_;
    bool mounted_ = false;
    bool limited_ = false;
    struct rlimit before_ = {};
    void (*previousHandler_)(int) = SIG_DFL;
};

// Makes a folder refuse new files in a way that holds for root too: a tmpfs mounted on it and then
// remounted read-only where mounting is allowed, else the folder's write permission taken away (which
// binds every user but root).
class ReadOnlySwitch {
  public:
    explicit ReadOnlySwitch(const QString& folder) : folder_(QFile::encodeName(folder)) {
        mounted_ = ::mount("tmpfs", folder_.constData(), "tmpfs", 0, "size=64m") == 0;
    }
    ~ReadOnlySwitch() {
        if (mounted_)
            ::umount2(folder_.constData(), MNT_DETACH);
        else
            ::chmod(folder_.constData(), 0755);
    }
    ReadOnlySwitch(const ReadOnlySwitch&) = delete;
    ReadOnlySwitch& operator=(const ReadOnlySwitch&) = delete;

    // False when neither way can bind this process.
    bool usable() const { return mounted_ || ::geteuid() != 0; }

    // Turns the folder read-only; true when that took effect.
    bool turnReadOnly() {
        if (mounted_)
            return ::mount(nullptr, folder_.constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
        return ::chmod(folder_.constData(), 0555) == 0;
    }

  private:
    QByteArray folder_;
    bool mounted_ = false;
};

}  // namespace vorlaken::test
