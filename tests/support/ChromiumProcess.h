#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace vorlaken::test {

// A headless Chromium with a fresh profile and its DevTools endpoint on an ephemeral loopback port.
// The browser runs in its own process group, so kill() and the destructor end every process it
// started (renderers, GPU and network services) and nothing else.
class ChromiumProcess {
  public:
    ChromiumProcess();
    ~ChromiumProcess();
    ChromiumProcess(const ChromiumProcess&) = delete;
    ChromiumProcess& operator=(const ChromiumProcess&) = delete;

    // The browser executable (VORLAKEN_CHROMIUM, else /usr/bin/chromium); empty when there is none.
    static QString executable();
    static bool available() { return !executable().isEmpty(); }
    // The flags every test browser gets, without profile and port.
    static QStringList standardArguments();

    // Starts the browser and waits (bounded) until its DevTools port is known. False on failure;
    // errorString() says why.
    bool start(const QString& startUrl = QString(), const QStringList& extraArguments = QStringList(),
               int timeoutMs = 30000);
    bool isRunning() const;
    quint16 port() const { return port_; }
    // http://127.0.0.1:PORT
    QString endpoint() const;
    QString profileDir() const { return profileDir_.isEmpty() ? profile_.path() : profileDir_; }
    // Runs the browser on this (existing, empty) folder instead of a fresh temporary one, for tests that
    // need the profile where the program looks for browsers. Call before start(); the caller removes it.
    void setProfileDir(const QString& folder) { profileDir_ = folder; }
    // The environment the browser starts with (this process's by default).
    void setEnvironment(const QProcessEnvironment& environment) {
        process_.setProcessEnvironment(environment);
    }
    qint64 processId() const { return process_.processId(); }
    QString errorString() const { return error_; }

    // Ends the browser and all its helper processes at once (SIGKILL to the process group).
    void kill();
    // Asks the browser to quit (SIGTERM), waits up to timeoutMs, then kills what is left.
    // True when it ended by itself.
    bool close(int timeoutMs = 5000);

  private:
    bool groupAlive() const;
    void signalGroup(int signal);

    QTemporaryDir profile_;
    QString profileDir_;
    QProcess process_;
    qint64 group_ = 0;
    quint16 port_ = 0;
    QString error_;
};

}  // namespace vorlaken::test

// Fails the current test function when a browser it needs is not installed: a skip would count as a
// pass. Only VORLAKEN_ALLOW_MISSING_BROWSERS=1 turns that into a skip, for machines known to lack one.
#define VORLAKEN_REQUIRE_BROWSER(present, what)                                                  \
    do {                                                                                         \
        if (!(present)) {                                                                        \
            if (qEnvironmentVariableIntValue("VORLAKEN_ALLOW_MISSING_BROWSERS") == 1)            \
                QSKIP(what " is not installed (allowed by VORLAKEN_ALLOW_MISSING_BROWSERS=1)."); \
            QFAIL(what " is not installed; set VORLAKEN_ALLOW_MISSING_BROWSERS=1 to skip.");     \
        }                                                                                        \
    } while (false)

#define VORLAKEN_REQUIRE_CHROMIUM() \
    VORLAKEN_REQUIRE_BROWSER(vorlaken::test::ChromiumProcess::available(), "Chromium (/usr/bin/chromium)")
