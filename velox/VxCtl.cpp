#include "velox/VxCtl.h"

#include "velox/VxPalette.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

QColor VxCtl::Color(int index)
{
    const VxPaletteColor c = VxPaletteEntry(index);
    return QColor(c.r, c.g, c.b);
}

void VxCtl::SetText(QWidget *w, const QString &text)
{
    if (!w)
        return;
    if (auto *l = qobject_cast<QLabel *>(w))
        l->setText(text);
    else if (auto *b = qobject_cast<QAbstractButton *>(w))
        b->setText(text);
    else if (auto *e = qobject_cast<QLineEdit *>(w))
        e->setText(text);
    else if (auto *t = qobject_cast<QTextEdit *>(w))
        t->setPlainText(text);
    else if (auto *p = qobject_cast<QPlainTextEdit *>(w))
        p->setPlainText(text);
    else if (auto *g = qobject_cast<QGroupBox *>(w))
        g->setTitle(text);
    else if (auto *c = qobject_cast<QComboBox *>(w); c && c->isEditable())
        c->setEditText(text);
    else if (w->isWindow())
        w->setWindowTitle(text);
}

QString VxCtl::GetText(const QWidget *w)
{
    if (!w)
        return QString();
    if (auto *l = qobject_cast<const QLabel *>(w))
        return l->text();
    if (auto *b = qobject_cast<const QAbstractButton *>(w))
        return b->text();
    if (auto *e = qobject_cast<const QLineEdit *>(w))
        return e->text();
    if (auto *t = qobject_cast<const QTextEdit *>(w))
        return t->toPlainText();
    if (auto *p = qobject_cast<const QPlainTextEdit *>(w))
        return p->toPlainText();
    if (auto *g = qobject_cast<const QGroupBox *>(w))
        return g->title();
    if (auto *c = qobject_cast<const QComboBox *>(w))
        return c->currentText();
    return w->isWindow() ? w->windowTitle() : QString();
}

void VxCtl::SetTextColor(QWidget *w, int index)
{
    if (!w)
        return;
    QPalette p = w->palette();
    const QColor c = Color(index);
    // The disabled look stays Qt's, so a disabled control still looks disabled.
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        p.setColor(QPalette::Active, role, c);
        p.setColor(QPalette::Inactive, role, c);
    }
    w->setPalette(p);
}

void VxCtl::SetBkColor(QWidget *w, int index)
{
    if (!w)
        return;
    QPalette p = w->palette();
    const QColor c = Color(index);
    for (QPalette::ColorRole role : {QPalette::Window, QPalette::Base, QPalette::Button})
        p.setColor(role, c);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

void VxCtl::SetResourceFont(QWidget *w, const QString &face, int pixelHeight, bool bold)
{
    if (!w)
        return;
    QFont f = w->font();
    if (!face.isEmpty())
        f.setFamilies({face});
    if (pixelHeight > 0)
        f.setPixelSize(pixelHeight);
    f.setBold(bold);
    w->setFont(f);
}

void VxCtl::Enable(QWidget *w, bool enable)
{
    if (w)
        w->setEnabled(enable);
}

bool VxCtl::IsEnabled(const QWidget *w)
{
    return w && w->isEnabled();
}

void VxCtl::Show(QWidget *w, bool show)
{
    if (w)
        w->setVisible(show);
}

void VxCtl::SetFocus(QWidget *w)
{
    if (w)
        w->setFocus(Qt::OtherFocusReason);
}

void VxCtl::SetChecked(QWidget *w, bool checked)
{
    if (auto *b = qobject_cast<QAbstractButton *>(w))
        b->setChecked(checked);
}

bool VxCtl::IsChecked(const QWidget *w)
{
    auto *b = qobject_cast<const QAbstractButton *>(w);
    return b && b->isChecked();
}

void VxCtl::SetScrollRange(QWidget *w, int min, int max)
{
    if (auto *s = qobject_cast<QAbstractSlider *>(w))
        s->setRange(min, max);
}

void VxCtl::SetScrollPos(QWidget *w, int pos)
{
    if (auto *s = qobject_cast<QAbstractSlider *>(w)) {
        // Inside an action the slider applies its own proposed position after the handler;
        // setting both makes ours the one that stays.
        s->setSliderPosition(pos);
        s->setValue(pos);
    }
}

int VxCtl::GetScrollPos(const QWidget *w)
{
    auto *s = qobject_cast<const QAbstractSlider *>(w);
    return s ? s->value() : 0;
}

void VxCtl::Invalidate(QWidget *w)
{
    if (w)
        w->update();
}

void VxCtl::Update(QWidget *w)
{
    if (w)
        w->repaint();
}
