// Housekeeping of the games folder, help, version history and the About box.
#include "app/SdkDialogs.h"
#include "app/WndSudoku.h"
#include "msgbox/VxWndMessage.h"

namespace {
const SdkText VersionChanged{
    "Sie haben ein Update durchgeführt. Ihre aktuelle Programm-Version ist jetzt: "
    "<col:lightred>%s<col:blue>\n\nDie Versionshistorie wird nun geöffnet. Darin erhalten Sie "
    "Informationen über Änderungen und Erweiterungen der Software.",
    "You have installed a new version. Your current program version is now: "
    "<col:lightred>%s<col:blue>\n\nThe version-history will now be opened. In that history you "
    "can find further information about changes and extensions concerning your software."};

QString DisplayVersion(const QString &hex)
{
    QString major = hex.left(2);
    while (major.startsWith(QLatin1Char('0')))
        major.remove(0, 1);
    return QStringLiteral("%1.%2").arg(major, hex.right(2));
}
} // namespace

bool WndSudoku::MoveOldStyleGameFiles()
{
    return false;
}

bool WndSudoku::CheckAndCopyExampleFiles()
{
    return false;
}

bool WndSudoku::_CopyFiles(const QString &, const QString &, bool, const QString &)
{
    return false;
}

bool WndSudoku::_HasFile(const QString &name, const std::vector<TOpSystem::DirEntry> &listing)
{
    for (const TOpSystem::DirEntry &e : listing)
        if (!e.isDirectory &&
            QString::fromStdString(e.name.Str()).compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

void WndSudoku::NotifyVersionChanged(const QString &, const QString &newVersion)
{
    const QString text = QStringLiteral("<font:Arial><size:12><col:blue><b>\n") +
                         QString::asprintf(Text(VersionChanged).toUtf8().constData(),
                                           DisplayVersion(newVersion).toUtf8().constData());
    VxWndMessage::StartMsg(static_cast<unsigned short>(GetLanguage()),
                           Text(SdkTx::InformationTitle), text, this, 0, QSize(450, 300), false);
    ViewVersionHistory();
}

void WndSudoku::ViewVersionHistory() {}

bool WndSudoku::DoVersionHistory(VxEvent &)
{
    ViewVersionHistory();
    return true;
}

bool WndSudoku::DoHelp(VxEvent &)
{
    return true;
}

bool WndSudoku::DoHomepage(VxEvent &)
{
    return true;
}

bool WndSudoku::DoAbout(VxEvent &)
{
    SdkWndAbout about(GetLanguage(), QStringLiteral("N I N E F O L D\nS U D O K U"),
                      SdkTx::ProgramVersion, this);
    about.StartModal();
    return true;
}
