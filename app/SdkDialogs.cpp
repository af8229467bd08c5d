#include "app/SdkDialogs.h"

#include "app/SdkPlatform.h"
#include "app/SdkTexts.h"
#include "app/WndSudoku.h"
#include "velox/VxCtl.h"
#include "velox/VxLink.h"

#include <QApplication>
#include <QComboBox>

TDYN_IMPLEMENT_NOCREATE(SdkWndSelectLanguage, "VxWFrame");
TDYN_IMPLEMENT_NOCREATE(SdkWndAbout, "VxWFrame");

namespace {
void LoadForm(VxWFrame *frame, const char *window)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    frame->LoadCustomWindow(QLatin1String(window));
    QApplication::restoreOverrideCursor();
}

void BeginDialog(VxWFrame *frame)
{
    frame->SetDialogResult(2);
    frame->CalcMiddlePos();
}

short Language(short language)
{
    return language == 1 ? 1 : 0;
}

// The number a line of the language list begins with; 0 when it has none.
int LeadingNumber(const QString &line)
{
    const QString text = line.trimmed();
    qsizetype digits = 0;
    while (digits < text.size() && digits < 4 && text.at(digits).isDigit())
        ++digits;
    return text.left(digits).toInt();
}
} // namespace

// --- SdkWndSelectLanguage -------------------------------------------------------------------

SdkWndSelectLanguage::SdkWndSelectLanguage(short lang, QWidget *parent)
    : VxWFrame(parent), given(lang), selected(lang < 0 ? 1 : lang)
{
    LoadForm(this, "SUDOKU_SELECT_LANGUAGE");
}

bool SdkWndSelectLanguage::EvInit()
{
    BeginDialog(this);
    VxLinks::Bind(Child(QStringLiteral("BT_OK")), QLatin1String(VX_LINK_COMMAND), this,
                  VxHandler<&SdkWndSelectLanguage::DoOK>,
                  QStringLiteral("SdkWndSelectLanguage::DoOK"));
    if (auto *combo = qobject_cast<QComboBox *>(FindChild(QStringLiteral("COMBO_LANG")))) {
        for (int i = 0; i < combo->count(); ++i)
            if (LeadingNumber(combo->itemText(i)) == selected + 1) {
                combo->setCurrentIndex(i);
                break;
            }
        combo->setFocus();
    }
    return true;
}

bool SdkWndSelectLanguage::DoOK(VxEvent &)
{
    auto *combo = qobject_cast<QComboBox *>(FindChild(QStringLiteral("COMBO_LANG")));
    const int number = combo ? LeadingNumber(combo->currentText()) : 0;
    // Only the two languages the program has texts for can be chosen.
    if (number != 1 && number != 2)
        return true;
    selected = short(number - 1);
    SetDialogResult(1);
    Close(false);
    return true;
}

// --- SdkWndAbout ----------------------------------------------------------------------------

SdkWndAbout::SdkWndAbout(short lang, const QString &aboutTitle, unsigned versionCode,
                         QWidget *parent)
    : VxWFrame(parent), language(Language(lang)), title(aboutTitle)
{
    const QString hex = QString::asprintf("%04X", versionCode);
    QString major = hex.left(2);
    while (major.startsWith(QLatin1Char('0')))
        major.remove(0, 1);
    version = QStringLiteral("%1.%2").arg(major, hex.right(2));
    LoadForm(this, "SUDOKU_ABOUT");
}

namespace {
const SdkText AboutCaption{"Über   $(TITLE)", "About   $(TITLE)"};
const SdkText AboutDedication{"Allen gewidmet, die das Rätsel aus der Zeitung\n"
                              "noch mit dem Bleistift lösen, und allen,\n"
                              "die jede Version dieses Spiels geduldig gespielt haben,\n"
                              "vom ersten Gitter bis zur letzten Ziffer.",
                              "Dedicated to everyone who still solves\n"
                              "the newspaper riddle with a pencil, and to all\n"
                              "who patiently played every version of this game,\n"
                              "from the first grid to the last digit."};
const SdkText AboutBrought{"Mit Freude am Knobeln gemacht von", "Made with joy in puzzling by"};
const SdkText AboutSignature{"The Ninefold Sudoku developers", "The Ninefold Sudoku developers"};
const SdkText AboutNotice{
    "Freie Software unter der GNU General Public License, Version 3 oder später.",
    "Free software under the GNU General Public License, version 3 or later."};
} // namespace

void SdkWndAbout::Localize()
{
    VxCtl::SetText(this, Tx(AboutCaption, language)
                             .replace(QStringLiteral("$(TITLE)"), QLatin1String(SdkTx::Title)));
    VxCtl::SetText(Child(QStringLiteral("STAT_TITLE")), title + QStringLiteral("\nV. ") + version);
    VxCtl::SetText(Child(QStringLiteral("STAT_INFO")), Tx(AboutDedication, language));
    VxCtl::SetText(Child(QStringLiteral("STAT_BROUGHT")), Tx(AboutBrought, language));
    VxCtl::SetText(Child(QStringLiteral("STAT_NAME")), Tx(AboutSignature, language));
    VxCtl::SetText(Child(QStringLiteral("STAT_IMPRESSUM")), Tx(AboutNotice, language));
    VxCtl::SetText(Child(QStringLiteral("STAT_IMPRESSUM_WEB")),
                   SdkPlatform::MakerWeb(language, installDir));
    VxCtl::SetText(Child(QStringLiteral("BT_CLOSE")), Tx({"&Schließen", "&Close"}, language));
}

bool SdkWndAbout::EvInit()
{
    BeginDialog(this);
    Localize();
    VxCtl::SetFocus(Child(QStringLiteral("BT_CLOSE")));
    return true;
}

bool SdkWndAbout::DoHomepageLButtonUp(VxEventMouse &)
{
    if (!SdkPlatform::OpenUrl(SdkPlatform::MakerWeb(language, installDir)))
        WndSudoku::ShowBrowserError(language, this);
    return true;
}
