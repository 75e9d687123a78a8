#include "app/AppIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <functional>

namespace AppIcons {

static void drawHandset(QPainter &p, const QRectF &r, const QColor &colour)
{
    // A classic handset: two cups joined by a curved grip.
    QPainterPath path;
    const qreal w = r.width(), h = r.height();
    path.moveTo(r.left() + 0.10 * w, r.top() + 0.30 * h);
    path.cubicTo(r.left() + 0.10 * w, r.top() + 0.05 * h, r.left() + 0.90 * w, r.top() + 0.05 * h,
                 r.left() + 0.90 * w, r.top() + 0.30 * h);
    path.lineTo(r.left() + 0.90 * w, r.top() + 0.45 * h);
    path.lineTo(r.left() + 0.68 * w, r.top() + 0.45 * h);
    path.lineTo(r.left() + 0.66 * w, r.top() + 0.33 * h);
    path.cubicTo(r.left() + 0.55 * w, r.top() + 0.28 * h, r.left() + 0.45 * w, r.top() + 0.28 * h,
                 r.left() + 0.34 * w, r.top() + 0.33 * h);
    path.lineTo(r.left() + 0.32 * w, r.top() + 0.45 * h);
    path.lineTo(r.left() + 0.10 * w, r.top() + 0.45 * h);
    path.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(path);
}

static QPixmap drawIcon(int size, bool withWave)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF all(0, 0, size, size);
    // Rounded tile in a calm blue.
    QLinearGradient bg(all.topLeft(), all.bottomLeft());
    bg.setColorAt(0, QColor(0x3d, 0x7e, 0xc8));
    bg.setColorAt(1, QColor(0x1f, 0x4e, 0x8c));
    p.setBrush(bg);
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(all.adjusted(size * 0.03, size * 0.03, -size * 0.03, -size * 0.03),
                      size * 0.18, size * 0.18);
    drawHandset(p, QRectF(size * 0.12, size * 0.16, size * 0.76, size * 0.76), Qt::white);
    if (withWave) {
        // A sound wave under the handset, and the red recording dot.
        QPen pen(QColor(0xff, 0xff, 0xff, 210), qMax(1.0, size / 24.0));
        pen.setCapStyle(Qt::RoundCap);
        p.setPen(pen);
        const qreal y = size * 0.70;
        const qreal bars[] = {0.08, 0.16, 0.11, 0.20, 0.09, 0.14};
        for (int i = 0; i < 6; ++i) {
            const qreal x = size * (0.22 + i * 0.09);
            p.drawLine(QPointF(x, y - size * bars[i] / 2), QPointF(x, y + size * bars[i] / 2));
        }
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xe0, 0x2b, 0x2b));
        p.drawEllipse(QPointF(size * 0.80, size * 0.78), size * 0.10, size * 0.10);
    }
    return pm;
}

QIcon windowIcon()
{
    QIcon icon;
    for (int s : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(drawIcon(s, s >= 32));
    return icon;
}

QIcon trayIcon(TrayState state)
{
    // Green listening, red recording, amber input lost; idle has none.
    const QColor badges[] = {Qt::transparent, QColor(0x2e, 0xa0, 0x43), QColor(0xe0, 0x2b, 0x2b), QColor(0xf0, 0xa0, 0x20)};
    const QColor badge = badges[int(state)];
    QIcon icon;
    for (int s : {16, 22, 24, 32, 48, 64}) {
        QPixmap pm = drawIcon(s, false);
        if (badge.alpha()) {
            QPainter p(&pm);
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(QPen(Qt::white, qMax(1.0, s / 16.0)));
            p.setBrush(badge);
            p.drawEllipse(QPointF(s * 0.74, s * 0.74), s * 0.22, s * 0.22);
        }
        icon.addPixmap(pm);
    }
    return icon;
}

QIcon icon(const char *resourceName)
{
    return qstrcmp(resourceName, "BBB") == 0 ? trayIcon() : windowIcon();
}

QPixmap led(bool recording, int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor base = recording ? QColor(0xd9, 0x1e, 0x1e) : QColor(0x2e, 0xa0, 0x43);
    QRadialGradient g(QPointF(size * 0.38, size * 0.35), size * 0.6);
    g.setColorAt(0, base.lighter(170));
    g.setColorAt(0.5, base);
    g.setColorAt(1, base.darker(160));
    p.setBrush(g);
    p.setPen(QPen(base.darker(200), 1));
    p.drawEllipse(QRectF(1, 1, size - 2, size - 2));
    return pm;
}

namespace {

// An icon at the usual sizes, drawn by `draw` on a 24 x 24 grid.
QIcon drawn(const std::function<void(QPainter &)> &draw)
{
    QIcon icon;
    for (int s : {16, 22, 24, 32, 48}) {
        QPixmap pm(s, s);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(s / 24.0, s / 24.0);
        draw(p);
        icon.addPixmap(pm);
    }
    return icon;
}

} // namespace

QIcon recordIcon()
{
    return drawn([](QPainter &p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xd9, 0x1e, 0x1e));
        p.drawEllipse(QRectF(4.32, 4.32, 15.36, 15.36));
    });
}

QIcon toolIcon(Tool tool, const QColor &ink)
{
    return drawn([tool, ink](QPainter &p) {
        QPen pen(ink, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        switch (tool) {
        case Tool::Find: // a magnifying glass
            p.drawEllipse(QPointF(10, 10), 6, 6);
            p.setPen(QPen(ink, 3.0, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(14.5, 14.5), QPointF(20.5, 20.5));
            break;
        case Tool::Mail: // an envelope
            p.drawRoundedRect(QRectF(3, 6, 18, 13), 1.5, 1.5);
            p.drawPolyline(QPolygonF{QPointF(3.5, 7), QPointF(12, 13.5), QPointF(20.5, 7)});
            break;
        case Tool::Save: // an arrow down into a tray
            p.drawLine(QPointF(12, 3), QPointF(12, 14));
            p.drawPolyline(QPolygonF{QPointF(7.5, 9.5), QPointF(12, 14), QPointF(16.5, 9.5)});
            p.drawPolyline(QPolygonF{QPointF(4, 14), QPointF(4, 20), QPointF(20, 20), QPointF(20, 14)});
            break;
        case Tool::Options: // three sliders
            for (int i = 0; i < 3; ++i) {
                const double y = 6 + i * 6, knob = i == 1 ? 15 : (i == 0 ? 8 : 11);
                p.drawLine(QPointF(3, y), QPointF(21, y));
                p.setBrush(ink);
                p.drawEllipse(QPointF(knob, y), 2.2, 2.2);
                p.setBrush(Qt::NoBrush);
            }
            break;
        case Tool::Help: { // a question mark in a ring
            p.drawEllipse(QPointF(12, 12), 9, 9);
            QPainterPath q;
            q.moveTo(9, 9.5);
            q.cubicTo(9, 6.5, 15, 6.5, 15, 9.5);
            q.cubicTo(15, 11.5, 12, 11.5, 12, 14);
            p.drawPath(q);
            p.setBrush(ink);
            p.setPen(Qt::NoPen);
            p.drawEllipse(QPointF(12, 17.2), 1.3, 1.3);
            break;
        }
        case Tool::Exit: // the power sign
            p.drawArc(QRectF(4, 5, 16, 16), 120 * 16, 300 * 16); // open at the top
            p.drawLine(QPointF(12, 3), QPointF(12, 11));
            break;
        }
    });
}

} // namespace AppIcons
