#include "base/TOpSystem.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibrary>
#include <QProcess>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>

#include <chrono>
#include <thread>

#ifdef _WIN32
#include <process.h>
#include <windows.h>
#else
#include <climits>
#include <pthread.h>
#include <unistd.h>
#endif

static TOpSystem theOpSystem;
TOpSystem *const CurrentOS = &theOpSystem;

namespace {
QString Q(const TString &s)
{
    return QString::fromUtf8(s.c_str(), static_cast<qsizetype>(s.Length()));
}

TString T(const QString &s)
{
    return TString(s.toUtf8().toStdString());
}

QString ProgramPath()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationFilePath();
#ifndef _WIN32
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
#else
    return QString();
#endif
}

// "Software\Orbel\Ninefold Sudoku\PlayOptions" → organisation "Orbel", application
// "Ninefold Sudoku", group "PlayOptions". On Windows this is the registry key itself.
struct SettingsPlace
{
    QString organisation, application, group;
    bool valid = false;
};

SettingsPlace PlaceOf(int root, const TString &key)
{
    SettingsPlace place;
    QStringList parts =
        Q(key).split(QRegularExpression(QStringLiteral("[\\\\/]")), Qt::SkipEmptyParts);
    if (root != TOpSystem::RootCurrentUser || parts.size() < 3 ||
        parts[0].compare(QStringLiteral("Software"), Qt::CaseInsensitive) != 0)
        return place;
    place.organisation = parts[1];
    place.application = parts[2];
    place.group = parts.mid(3).join(QLatin1Char('/'));
    place.valid = true;
    return place;
}
} // namespace

TString TOpSystem::GetWorkingDir() const
{
    return T(QDir::currentPath());
}

TString TOpSystem::GetProgramDir() const
{
    QString path = ProgramPath();
    return path.isEmpty() ? TString() : T(QFileInfo(path).absolutePath());
}

TString TOpSystem::GetProgramName() const
{
    QString path = ProgramPath();
    return path.isEmpty() ? TString() : T(QFileInfo(path).fileName());
}

TString TOpSystem::GetUserFolder(int folderId) const
{
    if (folderId != FolderDocuments)
        return TString();
    QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (docs.isEmpty())
        docs = QDir::homePath();
    return T(QDir::cleanPath(docs));
}

bool TOpSystem::ExistsPath(const TString &path) const
{
    return !path.IsEmpty() && QFileInfo::exists(Q(path));
}

bool TOpSystem::IsDirectory(const TString &path) const
{
    return !path.IsEmpty() && QFileInfo(Q(path)).isDir();
}

bool TOpSystem::ListDirectory(const TString &folder, const TString &pattern,
                              std::vector<DirEntry> &out) const
{
    out.clear();
    QDir dir(Q(folder));
    if (folder.IsEmpty() || !dir.exists() || !dir.isReadable())
        return false;
    QStringList filters;
    if (!pattern.IsEmpty())
        filters << Q(pattern);
    const QFileInfoList infos = dir.entryInfoList(
        filters, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    for (const QFileInfo &info : infos)
        out.push_back({T(info.fileName()), info.isDir()});
    return true;
}

bool TOpSystem::CreateDirectory(const TString &path) const
{
    return !path.IsEmpty() && QDir().mkpath(Q(path));
}

bool TOpSystem::RemoveDirectory(const TString &path) const
{
    return !path.IsEmpty() && QDir().rmdir(Q(path));
}

bool TOpSystem::CopyFile(const TString &from, const TString &to, bool failIfExists) const
{
    if (QFileInfo(Q(from)).isDir() || QFileInfo(Q(to)).isDir())
        return false;
    if (QFileInfo::exists(Q(to))) {
        if (failIfExists || !QFile::remove(Q(to)))
            return false;
    }
    return QFile::copy(Q(from), Q(to));
}

bool TOpSystem::DeleteFile(const TString &path) const
{
    return !QFileInfo(Q(path)).isDir() && QFile::remove(Q(path));
}

int64_t TOpSystem::FileSize(const TString &path) const
{
    QFileInfo info(Q(path));
    return info.exists() && info.isFile() ? info.size() : -1;
}

bool TOpSystem::ReadFile(const TString &path, TString &content, int64_t maxBytes) const
{
    QFileInfo info(Q(path));
    if (!info.isFile() || info.size() > maxBytes)
        return false;
    QFile file(Q(path));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // As much as the file holds and one byte more, never a buffer of the limit's size; a file
    // that grew since the size check is read on, one byte past the limit at most.
    QByteArray data = file.read(info.size() + 1);
    if (data.size() > info.size() && !file.atEnd())
        data += file.read(maxBytes + 1 - data.size());
    if (data.size() > maxBytes || file.error() != QFileDevice::NoError)
        return false;
    content = TString(data.constData(), static_cast<size_t>(data.size()));
    return true;
}

bool TOpSystem::WriteFile(const TString &path, const TString &content) const
{
    // Only a regular file is replaced: a folder, a device or a pipe is never written to.
    const QFileInfo info(Q(path));
    if (path.IsEmpty() || (info.exists() && !info.isFile()))
        return false;
    QSaveFile file(Q(path));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(content.c_str(), static_cast<qint64>(content.Length())) !=
        static_cast<qint64>(content.Length())) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

namespace {
// Qt turns an "@Variant(...)" value into an object of the type it names, and a pixmap, icon or
// cursor ends the process when no GUI application runs (the command-line tool has none). The
// program writes plain texts only, so without a GUI a file holding such values is not read.
bool HoldsObjectsNeedingGui(const QString &path)
{
    const QCoreApplication *app = QCoreApplication::instance();
    if (app && app->inherits("QGuiApplication"))
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return file.readAll().contains("@Variant(");
}
} // namespace

TString TOpSystem::ReadRegistryValue(int root, const TString &key, const TString &name,
                                     bool *exists) const
{
    if (exists)
        *exists = false;
    SettingsPlace place = PlaceOf(root, key);
    if (!place.valid || name.IsEmpty())
        return TString();
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, place.organisation,
                       place.application);
    if (HoldsObjectsNeedingGui(settings.fileName()))
        return TString();
    if (!place.group.isEmpty())
        settings.beginGroup(place.group);
    QVariant value = settings.value(Q(name));
    if (!value.isValid())
        return TString();
    if (exists)
        *exists = true;
    return T(value.toString());
}

bool TOpSystem::WriteRegistryValue(int root, const TString &key, const TString &name,
                                   const TString &value) const
{
    SettingsPlace place = PlaceOf(root, key);
    if (!place.valid || name.IsEmpty())
        return false;
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, place.organisation,
                       place.application);
    // Writing merges what the file holds: read as well.
    if (HoldsObjectsNeedingGui(settings.fileName()))
        return false;
    if (!place.group.isEmpty())
        settings.beginGroup(place.group);
    settings.setValue(Q(name), Q(value));
    settings.sync();
    return settings.status() == QSettings::NoError;
}

bool TOpSystem::DeleteRegistryValue(int root, const TString &key, const TString &name) const
{
    SettingsPlace place = PlaceOf(root, key);
    if (!place.valid || name.IsEmpty())
        return false;
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, place.organisation,
                       place.application);
    if (HoldsObjectsNeedingGui(settings.fileName()))
        return false;
    if (!place.group.isEmpty())
        settings.beginGroup(place.group);
    if (!settings.contains(Q(name)))
        return false;
    settings.remove(Q(name));
    settings.sync();
    return settings.status() == QSettings::NoError;
}

std::vector<TString> TOpSystem::ListRegistryValues(int root, const TString &key) const
{
    std::vector<TString> names;
    SettingsPlace place = PlaceOf(root, key);
    if (!place.valid)
        return names;
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, place.organisation,
                       place.application);
    if (HoldsObjectsNeedingGui(settings.fileName()))
        return names;
    if (!place.group.isEmpty())
        settings.beginGroup(place.group);
    for (const QString &k : settings.childKeys())
        names.push_back(T(k));
    return names;
}

namespace {
struct ThreadStart
{
    TOpSystem::ThreadEntry entry;
    void *arg;
};

#ifdef _WIN32
unsigned __stdcall Trampoline(void *p)
#else
void *Trampoline(void *p)
#endif
{
    ThreadStart start = *static_cast<ThreadStart *>(p);
    delete static_cast<ThreadStart *>(p);
    start.entry(start.arg);
    return 0;
}
} // namespace

TOpSystem::ThreadHandle TOpSystem::CreateThread(ThreadEntry entry, void *arg,
                                                size_t stackSize) const
{
    if (!entry)
        return 0;
    auto *start = new ThreadStart{entry, arg};
#ifdef _WIN32
    uintptr_t h =
        _beginthreadex(nullptr, static_cast<unsigned>(stackSize), Trampoline, start, 0, nullptr);
    if (!h)
        delete start;
    return h;
#else
    pthread_attr_t attr;
    pthread_attr_init(&attr);
    if (stackSize > 0) {
        size_t size = stackSize < size_t(PTHREAD_STACK_MIN) ? size_t(PTHREAD_STACK_MIN) : stackSize;
        pthread_attr_setstacksize(&attr, size);
    }
    pthread_t thread;
    int rc = pthread_create(&thread, &attr, Trampoline, start);
    pthread_attr_destroy(&attr);
    if (rc != 0) {
        delete start;
        return 0;
    }
    return static_cast<ThreadHandle>(thread);
#endif
}

void TOpSystem::ReleaseThread(ThreadHandle handle) const
{
    if (!handle)
        return;
#ifdef _WIN32
    CloseHandle(reinterpret_cast<HANDLE>(handle));
#else
    pthread_detach(static_cast<pthread_t>(handle));
#endif
}

void TOpSystem::Sleep(unsigned ms) const
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void *TOpSystem::LoadLibrary(const TString &name) const
{
    if (name.IsEmpty())
        return nullptr;
    auto *library = new QLibrary(Q(name));
    if (!library->load()) {
        delete library;
        return nullptr;
    }
    return library;
}

void TOpSystem::FreeLibrary(void *library) const
{
    // Unloading would destroy class registrations that objects may still use; the
    // handle is dropped and the code stays mapped until the process ends.
    delete static_cast<QLibrary *>(library);
}

bool TOpSystem::StartProgram(const TString &program, const std::vector<TString> &arguments) const
{
    if (program.IsEmpty())
        return false;
    QStringList args;
    for (const TString &a : arguments)
        args << Q(a);
    return QProcess::startDetached(Q(program), args);
}
