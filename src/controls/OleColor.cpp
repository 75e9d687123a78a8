#include "controls/OleColor.h"

#include <cmath>

QColor OleColor(quint32 colour, const QPalette &palette)
{
    if (!(colour & 0x80000000u))
        return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
    // The system colours a form's controls use; the button face is the window's background.
    switch (colour & 0xFF) {
    case 0x05: return palette.color(QPalette::Base);
    case 0x08: return palette.color(QPalette::WindowText);
    case 0x0D: return palette.color(QPalette::Highlight);
    case 0x0E: return palette.color(QPalette::HighlightedText);
    case 0x10: return palette.color(QPalette::Mid);
    case 0x11: return palette.color(QPalette::Disabled, QPalette::ButtonText);
    case 0x12: return palette.color(QPalette::ButtonText);
    case 0x14: return palette.color(QPalette::Light);
    case 0x15: return palette.color(QPalette::Shadow);
    case 0x16: return palette.color(QPalette::Midlight);
    case 0x17: return palette.color(QPalette::ToolTipText);
    case 0x18: return palette.color(QPalette::ToolTipBase);
    default: return palette.color(QPalette::Window);
    }
}

static qreal luminance(const QColor &c)
{
    auto channel = [](qreal v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

bool Legible(const QColor &text, const QColor &face)
{
    const qreal a = luminance(text), b = luminance(face);
    return (qMax(a, b) + 0.05) / (qMin(a, b) + 0.05) >= 3.0;
}

QColor Mixed(const QColor &a, const QColor &b, qreal amount)
{
    return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * amount,
                            a.greenF() + (b.greenF() - a.greenF()) * amount,
                            a.blueF() + (b.blueF() - a.blueF()) * amount);
}
