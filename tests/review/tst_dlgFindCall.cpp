#include "ContextRig.h"
#include "controls/XPButton.h"
#include "review/clsSearch.h"
#include "review/ui/dlgFindCall.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QLocale>
#include <QTest>

using namespace Qt::StringLiterals;

static QString longDate(QDate d) { return d.isValid() ? QLocale().toString(d, QLocale::LongFormat) : u"<ANY>"_s; }

// A dialog whose searches are only recorded.
struct Recorded : ContextRig
{
    QList<clsSearch> searches;
    dlgFindCall dialog{app, [this](const clsSearch &c, auto done) { searches << c, done(1); }, nullptr};
};

class tst_dlgFindCall : public QObject
{
    Q_OBJECT

private slots:
    // It first opens beside the main window, leaving the window in sight, with room for
    // whole dates.
    void placedBesideTheWindow()
    {
        ContextRig rig;
        QWidget window;
        auto *list = new QWidget(&window);
        window.setGeometry(0, 40, 300, 300); // at the screen's left edge
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        dlgFindCall dialog(rig.app, [](const clsSearch &, auto) {}, list, &window);
        QVERIFY(!dialog.frameGeometry().intersects(window.frameGeometry()));
        const QString widest = longDate(QDate(2026, 9, 30));
        QVERIFY(dialog.txtDateFrom->width() > dialog.txtDateFrom->fontMetrics().horizontalAdvance(widest));
    }

    void criteria_data()
    {
        QTest::addColumn<QStringList>("typed"); // user, from, to, note
        QTest::addColumn<QStringList>("expected"); // StartDate, EndDate, User, Note; empty: refused
        const QString any = u"<ANY>"_s;
        QTest::newRow("today") << QStringList{any, u"today"_s, u"today"_s, u"*"_s} << QStringList{u"20240301"_s, u"20240301"_s, u"*"_s, u"*"_s};
        QTest::newRow("untouched") << QStringList{any, any, any, u"*"_s} << QStringList{u"*"_s, u"*"_s, u"*"_s, u"*"_s};
        QTest::newRow("user part") << QStringList{u"an"_s, any, any, u"*"_s} << QStringList{u"*"_s, u"*"_s, u"*an*"_s, u"*"_s};
        QTest::newRow("long dates") << QStringList{any, longDate(QDate(2005, 6, 1)), longDate(QDate(2005, 6, 30)), u"smith*order"_s}
                                    << QStringList{u"20050601"_s, u"20050630"_s, u"*"_s, u"smith*order"_s};
        QTest::newRow("typed dates") << QStringList{any, u"03-Feb-2005"_s, u"2005-02-04"_s, QString()}
                                     << QStringList{u"20050203"_s, u"20050204"_s, u"*"_s, QString()};
        QTest::newRow("from only") << QStringList{any, u"03-Feb-2005"_s, any, u"*"_s} << QStringList{u"20050203"_s, u"*"_s, u"*"_s, u"*"_s};
        QTest::newRow("no date") << QStringList{any, any, u"next Tuesday"_s, u"*"_s} << QStringList();
    }
    void criteria()
    {
        QFETCH(QStringList, typed);
        QFETCH(QStringList, expected);
        Recorded r;
        r.dialog.txtUser->setText(typed[0]);
        r.dialog.txtDateFrom->setText(typed[1]);
        r.dialog.txtDateTo->setText(typed[2]);
        r.dialog.txtSearchString->setText(typed[3]);
        if (typed[1] == u"today"_s)
            r.dialog.btnToday->click();
        r.dialog.show();
        QTest::keyClick(r.dialog.txtSearchString, Qt::Key_Return); // Search is the default
        QCOMPARE(r.prompts.shown().size(), int(expected.isEmpty()));
        QCOMPARE(r.searches.size(), int(!expected.isEmpty()));
        for (const clsSearch &c : r.searches) {
            QCOMPARE((QStringList{c.StartDate, c.EndDate, c.User, c.Note}), expected);
            QCOMPARE(c.Extension, u"*"_s);
        }
    }

    void subfoldersBoxIsTheSetting()
    {
        ContextRig f;
        f.app.store.SaveLongSetting(u"subfolders"_s, -1);
        dlgFindCall dialog(f.app, [](const clsSearch &, auto) {}, nullptr);
        QVERIFY(dialog.chkSearchSubfolders->isChecked());
        dialog.chkSearchSubfolders->click();
        QCOMPARE(f.app.store.GetLongSetting(u"subfolders"_s, 99), 0);
    }
};

QTEST_MAIN(tst_dlgFindCall)
#include "tst_dlgFindCall.moc"
