#include "controls/LevelBar.h"

#include <QPainter>

using namespace Qt::StringLiterals;

LevelBar::LevelBar(QWidget *parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setAccessibleName(tr("Input level"));
}

void LevelBar::setLevels(float peakDb, float averageDb)
{
    if (peakDb == m_peak && averageDb == m_average)
        return;
    m_peak = peakDb;
    m_average = averageDb;
    const QString average = averageDb <= Floor ? tr("silence") : tr("%1 dB").arg(averageDb, 0, 'f', 1);
    setToolTip(tr("Input level: peak %1, average %2").arg(text(), average));
    setAccessibleDescription(text());
    update();
}

void LevelBar::setMarker(std::optional<int> db)
{
    m_marker = db;
    // The mark is only drawn: a screen reader says it instead.
    setAccessibleDescription(db ? tr("Calls start above %1 dB").arg(*db) : QString());
    update();
}

QString LevelBar::text() const
{
    return m_peak <= Floor ? tr("silence") : tr("%1 dB").arg(m_peak, 0, 'f', 1);
}

QSize LevelBar::sizeHint() const
{
    return {fontMetrics().horizontalAdvance(u"-100.0 dB"_s) * 3, fontMetrics().height() + 6};
}

QSize LevelBar::minimumSizeHint() const
{
    return {fontMetrics().horizontalAdvance(u"-100.0 dB"_s) + 8, fontMetrics().height() + 6};
}

int LevelBar::xOf(float db, int width) const
{
    const float share = (qBound(Floor, db, 0.0f) - Floor) / -Floor;
    return int(share * float(width));
}

void LevelBar::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QRect frame = rect().adjusted(0, 0, -1, -1);
    const QRect inside = frame.adjusted(1, 1, 0, 0);
    p.fillRect(inside, palette().base());
    const QColor peak = palette().highlight().color();
    p.fillRect(QRect(inside.topLeft(), QSize(xOf(m_peak, inside.width()), inside.height())), peak);
    // The average as a darker core of the bar.
    const int core = inside.height() / 3;
    p.fillRect(QRect(inside.left(), inside.top() + core, xOf(m_average, inside.width()), inside.height() - 2 * core),
               peak.darker(140));
    if (m_marker) {
        const int x = inside.left() + xOf(float(*m_marker), inside.width());
        p.setPen(QPen(palette().text().color(), 2));
        p.drawLine(x, inside.top(), x, inside.bottom());
    }
    p.setPen(palette().mid().color());
    p.drawRect(frame);
    p.setPen(palette().text().color());
    p.drawText(inside.adjusted(4, 0, -4, 0), Qt::AlignRight | Qt::AlignVCenter, text());
}
