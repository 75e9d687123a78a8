#include "base/RuntimeError.h"
#include "controls/kvtSlider.h"

#include <QAccessible>
#include <QTest>

using namespace Qt::StringLiterals;

// Every event the slider raises, in order, e.g. "MouseDown 1", "ValueChanged 7".
struct EventLog : QStringList
{
    explicit EventLog(kvtSlider &s)
    {
        for (auto [signal, name] : {std::pair{&kvtSlider::Click, u"Click"_s}, {&kvtSlider::ArrivedFirst, u"ArrivedFirst"_s}, {&kvtSlider::ArrivedLast, u"ArrivedLast"_s}})
            QObject::connect(&s, signal, [this, name] { append(name); });
        QObject::connect(&s, &kvtSlider::ValueChanged, [this, &s] { append(u"ValueChanged "_s + QString::number(s.Value())); });
        QObject::connect(&s, &kvtSlider::MouseDown, [this](qint16 b) { append(u"MouseDown "_s + QString::number(b)); });
        QObject::connect(&s, &kvtSlider::MouseUp, [this](qint16 b) { append(u"MouseUp "_s + QString::number(b)); });
    }
};

// A shown slider of the given orientation, 200 pixels long.
static void setUp(kvtSlider &s, qint16 orientation, qint32 min, qint32 max, qint32 value)
{
    s.setOrientation(orientation);
    s.setMax(max);
    s.setMin(min);
    s.setValue(value);
    s.resize(orientation == kvtSlider::Horizontal ? QSize(200, s.sizeHint().height()) : QSize(s.sizeHint().width(), 200));
    s.show();
    QVERIFY(QTest::qWaitForWindowExposed(&s));
}
static int along(const kvtSlider &s, QPoint p) { return s.Orientation() == kvtSlider::Horizontal ? p.x() : p.y(); }
static QPoint at(const kvtSlider &s, int p) { return s.Orientation() == kvtSlider::Horizontal ? QPoint(p, s.height() / 2) : QPoint(s.width() / 2, p); }

class tst_kvtSlider : public QObject
{
    Q_OBJECT

private slots:
    // The keys step it within its range, whichever way it lies, and tell the step; a
    // screen reader sees a slider with its value and may set it.
    void keyboardAndScreenReader_data()
    {
        QTest::addColumn<qint16>("orientation");
        QTest::addColumn<int>("key");
        QTest::addColumn<qint32>("value"); // from 40 in 0..100; -1: unchanged, no step told
        const qint16 across = kvtSlider::Horizontal, upright = kvtSlider::Vertical;
        QTest::newRow("Right") << across << int(Qt::Key_Right) << 41;
        QTest::newRow("Down") << across << int(Qt::Key_Down) << 39;
        QTest::newRow("upright, Right") << upright << int(Qt::Key_Right) << 41;
        QTest::newRow("upright, Down") << upright << int(Qt::Key_Down) << 39;
        QTest::newRow("Page Up") << across << int(Qt::Key_PageUp) << 50;
        QTest::newRow("upright, End") << upright << int(Qt::Key_End) << 100;
        QTest::newRow("Home") << across << int(Qt::Key_Home) << 0;
        QTest::newRow("a letter") << across << int(Qt::Key_A) << -1;
    }
    void keyboardAndScreenReader()
    {
        QFETCH(qint16, orientation);
        QFETCH(int, key);
        QFETCH(qint32, value);
        kvtSlider s;
        setUp(s, orientation, 0, 100, 40);
        int steps = 0;
        connect(&s, &kvtSlider::KeyStepped, this, [&] { ++steps; });
        QTest::keyClick(&s, Qt::Key(key));
        QCOMPARE(s.Value(), value < 0 ? 40 : value);
        QCOMPARE(steps, value < 0 ? 0 : 1);
        QAccessibleInterface *a = QAccessible::queryAccessibleInterface(&s);
        QVERIFY(a && a->role() == QAccessible::Slider && a->valueInterface());
        QCOMPARE(a->valueInterface()->currentValue().toInt(), s.Value());
        a->valueInterface()->setCurrentValue(7);
        QCOMPARE(s.Value(), 7);
        QCOMPARE(steps, value < 0 ? 1 : 2);
    }

    // The level overview lies along the thumb's travel: a click on it seeks there, the
    // part played is marked, the arrows step by the small change.
    void overviewSeeksAndMarksThePlayed_data()
    {
        QTest::addColumn<qint32>("value"); // clicked, in 0..120
        QTest::newRow("a quarter") << 30;
        QTest::newRow("the middle") << 60;
        QTest::newRow("near the end") << 100;
    }
    void overviewSeeksAndMarksThePlayed()
    {
        QFETCH(qint32, value);
        kvtSlider s;
        setUp(s, kvtSlider::Horizontal, 0, 120, 0);
        s.resize(400, 34);
        s.setSmallChange(5);
        s.setOverview(QList<float>(240, 1.0f));
        EventLog log(s);
        const int x = s.thumbRect().width() / 2 + s.travel() * value / 120;
        QTest::mouseClick(&s, Qt::LeftButton, {}, QPoint(x, s.height() / 2));
        QCOMPARE(s.Value(), value);
        QVERIFY(log.contains(u"MouseUp 1"_s));
        const QImage face = s.grab().toImage();
        const QColor played = s.palette().color(QPalette::Highlight);
        QCOMPARE(face.pixelColor(s.thumbRect().left() - 6, s.height() / 4), played);
        QVERIFY(face.pixelColor(s.thumbRect().right() + 6, s.height() / 4) != played);
        QTest::keyClick(&s, Qt::Key_Left);
        QCOMPARE(s.Value(), value - 5);
    }

    void draggingSnapsToWholeValues_data()
    {
        QTest::addColumn<qint16>("orientation");
        QTest::addColumn<qint32>("min");
        QTest::addColumn<qint32>("max");
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
        setUp(s, orientation, min, max, max); // so that the sweep arrives at both ends
        EventLog events(s);
        const bool vertical = orientation == kvtSlider::Vertical;

        QTest::mousePress(&s, Qt::LeftButton, {}, s.thumbRect().center());
        QHash<qint32, int> thumbAt; // value -> the one place its thumb is drawn
        const int length = along(s, QPoint(s.width(), s.height()));
        for (int i = -40; i < length + 40; ++i) {
            QTest::mouseMove(&s, at(s, vertical ? length - i : i));
            const int place = along(s, s.thumbRect().topLeft());
            QVERIFY2(thumbAt.value(s.Value(), place) == place, "one value, one thumb position");
            thumbAt.insert(s.Value(), place);
        }
        // Every whole value once, in order, ending at Max: right or at the top.
        QStringList expected{u"MouseDown 1"_s, u"ValueChanged "_s + QString::number(min), u"ArrivedFirst"_s};
        for (qint32 v = min + 1; v <= max; ++v)
            expected << u"ValueChanged "_s + QString::number(v);
        QCOMPARE(events, expected << u"ArrivedLast"_s);
        QCOMPARE(along(s, s.thumbRect().topLeft()), vertical ? 0 : s.travel());
        QTest::mouseRelease(&s, Qt::LeftButton, {}, at(s, vertical ? -40 : length + 40));
    }

    void mouseEvents_data()
    {
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<int>("pressAt"); // steps along the rail; 0 is on the thumb
        QTest::addColumn<bool>("releaseInside");
        QTest::addColumn<bool>("showTip");
        QTest::addColumn<QStringList>("expected");
        // The host writes Value 0 on MouseUp.
        const QStringList hostWrite{u"MouseUp 1"_s, u"ValueChanged 0"_s, u"ArrivedFirst"_s};
        QTest::newRow("left, released inside") << true << Qt::LeftButton << 0 << true << true << QStringList{u"MouseDown 1"_s, u"ValueChanged 1"_s, u"Click"_s} + hostWrite;
        QTest::newRow("left, released outside, no tip") << true << Qt::LeftButton << 0 << false << false << QStringList{u"MouseDown 1"_s, u"ValueChanged 1"_s} + hostWrite;
        // The thumb jumps under the pointer before MouseDown.
        QTest::newRow("press on the rail") << true << Qt::LeftButton << 7 << true << true << QStringList{u"ValueChanged 7"_s, u"MouseDown 1"_s, u"ValueChanged 8"_s, u"Click"_s} + hostWrite;
        QTest::newRow("right button") << true << Qt::RightButton << 0 << true << true << QStringList{};
        QTest::newRow("disabled") << false << Qt::LeftButton << 0 << true << true << QStringList{};
    }
    // A press, one step along and a release; while dragged the value shows in a tip centred
    // 4 pixels above the thumb.
    void mouseEvents()
    {
        QFETCH(bool, enabled);
        QFETCH(Qt::MouseButton, button);
        QFETCH(int, pressAt);
        QFETCH(bool, releaseInside);
        QFETCH(bool, showTip);
        kvtSlider s;
        setUp(s, kvtSlider::Horizontal, 0, 10, 0);
        s.setEnabled(enabled);
        s.setShowValueTip(showTip);
        EventLog events(s);
        connect(&s, &kvtSlider::MouseUp, &s, [&s] { s.setValue(0); });
        const QPoint press = s.thumbRect().center() + QPoint(pressAt * s.travel() / 10, 0);
        const QPoint oneStep = press + QPoint(s.travel() / 10, 0);
        QTest::mousePress(&s, button, {}, press);
        QVERIFY(!s.isDragging() || qAbs(s.thumbRect().center().x() - press.x()) <= 1);
        QTest::mouseMove(&s, oneStep);
        QWidget *tip = s.valueTip();
        QCOMPARE(tip != nullptr, showTip && s.isDragging());
        if (tip) {
            QCOMPARE(tip->property("text").toString(), QString::number(s.Value()));
            QCOMPARE(tip->geometry().bottom() + 1, s.mapToGlobal(QPoint(0, 0)).y() - 4);
            QVERIFY(qAbs(tip->geometry().center().x() - s.mapToGlobal(s.thumbRect().center()).x()) <= 1);
            QVERIFY(!tip->isActiveWindow());
        }
        QTest::mouseRelease(&s, button, {}, releaseInside ? oneStep : QPoint(oneStep.x(), -20));
        QTEST(QStringList(events), "expected");
        QVERIFY(!s.isDragging() && !s.valueTip());
        QCOMPARE(s.thumbRect().left(), 0); // follows the host's write
    }

    void propertyWrites_data()
    {
        QTest::addColumn<QString>("property");
        QTest::addColumn<qint32>("written");
        QTest::addColumn<qint32>("value");
        QTest::addColumn<QStringList>("events");
        QTest::addColumn<int>("error");
        // From Min 2, Max 20, Value 7.
        QTest::newRow("Value to Max") << u"Value"_s << 20 << 20 << QStringList{u"ValueChanged 20"_s, u"ArrivedLast"_s} << 0;
        QTest::newRow("Min takes Value along") << u"Min"_s << 5 << 5 << QStringList{u"ValueChanged 5"_s, u"ArrivedFirst"_s} << 0;
        QTest::newRow("Min at Value") << u"Min"_s << 7 << 7 << QStringList{} << 0;
        QTest::newRow("Max above Value") << u"Max"_s << 15 << 7 << QStringList{} << 0;
        QTest::newRow("Max below Value") << u"Max"_s << 5 << 5 << QStringList{u"ValueChanged 5"_s, u"ArrivedLast"_s} << 0;
        // Out of range: error 380 and nothing changes.
        QTest::newRow("Max equal to Min") << u"Max"_s << 2 << 7 << QStringList{} << 380;
        QTest::newRow("Min equal to Max") << u"Min"_s << 20 << 7 << QStringList{} << 380;
        QTest::newRow("Value below Min") << u"Value"_s << 1 << 7 << QStringList{} << 380;
        QTest::newRow("Value above Max") << u"Value"_s << 21 << 7 << QStringList{} << 380;
    }
    void propertyWrites()
    {
        QFETCH(QString, property);
        QFETCH(qint32, written);
        kvtSlider s;
        setUp(s, kvtSlider::Horizontal, 2, 20, 7);
        EventLog events(s);
        int error = 0;
        try {
            property == u"Max"_s ? s.setMax(written) : property == u"Min"_s ? s.setMin(written) : s.setValue(written);
        } catch (const RuntimeError &e) {
            error = e.description() == u"Invalid property value"_s ? e.number() : -1;
        }
        QTEST(error, "error");
        QTEST(s.Value(), "value");
        QTEST(QStringList(events), "events");
        QCOMPARE(std::pair(s.Min(), s.Max()), std::pair(property == u"Min"_s && !error ? written : 2, property == u"Max"_s && !error ? written : 20));
        // The thumb shows the value within the range, from the left.
        QCOMPARE(s.thumbRect().left(), int(std::lround(double(s.travel()) * (s.Value() - s.Min()) / (s.Max() - s.Min()))));
    }
};

QTEST_MAIN(tst_kvtSlider)
#include "tst_kvtSlider.moc"
