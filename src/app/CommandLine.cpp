#include "app/CommandLine.h"

#include "base/Product.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>

using namespace Qt::StringLiterals;

std::optional<int> CommandLine::Answer(const QStringList &arguments)
{
    QCoreApplication::setApplicationName(u"voxmere"_s);
    QCoreApplication::setApplicationVersion(QStringLiteral(VOXMERE_VERSION));
    QCommandLineParser parser;
    parser.setApplicationDescription(ProductName() + u" records the calls of a telephone line wired to the sound card."_s);
    // Its own, not addHelpOption(): that one's --help-all needs an application to show.
    const QCommandLineOption help({u"h"_s, u"help"_s}, u"Displays this help."_s);
    const QCommandLineOption version({u"v"_s, u"version"_s}, u"Displays the version."_s);
    parser.addOption(help);
    parser.addOption(version);
    // Qt's own options are the application's to take (a session manager restarts the
    // program with -session): let them through, unlisted.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const char *name : {"platform", "platformpluginpath", "platformtheme", "plugin", "style", "stylesheet",
                             "session", "display", "geometry", "qwindowgeometry", "qwindowtitle", "qwindowicon"}) {
        QCommandLineOption qt(QString::fromLatin1(name), QString(), u"value"_s);
        qt.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(qt);
    }
    for (const char *name : {"reverse", "widgetcount", "nograb", "dograb", "sync"}) {
        QCommandLineOption qt(QString::fromLatin1(name));
        qt.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(qt);
    }
    if (!parser.parse(arguments) || !parser.positionalArguments().isEmpty()) {
        const QString why = parser.positionalArguments().isEmpty()
                                ? parser.errorText()
                                : u"Unexpected argument '%1'."_s.arg(parser.positionalArguments().constFirst());
        std::fprintf(stderr, "voxmere: %s\nTry 'voxmere --help' for the options.\n", qPrintable(why));
        return 2;
    }
    if (parser.isSet(help)) {
        // No application yet to name the program.
        std::fputs(qPrintable(parser.helpText().replace(u"<executable_name>"_s, u"voxmere"_s)), stdout);
        return 0;
    }
    if (parser.isSet(version)) {
        std::printf("%s %s\n", qPrintable(ProductName()), VOXMERE_VERSION);
        return 0;
    }
    return std::nullopt;
}
