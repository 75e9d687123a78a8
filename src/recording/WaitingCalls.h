#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>
#include <functional>
#include <optional>

struct AppContext;
class QTimer;

// The finished recordings still in the temporary folder while no mover is at work: calls
// not filed yet, told to the user with the mover's last problems. While any wait, the
// mover is started again now and then, so that they are filed once the calls folder can
// be written again.
class WaitingCalls : public QObject
{
    Q_OBJECT
public:
    static constexpr int CheckMs = 5000; // a look at a folder of a handful of files
    static constexpr int RetrySeconds = 60;

    explicit WaitingCalls(AppContext &ctx, QObject *parent = nullptr);

    // Counts the waiting calls, starts the mover when it is time; says what changed.
    void tmrWaitingCalls_Timer();

    QTimer *tmrWaitingCalls;

signals:
    // text: "2 calls waiting to be filed: <first problem>", empty when none wait;
    // details: every problem, one a line.
    void changed(const QString &text, const QString &details);

private:
    AppContext &ctx;
    std::function<std::optional<QString>()> m_launchMover;
    QDateTime m_lastLaunch;
    QString m_launchFailure;
    QString m_text, m_details;
};
