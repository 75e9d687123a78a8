#pragma once

#include "base/AppContext.h"
#include "base/Clock.h"
#include "base/NoDeviceRecorder.h"
#include "base/Prompts.h"
#include "base/UserName.h"
#include "desktop/XdgDesktop.h"

#include <QDate>
#include <QElapsedTimer>
#include <QString>
#include <QTemporaryDir>
#include <vector>

struct clsSearch;
class frmMain;

// The generated calls the listing benchmarks run over (bench_findcalls.cpp).
namespace CallTree {

inline constexpr int Folders = 100;
inline constexpr int CallsPerFolder = 1000;
inline constexpr int Runs = 3;
inline const char *const SearchWord = "invoice";

// Every question is answered OK: the 200-file question comes once a folder.
struct OkPrompts final : Prompts
{
    Answer msgBox(const QString &, Buttons, Icon, const QString &) override { return Ok; }
};
struct NobodysName final : UserNameSource
{
    std::optional<QString> loginName() const override { return QStringLiteral("bench"); }
};

// What the real main window needs over a calls folder, with settings of its own:
// subfolders searched, manual recording, the folder viewed and filed into.
struct WindowContext
{
    explicit WindowContext(const QString &calls);
    QTemporaryDir home;
    OkPrompts prompts;
    SystemClock clock;
    NobodysName user;
    XdgDesktop desktop;
    AppContext app{Services{prompts, clock, user, desktop, [] { return std::make_unique<NoDeviceRecorder>(); }}};
};

// root/f000 .. root/f099, each with 1000 calls over `daysPerFolder` days from `first`;
// every other call has a note, one in ten of those with the search word.
void generate(const QString &root, const QDate &first, int daysPerFolder);
double seconds(const QElapsedTimer &t);
// How long `sh -c command sh root` takes.
double shell(const QString &command, const QString &root);
double median(std::vector<double> v);
// FindCalls over the app's viewed folder; the number of calls found.
qsizetype search(AppContext &app, const clsSearch &criteria);
// The file job the window shows has ended.
bool jobsDone(const frmMain &window);

} // namespace CallTree
