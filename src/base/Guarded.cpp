#include "base/Guarded.h"

#include "base/modErrors.h"
#include "base/RuntimeError.h"

#include <QCoreApplication>
#include <QSet>
#include <QThread>

using namespace Qt::StringLiterals;

void RunGuarded(Prompts &prompts, const QString &context, const std::function<void()> &handler) noexcept
{
    // A timer keeps firing while its error box is open: one box a handler at a time.
    static QSet<QString> showing;
    int number = 0;
    QString description;
    try {
        handler();
        return;
    } catch (const std::exception &e) {
        number = RuntimeError::numberOf(e);
        description = RuntimeError::descriptionOf(e);
    } catch (...) {
        number = 51;
        description = QCoreApplication::translate("RuntimeError", "Internal error");
    }
    // Boxes belong to the window's thread: a handler on another thread (the recorder's)
    // has its error told there, without waiting for it.
    auto report = [&prompts, number, description, context] {
        if (showing.contains(context))
            return;
        showing.insert(context);
        try {
            modErrors::ReportError(prompts, number, description, 999, context, QString());
        } catch (...) {
            // Nothing more can be said: the box itself failed.
        }
        showing.remove(context);
    };
    QCoreApplication *app = QCoreApplication::instance();
    if (app && QThread::currentThread() != app->thread())
        QMetaObject::invokeMethod(app, report, Qt::QueuedConnection);
    else
        report();
}
