// Housekeeping of the games folder, help, version history and the About box.
#include "app/SdkDialogs.h"
#include "app/SdkPlatform.h"
#include "app/WndSudoku.h"
#include "msgbox/VxWndMessage.h"
#include "velox/VxApp.h"

#include <QFile>
#include <QFileInfo>

namespace {
const SdkText VersionChanged{
    "Sie haben ein Update durchgeführt. Ihre aktuelle Programm-Version ist jetzt: "
    "<col:lightred>%s<col:blue>\n\nDie Versionshistorie wird nun geöffnet. Darin erhalten Sie "
    "Informationen über Änderungen und Erweiterungen der Software.",
    "You have installed a new version. Your current program version is now: "
    "<col:lightred>%s<col:blue>\n\nThe version-history will now be opened. In that history you "
    "can find further information about changes and extensions concerning your software."};
const SdkText HistoryNotShown{"Die Version-Historie kann nicht angezeigt werden:\n\n",
                              "The version-history cannot be displayed:\n\n"};
const SdkText PathNotFound{"Der Pfad wurde nicht gefunden.", "The path could not be found."};
const SdkText FileMissing{"Die Datei existiert nicht.", "The file does not exist."};
const SdkText EditorNotStarted{"Der Editor konnte nicht gestarted werden.",
                               "The editor program could not be started."};
const SdkText ErrorTitle{"Fehler", "Error"};
const SdkText HelpNotStarted{
    "<size:4>\n</size><size:11><font:Arial><size:16><col:blue><b>Fehler beim Starten der "
    "Hilfedatei</b></size></font><size:4>\n\n</size><size:11><col:lightred><b>Die Hilfe für "
    "$(TITLE) konnte nicht gestartet werden.<size:4>\n\n</size><size:11><col:lightblue><b>Bitte "
    "prüfen Sie, ob ein Internetbrowser installiert und mit der Dateiendung \".html\" verknüpft "
    "ist.</size></b></col></font>",
    "<size:4>\n</size><size:11><font:Arial><size:16><col:blue><b>Error when trying to start the "
    "help-file</b></size></font><size:4>\n\n</size><size:11><col:lightred><b>The helpfile for "
    "$(TITLE) could not be started.<size:4>\n\n</size><size:11><col:lightblue><b>Please be sure "
    "that an Internet-Browser is installed on your system and linked with the file-extension "
    "\".html\".</size></b></col></font>"};
const char ErrorHead[] = "<font:Arial><size:12><col:lightred><b>\n";

TString T(const QString &text)
{
    return TString(text.toStdString());
}

QString Q(const TString &text)
{
    return QString::fromStdString(text.Str());
}

// The installation or games folder as the housekeeping uses it: "/" separators, no trailing
// "/".
QString CleanFolder(QString folder)
{
    folder.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (folder.size() > 1 && folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    return folder;
}

bool SameContent(const QString &a, const QString &b)
{
    QFile fa(a);
    QFile fb(b);
    if (!fa.open(QIODevice::ReadOnly) || !fb.open(QIODevice::ReadOnly))
        return false;
    return fa.size() == fb.size() && fa.readAll() == fb.readAll();
}
} // namespace

// --- Games folder ---------------------------------------------------------------------------

// Copies (or moves) a folder tree into target without ever overwriting a file there. A file that
// the comparison folder holds as well is a copy of a shipped example and is not carried over.
// A file that stays behind because the target already has one of its name is kept where it is
// unless it is the very same content, so a move can never lose a game.
bool WndSudoku::_CopyFiles(const QString &source, const QString &comparison, bool move,
                           const QString &target)
{
    std::vector<TOpSystem::DirEntry> sourceList;
    std::vector<TOpSystem::DirEntry> comparisonList;
    if (!CurrentOS->ListDirectory(T(source), "*", sourceList))
        return false;
    if (!comparison.isEmpty())
        (void)CurrentOS->ListDirectory(T(comparison), "*", comparisonList);

    bool ok = true;
    for (const TOpSystem::DirEntry &entry : sourceList) {
        const QString name = Q(entry.name);
        if (name == QLatin1String(".") || name == QLatin1String(".."))
            continue;
        const QString from = source + QLatin1Char('/') + name;
        const QString to = target + QLatin1Char('/') + name;
        if (entry.isDirectory) {
            if (!CurrentOS->IsDirectory(T(to)) && !CurrentOS->CreateDirectory(T(to))) {
                ok = false;
                continue;
            }
            const QString subComparison =
                comparison.isEmpty() ? QString() : comparison + QLatin1Char('/') + name;
            if (_CopyFiles(from, subComparison, move, to)) {
                if (move && !CurrentOS->RemoveDirectory(T(from)))
                    ok = false;
            } else {
                ok = false;
            }
            continue;
        }
        if (CurrentOS->ExistsPath(T(to))) {
            if (move) {
                if (!SameContent(from, to))
                    ok = false; // a different game of the same name stays where it is
                else if (!CurrentOS->DeleteFile(T(from)))
                    ok = false;
            }
            continue;
        }
        if (_HasFile(name, comparisonList)) {
            const QString example = comparison + QLatin1Char('/') + name;
            if (!move)
                continue;
            // A copy of the example goes; one the user changed is moved like any other game.
            if (SameContent(from, example)) {
                if (!CurrentOS->DeleteFile(T(from)))
                    ok = false;
                continue;
            }
        }
        if (!CurrentOS->CopyFile(T(from), T(to), true)) {
            ok = false;
            continue;
        }
        if (move && !CurrentOS->DeleteFile(T(from)))
            ok = false;
    }
    return ok;
}

bool WndSudoku::_HasFile(const QString &name, const std::vector<TOpSystem::DirEntry> &listing)
{
    for (const TOpSystem::DirEntry &e : listing)
        if (!e.isDirectory &&
            QString::fromStdString(e.name.Str()).compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

bool WndSudoku::MoveOldStyleGameFiles()
{
    const QString install = CleanFolder(installDir);
    const QString games = CleanFolder(Q(Sudoku::GetUserGamesPath()));
    if (install.isEmpty() || games.isEmpty())
        return false;
    const QString old = install + QStringLiteral("/Games");
    VxWaitCursor wait;
    if (_CopyFiles(old, install + QStringLiteral("/ExampleGames"), true, games))
        (void)CurrentOS->RemoveDirectory(T(old));
    return true;
}

bool WndSudoku::CheckAndCopyExampleFiles()
{
    const QString install = CleanFolder(installDir);
    const QString games = CleanFolder(Q(Sudoku::GetUserGamesPath()));
    if (install.isEmpty() || games.isEmpty())
        return false;
    const QString target = games + QStringLiteral("/ExampleGames");
    if (!CurrentOS->IsDirectory(T(target)) && !CurrentOS->CreateDirectory(T(target)))
        return false;
    const QString source = install + QStringLiteral("/ExampleGames");
    if (!CurrentOS->IsDirectory(T(source)))
        return false;
    VxWaitCursor wait;
    return _CopyFiles(source, QString(), false, target);
}

// --- Version history ------------------------------------------------------------------------

namespace {
QString DisplayVersion(const QString &hex)
{
    QString major = hex.left(2);
    while (major.startsWith(QLatin1Char('0')))
        major.remove(0, 1);
    return QStringLiteral("%1.%2").arg(major, hex.right(2));
}
} // namespace

void WndSudoku::NotifyVersionChanged(const QString &, const QString &newVersion)
{
    const QString text = QStringLiteral("<font:Arial><size:12><col:blue><b>\n") +
                         QString::asprintf(Text(VersionChanged).toUtf8().constData(),
                                           DisplayVersion(newVersion).toUtf8().constData());
    VxWndMessage::StartMsg(static_cast<unsigned short>(GetLanguage()),
                           Text(SdkTx::InformationTitle), text, this, 0, QSize(450, 300), false);
    ViewVersionHistory();
}

void WndSudoku::ViewVersionHistory()
{
    const QString install = CleanFolder(installDir);
    QString error;
    if (install.isEmpty()) {
        error = Text(PathNotFound);
    } else {
        const QString file = install + QStringLiteral("/doku/NinefoldSudoku_Version-History.txt");
        const QFileInfo info(file);
        if (!info.exists() || info.isDir())
            error = Text(FileMissing);
        else if (!SdkPlatform::Start(SdkPlatform::TextViewer(), {file}))
            error = Text(EditorNotStarted);
    }
    if (error.isEmpty())
        return;
    VxWndMessage::StartMsg(
        static_cast<unsigned short>(GetLanguage()), Text(SdkTx::InformationTitle),
        QLatin1String(ErrorHead) + Text(HistoryNotShown) + error, this, 0, QSize(450, 230), false);
}

bool WndSudoku::DoVersionHistory(VxEvent &)
{
    ViewVersionHistory();
    return true;
}

// --- Help and homepage ----------------------------------------------------------------------

QString WndSudoku::HelpCommand(const QString &associated, const QString &helpFile,
                               QString *separateArgument)
{
    QString file = helpFile;
    if (!file.startsWith(QLatin1Char('"')))
        file.prepend(QLatin1Char('"'));
    if (file.size() < 2 || !file.endsWith(QLatin1Char('"')))
        file.append(QLatin1Char('"'));
    QString command = associated.trimmed();
    if (command.isEmpty())
        return QString();
    // The program part goes in quotes, so a program path with blanks stays one word.
    if (!command.startsWith(QLatin1Char('"'))) {
        // The first blank or tab, whichever comes first, ends the program part.
        qsizetype end = command.size();
        for (QChar c : {QLatin1Char(' '), QLatin1Char('\t')})
            if (const qsizetype at = command.indexOf(c); at >= 0 && at < end)
                end = at;
        command = QLatin1Char('"') + command.left(end) + QLatin1Char('"') + command.mid(end);
    }
    if (separateArgument)
        separateArgument->clear();
    if (command.contains(QLatin1String("\"%1\"")))
        command.replace(QLatin1String("\"%1\""), file);
    else if (command.contains(QLatin1String("%1")))
        command.replace(QLatin1String("%1"), file);
    else if (separateArgument)
        *separateArgument = file;
    else
        command += QLatin1Char(' ') + file;
    return command;
}

bool WndSudoku::DoHelp(VxEvent &)
{
    const QString install = CleanFolder(installDir);
    if (install.isEmpty())
        return true;
    TString path = T(install + QStringLiteral("/doku/Doku.NinefoldSudoku.Main") +
                     (GetLanguage() == 1 ? QStringLiteral(".eng") : QStringLiteral(".ger")) +
                     QStringLiteral(".html"));
    path.AlignPath();
    QString argument;
    const QString command =
        HelpCommand(SdkPlatform::AssociatedCommand(QStringLiteral("html")), Q(path), &argument);
    if (command.isEmpty())
        return true;
    const bool started = SdkPlatform::StartCommand(
        argument.isEmpty() ? command : command + QLatin1Char(' ') + argument);
    if (!started) {
        QString text = Text(HelpNotStarted);
        text.replace(QStringLiteral("$(TITLE)"), TitleText());
        VxWndMessage::StartMsg(static_cast<unsigned short>(GetLanguage()), Text(ErrorTitle), text,
                               this, 0, QSize(450, 230), false);
    }
    return true;
}

void WndSudoku::ShowBrowserError(short language, QWidget *parent)
{
    static const SdkText browserFailed{"Der Browser konnte nicht gestartet werden.",
                                       "The browser could not be started."};
    VxWndMessage::StartMsg(
        static_cast<unsigned short>(language == 1 ? 1 : 0), Tx(SdkTx::InformationTitle, language),
        QLatin1String(ErrorHead) + Tx(browserFailed, language), parent, 0, QSize(450, 230), false);
}

bool WndSudoku::DoHomepage(VxEvent &)
{
    if (!SdkPlatform::OpenUrl(SdkPlatform::Homepage(GetLanguage(), CleanFolder(installDir))))
        ShowBrowserError(GetLanguage(), this);
    return true;
}

bool WndSudoku::DoAbout(VxEvent &)
{
    SdkWndAbout about(GetLanguage(), QStringLiteral("N I N E F O L D\nS U D O K U"),
                      SdkTx::ProgramVersion, this);
    about.SetInstallDir(CleanFolder(installDir));
    about.StartModal();
    return true;
}
