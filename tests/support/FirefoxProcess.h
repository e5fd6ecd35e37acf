#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace vorlaken::test {

class CompanionRuntime;

// A headless firefox-esr on a fresh profile with the companion extension installed (the unsigned
// package in the profile's extensions folder, which the profile's preferences let Firefox take
// without asking) and the host manifest in a home folder of its own. Like ChromiumProcess it runs in a
// process group of its own that kill() and the destructor end.
class FirefoxProcess {
  public:
    FirefoxProcess();
    ~FirefoxProcess();
    FirefoxProcess(const FirefoxProcess&) = delete;
    FirefoxProcess& operator=(const FirefoxProcess&) = delete;

    // firefox-esr on the PATH; empty when there is none.
    static QString executable();
    static bool available() { return !executable().isEmpty(); }
    // The user.js of a test profile: the unsigned extension is taken and turned on without a question,
    // and nothing reaches out to the network at the first start.
    static QByteArray preferences();

    // Starts on the fresh profile, with the extension and the host manifest put in place first.
    bool start(const CompanionRuntime& runtime, const QString& startUrl);
    // Starts on the given profile and home as they are.
    bool startWith(const CompanionRuntime& runtime, const QString& home, const QString& profile,
                   const QString& startUrl);
    bool isRunning() const { return process_.state() != QProcess::NotRunning; }
    qint64 processId() const { return process_.processId(); }
    QString profileDir() const { return profile_.path(); }
    QString homeDir() const { return home_.path(); }
    QString errorString() const { return error_; }

    void kill();

  private:
    QTemporaryDir profile_;
    QTemporaryDir home_;
    QProcess process_;
    qint64 group_ = 0;
    QString error_;
};

}  // namespace vorlaken::test

#define VORLAKEN_REQUIRE_FIREFOX() \
    VORLAKEN_REQUIRE_BROWSER(vorlaken::test::FirefoxProcess::available(), "firefox-esr")
