#include "velox/VxResource.h"

#include "base/TDynamic.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QResource>
#include <QUiLoader>
#include <QWidget>
#include <QXmlStreamReader>

namespace {

struct Bundles
{
    QStringList paths; // canonical file paths
    QStringList roots; // ":/vxt/<n>" per path
    QHash<QString, QStringList> unbound;
};

Bundles &TheBundles()
{
    static Bundles b;
    return b;
}

// Creates registered classes by name and, for a window building itself, hands out the
// existing object as the form's top level.
class VxUiLoader : public QUiLoader
{
public:
    explicit VxUiLoader(QWidget *target) : m_target(target) {}

    QWidget *createWidget(const QString &className, QWidget *parent, const QString &name) override
    {
        const bool topLevel = !m_topLevelDone;
        m_topLevelDone = true;
        if (topLevel && m_target) {
            m_target->setObjectName(name);
            return m_target;
        }
        if (TDynamic *object = TDynamic::DynCreate(className.toStdString())) {
            if (auto *w = dynamic_cast<QWidget *>(object)) {
                // Created without a parent, every widget is a window; only the form's top
                // level may stay one.
                if (topLevel)
                    w->setParent(parent, parent ? Qt::Dialog : Qt::Window);
                else
                    w->setParent(parent, Qt::Widget);
                w->setObjectName(name);
                return w;
            }
            delete object;
        }
        return QUiLoader::createWidget(className, parent, name);
    }

private:
    QWidget *m_target;
    bool m_topLevelDone = false;
};

QWidget *Build(const QString &window, QWidget *target, QWidget *parent)
{
    const QString path = VxResource::FormPath(window);
    if (path.isEmpty())
        return nullptr;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return nullptr;
    VxUiLoader loader(target);
    QWidget *w = loader.load(&file, parent);
    if (!w)
        return nullptr;
    if (target && w != target) {
        delete w;
        return nullptr;
    }
    w->setObjectName(window);
    TheBundles().unbound[window] = VxLinks::BindForm(w, w, window);
    return w;
}

} // namespace

int VxResource::InstallResourceFile(const QString &path, const VxLinkEntry *table)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return VX_RES_NOT_FOUND;
    const QString canonical = info.canonicalFilePath();
    Bundles &b = TheBundles();
    if (!b.paths.contains(canonical)) {
        const QString root = QStringLiteral("/vxt/%1").arg(b.paths.size());
        if (!QResource::registerResource(canonical, root))
            return VX_RES_INVALID;
        b.paths.append(canonical);
        b.roots.append(QLatin1Char(':') + root);
    }
    VxLinkTable::Install(table);
    return VX_RES_OK;
}

QString VxResource::ErrorText(int error, const QString &path)
{
    switch (error) {
    case VX_RES_OK:
        return QString();
    case VX_RES_NOT_FOUND:
        return QStringLiteral("Resource file <%1> not found!").arg(path);
    default:
        return QStringLiteral("Resource file <%1> is not a valid resource file!").arg(path);
    }
}

bool VxResource::IsInstalled(const QString &path)
{
    return TheBundles().paths.contains(QFileInfo(path).canonicalFilePath());
}

QString VxResource::FormPath(const QString &window)
{
    if (window.isEmpty())
        return QString();
    for (const QString &root : TheBundles().roots) {
        const QString path = root + QStringLiteral("/forms/") + window + QStringLiteral(".ui");
        if (QFile::exists(path))
            return path;
    }
    return QString();
}

QStringList VxResource::Windows()
{
    QStringList out;
    for (const QString &root : TheBundles().roots) {
        const auto files = QDir(root + QStringLiteral("/forms")).entryList({"*.ui"}, QDir::Files);
        for (const QString &f : files)
            out.append(QFileInfo(f).completeBaseName());
    }
    out.sort();
    out.removeDuplicates();
    return out;
}

QWidget *VxResource::LoadWindow(const QString &window, QWidget *parent)
{
    return Build(window, nullptr, parent);
}

bool VxResource::LoadCustomWindow(QWidget *target, const QString &window)
{
    return target && Build(window, target, target->parentWidget()) == target;
}

QList<VxResource::FormLink> VxResource::FormLinks(const QString &window)
{
    QList<FormLink> out;
    QFile file(FormPath(window));
    if (!file.open(QIODevice::ReadOnly))
        return out;
    // The names of the enclosing <widget>/<action> elements, innermost last.
    QStringList owners;
    QString property;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const auto name = xml.name();
            if (name == QLatin1String("widget") || name == QLatin1String("action"))
                owners.append(xml.attributes().value(QLatin1String("name")).toString());
            else if (name == QLatin1String("property"))
                property = xml.attributes().value(QLatin1String("name")).toString();
            else if (name == QLatin1String("string") && property.startsWith("VX_LINK_")) {
                const QString handler = xml.readElementText().trimmed();
                if (!handler.isEmpty())
                    out.append({owners.value(owners.size() - 1), property, handler});
            }
        } else if (xml.isEndElement()) {
            const auto name = xml.name();
            if (name == QLatin1String("widget") || name == QLatin1String("action"))
                owners.removeLast();
            else if (name == QLatin1String("property"))
                property.clear();
        }
    }
    for (FormLink &l : out)
        if (l.object.isEmpty())
            l.object = window;
    return out;
}

QStringList VxResource::LinkGaps(const QStringList &windows)
{
    QStringList gaps;
    for (const QString &window : windows) {
        if (FormPath(window).isEmpty()) {
            gaps << window + QStringLiteral(": no form");
            continue;
        }
        QStringList named;
        for (const FormLink &l : FormLinks(window)) {
            named << l.handler;
            if (!VxLinkTable::Find(window, l.handler))
                gaps << QStringLiteral("%1: %2/%3/%4 has no entry")
                            .arg(window, l.object, l.link, l.handler);
        }
        for (const VxLinkTable::Entry &e : VxLinkTable::Entries(window))
            if (!named.contains(e.handler))
                gaps << QStringLiteral("%1: %2 is named by no control").arg(window, e.handler);
    }
    return gaps;
}

QStringList VxResource::UnboundLinks(const QString &window)
{
    return TheBundles().unbound.value(window);
}

QString VxConfig::FindFile(const QString &fileName)
{
    if (fileName.isEmpty())
        return QString();
    if (QFileInfo(fileName).isAbsolute())
        return QFileInfo(fileName).isFile() ? fileName : QString();
    QStringList dirs;
    if (QCoreApplication::instance()) {
        const QString app = QCoreApplication::applicationDirPath();
        dirs << app << app + QStringLiteral("/../share/ninefold-sudoku");
    }
    dirs << QDir::currentPath();
    for (const QString &dir : dirs) {
        const QFileInfo info(QDir(dir).filePath(fileName));
        if (info.isFile())
            return QDir::cleanPath(info.absoluteFilePath());
    }
    return QString();
}
