#include "WindowRig.h"

#include "recording/RecordingSession.h"

#include <QCoreApplication>
#include <QLabel>
#include <QShortcut>
#include <QTimer>

using namespace Qt::StringLiterals;

WindowRig::WindowRig(bool used)
{
    if (used) {
        app.store.SaveStringSetting(u"CallPath"_s, calls.path() + u'/');
        app.store.SaveStringSetting(u"SearchPath"_s, calls.path());
    }
}

bool WindowRig::load()
{
    recorders.clear();
    window = std::make_unique<frmMain>(app);
    const bool loaded = window->Form_Load();
    QCoreApplication::sendPostedEvents(); // the recorder armed and filed what was left
    return loaded;
}

QString WindowRig::text(const char *label) const
{
    return find<QLabel>(label)->text();
}

void WindowRig::fire(const char *timer) const
{
    // The clock's second is the recorder's too: its check runs first, as its own timer would.
    if (qstrcmp(timer, "tmrTimeStamp") == 0) {
        window->findChild<RecordingSession *>()->CheckInput();
        QCoreApplication::sendPostedEvents();
    }
    QMetaObject::invokeMethod(find<QTimer>(timer), "timeout");
}

void WindowRig::key(const char *shortcut) const
{
    emit find<QShortcut>(shortcut)->activated();
    QCoreApplication::sendPostedEvents(); // the recorder's command, and what it said
}
