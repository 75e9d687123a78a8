#pragma once

#include "base/Prompts.h"

#include <QPointer>
#include <QWidget>

// Prompts shown as real message boxes over the main window.
class MessageBoxPrompts final : public Prompts
{
public:
    void setParentWindow(QWidget *parent) { m_parent = parent; }
    Answer msgBox(const QString &text, Buttons buttons, Icon icon, const QString &caption) override;

private:
    QPointer<QWidget> m_parent;
};
