#include "recording/ui/CalPicture.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

using namespace Qt::StringLiterals;

namespace {

// Mixer pictures are drawn on this canvas and scaled to the widget.
constexpr QSizeF Canvas(320, 220);
constexpr QSizeF IndicatorCanvas(56, 56);

// What the user is asked to look at: the same warm red in light and dark themes.
const QColor Mark(222, 72, 40);

void ring(QPainter &p, const QRectF &around)
{
    p.save();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Mark, 2.5));
    p.drawRoundedRect(around.adjusted(-3, -3, 3, 3), 5, 5);
    p.restore();
}

void setPixelFont(QPainter &p, qreal px, bool bold = false, bool mono = false)
{
    QFont f = p.font();
    if (mono) {
        f.setFamily(u"monospace"_s);
        f.setStyleHint(QFont::Monospace);
    }
    f.setPixelSize(qMax(1, qRound(px)));
    f.setBold(bold);
    p.setFont(f);
}

// A desktop window with its title; answers the area inside it.
QRectF windowFrame(QPainter &p, const QPalette &pal, const QRectF &frame, const QString &title)
{
    p.setPen(QPen(pal.color(QPalette::Mid), 1));
    p.setBrush(pal.color(QPalette::Window));
    p.drawRoundedRect(frame, 6, 6);
    const QRectF bar(frame.left() + 1, frame.top() + 1, frame.width() - 2, 22);
    p.fillRect(bar.adjusted(4, 4, -4, 0), pal.color(QPalette::Window).darker(108));
    setPixelFont(p, 11, true);
    p.setPen(pal.color(QPalette::WindowText));
    p.drawText(bar, Qt::AlignCenter, title);
    // The close box, as every desktop has one.
    p.drawText(QRectF(bar.right() - 20, bar.top(), 16, bar.height()), Qt::AlignCenter, u"\u00d7"_s);
    return frame.adjusted(1, bar.height() + 1, -1, -1);
}

void button(QPainter &p, const QPalette &pal, const QRectF &r)
{
    p.setPen(QPen(pal.color(QPalette::Mid), 1));
    p.setBrush(pal.color(QPalette::Button));
    p.drawRoundedRect(r, 3, 3);
}

void combo(QPainter &p, const QPalette &pal, const QRectF &r, const QString &text)
{
    button(p, pal, r);
    p.setPen(pal.color(QPalette::ButtonText));
    p.drawText(r.adjusted(5, 0, -14, 0), Qt::AlignVCenter | Qt::AlignLeft, text);
    QPainterPath arrow;
    const QPointF c(r.right() - 8, r.center().y());
    arrow.moveTo(c + QPointF(-3, -1.5));
    arrow.lineTo(c + QPointF(3, -1.5));
    arrow.lineTo(c + QPointF(0, 2));
    p.fillPath(arrow, pal.color(QPalette::ButtonText));
}

void tick(QPainter &p, const QRectF &r, const QColor &color, qreal width)
{
    QPainterPath t;
    t.moveTo(r.left() + r.width() * 0.22, r.top() + r.height() * 0.52);
    t.lineTo(r.left() + r.width() * 0.42, r.top() + r.height() * 0.72);
    t.lineTo(r.left() + r.width() * 0.78, r.top() + r.height() * 0.30);
    p.strokePath(t, QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

} // namespace

CalPicture::CalPicture(Kind kind, const QString &description, QWidget *parent)
    : QWidget(parent), m_kind(kind)
{
    setAccessibleName(description);
    setToolTip(description);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setMinimumSize(sizeHint());
}

QSize CalPicture::sizeHint() const
{
    return (m_kind == LevelOk || m_kind == OutOfRange ? IndicatorCanvas : Canvas).toSize();
}

void CalPicture::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QSizeF canvas = sizeHint();
    const qreal scale = qMin(width() / canvas.width(), height() / canvas.height());
    p.translate((width() - canvas.width() * scale) / 2, (height() - canvas.height() * scale) / 2);
    p.scale(scale, scale);
    switch (m_kind) {
    case InputDevicesTab:
    case InputSlider:
    case ShowAllInputs: drawVolumeControl(p); break;
    case AlsamixerStart:
    case MicBoost: drawAlsamixer(p); break;
    case LevelOk:
    case OutOfRange: drawIndicator(p); break;
    }
}

// pavucontrol's window: its tabs, one input device with its port and volume slider, and
// the "Show:" list under them.
void CalPicture::drawVolumeControl(QPainter &p)
{
    const QPalette &pal = palette();
    const QRectF inside = windowFrame(p, pal, QRectF(QPointF(1, 1), Canvas - QSizeF(2, 2)), tr("Volume Control"));

    // The tabs, as small as they must be to fit.
    const QString tabs[] = {tr("Playback"), tr("Recording"), tr("Output Devices"), tr("Input Devices"),
                            tr("Configuration")};
    qreal px = 10;
    auto rowWidth = [&] {
        qreal w = 0;
        for (const QString &t : tabs)
            w += p.fontMetrics().horizontalAdvance(t) + 10;
        return w;
    };
    for (setPixelFont(p, px); rowWidth() > inside.width() - 8 && px > 6; setPixelFont(p, px -= 0.5)) {}
    qreal x = inside.left() + (inside.width() - rowWidth()) / 2;
    QRectF inputTab;
    for (const QString &t : tabs) {
        const QRectF r(x, inside.top() + 4, p.fontMetrics().horizontalAdvance(t) + 10, 18);
        const bool active = t == tabs[3];
        if (active) {
            inputTab = r;
            p.fillRect(r.adjusted(1, 0, -1, 0), pal.color(QPalette::Base));
            p.fillRect(QRectF(r.left() + 2, r.bottom() - 2, r.width() - 4, 2), pal.color(QPalette::Highlight));
        }
        p.setPen(active ? pal.color(QPalette::Text) : pal.color(QPalette::PlaceholderText));
        p.drawText(r, Qt::AlignCenter, t);
        x += r.width();
    }

    // The device.
    const QRectF page(inside.left() + 6, inside.top() + 24, inside.width() - 12, 126);
    p.setPen(QPen(pal.color(QPalette::Mid), 1));
    p.setBrush(pal.color(QPalette::Base));
    p.drawRect(page);
    p.setPen(pal.color(QPalette::Text));
    // A microphone: head and stand.
    const QPointF mic(page.left() + 14, page.top() + 14);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(pal.color(QPalette::Text), 1.4));
    p.drawRoundedRect(QRectF(mic.x() - 3, mic.y() - 7, 6, 10), 3, 3);
    p.drawArc(QRectF(mic.x() - 5.5, mic.y() - 4, 11, 10), 180 * 16, 180 * 16);
    p.drawLine(mic + QPointF(0, 6), mic + QPointF(0, 9));
    setPixelFont(p, 10, true);
    p.drawText(QRectF(page.left() + 28, page.top() + 4, 180, 18), Qt::AlignVCenter, tr("Built-in Audio Analog Stereo"));

    // Mute, lock channels, set as fallback.
    QRectF fallback;
    for (int i = 0; i < 3; ++i) {
        const QRectF b(page.right() - 70 + i * 22, page.top() + 4, 18, 18);
        button(p, pal, b);
        p.setPen(QPen(pal.color(QPalette::ButtonText), 1.2));
        if (i == 0) { // a speaker
            QPainterPath s;
            s.moveTo(b.left() + 4, b.top() + 7);
            s.lineTo(b.left() + 7, b.top() + 7);
            s.lineTo(b.left() + 11, b.top() + 4);
            s.lineTo(b.left() + 11, b.bottom() - 4);
            s.lineTo(b.left() + 7, b.bottom() - 7);
            s.lineTo(b.left() + 4, b.bottom() - 7);
            s.closeSubpath();
            p.drawPath(s);
            p.drawArc(QRectF(b.left() + 9, b.top() + 6, 5, 6), -60 * 16, 120 * 16);
        } else if (i == 1) { // a chain
            p.drawRoundedRect(QRectF(b.left() + 3, b.top() + 6, 7, 5), 2.5, 2.5);
            p.drawRoundedRect(QRectF(b.left() + 8, b.top() + 8, 7, 5), 2.5, 2.5);
        } else {
            fallback = b;
            tick(p, b, QColor(46, 160, 67), 2);
        }
    }

    setPixelFont(p, 9);
    p.setPen(pal.color(QPalette::Text));
    p.drawText(QRectF(page.left() + 28, page.top() + 28, 30, 16), Qt::AlignVCenter, tr("Port:"));
    combo(p, pal, QRectF(page.left() + 58, page.top() + 27, 150, 18), tr("Microphone (plugged in)"));

    // The volume slider at three quarters, with its value.
    const QRectF groove(page.left() + 28, page.top() + 62, page.width() - 110, 4);
    const qreal at = groove.left() + groove.width() * 0.75;
    p.setPen(Qt::NoPen);
    p.setBrush(pal.color(QPalette::Mid));
    p.drawRoundedRect(groove, 2, 2);
    p.setBrush(pal.color(QPalette::Highlight));
    p.drawRoundedRect(QRectF(groove.left(), groove.top(), at - groove.left(), groove.height()), 2, 2);
    p.setBrush(pal.color(QPalette::Button));
    p.setPen(QPen(pal.color(QPalette::Mid), 1));
    p.drawEllipse(QPointF(at, groove.center().y()), 7, 7);
    p.setPen(pal.color(QPalette::Text));
    p.drawText(QRectF(groove.right() + 10, groove.top() - 8, 80, 20), Qt::AlignVCenter, u"75% (-7.50dB)"_s);
    setPixelFont(p, 7.5);
    p.setPen(pal.color(QPalette::PlaceholderText));
    p.drawText(QRectF(groove.left() - 10, groove.bottom() + 13, 60, 11), Qt::AlignLeft, tr("Silence"));
    p.drawText(QRectF(groove.right() - 60, groove.bottom() + 13, 80, 11), Qt::AlignRight, u"100% (0dB)"_s);

    // A second, quieter input below, so the user sees that each input has its own.
    setPixelFont(p, 9);
    p.drawText(QRectF(page.left() + 28, page.top() + 96, 220, 16), Qt::AlignVCenter, tr("Monitor of Built-in Audio Analog Stereo"));
    p.setPen(QPen(pal.color(QPalette::Mid), 1));
    p.drawLine(QPointF(page.left() + 6, page.top() + 92), QPointF(page.right() - 6, page.top() + 92));

    // The list that filters the inputs.
    const QRectF showBox(inside.right() - 150, page.bottom() + 8, 140, 18);
    setPixelFont(p, 9);
    p.setPen(pal.color(QPalette::WindowText));
    p.drawText(QRectF(showBox.left() - 104, showBox.top(), 100, 18), Qt::AlignVCenter | Qt::AlignRight, tr("Show:"));
    combo(p, pal, showBox, tr("All Input Devices"));

    if (m_kind == InputDevicesTab)
        ring(p, inputTab);
    else if (m_kind == InputSlider) {
        ring(p, QRectF(groove.left() - 4, groove.top() - 8, groove.width() + 8, 20));
        ring(p, fallback);
    } else
        ring(p, showBox);
}

// A terminal: starting alsamixer, or its capture view (F4) with the microphone boost.
void CalPicture::drawAlsamixer(QPainter &p)
{
    const QPalette &pal = palette();
    const QRectF inside = windowFrame(p, pal, QRectF(QPointF(1, 1), Canvas - QSizeF(2, 2)), tr("Terminal"));
    // Terminals are dark whatever the desktop's theme.
    const QColor screen(24, 24, 24), text(220, 220, 220), frame(80, 170, 190), bar(70, 190, 90);
    const QRectF term = inside.adjusted(3, 0, -3, -3);
    p.fillRect(term, screen);
    setPixelFont(p, 9, false, true);
    const qreal line = 12;
    auto at = [&](int row, qreal column) { return QPointF(term.left() + 6 + column, term.top() + 4 + row * line); };
    auto write = [&](int row, qreal column, const QString &s, const QColor &c) {
        p.setPen(c);
        const QRectF r(at(row, column), QSizeF(p.fontMetrics().horizontalAdvance(s), line));
        p.drawText(r, Qt::AlignVCenter | Qt::AlignLeft, s);
        return r;
    };
    const bool capture = m_kind == MicBoost;
    int row = 0;
    if (!capture) {
        write(row++, 0, u"$ alsamixer"_s, text);
        ++row;
    }
    // alsamixer's header box.
    p.setPen(QPen(frame, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(at(row, -2), QSizeF(term.width() - 8, line * 4 + 4)));
    write(row, 90, u" AlsaMixer "_s, frame);
    ++row;
    write(row, 4, u"Card: HDA Intel PCH"_s, text);
    write(row++, 150, u"F1:  Help"_s, text);
    write(row, 4, u"Chip: Realtek ALC269VC"_s, text);
    const QRectF f6 = write(row++, 150, u"F6:  Select sound card"_s, text);
    write(row, 4, u"View:"_s, text);
    const QRectF f3 = write(row, 40, capture ? u"F3: Playback"_s : u"F3:[Playback]"_s, text);
    const QRectF f4 = write(row, f3.right() - term.left() + 2, capture ? u"F4:[Capture]"_s : u"F4: Capture"_s, text);
    write(row++, f4.right() - term.left() + 2, u"F5: All"_s, text);
    if (!capture) {
        ring(p, f4);
        ring(p, f6);
        return;
    }

    // The capture controls: a bar each, its value above and its name below.
    const struct { const char *name; int value; } controls[] = {{"Capture", 70}, {"Mic Boost", 33}, {"Mic", 0}};
    const qreal top = at(row, 0).y() + 18, height = 70, width = 26;
    QRectF boost;
    for (int i = 0; i < 3; ++i) {
        const qreal cx = term.left() + 60 + i * 90;
        const QRectF box(cx - width / 2, top, width, height);
        p.setPen(text);
        p.drawText(QRectF(cx - 20, top - line - 2, 40, line), Qt::AlignCenter, QString::number(controls[i].value));
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(text, 1));
        p.drawRect(box);
        const qreal filled = (height - 4) * controls[i].value / 100.0;
        p.fillRect(QRectF(box.left() + 2, box.bottom() - 2 - filled, width - 4, filled), bar);
        const QString name = QString::fromLatin1(controls[i].name);
        const qreal w = p.fontMetrics().horizontalAdvance(name);
        p.setPen(i == 1 ? frame : text);
        p.drawText(QRectF(cx - 45, box.bottom() + 4, 90, line), Qt::AlignCenter, name);
        if (i == 1)
            boost = box.united(QRectF(cx - w / 2 - 2, box.bottom() + 4, w + 4, line));
    }
    ring(p, boost);
    // Up one step.
    const QPointF arrow(boost.right() + 14, boost.center().y());
    p.setPen(QPen(Mark, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(arrow + QPointF(0, 14), arrow + QPointF(0, -14));
    p.drawLine(arrow + QPointF(-5, -9), arrow + QPointF(0, -14));
    p.drawLine(arrow + QPointF(5, -9), arrow + QPointF(0, -14));
}

// The recording volume indicator: a lamp, green with a tick when the level is right.
void CalPicture::drawIndicator(QPainter &p)
{
    const bool ok = m_kind == LevelOk;
    const QColor lit = ok ? QColor(46, 170, 70) : QColor(214, 64, 46);
    const QPointF c(IndicatorCanvas.width() / 2, IndicatorCanvas.height() / 2);
    QRadialGradient glow(c - QPointF(6, 6), 30);
    glow.setColorAt(0, lit.lighter(150));
    glow.setColorAt(1, lit.darker(120));
    p.setPen(QPen(lit.darker(160), 1.5));
    p.setBrush(glow);
    p.drawEllipse(c, 25, 25);
    const QColor sign(255, 255, 255);
    if (ok) {
        tick(p, QRectF(c - QPointF(17, 17), QSizeF(34, 34)), sign, 5);
        return;
    }
    p.setPen(QPen(sign, 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c + QPointF(0, -13), c + QPointF(0, 3));
    p.drawPoint(c + QPointF(0, 13));
}
