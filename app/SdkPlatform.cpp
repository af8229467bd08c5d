#include "app/SdkPlatform.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#ifndef NINEFOLD_HOMEPAGE_GER
#define NINEFOLD_HOMEPAGE_GER ""
#endif
#ifndef NINEFOLD_HOMEPAGE_ENG
#define NINEFOLD_HOMEPAGE_ENG ""
#endif
#ifndef NINEFOLD_MAKER_WEB
#define NINEFOLD_MAKER_WEB ""
#endif

namespace SdkPlatform {

namespace {
// A headless session has no desktop to show a browser or viewer on; the offscreen platform is
// also what the tests run on, so they can never launch anything by accident.
bool Headless()
{
    return QGuiApplication::platformName() == QLatin1String("offscreen");
}

bool RealStart(const QString &program, const QStringList &arguments)
{
    if (Headless())
        return false;
    return QProcess::startDetached(program, arguments);
}

bool RealOpenUrl(const QString &address)
{
    if (Headless())
        return false;
    return QDesktopServices::openUrl(QUrl(address));
}

Starter &CurrentStarter()
{
    static Starter starter = RealStart;
    return starter;
}

UrlOpener &CurrentOpener()
{
    static UrlOpener opener = RealOpenUrl;
    return opener;
}

std::optional<QString> &GivenCommand()
{
    static std::optional<QString> command;
    return command;
}

std::optional<QStringList> &GivenCandidates()
{
    static std::optional<QStringList> candidates;
    return candidates;
}

// Writes content unless the file holds it already; true when the file holds it afterwards.
// changed tells whether anything was written.
bool WriteIfDifferent(const QString &path, const QByteArray &content, bool &changed)
{
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        if (file.readAll() == content)
            return true;
        file.close();
    }
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    changed = true;
    return file.write(content) == content.size();
}

// A desktop entry's Exec argument in double quotes, with the characters the format reserves
// escaped.
QString DesktopQuoted(QString text)
{
    for (const char *c : {"\\", "\"", "`", "$"})
        text.replace(QLatin1String(c), QLatin1Char('\\') + QLatin1String(c));
    return QLatin1Char('"') + text + QLatin1Char('"');
}
} // namespace

Starter SetStarter(Starter starter)
{
    Starter previous = CurrentStarter();
    CurrentStarter() = starter ? std::move(starter) : Starter(RealStart);
    return previous;
}

UrlOpener SetUrlOpener(UrlOpener opener)
{
    UrlOpener previous = CurrentOpener();
    CurrentOpener() = opener ? std::move(opener) : UrlOpener(RealOpenUrl);
    return previous;
}

bool Start(const QString &program, const QStringList &arguments)
{
    if (program.isEmpty())
        return false;
    return CurrentStarter()(program, arguments);
}

bool StartCommand(const QString &command)
{
    QStringList parts = QProcess::splitCommand(command);
    if (parts.isEmpty())
        return false;
    const QString program = parts.takeFirst();
    return Start(program, parts);
}

bool OpenUrl(const QString &address)
{
    if (address.isEmpty())
        return false;
    return CurrentOpener()(address);
}

QString AssociatedCommand(const QString &extension)
{
    if (GivenCommand())
        return *GivenCommand();
    if (extension.isEmpty())
        return QString();
#if defined(Q_OS_MACOS)
    return QStringLiteral("open \"%1\"");
#elif defined(Q_OS_UNIX)
    return QStringLiteral("xdg-open \"%1\"");
#else
    return QString();
#endif
}

void SetAssociatedCommand(std::optional<QString> command)
{
    GivenCommand() = std::move(command);
}

QString TextViewer()
{
#if defined(Q_OS_WIN)
    return QStringLiteral("notepad.exe");
#elif defined(Q_OS_MACOS)
    return QStringLiteral("open");
#else
    return QStringLiteral("xdg-open");
#endif
}

QStringList InstallDirCandidates()
{
    if (GivenCandidates())
        return *GivenCandidates();
    const QString app = QCoreApplication::applicationDirPath();
    if (app.isEmpty())
        return {};
    return {QDir::cleanPath(app),
            QDir::cleanPath(app + QStringLiteral("/../share/ninefold-sudoku"))};
}

void SetInstallDirCandidates(std::optional<QStringList> candidates)
{
    GivenCandidates() = std::move(candidates);
}

bool HoldsInstallation(const QString &folder)
{
    if (folder.isEmpty())
        return false;
    const QDir dir(folder);
    for (const char *sub : {"PreDefs", "ExampleGames", "doku"})
        if (!QFileInfo(dir.filePath(QLatin1String(sub))).isDir())
            return false;
    return true;
}

QString FindInstallDir()
{
    for (const QString &candidate : InstallDirCandidates())
        if (HoldsInstallation(candidate))
            return candidate;
    return QString();
}

bool RegisterFileType(const QString &program, const QString &typeName, const QString &extension)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    if (program.isEmpty() || typeName.isEmpty() || extension.isEmpty())
        return false;
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (dataHome.isEmpty())
        return false;
    const QString glob =
        QLatin1Char('*') +
        (extension.startsWith(QLatin1Char('.')) ? extension : QLatin1Char('.') + extension);
    const QString mime =
        QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                       "<mime-info "
                       "xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
                       "  <mime-type type=\"%1\">\n"
                       "    <comment>Ninefold Sudoku game</comment>\n"
                       "    <comment xml:lang=\"de\">Ninefold-Sudoku-Spiel</comment>\n"
                       "    <glob pattern=\"%2\"/>\n"
                       "  </mime-type>\n"
                       "</mime-info>\n")
            .arg(QLatin1String(GameMimeType), glob.toHtmlEscaped());
    // An entry of its own that only opens files, so the menu entry of an installed copy is
    // not shadowed by whichever copy ran last.
    const QString entry = QStringLiteral("[Desktop Entry]\n"
                                         "Type=Application\n"
                                         "Name=Ninefold Sudoku\n"
                                         "Comment=Open a Ninefold Sudoku game\n"
                                         "Exec=%1 %f\n"
                                         "Icon=ninefold-sudoku\n"
                                         "MimeType=%2;\n"
                                         "NoDisplay=true\n"
                                         "Terminal=false\n")
                              .arg(DesktopQuoted(program), QLatin1String(GameMimeType));
    bool mimeChanged = false;
    bool entryChanged = false;
    const QString mimeDir = dataHome + QStringLiteral("/mime");
    const QString appsDir = dataHome + QStringLiteral("/applications");
    const bool ok =
        WriteIfDifferent(mimeDir + QStringLiteral("/packages/ninefold-sudoku.xml"), mime.toUtf8(),
                         mimeChanged) &&
        WriteIfDifferent(appsDir + QLatin1Char('/') + typeName + QStringLiteral(".desktop"),
                         entry.toUtf8(), entryChanged);
    // The desktop's caches learn of it only when rebuilt; without the tools the files still
    // take effect at the next rebuild.
    if (mimeChanged)
        Start(QStringLiteral("update-mime-database"), {mimeDir});
    if (entryChanged)
        Start(QStringLiteral("update-desktop-database"), {appsDir});
    return ok;
#else
    (void)program;
    (void)typeName;
    (void)extension;
    return false;
#endif
}

namespace {
QString AddressOrManual(const char *configured, int language, const QString &installDir)
{
    const QString address = QString::fromUtf8(configured);
    if (!address.isEmpty())
        return address;
    return QUrl::fromLocalFile(QDir::cleanPath(installDir) +
                               QStringLiteral("/doku/Doku.NinefoldSudoku.Main") +
                               (language == 1 ? QStringLiteral(".eng") : QStringLiteral(".ger")) +
                               QStringLiteral(".html"))
        .toString();
}
} // namespace

QString Homepage(int language, const QString &installDir)
{
    return AddressOrManual(language == 1 ? NINEFOLD_HOMEPAGE_ENG : NINEFOLD_HOMEPAGE_GER, language,
                           installDir);
}

QString MakerWeb(int language, const QString &installDir)
{
    return AddressOrManual(NINEFOLD_MAKER_WEB, language, installDir);
}

} // namespace SdkPlatform
