#pragma once

#include <QDialog>

class Prompts;
class QCheckBox;
class XPButton;

// One help page of the calibration wizard (pages 1 to 5): a text, a picture and "Next".
// Page 1 offers to skip the help; page 2 asks two yes/no questions and can go back.
class dlgCalMsg : public QDialog
{
    Q_OBJECT
public:
    dlgCalMsg(int page, Prompts &prompts, QWidget *owner);

    // "Next", "Prev", or empty when the page was closed another way.
    QString Result;

    QCheckBox *chkSkip = nullptr;            // page 1
    QCheckBox *chkMic[2] = {}, *chkAdv[2] = {}; // page 2: Yes, No
    XPButton *cmdPrevious = nullptr;      // page 2
    XPButton *cmdNext;

    bool Skip() const;
    bool MicVisible() const;
    bool AdvVisible() const;

private:
    void cmdNext_Click();

    Prompts &prompts;
};
