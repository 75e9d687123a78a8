// FindCalls over a generated tree of 100,000 calls in 100 folders, half with a note,
// against find + cat and grep over the same tree; and the call list filled with it.
#include "Benchmark.h"

#include "base/AppContext.h"
#include "base/Clock.h"
#include "base/Prompts.h"
#include "base/RecorderComponent.h"
#include "base/UserName.h"
#include "callstore/CallListModel.h"
#include "callstore/ui/CallList.h"
#include "review/CallSearch.h"
#include "review/clsSearch.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTreeView>
#include <QVBoxLayout>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cstdlib>

#include <fcntl.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int Folders = 100;
constexpr int CallsPerFolder = 1000;
constexpr int Runs = 3;
const char *const SearchWord = "invoice";

// Every question is answered OK: the 200-file question comes once a folder.
struct OkPrompts final : Prompts
{
    Answer msgBox(const QString &, Buttons, Icon, const QString &) override { return Ok; }
};
struct NobodysName final : UserNameSource
{
    std::optional<QString> loginName() const override { return u"bench"_s; }
};

void writeFile(const QByteArray &path, const QByteArray &bytes)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0 || ::write(fd, bytes.constData(), size_t(bytes.size())) != bytes.size())
        qFatal("cannot write %s", path.constData());
    ::close(fd);
}

// root/f000 .. root/f099, each with 1000 calls over ten days; every other call has a
// note, one in ten of those with the search word.
void generateTree(const QString &root)
{
    static const char *const users[] = {"ann", "bob", "carl", "dora", "ed", "fay", "gus", "hal"};
    // A bare WAV header: the calls' sound is never read by a search.
    const QByteArray wav = QByteArray::fromHex(
        "52494646240000005741564566"
        "6d7420100000000100010040"
        "1f0000803e00000200100064617461"
        "00000000");
    const QDate first(2023, 1, 1);
    for (int f = 0; f < Folders; ++f) {
        const QString folder = root + u"/f%1"_s.arg(f, 3, 10, QLatin1Char('0'));
        QDir().mkpath(folder);
        for (int i = 0; i < CallsPerFolder; ++i) {
            const QDate day = first.addDays(f * 10 + i / 100);
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

// The listing as the main window fills it: a search of the folder into the call list.
qsizetype fill(CallList &list, AppContext &app, const clsSearch &criteria)
{
    return list.FillListing([&](CallListingSink &sink, std::unique_ptr<colCalls> &calls) {
        return CallSearch(app, &sink).FindCalls(criteria, calls);
    });
}

void run()
{
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(settings.path() + u"/user"_s));
    qputenv("XDG_CONFIG_DIRS", QFile::encodeName(settings.path() + u"/machine"_s));
    OkPrompts prompts;
    SystemClock clock;
    NobodysName user;
    AppContext app(Services{prompts, clock, user, [] { return std::unique_ptr<RecorderComponent>(); }});
    app.registry.CreateKey(app.UserKey);
    app.registry.CreateKey(app.MachineKey);
    app.store.SaveLongSetting(u"subfolders"_s, -1);

    QTemporaryDir tree;
    generateTree(tree.path());
    app.settings.SearchPath = tree.path();

    QWidget window;
    auto *lvwCalls = new QTreeView(&window);
    auto *txtNote = new QPlainTextEdit(&window);
    auto *count = new QLabel(&window);
    auto *layout = new QVBoxLayout(&window);
    layout->addWidget(lvwCalls, 1);
    layout->addWidget(txtNote);
    layout->addWidget(count);
    window.resize(1000, 700);
    window.show();
    // Painting counts only once the window is on the screen.
    for (QElapsedTimer wait; !window.windowHandle()->isExposed();) {
        if (!wait.isValid())
            wait.start();
        if (wait.elapsed() > 2000)
            qFatal("the window was never shown");
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    CallList list(app, lvwCalls, txtNote, count);
    list.SetUpCallColumns();

    const QString findCat = u"find \"$1\" -name \"*.wav\" >/dev/null; find \"$1\" -name \"*.txt\" -exec cat {} + >/dev/null"_s;
    const QString grep = u"grep -rli "_s + QLatin1StringView(SearchWord) + u" \"$1\" >/dev/null"_s;
    clsSearch all, word;
    word.Note = QString::fromLatin1(SearchWord);

    // Warm the caches once, then alternate. The memory the listing takes is that of the
    // first: the calls, their notes and the rows.
    shell(findCat, tree.path());
    const double before = Bench::residentMegabytes();
    fill(list, app, all);
    const double listedMb = Bench::residentMegabytes() - before;
    std::vector<double> findCalls, baseline, noteSearch, grepTimes;
    qsizetype listed = 0, found = 0;
    for (int r = 0; r < Runs; ++r) {
        baseline.push_back(shell(findCat, tree.path()));
        QElapsedTimer t;
        t.start();
        listed = fill(list, app, all);
        findCalls.push_back(seconds(t));
        grepTimes.push_back(shell(grep, tree.path()));
        t.restart();
        found = fill(list, app, word);
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

    // The list filled from the whole collection, laid out and painted.
    fill(list, app, all);
    std::vector<double> fill, scroll;
    for (int r = 0; r < Runs; ++r) {
        list.model().setCalls(nullptr);
        lvwCalls->doItemsLayout();
        QElapsedTimer t;
        t.start();
        list.AddCallsToGrid();
        lvwCalls->doItemsLayout();
        lvwCalls->viewport()->repaint();
        fill.push_back(seconds(t) * 1000);
        // Responsiveness: jumping to the end and back, each jump painted.
        t.restart();
        for (int jump = 0; jump < 10; ++jump) {
            QScrollBar *bar = lvwCalls->verticalScrollBar();
            bar->setValue(jump % 2 ? bar->minimum() : bar->maximum());
            lvwCalls->viewport()->repaint();
        }
        scroll.push_back(seconds(t) * 1000 / 10);
    }
    Bench::report("list_100k_rss_mb", listedMb, 1);
    Bench::report("list_fill_100k_ms", median(fill), 1);
    Bench::report("list_scroll_jump_ms", median(scroll), 1);
}

} // namespace

int benchFindCalls()
{
    run();
    return 0;
}
