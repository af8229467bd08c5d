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
#include <memory>
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
// Qt makes an object of any type from a value that reads "@Variant(...)" once unescaped, however
// it is spelled (quoted, "\x40", octal, a list element, a continued line), and some types
// allocate what the bytes ask for or end a process without a GUI. The program writes plain texts
// only, so a line that might hold such a value is dropped before Qt reads the file.
bool MayHoldTypedValue(const QByteArray &line)
{
    qsizetype slashes = 0; // a line ending in an unescaped backslash goes on in the next
    for (qsizetype i = line.size() - 1; i >= 0 && line[i] == '\\'; --i)
        ++slashes;
    if (slashes % 2)
        return true;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '@') {
            // Only a value or list element starting with "@" (not "@@") is typed.
            qsizetype j = i - 1;
            while (j >= 0 && (line[j] == ' ' || line[j] == '\t' || line[j] == '"'))
                --j;
            if ((j < 0 || line[j] == '=' || line[j] == ',') &&
                (i + 1 >= line.size() || line[i + 1] != '@'))
                return true;
            while (i + 1 < line.size() && line[i + 1] == '@')
                ++i;
        } else if (c == '\\' && i + 1 < line.size()) {
            // A numeric escape that makes an "@" anywhere; the program never writes one.
            const char kind = line[i + 1];
            const bool hex = kind == 'x' || kind == 'X';
            if (!hex && (kind < '0' || kind > '7')) {
                ++i;
                continue;
            }
            // However many digits Qt takes, any leading run of them must not make an "@".
            unsigned value = 0;
            qsizetype j = hex ? i + 2 : i + 1;
            for (; j < line.size(); ++j) {
                const char d = line[j];
                int digit = -1;
                if (d >= '0' && d <= (hex ? '9' : '7'))
                    digit = d - '0';
                else if (hex && d >= 'a' && d <= 'f')
                    digit = d - 'a' + 10;
                else if (hex && d >= 'A' && d <= 'F')
                    digit = d - 'A' + 10;
                if (digit < 0)
                    break;
                value = (value * (hex ? 16 : 8) + unsigned(digit)) & 0xffff;
                if (value == '@')
                    return true;
            }
            i = j - 1;
        }
    }
    return false;
}

// Qt keeps a file it cannot read wholly as it is, so a single such line would stop every later
// write; those lines are dropped as well.
bool IsDropped(const QByteArray &line)
{
    const QByteArray trimmed = line.trimmed();
    if (trimmed.isEmpty() || trimmed.startsWith(';'))
        return false;
    if (trimmed.startsWith('[') ? !trimmed.contains(']') : !trimmed.contains('='))
        return true;
    return MayHoldTypedValue(line);
}

// The settings file under the key path; the registry on Windows has none.
QString SettingsFile(const SettingsPlace &place)
{
#ifdef _WIN32
    Q_UNUSED(place);
    return QString();
#else
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u'/' +
           place.organisation + u'/' + place.application + QStringLiteral(".conf");
#endif
}

// A settings file is a few hundred bytes; a huge one is not read into memory at all.
constexpr qint64 MaxSettingsBytes = 1 << 20;

// The settings of `place` for Qt to read, or none when they cannot be read safely. A file holding
// lines that might be typed values or that Qt cannot read is cleaned first, the original kept
// beside it as "<name>.refused".
std::unique_ptr<QSettings> OpenSettings(const SettingsPlace &place)
{
    const QString path = SettingsFile(place);
    if (path.isEmpty())
        return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                           place.organisation, place.application);
    const QFileInfo info(path);
    if (info.exists() && (!info.isFile() || info.size() > MaxSettingsBytes))
        return nullptr;
    QFile file(path);
    if (info.exists() && !file.open(QIODevice::ReadOnly))
        return nullptr;
    const QByteArray text = file.isOpen() ? file.read(MaxSettingsBytes + 1) : QByteArray();
    if (text.size() > MaxSettingsBytes)
        return nullptr;
    QByteArray clean;
    bool dropped = false;
    for (const QByteArray &line : text.split('\n')) {
        // Qt ends a line at a carriage return as well.
        for (const QByteArray &part : line.split('\r')) {
            if (IsDropped(part))
                dropped = true;
            else
                clean += part + '\n';
        }
    }
    if (dropped) {
        const QString aside = path + QStringLiteral(".refused");
        QFile::remove(aside);
        QSaveFile out(path);
        if (!file.copy(aside) || !out.open(QIODevice::WriteOnly) ||
            out.write(clean) != clean.size() || !out.commit())
            return nullptr;
    }
    return std::make_unique<QSettings>(path, QSettings::IniFormat);
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
    const std::unique_ptr<QSettings> settings = OpenSettings(place);
    if (!settings)
        return TString();
    if (!place.group.isEmpty())
        settings->beginGroup(place.group);
    QVariant value = settings->value(Q(name));
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
    // Writing merges what the file holds: it is read as well.
    const std::unique_ptr<QSettings> settings = OpenSettings(place);
    if (!settings)
        return false;
    if (!place.group.isEmpty())
        settings->beginGroup(place.group);
    settings->setValue(Q(name), Q(value));
    settings->sync();
    return settings->status() == QSettings::NoError;
}

bool TOpSystem::DeleteRegistryValue(int root, const TString &key, const TString &name) const
{
    SettingsPlace place = PlaceOf(root, key);
    if (!place.valid || name.IsEmpty())
        return false;
    const std::unique_ptr<QSettings> settings = OpenSettings(place);
    if (!settings)
        return false;
    if (!place.group.isEmpty())
        settings->beginGroup(place.group);
    if (!settings->contains(Q(name)))
        return false;
    settings->remove(Q(name));
    settings->sync();
    return settings->status() == QSettings::NoError;
}

std::vector<TString> TOpSystem::ListRegistryValues(int root, const TString &key) const
{
    std::vector<TString> names;
    SettingsPlace place = PlaceOf(root, key);
    if (!place.valid)
        return names;
    const std::unique_ptr<QSettings> settings = OpenSettings(place);
    if (!settings)
        return names;
    if (!place.group.isEmpty())
        settings->beginGroup(place.group);
    for (const QString &k : settings->childKeys())
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
