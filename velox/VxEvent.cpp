#include "velox/VxEvent.h"

#include <QWidget>

VxEvent::~VxEvent() = default;

QWidget *VxEvent::GetSourceWindow() const
{
    return qobject_cast<QWidget *>(m_source.data());
}

QString VxEvent::GetSourceName() const
{
    return m_source ? m_source->objectName() : QString();
}

int VxKeyTable::FindKeyIndex(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 0;
    case Qt::Key_Up:
        return 1;
    case Qt::Key_Down:
        return 2;
    case Qt::Key_Left:
        return 3;
    case Qt::Key_Right:
        return 4;
    case Qt::Key_Home:
        return 5;
    case Qt::Key_End:
        return 6;
    case Qt::Key_PageUp:
        return 7;
    case Qt::Key_PageDown:
        return 8;
    case Qt::Key_Delete:
        return 9;
    case Qt::Key_Insert:
        return 10;
    case Qt::Key_Backspace:
        return 11;
    case Qt::Key_Escape:
        return 12;
    case Qt::Key_F1:
        return 13;
    case Qt::Key_F2:
        return 14;
    case Qt::Key_Tab:
        return 15;
    default:
        return -1;
    }
}
