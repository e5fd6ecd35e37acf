#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace vorlaken::test {

// An installed program and what it answers by on the session bus.
struct InstalledProgram {
    QString command;
    QString service;
    QString objectPath;
    QString settingsFile;
};

// One start of an installed program as a user would make it: a home, runtime and cache folder of its
// own, no browser to attach and no cache to read, on the test's session bus. Ends it on destruction.
class ProgramRun {
  public:
    explicit ProgramRun(InstalledProgram program);
    ~ProgramRun();

    // Starts the executable (a command link or the program itself), waits until it answers and ends
    // it as a session would: an empty text, else what failed.
    QString startAnswerAndEnd(const QString& executable);
    // Where its settings are written: the per-user folder of its home.
    QString userSettingsFile() const;

  private:
    // Starts the executable; an empty text, else what failed.
    QString start(const QString& executable);
    // Waits until the program answers on the bus; grabnest until its start-up capture gave "Get"
    // back. An empty text, else what it was waiting for.
    QString waitUntilAnswering();
    // Ends it with SIGTERM as a session would; an empty text when it closed normally with status 0.
    QString endAsTheSessionWould();

    InstalledProgram program_;
    QTemporaryDir home_;
    QTemporaryDir runtime_;
    QTemporaryDir cache_;
    QProcess process_;
};

}  // namespace vorlaken::test
