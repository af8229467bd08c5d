#pragma once

// A bar of buttons added at run time, right-aligned, each of the same width.

#include "base/TDynamic.h"

#include <QList>
#include <QWidget>

class QHBoxLayout;
class QPushButton;

class VxDynButtonBar : public QWidget, public TDynamic
{
    TDYN_DECLARE(VxDynButtonBar)

public:
    explicit VxDynButtonBar(QWidget *parent = nullptr);

    void SetButtonWidth(int width);
    int GetButtonWidth() const { return m_buttonWidth; }
    // Adds a button after the others; its object name is name.
    QPushButton *AddButton(const QString &name, const QString &text);
    void Clear();
    const QList<QPushButton *> &Buttons() const { return m_buttons; }

private:
    QHBoxLayout *m_layout;
    QList<QPushButton *> m_buttons;
    int m_buttonWidth = 100;
};
