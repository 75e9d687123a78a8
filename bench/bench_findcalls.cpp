// FindCalls over a generated tree of 100,000 calls in 100 folders, half with a note,
// against find + cat and grep over the same tree; and the real main window listing them.
#include "desktop/XdgDesktop.h"
#include "Benchmark.h"
#include "CallTree.h"

#include "app/frmMain.h"
#include "base/AppContext.h"
#include "base/Clock.h"
#include "base/NoDeviceRecorder.h"
#include "base/Prompts.h"
#include "base/RecorderComponent.h"
#include "base/UserName.h"
#include "callstore/FileJob.h"
#include "callstore/colCalls.h"
#include "callstore/ui/JobProgress.h"
#include "controls/XPButton.h"
#include "review/CallSearch.h"
#include "review/clsSearch.h"
#include "review/ui/dlgFindCall.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <algorithm>
#include <cstdlib>

#include <fcntl.h>
#include <malloc.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace CallTree {


static void writeFile(const QByteArray &path, const QByteArray &bytes)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0 || ::write(fd, bytes.constData(), size_t(bytes.size())) != bytes.size())
        qFatal("cannot write %s", path.constData());
    ::close(fd);
}

// root/f000 .. root/f099, each with 1000 calls over ten days from `first`; every other
// call has a note, one in ten of those with the search word.
void generate(const QString &root, const QDate &first, int daysPerFolder)
{
    static const char *const users[] = {"ann", "bob", "carl", "dora", "ed", "fay", "gus", "hal"};
    // A bare WAV header: the calls' sound is never read by a search.
    const QByteArray wav = QByteArray::fromHex(
        "52494646240000005741564566"
        "6d7420100000000100010040"
        "1f0000803e00000200100064617461"
        "00000000");
    for (int f = 0; f < Folders; ++f) {
        const QString folder = root + u"/f%1"_s.arg(f, 3, 10, QLatin1Char('0'));
        QDir().mkpath(folder);
        for (int i = 0; i < CallsPerFolder; ++i) {
            const QDate day = first.addDays((f * 10 + i / 100) % daysPerFolder);
            const int seconds = (i % 100) * 613 + 30000;
            const QString stem = day.toString(u"yyyyMMdd"_s) + u'-'
                + QTime(0, 0).addSecs(seconds).toString(u"HHmmss"_s) + u'-'
                + QLatin1StringView(users[(f + i) % 8]) + u'-' + QString::number((i * 37) % 3600);
            const QByteArray base = QFile::encodeName(folder + u'/' + stem);
            writeFile(base + ".wav", wav);
            if (i % 2 == 0) {
                QByteArray note = "Call " + QByteArray::number(i) + " about order "
                    + QByteArray::number(f * 7919 + i) + " for a customer in town.";
                if (i % 20 == 0)
                    note += "\r\nInvoice disputed, call back before Friday.";
                writeFile(base + ".txt", note);
            }
        }
    }
}

double seconds(const QElapsedTimer &t)
{
    return double(t.nsecsElapsed()) / 1e9;
}

double shell(const QString &command, const QString &root)
{
    const QByteArray line = "sh -c '" + command.toLocal8Bit() + "' sh '" + QFile::encodeName(root) + "'";
    QElapsedTimer t;
    t.start();
    if (std::system(line.constData()) == -1)
        qFatal("cannot run %s", line.constData());
    return seconds(t);
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

qsizetype search(AppContext &app, const clsSearch &criteria)
{
    std::unique_ptr<colCalls> calls;
    return CallSearch(CallSearch::ScopeOf(app), app.prompts()).FindCalls(criteria, calls);
}

WindowContext::WindowContext(const QString &calls)
{
    for (const char *name : {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CONFIG_DIRS", "XDG_CACHE_HOME"})
        qputenv(name, QFile::encodeName(home.path() + u'/' + QLatin1StringView(name)));
    app.registry.CreateKey(app.UserKey);
    app.registry.CreateKey(app.MachineKey);
    app.store.SaveLongSetting(u"subfolders"_s, -1);
    app.store.SaveLongSetting(u"AutoRecord"_s, 0);
    app.store.SaveStringSetting(u"SearchPath"_s, calls);
    app.store.SaveStringSetting(u"CallPath"_s, calls);
}

// The file job the window shows has ended.
bool jobsDone(const frmMain &window)
{
    const JobProgress *progress = window.findChild<JobProgress *>();
    return !progress->job() || progress->job()->isFinished();
}

} // namespace CallTree

namespace {

using namespace CallTree;

// The search itself, without a window: FindCalls over 100 folders against find + cat and
// grep over the same tree.
void searchSpeed()
{
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(settings.path() + u"/user"_s));
    qputenv("XDG_CONFIG_DIRS", QFile::encodeName(settings.path() + u"/machine"_s));
    OkPrompts prompts;
    SystemClock clock;
    NobodysName user;
    XdgDesktop desktop;
    AppContext app(Services{prompts, clock, user, desktop, [] { return std::unique_ptr<RecorderComponent>(); }});
    app.registry.CreateKey(app.UserKey);
    app.registry.CreateKey(app.MachineKey);
    app.store.SaveLongSetting(u"subfolders"_s, -1);

    QTemporaryDir tree;
    generate(tree.path(), QDate(2023, 1, 1), 1000);
    app.settings.SearchPath = tree.path();

    const QString findCat = u"find \"$1\" -name \"*.wav\" >/dev/null; find \"$1\" -name \"*.txt\" -exec cat {} + >/dev/null"_s;
    const QString grep = u"grep -rli "_s + QLatin1StringView(SearchWord) + u" \"$1\" >/dev/null"_s;
    clsSearch all, word;
    word.Note = QString::fromLatin1(SearchWord);

    shell(findCat, tree.path()); // warm the caches once, then alternate
    std::vector<double> findCalls, baseline, noteSearch, grepTimes;
    qsizetype listed = 0, found = 0;
    for (int r = 0; r < Runs; ++r) {
        baseline.push_back(shell(findCat, tree.path()));
        QElapsedTimer t;
        t.start();
        listed = search(app, all);
        findCalls.push_back(seconds(t));
        grepTimes.push_back(shell(grep, tree.path()));
        t.restart();
        found = search(app, word);
        noteSearch.push_back(seconds(t));
    }
    if (listed != Folders * CallsPerFolder || found != Folders * CallsPerFolder / 20)
        qFatal("listed %lld calls and found %lld", qlonglong(listed), qlonglong(found));

    Bench::report("findcalls_100k_s", median(findCalls));
    Bench::report("find_cat_baseline_s", median(baseline));
    Bench::report("findcalls_ratio_vs_find", median(findCalls) / median(baseline), 2);
    Bench::report("note_search_s", median(noteSearch));
    Bench::report("grep_baseline_s", median(grepTimes));
    Bench::report("note_search_ratio_vs_grep", median(noteSearch) / median(grepTimes), 2);
}

// Runs the window's events until its job ends, and answers the longest wait between two
// ticks of a 5 ms timer of the window's thread meanwhile. `scroll`: the user scrolls the
// list meanwhile, a page every tick, as its rows come in.
double longestStall(const frmMain &window, bool scroll = false)
{
    QTimer tick;
    tick.setInterval(5);
    QElapsedTimer since, total;
    double longest = 0;
    auto *lvwCalls = window.findChild<QTreeView *>(u"lvwCalls"_s);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        longest = std::max(longest, double(since.nsecsElapsed()) / 1e6);
        if (scroll) {
            QScrollBar *bar = lvwCalls->verticalScrollBar();
            bar->setValue(bar->value() + bar->pageStep() > bar->maximum() ? 0 : bar->value() + bar->pageStep());
        }
        since.restart();
    });
    since.start();
    total.start();
    tick.start();
    while (!jobsDone(window) && total.elapsed() < 600000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    longest = std::max(longest, double(since.nsecsElapsed()) / 1e6);
    return longest;
}

double rssAfterTrim()
{
    malloc_trim(0); // what was freed is not the list's
    return Bench::residentMegabytes();
}

// The real main window over 100,000 calls of today, half with a note: its memory once the
// load has listed them, the longest stall of its thread while Find opens every note, and
// the list's fill and scroll.
void mainWindow()
{
    QTemporaryDir tree;
    generate(tree.path(), QDate::currentDate(), 1);
    shell(u"find \"$1\" -type f -exec cat {} + >/dev/null"_s, tree.path());
    WindowContext context(tree.path());
    AppContext &app = context.app;

    const double before = rssAfterTrim();
    frmMain window(app);
    window.show();
    if (!window.Form_Load())
        qFatal("the main window did not load");
    longestStall(window);
    auto *lvwCalls = window.findChild<QTreeView *>(u"lvwCalls"_s);
    if (lvwCalls->model()->rowCount() != Folders * CallsPerFolder)
        qFatal("the window listed %d calls", lvwCalls->model()->rowCount());
    const double listed = rssAfterTrim();

    // Find through the dialog, as the user runs it: every note is opened.
    window.findChild<QToolButton *>(u"cmdFind"_s)->click();
    auto *dialog = window.findChild<dlgFindCall *>();
    dialog->txtSearchString->setText(QString::fromLatin1(SearchWord));
    std::vector<double> stalls;
    for (int r = 0; r < Runs; ++r) {
        emit dialog->cmdSearch->Click();
        stalls.push_back(longestStall(window, true));
    }
    if (lvwCalls->model()->rowCount() != Folders * CallsPerFolder / 20)
        qFatal("Find listed %d calls", lvwCalls->model()->rowCount());
    Bench::report("ui_stall_max_ms", *std::max_element(stalls.begin(), stalls.end()), 1);

    // Cancel pressed half a second into Find: how long until the job has ended.
    std::vector<double> cancels;
    for (int r = 0; r < Runs; ++r) {
        emit dialog->cmdSearch->Click();
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < 500)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (jobsDone(window))
            qFatal("Find ended within half a second: nothing to cancel");
        window.findChild<QToolButton *>(u"cmdCancelJob"_s)->click();
        t.restart();
        while (!jobsDone(window))
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        cancels.push_back(seconds(t) * 1000);
    }
    Bench::report("job_cancel_ms", *std::max_element(cancels.begin(), cancels.end()), 1);
    Bench::report("list_100k_rss_mb", listed, 1);
    Bench::report("list_100k_added_rss_mb", listed - before, 1);

    // All calls listed again, laid out and painted; then jumps to the end and back.
    dialog->txtSearchString->setText(u"*"_s);
    QElapsedTimer t;
    t.start();
    emit dialog->cmdSearch->Click();
    longestStall(window);
    lvwCalls->doItemsLayout();
    lvwCalls->viewport()->repaint();
    Bench::report("list_fill_100k_ms", seconds(t) * 1000, 1);
    t.restart();
    for (int jump = 0; jump < 10; ++jump) {
        QScrollBar *bar = lvwCalls->verticalScrollBar();
        bar->setValue(jump % 2 ? bar->minimum() : bar->maximum());
        lvwCalls->viewport()->repaint();
    }
    Bench::report("list_scroll_jump_ms", seconds(t) * 1000 / 10, 1);
    dialog->close();
}

} // namespace

int benchFindCalls()
{
    searchSpeed();
    mainWindow();
    return 0;
}
