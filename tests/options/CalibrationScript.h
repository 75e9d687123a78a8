#pragma once

#include "recording/ui/dlgCalMsg.h"
#include "recording/ui/dlgCalibrate.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include "controls/XPButton.h"
#include <QTest>
#include <QTimer>

#include <functional>

// A user going through the calibration wizard. Each step names the window it expects and
// what the user does there: Next, Prev, close, skip (ticks "Skip help screens", Next),
// "yes,no" (page 2's answers, "yes," the first only, then Next), adjust (the level for 1.5 s), measure (the
// sensitivity, to its end), OK, Cancel. Windows after the last step are closed.
struct CalibrationScript
{
    QStringList seen;                                // the window of each step, as it came
    QString level;                                   // lblLevel after "adjust"
    std::function<void(dlgCalibrate &)> atCalibrate; // before the calibration window's first step

    void act(QWidget *w, const QString &step)
    {
        const QString want = step.section(u' ', 0, 0), action = step.section(u' ', 1);
        seen << w->objectName();
        auto *page = qobject_cast<dlgCalMsg *>(w);
        auto *cal = qobject_cast<dlgCalibrate *>(w);
        if (w->objectName() != want || action == u"close") {
            w->close();
        } else if (page && action.contains(u',')) {
            const QStringList answers = action.split(u',');
            page->chkMic[answers[0] == u"no"]->click();
            if (!answers[1].isEmpty())
                page->chkAdv[answers[1] == u"no"]->click();
            page->cmdNext->click();
        } else if (page) {
            if (action == u"skip")
                page->chkSkip->click();
            (action == u"Prev" ? page->cmdPrevious : page->cmdNext)->click();
        } else if (cal) {
            if (atCalibrate)
                std::exchange(atCalibrate, nullptr)(*cal);
            if (action == u"adjust") {
                cal->cmdCalibrate->click();
                QTest::qWait(1500);
                level = cal->lblLevel->text();
            } else if (action == u"measure") {
                cal->btnCalSens->click();
                QVERIFY(QTest::qWaitFor([cal] { return cal->btnCalSens->isEnabled(); }, 5000));
            } else {
                (action == u"OK" ? cal->btnOK : cal->btnCancel)->click();
            }
        }
    }

    // Runs `start` (which opens the wizard and returns when it ends) with the steps played.
    void run(const QStringList &steps, const std::function<void()> &start)
    {
        qsizetype next = 0;
        bool busy = false; // a step that waits lets the poll run: not a step then
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (std::exchange(busy, true))
                return;
            // A window that stays (questions unanswered, a level read) takes the next step at once.
            for (QWidget *w = QApplication::activeModalWidget(); w && w->isVisible();)
                act(w, next < steps.size() ? steps[next++] : QStringLiteral("- close"));
            busy = false;
        });
        poll.start(10);
        start();
        QCOMPARE(next, steps.size());
    }
};
