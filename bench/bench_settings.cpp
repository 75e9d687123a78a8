// How often the settings files are rewritten while the real main window is moved and
// resized 100 times, as a drag does. Every rewrite of either store's file is seen by
// inotify: a replacing rename (QSaveFile) or a write in place.
#include "desktop/XdgDesktop.h"
#include "Benchmark.h"

#include "app/frmMain.h"
#include "base/AppContext.h"
#include "base/Clock.h"
#include "base/NoDeviceRecorder.h"
#include "base/Prompts.h"
#include "base/UserName.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QSet>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>
#include <sys/inotify.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int Steps = 100;

struct OkPrompts final : Prompts
{
    Answer msgBox(const QString &, Buttons, Icon, const QString &) override { return Ok; }
};
struct BenchName final : UserNameSource
{
    std::optional<QString> loginName() const override { return u"bench"_s; }
};

void runEventsFor(int ms)
{
    const QDeadlineTimer until(ms);
    while (!until.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
}

// Rewrites of "Voxmere.conf" in the watched folders since the last call: a file renamed
// over it, or a write in place (opening it to read, as QSettings does, is none).
int settingsWrites(int fd)
{
    int writes = 0;
    QSet<int> modified; // watches whose file was written since it was opened
    alignas(inotify_event) char buffer[4096];
    for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;) {
        for (char *at = buffer; at < buffer + n;) {
            const auto *event = reinterpret_cast<const inotify_event *>(at);
            at += sizeof(inotify_event) + event->len;
            if (!event->len || qstrcmp(event->name, "Voxmere.conf") != 0)
                continue;
            if (event->mask & IN_MODIFY)
                modified.insert(event->wd);
            if ((event->mask & IN_MOVED_TO) || ((event->mask & IN_CLOSE_WRITE) && modified.remove(event->wd)))
                ++writes;
        }
    }
    return writes;
}

} // namespace

int benchSettingsWrites()
{
    QTemporaryDir root;
    const QString user = root.filePath(u"user"_s), machine = root.filePath(u"machine"_s);
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(user));
    qputenv("XDG_CONFIG_DIRS", QFile::encodeName(machine));
    qputenv("XDG_DATA_HOME", QFile::encodeName(root.filePath(u"data"_s)));

    OkPrompts prompts;
    SystemClock clock;
    BenchName name;
    XdgDesktop desktop;
    AppContext ctx(Services{prompts, clock, name, desktop, [] { return std::make_unique<NoDeviceRecorder>(); },
                            [] { return std::optional<QString>(); }});
    ctx.registry.CreateKey(ctx.UserKey);
    ctx.registry.CreateKey(ctx.MachineKey);
    const QString calls = root.filePath(u"calls/"_s);
    QDir().mkpath(calls);
    ctx.store.SaveStringSetting(u"CallPath"_s, calls);
    ctx.store.SaveStringSetting(u"SearchPath"_s, calls);

    frmMain window(ctx);
    if (!window.Form_Load()) {
        std::fprintf(stderr, "settings: the main window did not load\n");
        return 1;
    }
    window.show();
    runEventsFor(2500); // the start's own writes are done

    const int fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    const QString folders[] = {user + u"/Voxmere"_s, machine + u"/Voxmere"_s};
    for (const QString &folder : folders) {
        if (fd < 0 || ::inotify_add_watch(fd, QFile::encodeName(folder).constData(), IN_MOVED_TO | IN_MODIFY | IN_CLOSE_WRITE) < 0) {
            std::fprintf(stderr, "settings: cannot watch %s\n", qPrintable(folder));
            return 1;
        }
    }
    const QPoint start = window.pos();
    for (int i = 0; i < Steps; ++i) {
        window.resize(700 + i % 10 * 10, 500 + i % 7 * 10);
        window.move(start + QPoint(i % 13, i % 11));
        runEventsFor(20);
    }
    runEventsFor(3000); // the last step has stood still long enough to be written
    Bench::report("settings_writes_per_100_resizes", settingsWrites(fd), 0);
    ::close(fd);
    return 0;
}
