// The calls folder on an office share: 100,000 calls in 100 folders, half with a note,
// served by sshd and read through an sshfs mount (scripts/share-server). The real main
// window's time to its first rows, and FindCalls against find + cat over the same mount.
#include "Benchmark.h"
#include "CallTree.h"

#include "app/frmMain.h"
#include "base/AppContext.h"
#include "base/Clock.h"
#include "base/NoDeviceRecorder.h"
#include "review/clsSearch.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTreeView>

#include <cstdio>

using namespace Qt::StringLiterals;
using namespace CallTree;

int benchShare()
{
    QString why;
    const QString share = Bench::useOwnShare(&why);
    if (share.isEmpty()) {
        fprintf(stderr, "share: no share to measure on: %s\n", qPrintable(why));
        return 1;
    }
    // Written on the server's own disk: 150,000 files through sshfs would take long.
    generate(share + u"/export"_s, QDate::currentDate(), 1);
    const QString mount = share + u"/a"_s;

    WindowContext context(mount);
    AppContext &app = context.app;

    // Today's calls, as the window lists them at load: the first rows, then all of them.
    {
        frmMain window(app);
        window.show();
        auto *lvwCalls = window.findChild<QTreeView *>(u"lvwCalls"_s);
        QElapsedTimer t;
        t.start();
        const bool loaded = window.Form_Load();
        Bench::report("share_form_load_ms", seconds(t) * 1000, 1);
        if (!loaded)
            qFatal("the main window did not load");
        while (lvwCalls->model()->rowCount() == 0 && !jobsDone(window) && t.elapsed() < 600000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        Bench::report("share_first_rows_ms", seconds(t) * 1000, 1);
        while (!jobsDone(window) && t.elapsed() < 600000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (lvwCalls->model()->rowCount() != Folders * CallsPerFolder)
            qFatal("the window listed %d calls of the share", lvwCalls->model()->rowCount());
        Bench::report("share_list_100k_s", seconds(t), 2);
    }

    // Find through the share: every note is read, as find + cat reads them.
    app.settings.SearchPath = mount;
    const QString findCat = u"find \"$1\" -name \"*.wav\" >/dev/null; find \"$1\" -name \"*.txt\" -exec cat {} + >/dev/null"_s;
    clsSearch word;
    word.Note = QString::fromLatin1(SearchWord);
    // One pass each: a pass over the share takes minutes on a busy machine.
    const double theirs = shell(findCat, mount);
    QElapsedTimer t;
    t.start();
    const qsizetype found = search(app, word);
    const double ours = seconds(t);
    if (found != Folders * CallsPerFolder / 20)
        qFatal("Find found %lld calls on the share", qlonglong(found));
    Bench::report("share_findcalls_s", ours);
    Bench::report("share_find_cat_baseline_s", theirs);
    Bench::report("share_findcalls_ratio_vs_find", ours / theirs, 2);
    return 0;
}
