#pragma once

#include <QString>
#include <QStringList>

namespace vorlaken {

// The command of the main window that is running and the controls it has taken out of use until it
// ends. Commands that let events in while they run (the browser waits of a capture, the save run)
// hold it, so that nothing starts them a second time inside themselves: the window asks it before it
// starts such a command, automation before it clicks a control.
class CommandGuard {
  public:
    // Holds the guard for the lifetime of the object.
    class Hold {
      public:
        Hold(CommandGuard& guard, const QStringList& controls);
        ~Hold();
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

      private:
        CommandGuard& guard_;
        QStringList controls_;
    };

    bool busy() const { return holds_ > 0; }
    // The running command took the control of that component name out of use.
    bool locks(const QString& control) const { return locked_.contains(control); }

  private:
    int holds_ = 0;
    QStringList locked_;
};

}  // namespace vorlaken
