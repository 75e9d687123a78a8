#include "ReviewFixture.h"
#include "review/clsSearch.h"
#include "review/ui/dlgFindCall.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

static QString longDate(QDate d) { return d.isValid() ? QLocale().toString(d, QLocale::LongFormat) : u"<ANY>"_s; }

// A dialog whose searches are only recorded.
struct Recorded : ReviewFixture
{
    QList<clsSearch> searches;
    qsizetype answer = 1;
    dlgFindCall dialog{app, [this](const clsSearch &c) { searches << c; return answer; }, nullptr};
};

class tst_dlgFindCall : public QObject
{
    Q_OBJECT

private slots:
    void noMatchIsSaid()
    {
        Recorded r;
        r.answer = 0;
        r.dialog.show();
        r.dialog.cmdSearch->click();
        QCOMPARE(r.prompts.texts(), QStringList{u"No calls match your search criteria"_s});
        QCOMPARE(r.prompts.shown().first().icon, Prompts::Information);
        QVERIFY(r.dialog.isVisible());
    }

    void criteria_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("note");
        QTest::addColumn<QStringList>("expected"); // StartDate, EndDate, User, Note; empty: no search
        const QString any = u"<ANY>"_s;
        QTest::newRow("today") << any << u"today"_s << u"today"_s << u"*"_s << QStringList{u"20240301"_s, u"20240301"_s, u"*"_s, u"*"_s};
        QTest::newRow("untouched") << any << any << any << u"*"_s << QStringList{u"*"_s, u"*"_s, u"*"_s, u"*"_s};
        QTest::newRow("user part") << u"an"_s << any << any << u"*"_s << QStringList{u"*"_s, u"*"_s, u"*an*"_s, u"*"_s};
        QTest::newRow("long dates") << any << longDate(QDate(2005, 6, 1)) << longDate(QDate(2005, 6, 30))
                                    << u"smith*order"_s << QStringList{u"20050601"_s, u"20050630"_s, u"*"_s, u"smith*order"_s};
        QTest::newRow("typed dates") << any << u"03-Feb-2005"_s << u"2005-02-04"_s << QString()
                                     << QStringList{u"20050203"_s, u"20050204"_s, u"*"_s, QString()};
        QTest::newRow("from only") << any << u"03-Feb-2005"_s << any << u"*"_s << QStringList{u"20050203"_s, u"*"_s, u"*"_s, u"*"_s};
        QTest::newRow("no date") << any << any << u"next Tuesday"_s << u"*"_s << QStringList();
    }
    void criteria()
    {
        QFETCH(QStringList, expected);
        Recorded r;
        QFETCH(QString, user);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, note);
        r.dialog.txtUser->setText(user);
        r.dialog.txtDateFrom->setText(from);
        r.dialog.txtDateTo->setText(to);
        r.dialog.txtSearchString->setText(note);
        if (from == u"today"_s)
            r.dialog.btnToday->click();
        r.dialog.cmdSearch->click();
        if (expected.isEmpty()) {
            QVERIFY(r.searches.isEmpty());
            QCOMPARE(r.prompts.texts(), QStringList{u"Error occurred: 13, Type mismatch, dlgFindCall:cmdSearch_Click"_s});
            return;
        }
        QCOMPARE(r.searches.size(), 1);
        const clsSearch &c = r.searches.first();
        QCOMPARE((QStringList{c.StartDate, c.EndDate, c.User, c.Note}), expected);
        QCOMPARE(c.Extension, u"*"_s);
    }

    void subfoldersBoxIsTheSetting()
    {
        ReviewFixture f;
        f.app.store.SaveLongSetting(u"subfolders"_s, -1);
        dlgFindCall dialog(f.app, [](const clsSearch &) { return qsizetype(1); }, nullptr);
        QVERIFY(dialog.chkSearchSubfolders->isChecked());
        dialog.chkSearchSubfolders->click();
        QCOMPARE(f.app.store.GetLongSetting(u"subfolders"_s, 99), 0);
        dialog.chkSearchSubfolders->click();
        QCOMPARE(f.app.store.GetLongSetting(u"subfolders"_s, 99), -1);
    }
};

QTEST_MAIN(tst_dlgFindCall)
#include "tst_dlgFindCall.moc"
