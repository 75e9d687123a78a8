#include "app/CommandLine.h"

#include "app/SingleInstance.h"

#include "base/Product.h"
#include "base/ProgramFiles.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

constexpr int StartWaitMs = 20000;

// Hands the command to the running program, starting one in the tray when none runs,
// and says what it answered: 0 when done, 1 when refused or no program answers.
int handOver(const QString &command, const QString &argument)
{
    const QString name = SingleInstance::defaultName();
    bool started = false;
    QElapsedTimer waited;
    waited.start();
    std::optional<SingleInstance::Reply> reply;
    while (waited.elapsed() < StartWaitMs) {
        // A note waits for the calls folder, given up on after 10 s.
        reply = SingleInstance::Send(name, command, argument, 15000);
        // A program that is still loading says so; one that is not there yet is started.
        if (reply && reply->accepted)
            break;
        if (reply && reply->text != u"Voxmere is still starting"_s)
            break;
        if (!reply && !started) {
            // It outlives this command: not on this terminal (its messages are its own boxes).
            QProcess tray;
            tray.setProgram(QCoreApplication::applicationFilePath());
            tray.setArguments({u"--tray"_s});
            tray.setStandardOutputFile(QProcess::nullDevice());
            tray.setStandardErrorFile(QProcess::nullDevice());
            started = tray.startDetached();
        }
        QThread::msleep(100);
    }
    if (!reply) {
        const QString why = started ? QCoreApplication::translate("CommandLine", "no running Voxmere answered (one was started in the tray)")
                                    : QCoreApplication::translate("CommandLine", "no running Voxmere answered");
        std::fprintf(stderr, "voxmere: %s\n", qPrintable(why));
        return 1;
    }
    std::fprintf(reply->accepted ? stdout : stderr, "%s%s\n", reply->accepted ? "" : "voxmere: ",
                 qPrintable(reply->text));
    return reply->accepted ? 0 : 1;
}

// The options, their texts in the language of the translation installed when made.
struct Options
{
    QCommandLineParser parser;
    const QCommandLineOption help{{u"h"_s, u"help"_s}, QCoreApplication::translate("CommandLine", "Displays this help.")};
    const QCommandLineOption version{{u"v"_s, u"version"_s}, QCoreApplication::translate("CommandLine", "Displays the version.")};
    const QCommandLineOption record{u"record"_s, QCoreApplication::translate("CommandLine", "Starts recording a call in the running Voxmere.")};
    const QCommandLineOption stop{u"stop"_s, QCoreApplication::translate("CommandLine", "Stops the recording and files the call.")};
    const QCommandLineOption toggle{u"toggle"_s, QCoreApplication::translate("CommandLine", "Starts recording, or stops the recording.")};
    const QCommandLineOption status{
        u"status"_s, QCoreApplication::translate("CommandLine", "Prints what Voxmere does: idle, listening, recording <seconds> or input lost.")};
    const QCommandLineOption note{u"note"_s, QCoreApplication::translate("CommandLine", "Sets the note of the call being recorded, or of the last one filed."),
                                  QCoreApplication::translate("CommandLine", "text")};
    const QCommandLineOption tray{u"tray"_s, QCoreApplication::translate("CommandLine", "Starts in the tray, the window hidden.")};
    bool parsed = false;

    explicit Options(const QStringList &arguments)
    {
        parser.setApplicationDescription(QCoreApplication::translate("CommandLine", "%1 records the calls of a telephone line wired to the sound card.").arg(ProductName()));
        // Its own, not addHelpOption(): that one's --help-all needs an application to show.
        for (const QCommandLineOption &o : {help, version, record, stop, toggle, status, note, tray})
            parser.addOption(o);
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
        parsed = parser.parse(arguments) && parser.positionalArguments().isEmpty();
    }
    QStringList commands() const
    {
        QStringList given;
        for (const QCommandLineOption &o : {record, stop, toggle, status, note})
            if (parser.isSet(o))
                given << o.names().constFirst();
        return given;
    }
    // Nothing to answer: the program starts, its window shown or in the tray.
    bool plainStart() const { return parsed && !parser.isSet(help) && !parser.isSet(version) && commands().isEmpty(); }
};

} // namespace

CommandLine::Outcome CommandLine::Answer(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCoreApplication::setApplicationName(u"voxmere"_s);
    QCoreApplication::setApplicationVersion(QStringLiteral(VOXMERE_VERSION));
    if (const Options plain(arguments); plain.plainStart())
        return {std::nullopt, plain.parser.isSet(plain.tray)};
    // Answered here, in the user's language: the translation needs an application.
    QCoreApplication app(argc, argv);
    InstallTranslations(app);
    const Options options(arguments);
    const QCommandLineParser &parser = options.parser;
    if (!options.parsed) {
        const QString why = parser.positionalArguments().isEmpty()
                                ? parser.errorText()
                                : QCoreApplication::translate("CommandLine", "Unexpected argument '%1'.").arg(parser.positionalArguments().constFirst());
        std::fprintf(stderr, "voxmere: %s\n%s\n", qPrintable(why),
                     qPrintable(QCoreApplication::translate("CommandLine", "Try 'voxmere --help' for the options.")));
        return {2};
    }
    if (parser.isSet(options.help)) {
        // Named as a user types it, not by the path it was started from.
        QString text = parser.helpText();
        const QString started = QCoreApplication::arguments().value(0);
        if (const qsizetype at = text.indexOf(started); at >= 0 && !started.isEmpty())
            text.replace(at, started.size(), u"voxmere"_s);
        std::fputs(qPrintable(text), stdout);
        return {0};
    }
    if (parser.isSet(options.version)) {
        std::printf("%s %s\n", qPrintable(ProductName()), VOXMERE_VERSION);
        return {0};
    }
    const QStringList commands = options.commands();
    if (commands.size() > 1) {
        std::fprintf(stderr, "voxmere: %s\n",
                     qPrintable(QCoreApplication::translate("CommandLine", "one command at a time, not --%1.").arg(commands.join(u" --"_s))));
        return {2};
    }
    return {handOver(commands[0], commands[0] == u"note"_s ? parser.value(options.note) : QString())};
}
