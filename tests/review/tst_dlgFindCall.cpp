#include "ListFixture.h"
#include "review/clsSearch.h"
#include "review/ui/dlgDatePicker.h"
#include "review/ui/dlgFindCall.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QLineEdit>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(clsSearch)

class tst_dlgFindCall : public QObject
{
    Q_OBJECT

private:
    static QString longDate(QDate d) { return QLocale().toString(d, QLocale::LongFormat); }
    // A dialog whose searches are only recorded.
    struct Recorded
    {
        QList<clsSearch> searches;
        qsizetype answer = 1;
        dlgFindCall::FindCallsFn fn()
        {
            return [this](const clsSearch &c) { searches << c; return answer; };
        }
    };
    // Answers the date picker that the next pick opens (nothing: cancels it).
    static void answerPicker(std::optional<QDate> date)
    {
        QTimer::singleShot(0, [date] {
            auto *picker = qobject_cast<dlgDatePicker *>(QApplication::activeModalWidget());
            QVERIFY(picker);
            QCOMPARE(picker->windowTitle(), u"Select Date"_s);
            if (!date) {
                picker->btnCancel->click();
                return;
            }
            picker->monthView->setSelectedDate(*date);
            picker->btnOK->click();
        });
    }

private slots:
    void searchFillsListCountAndNote();
    void noMatch();
    void criteria_data();
    void criteria();
    void typedDateThatIsNoDate();
    void datePickerFillsTheOtherBox_data();
    void datePickerFillsTheOtherBox();
    void todayAndClear();
    void ownCallsOnly();
    void subfoldersBoxIsTheSetting();
    void positionKept();
};

void tst_dlgFindCall::searchFillsListCountAndNote()
{
    ListFixture f;
    const QString folder = f.folder();
    ReviewFixture::addCall(folder, u"20240301-091500-ann-75.wav"_s, QByteArray("Order from Smith"));
    ReviewFixture::addCall(folder, u"20240301-080000-bob-5.wav"_s);
    ReviewFixture::addCall(folder, u"20240229-080000-bob-5.wav"_s);
    dlgFindCall dialog(f.app, [&f](const clsSearch &c) { return f.find(c); }, f.lvwCalls, &f.window);
    dialog.show();
    dialog.btnToday->click();
    dialog.cmdSearch->click();
    QCOMPARE(f.list.model().rowCount(), 2);
    QCOMPARE(f.countPanel->text(), u"2 call/s"_s);
    QCOMPARE(f.txtNote->toPlainText(), u"Order from Smith"_s);
    QVERIFY(f.prompts.shown().isEmpty());
    QVERIFY(dialog.isVisible());
}

void tst_dlgFindCall::noMatch()
{
    ListFixture f;
    ReviewFixture::addCall(f.folder(), u"20240301-091500-ann-75.wav"_s, QByteArray("Order from Smith"));
    dlgFindCall dialog(f.app, [&f](const clsSearch &c) { return f.find(c); }, f.lvwCalls, &f.window);
    dialog.show();
    dialog.cmdSearch->click();
    QCOMPARE(f.txtNote->toPlainText(), u"Order from Smith"_s);
    dialog.txtSearchString->setText(u"Jones"_s);
    dialog.cmdSearch->click();
    QCOMPARE(f.list.model().rowCount(), 0);
    QCOMPARE(f.txtNote->toPlainText(), QString());
    QCOMPARE(f.prompts.texts(), QStringList{u"No calls match your search criteria"_s});
    QCOMPARE(f.prompts.shown().first().icon, Prompts::Information);
    QCOMPARE(f.prompts.shown().first().caption, u"Voxmere"_s);
    QVERIFY(dialog.isVisible());
}

void tst_dlgFindCall::criteria_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("note");
    QTest::addColumn<QStringList>("expected"); // StartDate, EndDate, User, Note
    const QString any = u"<ANY>"_s;
    QTest::newRow("untouched") << any << any << any << u"*"_s << QStringList{u"*"_s, u"*"_s, u"*"_s, u"*"_s};
    QTest::newRow("user part") << u"an"_s << any << any << u"*"_s << QStringList{u"*"_s, u"*"_s, u"*an*"_s, u"*"_s};
    QTest::newRow("long dates") << any << longDate(QDate(2005, 6, 1)) << longDate(QDate(2005, 6, 30))
                                << u"smith*order"_s << QStringList{u"20050601"_s, u"20050630"_s, u"*"_s, u"smith*order"_s};
    QTest::newRow("typed dates") << any << u"03-Feb-2005"_s << u"2005-02-04"_s << QString()
                                 << QStringList{u"20050203"_s, u"20050204"_s, u"*"_s, QString()};
    QTest::newRow("from only") << any << u"03-Feb-2005"_s << any << u"*"_s << QStringList{u"20050203"_s, u"*"_s, u"*"_s, u"*"_s};
}

void tst_dlgFindCall::criteria()
{
    QFETCH(QString, user);
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QString, note);
    QFETCH(QStringList, expected);
    ReviewFixture f;
    Recorded recorded;
    dlgFindCall dialog(f.app, recorded.fn(), nullptr);
    dialog.txtUser->setText(user);
    dialog.txtDateFrom->setText(from);
    dialog.txtDateTo->setText(to);
    dialog.txtSearchString->setText(note);
    dialog.cmdSearch->click();
    QCOMPARE(recorded.searches.size(), 1);
    const clsSearch &c = recorded.searches.first();
    QCOMPARE((QStringList{c.StartDate, c.EndDate, c.User, c.Note}), expected);
    QCOMPARE(c.Extension, u"*"_s);
}

void tst_dlgFindCall::typedDateThatIsNoDate()
{
    ReviewFixture f;
    Recorded recorded;
    dlgFindCall dialog(f.app, recorded.fn(), nullptr);
    dialog.txtDateTo->setText(u"next Tuesday"_s);
    dialog.cmdSearch->click();
    QVERIFY(recorded.searches.isEmpty());
    QCOMPARE(f.prompts.texts(), QStringList{u"Error occurred: 13, Type mismatch, dlgFindCall:cmdSearch_Click"_s});
}

void tst_dlgFindCall::datePickerFillsTheOtherBox_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QDate>("picked"); // invalid: cancelled
    QTest::addColumn<QDate>("fromBefore");
    QTest::addColumn<QDate>("toBefore"); // invalid: "<ANY>"
    QTest::addColumn<QDate>("fromAfter");
    QTest::addColumn<QDate>("toAfter");
    const QDate d1(2005, 6, 1), d10(2005, 6, 10), d20(2005, 6, 20);
    QTest::newRow("From while To is <ANY>") << 0 << d10 << QDate() << QDate() << d10 << d10;
    QTest::newRow("To before From") << 1 << d1 << d10 << d20 << d1 << d1;
    QTest::newRow("To after From") << 1 << d20 << d1 << d10 << d1 << d20;
    QTest::newRow("From after To") << 0 << d20 << d1 << d10 << d20 << d20;
    QTest::newRow("From before To") << 0 << d1 << d10 << d20 << d1 << d20;
    QTest::newRow("cancelled") << 0 << QDate() << d10 << d20 << d10 << d20;
}

void tst_dlgFindCall::datePickerFillsTheOtherBox()
{
    QFETCH(int, index);
    QFETCH(QDate, picked);
    QFETCH(QDate, fromBefore);
    QFETCH(QDate, toBefore);
    ReviewFixture f;
    Recorded recorded;
    dlgFindCall dialog(f.app, recorded.fn(), nullptr);
    dialog.show();
    auto text = [](QDate d) { return d.isValid() ? longDate(d) : u"<ANY>"_s; };
    dialog.txtDateFrom->setText(text(fromBefore));
    dialog.txtDateTo->setText(text(toBefore));
    answerPicker(picked.isValid() ? std::optional<QDate>(picked) : std::nullopt);
    dialog.cmdShowCalendar[index]->click();
    QFETCH(QDate, fromAfter);
    QFETCH(QDate, toAfter);
    QCOMPARE(dialog.txtDateFrom->text(), text(fromAfter));
    QCOMPARE(dialog.txtDateTo->text(), text(toAfter));
}

void tst_dlgFindCall::todayAndClear()
{
    ReviewFixture f;
    Recorded recorded;
    dlgFindCall dialog(f.app, recorded.fn(), nullptr);
    dialog.btnToday->click();
    QCOMPARE(dialog.txtDateFrom->text(), longDate(QDate(2024, 3, 1)));
    QCOMPARE(dialog.txtDateTo->text(), longDate(QDate(2024, 3, 1)));
    dialog.txtUser->setText(u"bob"_s);
    dialog.txtSearchString->setText(u"x"_s);
    dialog.cmdClear->click();
    QCOMPARE((QStringList{dialog.txtUser->text(), dialog.txtDateFrom->text(), dialog.txtDateTo->text(),
                          dialog.txtSearchString->text()}),
             (QStringList{u"<ANY>"_s, u"<ANY>"_s, u"<ANY>"_s, u"*"_s}));
}

void tst_dlgFindCall::ownCallsOnly()
{
    ReviewFixture f;
    f.app.settings.PlayOwnOnly = true;
    Recorded recorded;
    dlgFindCall dialog(f.app, recorded.fn(), nullptr);
    QCOMPARE(dialog.txtUser->text(), u"ann"_s);
    QVERIFY(!dialog.txtUser->isEnabled());
    QVERIFY(dialog.txtUser->isReadOnly());
}

void tst_dlgFindCall::subfoldersBoxIsTheSetting()
{
    ReviewFixture f;
    f.app.store.SaveLongSetting(u"subfolders"_s, -1);
    Recorded recorded;
    dlgFindCall dialog(f.app, recorded.fn(), nullptr);
    QVERIFY(dialog.chkSearchSubfolders->isChecked());
    dialog.chkSearchSubfolders->click();
    QCOMPARE(f.app.store.GetLongSetting(u"subfolders"_s, 99), 0);
    dialog.chkSearchSubfolders->click();
    QCOMPARE(f.app.store.GetLongSetting(u"subfolders"_s, 99), -1);
}

void tst_dlgFindCall::positionKept()
{
    ListFixture f;
    f.window.move(400, 100);
    QTest::qWait(0);
    Recorded recorded;
    QPointer<dlgFindCall> dialog = new dlgFindCall(f.app, recorded.fn(), f.lvwCalls, &f.window);
    // First time: level with the list and just left of it.
    const QPoint list = f.lvwCalls->mapToGlobal(QPoint(0, 0));
    QCOMPARE(dialog->frameGeometry().topLeft(),
             QPoint(std::max(0, list.x() - dialog->frameGeometry().width()), list.y()));
    dialog->show();
    dialog->move(120, 90);
    dialog->cmdOK->click();
    QTRY_VERIFY(!dialog); // closing unloads it
    QCOMPARE(f.app.store.GetLongSetting(u"SearchLeft"_s, 0), 1800);
    QCOMPARE(f.app.store.GetLongSetting(u"SearchTop"_s, 0), 1350);
    dlgFindCall again(f.app, recorded.fn(), f.lvwCalls, &f.window);
    QCOMPARE(again.pos(), QPoint(120, 90));
}

QTEST_MAIN(tst_dlgFindCall)
#include "tst_dlgFindCall.moc"
