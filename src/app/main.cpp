#include "app/frmMain.h"
#include "app/MessageBoxPrompts.h"
#include "app/SingleInstance.h"
#include "audio/AudioEngine.h"
#include "base/AppContext.h"
#include "base/Clock.h"
#include "base/Product.h"
#include "base/Prompts.h"
#include "base/UserName.h"

#include <QApplication>
#include <QSystemTrayIcon>
#include <QTimer>

#include <cstdio>

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(ProductName());
    QApplication::setApplicationDisplayName(ProductName());
    QApplication::setDesktopFileName(u"voxmere"_s);
    QApplication::setQuitOnLastWindowClosed(false); // the tray keeps the program alive

    SingleInstance instance;
    if (!instance.claim())
        return 0;
    // Better two recorders than none: the user is told, and the program goes on.
    const QString unguarded = u"%1 cannot make sure that it runs only once: %2. It starts anyway."_s.arg(
        ProductName(), instance.problem());
    if (!instance.problem().isEmpty())
        std::fprintf(stderr, "%s\n", qPrintable(unguarded));

    MessageBoxPrompts prompts;
    SystemClock clock;
    SystemUserName userName;
    AppContext ctx(Services{prompts, clock, userName,
                            [] { return std::make_unique<AudioEngine>(); }});
    ctx.registry.CreateKey(u"HKEY_CURRENT_USER\\Software\\Voxmere"_s);
    ctx.registry.CreateKey(u"HKEY_LOCAL_MACHINE\\Software\\Voxmere"_s);

    frmMain window(ctx);
    prompts.setParentWindow(&window);
    QObject::connect(&instance, &SingleInstance::showRequested, &window, &frmMain::ShowAndRaise);
    if (!window.Form_Load())
        return 1;
    if (!instance.problem().isEmpty())
        QTimer::singleShot(0, &window, [&] { prompts.message(unguarded, Prompts::Exclamation, ProductName()); });
    if (!window.isMinimized())
        window.show();
    else if (!window.hasTrayIcon())
        window.showMinimized();
    return app.exec();
}
