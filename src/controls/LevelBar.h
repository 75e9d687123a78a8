#pragma once

#include <QWidget>

#include <optional>

// The input level as a bar in dB, from Floor (empty) to 0 dB (full), with the sensitivity
// that starts a call by voice marked on it: whoever looks sees at once whether the line
// is connected and how far a voice is from setting the recorder off.
class LevelBar : public QWidget
{
    Q_OBJECT
public:
    static constexpr float Floor = -60.0f;

    explicit LevelBar(QWidget *parent = nullptr);

    // Peak and average level in dBFS; below Floor reads as silence.
    void setLevels(float peakDb, float averageDb);
    // The sensitivity mark, in dB; nothing marked when unset.
    void setMarker(std::optional<int> db);
    float peak() const { return m_peak; }
    // "-12.3 dB", or "silence".
    QString text() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // Where `db` falls across a width of `width`.
    int xOf(float db, int width) const;

    float m_peak = Floor, m_average = Floor;
    std::optional<int> m_marker;
};
