#pragma once

#include <QColor>
#include <QPalette>

// A colour as the controls' colour properties hold it: 0x00BBGGRR, or, with the high bit
// set, the number of a system colour, which is taken from the desktop's palette so that a
// dark theme gives dark faces and light text.
QColor OleColor(quint32 colour, const QPalette &palette);

// True when text in `text` can be read on `face` (a contrast ratio of at least 3).
bool Legible(const QColor &text, const QColor &face);

// `a` with `amount` (0..1) of `b` mixed in.
QColor Mixed(const QColor &a, const QColor &b, qreal amount);
