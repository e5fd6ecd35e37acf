#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

namespace vorlaken {

class Desktop;
class ProgramDir;

// "Upgrade Now" and the check at start-up of both programs: they start the outside updater "upgrade"
// lying beside them, and differ only in the rules below.
class UpgradeCommands {
  public:
    struct Rules {
        // The updater's record of its last run, beside the program, section "config", key "lastupdate".
        QString stateFile;
        // Taken when no last update is recorded; its dots are dropped before comparing.
        QString releaseDate;
        // The check starts the updater when the last update is older than this many days.
        int days = 0;
        QString missingMessage;
        // Handed to the updater after the window's identifier.
        QStringList extraArguments;
    };
    static Rules grabnest();
    static Rules tidecove();

    // windowHandle: what the updater gets to reach the running program (the X11 window id, or 0).
    UpgradeCommands(Rules rules, const ProgramDir& dir, Desktop& desktop, quint64 windowHandle);

    // Starts the updater when its last update is older than the span of days before today, compared
    // as text, so a date in another form is still compared character by character. Silent without one.
    void UpgradeCheck(const QDate& today);
    void UpgradeNow();

  private:
    QString updater() const;

    Rules rules_;
    const ProgramDir& dir_;
    Desktop& desktop_;
    quint64 windowHandle_;
};

}  // namespace vorlaken
