#include "WindowRig.h"

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
    return window->Form_Load();
}

QString WindowRig::text(const char *label) const
{
    return find<QLabel>(label)->text();
}

void WindowRig::fire(const char *timer) const
{
    QMetaObject::invokeMethod(find<QTimer>(timer), "timeout");
}

void WindowRig::key(const char *shortcut) const
{
    emit find<QShortcut>(shortcut)->activated();
}
