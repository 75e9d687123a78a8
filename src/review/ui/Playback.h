#pragma once

#include "base/RecorderComponent.h"
#include "callstore/colCalls.h"

#include <QObject>
#include <QTimer>
#include <functional>

struct MainState;
class Prompts;
class QLabel;
class kvtSlider;

// Plays one call at a time in the main window's player, with the position slider, the
// time label and the position timer, and keeps call detection suspended while a call
// is open (so that the sound played is not taken for a new call).
class Playback : public QObject
{
    Q_OBJECT

public:
    // What playback asks of the call list and of call detection. A missing call list
    // lookup counts as an empty list; missing detection hooks do nothing.
    struct Links
    {
        std::function<colCalls::Record(const QString &key)> GetCallByKey;
        std::function<bool()> HasCalls;
        std::function<QString()> SelectedKey; // the key of the list's selected item
        std::function<void()> SuspendDetection;
        std::function<void()> ResumeDetection;
    };

    static constexpr int PositionInterval = 250; // ms

    Playback(RecorderComponent &player, MainState &state, Prompts &prompts,
             kvtSlider &sldPlayBackPos, QLabel &lblPlaybackPos, Links links,
             QObject *parent = nullptr);

    // Opens and plays the listed call with this key; whatever was open is closed first.
    // Looks at the call's file in a job first, then plays it (or says why not).
    void PlayCall(const QString &key);
    bool Looking() const { return m_looking; } // the last call asked for is being looked at
    // Opens the audio file here and plays it from the beginning (a file dropped on the window).
    void PlayFile(const QString &path);
    // Closes the file and resets the position display.
    void StopPlayback();

    void cmdPlay_Click();
    // The playback branches of the pause and stop buttons: only while a call is open.
    void cmdPause_Click();
    void cmdStop_Click();
    // index: the step in seconds (10 or 30).
    void cmdPBOffsetMinus_Click(int index);
    void cmdPBOffsetPlus_Click(int index);
    void tmrPlaybackPos_Timer();
    void sldPlayBackPos_MouseDown(qint16 button);
    void sldPlayBackPos_ValueChanged();
    void sldPlayBackPos_MouseUp(qint16 button);
    void sldPlayBackPos_KeyStepped();

    QTimer tmrPlaybackPos{this};
    bool SliderDragging = false; // the user holds the position slider

private:
    void setTypeFor(const QString &path);
    // `opened`: the file as a job read it; null: opened here.
    void openAndPlay(const QString &path, const std::shared_ptr<RecorderComponent::OpenedFile> &opened);
    void showPosition(qint32 seconds);
    void setSliderSeconds(double seconds);
    void reportSkipError(const std::exception &e, const char *handler, int index);

    RecorderComponent &MSSRPlayer;
    MainState &state;
    Prompts &prompts;
    kvtSlider &sldPlayBackPos;
    QLabel &lblPlaybackPos;
    Links links;
    quint64 m_looks = 0; // calls asked to be played; only the last one's look counts
    bool m_looking = false;
};
