#pragma once

#include "callstore/CallListModel.h"
#include "callstore/FileJob.h"
#include "callstore/ui/CallList.h"
#include "ContextRig.h"
#include "review/CallSearch.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>
#include <QTreeView>
#include <QVBoxLayout>
#include <QWidget>

// The call list on a window of its own: list, note box and count panel.
struct ListFixture : ContextRig
{
    QWidget window;
    QTreeView *lvwCalls = new QTreeView(&window);
    QPlainTextEdit *txtNote = new QPlainTextEdit(&window);
    QLabel *countPanel = new QLabel(&window);
    CallList list{app, lvwCalls, txtNote, countPanel};

    ListFixture()
    {
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(lvwCalls);
        layout->addWidget(txtNote);
        layout->addWidget(countPanel);
        window.resize(800, 500);
        window.show();
    }

    // The list filled by a search of the calls folder, as the window's review fills it;
    // answers what the listing said it listed, once it is done.
    qsizetype find(const clsSearch &criteria)
    {
        qsizetype listed = -1;
        list.StartListing([scope = CallSearch::ScopeOf(app), criteria](CallListingSink &sink, Prompts &prompts) {
            CallSearch(scope, prompts).Run(criteria, sink);
        }, [&listed](qsizetype n) { listed = n; });
        settle();
        return listed;
    }
    // Waits for the list's jobs to end.
    void settle()
    {
        if (!QTest::qWaitFor([this] { return list.findChildren<FileJob *>().isEmpty(); }, 20000))
            qFatal("a job of the call list never ended");
    }

    QPoint rowPoint(int row) const
    {
        return lvwCalls->visualRect(list.model().index(row, 0)).center();
    }
    QStringList cells(int column) const
    {
        QStringList texts;
        for (int row = 0; row < list.model().rowCount(); ++row)
            texts << list.model().index(row, column).data().toString();
        return texts;
    }
};
