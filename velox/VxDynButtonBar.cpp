#include "velox/VxDynButtonBar.h"

#include <QHBoxLayout>
#include <QPushButton>

TDYN_IMPLEMENT(VxDynButtonBar, "TDynamic");

VxDynButtonBar::VxDynButtonBar(QWidget *parent) : QWidget(parent), m_layout(new QHBoxLayout(this))
{
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(6);
    m_layout->addStretch(1);
}

void VxDynButtonBar::SetButtonWidth(int width)
{
    m_buttonWidth = width;
    for (QPushButton *b : m_buttons)
        b->setFixedWidth(width);
}

QPushButton *VxDynButtonBar::AddButton(const QString &name, const QString &text)
{
    auto *b = new QPushButton(text, this);
    b->setObjectName(name);
    b->setFixedWidth(m_buttonWidth);
    b->setAutoDefault(false);
    m_layout->addWidget(b);
    m_buttons.append(b);
    return b;
}

void VxDynButtonBar::Clear()
{
    qDeleteAll(m_buttons);
    m_buttons.clear();
}
