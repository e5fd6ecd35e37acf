#include "common/CommandLine.h"

#include <cstdio>

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>

namespace vorlaken {
namespace {

constexpr int kUsageError = 2;

// Qt's application object reads these from the same command line (QGuiApplication and QApplication
// documentation); they are accepted and left to it.
const char* const kQtValueOptions[] = {"platform",      "platformpluginpath",
                                       "platformtheme", "plugin",
                                       "qmljsdebugger", "qwindowgeometry",
                                       "geometry",      "qwindowicon",
                                       "icon",          "qwindowtitle",
                                       "title",         "session",
                                       "display",       "name",
                                       "style",         "stylesheet",
                                       "visual"};
const char* const kQtFlagOptions[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

void print(FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

}  // namespace

std::optional<int> CommandLine::handle(int argc, char** argv, const Program& program) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    QCommandLineParser parser;
    // Qt's own options come with one dash, as "-platform offscreen".
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(program.description);
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    for (const char* name : kQtValueOptions) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char* name : kQtFlagOptions) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }

    QString mistake;
    if (!parser.parse(arguments))
        mistake = parser.errorText();
    else if (!parser.positionalArguments().isEmpty())
        mistake = QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().first());
    if (!mistake.isEmpty()) {
        print(
            stderr,
            QStringLiteral("%1: %2\nTry '%1 --help' for more information.\n").arg(program.command, mistake));
        return kUsageError;
    }
    if (parser.isSet(version)) {
        print(stdout, QStringLiteral("%1 (%2) %3\n").arg(program.command, program.product, program.version));
        return 0;
    }
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        // The help text names the program by the application object's first argument: the command's
        // name, whatever path it was started by.
        QByteArray name = program.command.toLocal8Bit();
        int textArgc = 1;
        char* textArgv[] = {name.data(), nullptr};
        QCoreApplication textOnly(textArgc, textArgv);
        print(stdout, parser.helpText());
        return 0;
    }
    return std::nullopt;
}

}  // namespace vorlaken
