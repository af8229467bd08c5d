#include "velox/VxLink.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QHash>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QSet>
#include <QTextEdit>
#include <QVariant>

namespace {

struct TableRegistry
{
    QList<VxLinkTable::Entry> entries;
    QHash<QString, qsizetype> index; // window + '\n' + handler -> position in entries
};

TableRegistry &Tables()
{
    static TableRegistry registry;
    return registry;
}

QString Key(const QString &window, const QString &handler)
{
    return window + QLatin1Char('\n') + handler;
}

bool IsEventLink(const QString &link)
{
    static const QStringList names = {VX_LINK_CHAR,        VX_LINK_KEYDOWN,   VX_LINK_KEYUP,
                                      VX_LINK_LBUTTONDOWN, VX_LINK_LBUTTONUP, VX_LINK_LBUTTONDBLCLK,
                                      VX_LINK_RBUTTONDOWN, VX_LINK_RBUTTONUP, VX_LINK_MOUSEMOVE,
                                      VX_LINK_SETFOCUS,    VX_LINK_KILLFOCUS};
    return names.contains(link);
}

// Scroll-bar actions of Qt mapped to the framework's scroll codes.
int ScrollCode(int action)
{
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
        return VX_SCROLL_LINE_ADD;
    case QAbstractSlider::SliderSingleStepSub:
        return VX_SCROLL_LINE_SUB;
    case QAbstractSlider::SliderPageStepAdd:
        return VX_SCROLL_PAGE_ADD;
    case QAbstractSlider::SliderPageStepSub:
        return VX_SCROLL_PAGE_SUB;
    case QAbstractSlider::SliderToMinimum:
        return VX_SCROLL_TO_MIN;
    case QAbstractSlider::SliderToMaximum:
        return VX_SCROLL_TO_MAX;
    case QAbstractSlider::SliderMove:
        return VX_SCROLL_THUMB_TRACK;
    default:
        return VX_SCROLL_END_SCROLL;
    }
}

const char *const LinkSetName = "vx_links";

} // namespace

// The links of one source object. It lives as a child of the source, so it goes with it; it
// filters the source's events and owns the signal connections, which look the binding up at
// each call so that re-binding never needs to reconnect.
class VxLinkSet : public QObject
{
public:
    struct Link
    {
        QPointer<QObject> receiver;
        VxHandlerFn operation = nullptr;
        QString handler;
    };

    explicit VxLinkSet(QObject *source) : QObject(source), m_source(source)
    {
        setObjectName(QLatin1String(LinkSetName));
    }

    static VxLinkSet *Of(const QObject *source, bool create)
    {
        if (!source)
            return nullptr;
        const auto children = source->children();
        for (QObject *child : children) {
            if (child->objectName() == QLatin1String(LinkSetName))
                if (auto *set = dynamic_cast<VxLinkSet *>(child))
                    return set;
        }
        return create ? new VxLinkSet(const_cast<QObject *>(source)) : nullptr;
    }

    void Set(const QString &link, const Link &entry)
    {
        m_links.insert(link, entry);
        Connect(link);
    }
    bool Remove(const QString &link) { return m_links.remove(link) > 0; }
    const Link *Get(const QString &link) const
    {
        auto it = m_links.constFind(link);
        return it == m_links.constEnd() ? nullptr : &it.value();
    }

    bool Fire(const QString &link, VxEvent &event)
    {
        const Link *found = Get(link);
        if (!found || !found->receiver || !found->operation)
            return false;
        // Copy: the handler may re-bind or remove this very link.
        const Link entry = *found;
        event.SetSource(m_source, link);
        return entry.operation(entry.receiver.data(), event);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *e) override
    {
        if (watched != m_source)
            return false;
        QPointer<VxLinkSet> alive(this);
        switch (e->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
            return Mouse(static_cast<QMouseEvent *>(e));
        case QEvent::KeyPress: {
            auto *k = static_cast<QKeyEvent *>(e);
            VxEventKey down(k->key(), k->text(), int(k->modifiers()), k->isAutoRepeat(),
                            k->nativeScanCode(), k->nativeVirtualKey());
            if (Fire(VX_LINK_KEYDOWN, down))
                return true;
            if (!alive || k->text().isEmpty())
                return false;
            VxEventKey ch(k->key(), k->text(), int(k->modifiers()), k->isAutoRepeat());
            return Fire(VX_LINK_CHAR, ch);
        }
        case QEvent::KeyRelease: {
            auto *k = static_cast<QKeyEvent *>(e);
            VxEventKey up(k->key(), k->text(), int(k->modifiers()), k->isAutoRepeat());
            return Fire(VX_LINK_KEYUP, up);
        }
        case QEvent::FocusIn: {
            VxEvent ev;
            Fire(VX_LINK_SETFOCUS, ev);
            return false;
        }
        case QEvent::FocusOut: {
            VxEvent ev;
            Fire(VX_LINK_KILLFOCUS, ev);
            return false;
        }
        default:
            return false;
        }
    }

private:
    bool Mouse(QMouseEvent *m)
    {
        const int button = m->button() == Qt::LeftButton     ? VxEventMouse::Left
                           : m->button() == Qt::RightButton  ? VxEventMouse::Right
                           : m->button() == Qt::MiddleButton ? VxEventMouse::Middle
                                                             : 0;
        VxEventMouse ev(m->position().toPoint(), m->globalPosition().toPoint(), button,
                        int(m->modifiers()));
        const bool left = m->button() == Qt::LeftButton;
        const bool right = m->button() == Qt::RightButton;
        switch (m->type()) {
        case QEvent::MouseButtonPress:
            return left ? Fire(VX_LINK_LBUTTONDOWN, ev) : right && Fire(VX_LINK_RBUTTONDOWN, ev);
        case QEvent::MouseButtonRelease:
            return left ? Fire(VX_LINK_LBUTTONUP, ev) : right && Fire(VX_LINK_RBUTTONUP, ev);
        case QEvent::MouseButtonDblClick:
            // Without a double-click handler the second press is an ordinary press.
            if (left && Get(VX_LINK_LBUTTONDBLCLK))
                return Fire(VX_LINK_LBUTTONDBLCLK, ev);
            return left ? Fire(VX_LINK_LBUTTONDOWN, ev) : right && Fire(VX_LINK_RBUTTONDOWN, ev);
        default:
            return Fire(VX_LINK_MOUSEMOVE, ev);
        }
    }

    void Connect(const QString &link)
    {
        if (m_connected.contains(link))
            return;
        m_connected.insert(link);
        if (IsEventLink(link)) {
            if (!m_filtering) {
                m_source->installEventFilter(this);
                m_filtering = true;
            }
            return;
        }
        auto fire = [this, link] {
            VxEvent ev;
            Fire(link, ev);
        };
        if (link == QLatin1String(VX_LINK_COMMAND)) {
            if (auto *b = qobject_cast<QAbstractButton *>(m_source))
                connect(b, &QAbstractButton::clicked, this, fire);
            else if (auto *a = qobject_cast<QAction *>(m_source))
                connect(a, &QAction::triggered, this, fire);
            else if (auto *c = qobject_cast<QComboBox *>(m_source))
                connect(c, &QComboBox::activated, this, fire);
            else if (auto *e = qobject_cast<QLineEdit *>(m_source))
                connect(e, &QLineEdit::returnPressed, this, fire);
        } else if (link == QLatin1String(VX_LINK_CHANGE)) {
            if (auto *e = qobject_cast<QLineEdit *>(m_source))
                connect(e, &QLineEdit::textEdited, this, fire);
            else if (auto *t = qobject_cast<QTextEdit *>(m_source))
                connect(t, &QTextEdit::textChanged, this, fire);
            else if (auto *c = qobject_cast<QComboBox *>(m_source))
                connect(c, &QComboBox::currentIndexChanged, this, fire);
            else if (auto *b = qobject_cast<QAbstractButton *>(m_source))
                connect(b, &QAbstractButton::toggled, this, fire);
        } else if (link == QLatin1String(VX_LINK_SCROLL)) {
            if (auto *s = qobject_cast<QAbstractSlider *>(m_source)) {
                // The slider has already moved its thumb when the action is reported, so the
                // handler sees the old value and the proposed position, and may overrule it.
                connect(s, &QAbstractSlider::actionTriggered, this, [this, s](int action) {
                    VxEventWnd ev(ScrollCode(action), s->sliderPosition());
                    Fire(VX_LINK_SCROLL, ev);
                });
                connect(s, &QAbstractSlider::sliderReleased, this, [this, s] {
                    VxEventWnd ev(VX_SCROLL_THUMB_POSITION, s->sliderPosition());
                    Fire(VX_LINK_SCROLL, ev);
                });
            }
        }
    }

    QObject *m_source;
    QHash<QString, Link> m_links;
    QSet<QString> m_connected;
    bool m_filtering = false;
};

void VxLinkTable::Install(const VxLinkEntry *table)
{
    if (!table)
        return;
    TableRegistry &r = Tables();
    for (const VxLinkEntry *e = table; e->window && e->handler && (*e->window || *e->handler);
         ++e) {
        Entry entry{QString::fromUtf8(e->window), QString::fromUtf8(e->handler), e->operation};
        const QString key = Key(entry.window, entry.handler);
        auto it = r.index.constFind(key);
        if (it != r.index.constEnd()) {
            r.entries[*it] = entry;
        } else {
            r.index.insert(key, r.entries.size());
            r.entries.append(entry);
        }
    }
}

VxHandlerFn VxLinkTable::Find(const QString &window, const QString &handler)
{
    const TableRegistry &r = Tables();
    auto it = r.index.constFind(Key(window, handler));
    return it == r.index.constEnd() ? nullptr : r.entries.at(*it).operation;
}

QList<VxLinkTable::Entry> VxLinkTable::Entries(const QString &window)
{
    QList<Entry> out;
    for (const Entry &e : Tables().entries)
        if (window.isEmpty() || e.window == window)
            out.append(e);
    return out;
}

bool VxLinks::Bind(QObject *source, const QString &link, QObject *receiver, VxHandlerFn operation,
                   const QString &handler)
{
    if (!source || !receiver || !operation || link.isEmpty())
        return false;
    VxLinkSet::Of(source, true)->Set(link, {receiver, operation, handler});
    return true;
}

bool VxLinks::Bind(QObject *source, const QString &link, QObject *receiver, const QString &window,
                   const QString &handler)
{
    return Bind(source, link, receiver, VxLinkTable::Find(window, handler), handler);
}

bool VxLinks::Unbind(QObject *source, const QString &link)
{
    VxLinkSet *set = VxLinkSet::Of(source, false);
    return set && set->Remove(link);
}

bool VxLinks::IsBound(const QObject *source, const QString &link)
{
    const VxLinkSet *set = VxLinkSet::Of(source, false);
    return set && set->Get(link);
}

QString VxLinks::BoundHandler(const QObject *source, const QString &link)
{
    const VxLinkSet *set = VxLinkSet::Of(source, false);
    const VxLinkSet::Link *l = set ? set->Get(link) : nullptr;
    return l ? l->handler : QString();
}

bool VxLinks::Fire(QObject *source, const QString &link, VxEvent &event)
{
    VxLinkSet *set = VxLinkSet::Of(source, false);
    return set && set->Fire(link, event);
}

QStringList VxLinks::BindForm(QObject *root, QObject *receiver, const QString &window)
{
    QStringList unbound;
    if (!root)
        return unbound;
    QList<QObject *> objects{root};
    objects += root->findChildren<QObject *>();
    for (QObject *o : objects) {
        const auto names = o->dynamicPropertyNames();
        for (const QByteArray &name : names) {
            if (!name.startsWith("VX_LINK_"))
                continue;
            const QString link = QString::fromLatin1(name);
            const QString handler = o->property(name.constData()).toString().trimmed();
            if (handler.isEmpty())
                continue;
            if (!Bind(o, link, receiver, window, handler))
                unbound.append(o->objectName() + QLatin1Char('/') + link + QLatin1Char('/') +
                               handler);
        }
    }
    return unbound;
}
