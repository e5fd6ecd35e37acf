#pragma once

#include <optional>

#include <QString>

namespace vorlaken {

// The programs' own command line: --help and --version, nothing else of their own. It is read before
// any window system is touched, so both answer without a display. The options of Qt's application
// object (-platform, -style, -session, ...) pass through to it.
class CommandLine {
  public:
    struct Program {
        QString command;      // "grabnest"
        QString product;      // "Vorlaken"
        QString version;      // "8.1"
        QString description;  // the first lines of --help
    };

    // The exit status when the command line asks for no window (help, version, a mistake: 2), else
    // nothing, and the program goes on.
    static std::optional<int> handle(int argc, char** argv, const Program& program);
};

}  // namespace vorlaken
