#include "base/RuntimeError.h"
#include "controls/kvtSlider.h"

#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

// Every event the slider raises, in order, e.g. "MouseDown 1", "ValueChanged 7".
class EventLog : public QStringList
{
public:
    explicit EventLog(kvtSlider &s)
    {
        QObject::connect(&s, &kvtSlider::Click, [this] { append(u"Click"_s); });
        QObject::connect(&s, &kvtSlider::ArrivedFirst, [this] { append(u"ArrivedFirst"_s); });
        QObject::connect(&s, &kvtSlider::ArrivedLast, [this] { append(u"ArrivedLast"_s); });
        QObject::connect(&s, &kvtSlider::ValueChanged,
                         [this, &s] { append(u"ValueChanged "_s + QString::number(s.Value())); });
        QObject::connect(&s, &kvtSlider::MouseDown,
                         [this](qint16 b) { append(u"MouseDown "_s + QString::number(b)); });
        QObject::connect(&s, &kvtSlider::MouseUp,
                         [this](qint16 b) { append(u"MouseUp "_s + QString::number(b)); });
    }
};

class tst_kvtSlider : public QObject
{
    Q_OBJECT

private:
    // A shown slider of the given orientation, 200 pixels long.
    static void setUp(kvtSlider &s, qint16 orientation, qint32 min, qint32 max)
    {
        s.setOrientation(orientation);
        s.setMax(max);
        s.setMin(min);
        s.resize(orientation == kvtSlider::Horizontal ? QSize(200, s.sizeHint().height())
                                                      : QSize(s.sizeHint().width(), 200));
        s.show();
        QVERIFY(QTest::qWaitForWindowExposed(&s));
    }
    static int along(const kvtSlider &s, QPoint p) { return s.Orientation() == kvtSlider::Horizontal ? p.x() : p.y(); }
    static QPoint at(const kvtSlider &s, int alongRail)
    {
        return s.Orientation() == kvtSlider::Horizontal ? QPoint(alongRail, s.height() / 2)
                                                        : QPoint(s.width() / 2, alongRail);
    }

private slots:
    void draggingSnapsToWholeValues_data()
    {
        QTest::addColumn<qint16>("orientation");
        QTest::addColumn<qint32>("min");
        QTest::addColumn<qint32>("max");
        QTest::newRow("horizontal 2..20") << kvtSlider::Horizontal << 2 << 20;
        QTest::newRow("vertical 2..20") << kvtSlider::Vertical << 2 << 20;
        QTest::newRow("horizontal -5..5") << kvtSlider::Horizontal << -5 << 5;
        QTest::newRow("horizontal 0..3") << kvtSlider::Horizontal << 0 << 3;
    }

    // The thumb is dragged from beyond one end to beyond the other, a pixel at a time.
    void draggingSnapsToWholeValues()
    {
        QFETCH(qint16, orientation);
        QFETCH(qint32, min);
        QFETCH(qint32, max);
        kvtSlider s;
        setUp(s, orientation, min, max);
        s.setValue(max); // so that the sweep arrives at both ends
        EventLog events(s);
        const bool vertical = orientation == kvtSlider::Vertical;

        const QPoint grab = s.thumbRect().center();
        QTest::mousePress(&s, Qt::LeftButton, {}, grab);
        QVERIFY(s.isDragging());
        QHash<qint32, int> thumbAt; // value -> the one place its thumb is drawn
        qint32 previous = min - 1;
        const int start = -40, end = along(s, QPoint(s.width(), s.height())) + 40;
        const int from = vertical ? end : start, to = vertical ? start : end, step = vertical ? -1 : 1;
        for (int p = from; p != to; p += step) {
            QTest::mouseMove(&s, at(s, p));
            const qint32 v = s.Value();
            QVERIFY(v >= min && v <= max);
            QVERIFY2(v >= previous, "the value only grows in the direction of growth");
            previous = v;
            const int place = along(s, s.thumbRect().topLeft());
            QVERIFY2(thumbAt.value(v, place) == place, "one value, one thumb position");
            thumbAt.insert(v, place);
        }
        QCOMPARE(qint32(thumbAt.size()), max - min + 1); // every whole value was passed
        // Far end in the direction of growth: Max, right or at the top.
        QCOMPARE(s.Value(), max);
        QCOMPARE(along(s, s.thumbRect().topLeft()), vertical ? 0 : s.travel());
        QCOMPARE(events.count(u"ArrivedLast"_s), 1);
        QCOMPARE(events.count(u"ArrivedFirst"_s), 1);
        QCOMPARE(events.count(u"ValueChanged "_s + QString::number(max)), 1);
        QTest::mouseRelease(&s, Qt::LeftButton, {}, at(s, to));
        QVERIFY(!s.isDragging());
    }

    void clickOnRail_movesThumbUnderPointerAtOnce()
    {
        kvtSlider s;
        setUp(s, kvtSlider::Horizontal, 0, 100);
        EventLog events(s);
        const QPoint target(150, s.height() / 2);
        QVERIFY(!s.thumbRect().contains(target));

        QTest::mousePress(&s, Qt::LeftButton, {}, target);
        // Under the pointer, within one step of travel.
        QVERIFY2(qAbs(s.thumbRect().center().x() - target.x()) <= s.travel() / 100 + 1,
                 qPrintable(QString::number(s.thumbRect().center().x())));
        QVERIFY(s.Value() > 60 && s.Value() < 90);
        QCOMPARE(events, QStringList({u"ValueChanged "_s + QString::number(s.Value()), u"MouseDown 1"_s}));
        QTest::mouseRelease(&s, Qt::LeftButton, {}, target);
    }

    void mouseEvents_data()
    {
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<bool>("releaseInside");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("left, released inside") << true << Qt::LeftButton << true
            << QStringList{u"MouseDown 1"_s, u"ValueChanged 1"_s, u"Click"_s, u"MouseUp 1"_s};
        QTest::newRow("left, released outside") << true << Qt::LeftButton << false
            << QStringList{u"MouseDown 1"_s, u"ValueChanged 1"_s, u"MouseUp 1"_s};
        QTest::newRow("right button") << true << Qt::RightButton << true << QStringList{};
        QTest::newRow("disabled") << false << Qt::LeftButton << true << QStringList{};
    }

    void mouseEvents()
    {
        QFETCH(bool, enabled);
        QFETCH(Qt::MouseButton, button);
        QFETCH(bool, releaseInside);
        QFETCH(QStringList, expected);
        kvtSlider s;
        setUp(s, kvtSlider::Horizontal, 0, 10);
        s.setEnabled(enabled);
        EventLog events(s);
        const QPoint grab = s.thumbRect().center();
        const QPoint oneStep = grab + QPoint(s.travel() / 10, 0);
        QTest::mousePress(&s, button, {}, grab);
        QTest::mouseMove(&s, oneStep);
        QTest::mouseRelease(&s, button, {}, releaseInside ? oneStep : QPoint(oneStep.x(), -20));
        QCOMPARE(events, expected);
        QVERIFY(!s.isDragging());
    }

    void valueWrites_data()
    {
        QTest::addColumn<qint32>("start");
        QTest::addColumn<qint32>("written");
        QTest::addColumn<QStringList>("expected");
        // Min 2, Max 20.
        QTest::newRow("same value again") << 7 << 7 << QStringList{};
        QTest::newRow("to Max") << 7 << 20 << QStringList{u"ValueChanged 20"_s, u"ArrivedLast"_s};
        QTest::newRow("to Min") << 7 << 2 << QStringList{u"ValueChanged 2"_s, u"ArrivedFirst"_s};
        QTest::newRow("in between") << 7 << 8 << QStringList{u"ValueChanged 8"_s};
    }

    void valueWrites()
    {
        QFETCH(qint32, start);
        QFETCH(qint32, written);
        QFETCH(QStringList, expected);
        kvtSlider s;
        setUp(s, kvtSlider::Horizontal, 2, 20);
        s.setValue(start);
        EventLog events(s);
        s.setValue(written);
        QCOMPARE(events, expected);
        QCOMPARE(s.Value(), written);
        QCOMPARE(s.thumbRect().left(), int(std::lround(double(s.travel()) * (written - 2) / 18)));
    }

    void minWrite_movesValueToMin()
    {
        kvtSlider s;
        s.setMax(50);
        s.setValue(30);
        EventLog events(s);
        s.setMin(5);
        QCOMPARE(s.Value(), 5);
        QCOMPARE(events, QStringList({u"ValueChanged 5"_s, u"ArrivedFirst"_s}));
        events.clear();
        s.setValue(5);
        s.setMin(5); // already there: no change, no event
        QCOMPARE(events, QStringList());
    }

    void maxWrite_leavesValueInRange()
    {
        kvtSlider s;
        s.setMax(50);
        s.setValue(10);
        EventLog events(s);
        s.setMax(40);
        QCOMPARE(s.Value(), 10);
        QCOMPARE(events, QStringList());
        s.setValue(30);
        events.clear();
        s.setMax(20); // below Value: Value comes down with it
        QCOMPARE(s.Value(), 20);
        QCOMPARE(events, QStringList({u"ValueChanged 20"_s, u"ArrivedLast"_s}));
    }

    void invalidPropertyValue_data()
    {
        QTest::addColumn<QString>("property");
        QTest::addColumn<qint32>("written");
        // Min 2, Max 20, Value 7.
        QTest::newRow("Max equal to Min") << u"Max"_s << 2;
        QTest::newRow("Max below Min") << u"Max"_s << -1;
        QTest::newRow("Min equal to Max") << u"Min"_s << 20;
        QTest::newRow("Min above Max") << u"Min"_s << 21;
        QTest::newRow("Value below Min") << u"Value"_s << 1;
        QTest::newRow("Value above Max") << u"Value"_s << 21;
    }

    void invalidPropertyValue()
    {
        QFETCH(QString, property);
        QFETCH(qint32, written);
        kvtSlider s;
        s.setMax(20);
        s.setMin(2);
        s.setValue(7);
        const int thumb = s.thumbRect().top();
        EventLog events(s);
        try {
            if (property == u"Max"_s)
                s.setMax(written);
            else if (property == u"Min"_s)
                s.setMin(written);
            else
                s.setValue(written);
            QFAIL("no error raised");
        } catch (const RuntimeError &e) {
            QCOMPARE(e.number(), 380);
            QCOMPARE(e.description(), u"Invalid property value"_s);
        }
        QCOMPARE(s.Min(), 2);
        QCOMPARE(s.Max(), 20);
        QCOMPARE(s.Value(), 7);
        QCOMPARE(s.thumbRect().top(), thumb);
        QCOMPARE(events, QStringList());
    }

    void valueTip_data()
    {
        QTest::addColumn<bool>("show");
        QTest::newRow("shown") << true;
        QTest::newRow("switched off") << false;
    }

    void valueTip()
    {
        QFETCH(bool, show);
        kvtSlider s;
        setUp(s, kvtSlider::Horizontal, 0, 10);
        s.setShowValueTip(show);
        const QPoint grab = s.thumbRect().center();
        QTest::mousePress(&s, Qt::LeftButton, {}, grab);
        QTest::mouseMove(&s, grab + QPoint(3 * s.travel() / 10, 0));
        QWidget *tip = s.valueTip();
        QCOMPARE(tip != nullptr, show);
        if (show) {
            QCOMPARE(s.Value(), 3);
            QCOMPARE(tip->property("text").toString(), u"3"_s);
            // Centred over the thumb, 4 pixels above the control, and not the active window.
            const QRect onScreen = tip->geometry();
            QCOMPARE(onScreen.bottom() + 1, s.mapToGlobal(QPoint(0, 0)).y() - 4);
            QVERIFY(qAbs(onScreen.center().x() - s.mapToGlobal(s.thumbRect().center()).x()) <= 1);
            QVERIFY(!tip->isActiveWindow());
        }
        QTest::mouseRelease(&s, Qt::LeftButton, {}, grab);
        QCOMPARE(s.valueTip(), nullptr);
    }

    // The host puts the value back when the thumb is let go; the thumb follows.
    void valueWrittenOnRelease_movesThumb()
    {
        kvtSlider s;
        setUp(s, kvtSlider::Horizontal, 0, 10);
        connect(&s, &kvtSlider::MouseUp, &s, [&s] { s.setValue(0); });
        QTest::mousePress(&s, Qt::LeftButton, {}, s.thumbRect().center());
        QTest::mouseMove(&s, QPoint(s.width() - 1, s.height() / 2));
        QCOMPARE(s.Value(), 10);
        QTest::mouseRelease(&s, Qt::LeftButton, {}, QPoint(s.width() - 1, s.height() / 2));
        QCOMPARE(s.Value(), 0);
        QCOMPARE(s.thumbRect().left(), 0);
    }
};

QTEST_MAIN(tst_kvtSlider)
#include "tst_kvtSlider.moc"
