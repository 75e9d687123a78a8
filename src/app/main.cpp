#include "app/AppIcons.h"
#include "app/BusService.h"
#include "app/CommandLine.h"
#include "app/frmMain.h"
#include "app/MessageBoxPrompts.h"
#include "app/SingleInstance.h"
#include "audio/AudioEngine.h"
#include "audio/modMixer.h"
#include "base/AppContext.h"
#include "base/Clock.h"
#include "base/Guarded.h"
#include "base/Product.h"
#include "base/ProgramFiles.h"
#include "base/Prompts.h"
#include "base/UserName.h"
#include "desktop/XdgDesktop.h"

#include <QApplication>
#include <QSessionManager>
#include <QSocketNotifier>
#include <QSystemTrayIcon>
#include <QTimer>

#include <cstdio>
#include <utility>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

int signalPipe[2] = {-1, -1};
bool terminating = false; // a signal asked the program to end

void onTerminate(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(signalPipe[0], &byte, 1);
}

// SIGTERM (logout, systemctl, timeout), SIGHUP (the session's terminal gone) and SIGINT
// end the program at any moment: the running call is filed and the window state saved.
// A plain quit would be lost before the main loop runs or refused under a message box
// (the first-run message, say), so every event loop is told to end, the nested ones
// too, and none that starts from then on waits.
void quitOnTerminate(frmMain &window, Prompts &prompts)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0)
        return;
    auto *notifier = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, &window);
    GuardedConnect(prompts, u"modMain:Terminate"_s, notifier, &QSocketNotifier::activated, &window, [&window] {
        char byte;
        [[maybe_unused]] const ssize_t n = ::read(signalPipe[1], &byte, 1);
        if (std::exchange(terminating, true))
            return;
        QCoreApplication::exit(0);
        window.Terminate();
    });
    struct sigaction action = {};
    action.sa_handler = onTerminate;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGHUP, SIGINT})
        sigaction(signal, &action, nullptr);
}

} // namespace

int main(int argc, char *argv[])
{
    const CommandLine::Outcome asked = CommandLine::Answer(argc, argv);
    if (asked.exitCode)
        return *asked.exitCode;
    QApplication app(argc, argv);
    QApplication::setApplicationName(ProductName());
    QApplication::setDesktopFileName(u"voxmere"_s);
    QApplication::setQuitOnLastWindowClosed(false); // the tray keeps the program alive
    QApplication::setWindowIcon(AppIcons::icon("AAA")); // every window's, the about box's too
    InstallTranslations(app);

    SingleInstance instance;
    if (!instance.claim())
        return 0;
    // Better two recorders than none: the user is told, and the program goes on.
    const QString unguarded = QCoreApplication::translate("main", "%1 cannot make sure that it runs only once: %2. It starts anyway.").arg(
        ProductName(), instance.problem());
    if (!instance.problem().isEmpty())
        std::fprintf(stderr, "%s\n", qPrintable(unguarded));

    MessageBoxPrompts prompts;
    SystemClock clock;
    SystemUserName userName;
    XdgDesktop desktop;
    AppContext ctx(Services{prompts, clock, userName, desktop,
                            [] { return std::make_unique<AudioEngine>(); },
                            {},
                            [&prompts] { modMixer::FindVolumeControls(prompts); }});
    ctx.registry.CreateKey(u"HKEY_CURRENT_USER\\Software\\Voxmere"_s);
    ctx.registry.CreateKey(u"HKEY_LOCAL_MACHINE\\Software\\Voxmere"_s);

    frmMain window(ctx);
    prompts.setParentWindow(&window);
    GuardedConnect(prompts, u"modMain:ActivatePreviousInstance"_s, &instance, &SingleInstance::showRequested, &window,
                   &frmMain::ShowAndRaise);
    // Logging out or shutting down: the session manager asks first, or sends SIGTERM.
    GuardedConnect(prompts, u"modMain:commitDataRequest"_s, &app, &QGuiApplication::commitDataRequest, &window,
                   &frmMain::EndSession);
    GuardedConnect(prompts, u"modMain:aboutToQuit"_s, &app, &QCoreApplication::aboutToQuit, &window, &frmMain::EndSession);
    quitOnTerminate(window, prompts);
    const auto commands = [&window](const QString &command, const QString &argument, const SingleInstance::Answer &answer) {
        window.RemoteCommand(command, argument, answer);
    };
    instance.setCommandHandler(commands);
    if (!window.Form_Load())
        return 1;
    if (terminating)
        return 0;
    // On the session bus once loaded: a client that sees the name may use it at once.
    BusService bus(commands);
    QObject::connect(&window, &frmMain::callFiled, &bus, &BusService::CallFiled);
    bus.publish();
    if (!instance.problem().isEmpty())
        QTimer::singleShot(0, &window, [&] { prompts.message(unguarded, Prompts::Exclamation, ProductName()); });
    if (asked.tray && window.hasTrayIcon())
        window.hide();
    else if (!window.isMinimized() && !asked.tray)
        window.show();
    else if (!window.hasTrayIcon())
        window.showMinimized();
    return app.exec();
}
