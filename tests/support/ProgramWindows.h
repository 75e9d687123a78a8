#pragma once

#include "callstore/ui/dlgEditNote.h"
#include "callstore/ui/dlgNewFolder.h"
#include "options/ui/dlgAbout.h"
#include "options/ui/dlgChangePW.h"
#include "options/ui/dlgPW.h"
#include "options/ui/frmOptions.h"
#include "recording/ui/dlgCalibrate.h"
#include "recording/ui/dlgCalMsg.h"
#include "recording/ui/frmAddNote.h"
#include "review/ui/dlgDatePicker.h"
#include "review/ui/dlgFindCall.h"
#include "WindowRig.h"

#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

using Opener = std::function<std::unique_ptr<QWidget>(WindowRig &)>;

// Each window of the program, made as the program makes it, for the tests that walk them.
inline const QList<std::pair<const char *, Opener>> &windows()
{
    using namespace Qt::StringLiterals;
    static const QList<std::pair<const char *, Opener>> all = {
        {"main window", nullptr},
        {"options", [](WindowRig &t) { return std::make_unique<frmOptions>(t.app, t.recorder()); }},
        {"find", [](WindowRig &t) {
             return std::make_unique<dlgFindCall>(t.app, [](const clsSearch &, auto) {}, t.find("lvwCalls"));
         }},
        {"edit note", [](WindowRig &) { return std::make_unique<dlgEditNote>(u"a note"_s); }},
        {"new folder", [](WindowRig &t) { return std::make_unique<dlgNewFolder>(t.prompts, t.calls.path()); }},
        {"about", [](WindowRig &t) { return std::make_unique<dlgAbout>(t.desktop); }},
        {"password", [](WindowRig &t) { return std::make_unique<dlgPW>(t.app); }},
        {"change password", [](WindowRig &t) { return std::make_unique<dlgChangePW>(t.app); }},
        {"date picker", [](WindowRig &) { return std::make_unique<dlgDatePicker>(QDate(2024, 3, 1)); }},
        {"calibration 1", [](WindowRig &t) { return std::make_unique<dlgCalMsg>(1, t.prompts, t.window.get()); }},
        {"calibration 2", [](WindowRig &t) { return std::make_unique<dlgCalMsg>(2, t.prompts, t.window.get()); }},
        {"calibration 3", [](WindowRig &t) { return std::make_unique<dlgCalMsg>(3, t.prompts, t.window.get()); }},
        {"calibration 4", [](WindowRig &t) { return std::make_unique<dlgCalMsg>(4, t.prompts, t.window.get()); }},
        {"calibration 5", [](WindowRig &t) { return std::make_unique<dlgCalMsg>(5, t.prompts, t.window.get()); }},
        {"calibrate", [](WindowRig &t) { return std::make_unique<dlgCalibrate>(t.app, t.window.get()); }},
        {"note prompt", [](WindowRig &t) {
             return std::make_unique<frmAddNote>(*t.find<QTimer>("tmrAddNote"), t.window.get());
         }},
    };
    return all;
}

// One data row for each window above, its index in the column "index".
inline void windowRows()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < windows().size(); ++i)
        QTest::newRow(windows()[i].first) << i;
}
