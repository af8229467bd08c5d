// Riddles through the clipboard and game files dropped on the window. A pasted riddle starts as
// a loaded one does: the save question first, the definition mode below ten givens.
#include "app/WndSudoku.h"
#include "velox/VxCtl.h"

#include <algorithm>

#include <QAction>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

namespace {
const SdkText RiddleCopied{"Das Rätsel (%1 Fixwerte) wurde in die Zwischenablage kopiert.",
                           "The riddle (%1 fix-values) has been copied to the clipboard."};
const SdkText NoRiddleInClipboard{
    "Kein Rätsel in der Zwischenablage: erwartet werden 81 Zeichen (Ziffern, '.', '0', '-'), 9 "
    "Zeilen zu 9 Zeichen oder ein Spieltext. Nichts wurde geändert.",
    "No riddle in the clipboard: expected are 81 characters (digits, '.', '0', '-'), 9 lines of "
    "9 characters or a game text. Nothing has been changed."};
const SdkText RiddlePasted{"Rätsel aus der Zwischenablage eingefügt und bereit zum Lösen.",
                           "The riddle has been pasted and is now ready for solving."};

bool IsCell(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('.') ||
           c == QLatin1Char('-');
}

bool AllCells(const QString &text)
{
    return std::all_of(text.begin(), text.end(), IsCell);
}

// The 81 cells of a grid written as 9 lines; blanks and '|' are spacing, lines of '-', '+' and
// '=' alone (other than an empty row of nine '-') separate the boxes.
QString GridCells(const QString &text)
{
    QString cells;
    int rows = 0;
    for (QString line : text.split(QLatin1Char('\n'))) {
        line.remove(QLatin1Char('|'));
        line = line.simplified().remove(QLatin1Char(' '));
        if (line.isEmpty())
            continue;
        const bool rule = std::all_of(line.begin(), line.end(), [](QChar c) {
            return c == QLatin1Char('-') || c == QLatin1Char('+') || c == QLatin1Char('=');
        });
        if (rule && (line.size() != 9 || line.contains(QLatin1Char('+'))))
            continue;
        if (line.size() != 9 || !AllCells(line) || ++rows > 9)
            return QString();
        cells += line;
    }
    return rows == 9 ? cells : QString();
}

QString GameTextOfCells(const QString &cells)
{
    QString text;
    for (QChar c : cells) {
        if (c >= QLatin1Char('1') && c <= QLatin1Char('9')) {
            text += QLatin1Char('*');
            text += c;
        } else {
            text += QLatin1Char('-');
        }
    }
    return text;
}

TString ToTString(const QString &text)
{
    return TString(text.toStdString());
}

QString DroppedGameFile(const QMimeData *mime)
{
    if (!mime || !mime->hasUrls() || mime->urls().size() != 1)
        return QString();
    const QUrl url = mime->urls().first();
    const QFileInfo info(url.toLocalFile());
    if (!url.isLocalFile() || !info.isFile() ||
        info.suffix().compare(QLatin1String("sdk"), Qt::CaseInsensitive) != 0)
        return QString();
    return info.absoluteFilePath();
}
} // namespace

QString WndSudoku::RiddleFromText(const QString &text)
{
    const QString trimmed = text.trimmed();
    QString gameText;
    if (trimmed.size() == 81 && AllCells(trimmed))
        gameText = GameTextOfCells(trimmed);
    else if (const QString cells = GridCells(trimmed); !cells.isEmpty())
        gameText = GameTextOfCells(cells);
    else
        gameText = trimmed;
    // The engine has the last word: a given that breaks a rule, or no givens, is no riddle.
    Sudoku probe;
    if (!probe.ReadStream(ToTString(gameText), true) || probe.GetFixCount() == 0)
        return QString();
    return QString::fromStdString(probe.WriteStream(true, false).Str());
}

bool WndSudoku::DoCopyRiddle(VxEvent &)
{
    QString line;
    unsigned fixCount = 0;
    {
        TLocker<Sudoku> lock(*game);
        for (unsigned i = 0; i < 81; ++i) {
            const SdkField field = game->GetField(i / 9, i % 9);
            line += field.IsFix() ? QString::number(unsigned(field.GetValue())) : ".";
        }
        fixCount = game->GetFixCount();
    }
    if (QClipboard *clipboard = QGuiApplication::clipboard())
        clipboard->setText(line);
    Status(Text(RiddleCopied).arg(fixCount), 1, 10);
    return true;
}

bool WndSudoku::DoPasteRiddle(VxEvent &)
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    const QString gameText = RiddleFromText(clipboard ? clipboard->text() : QString());
    if (gameText.isEmpty()) {
        Status(Text(NoRiddleInClipboard), 12, 10);
        return true;
    }
    StartPastedRiddle(gameText);
    return true;
}

void WndSudoku::StartPastedRiddle(const QString &gameText)
{
    {
        TLocker<Sudoku> lock(*game);
        if (game->IsThreadRunning() || fixMode || !CheckChanges())
            return;
    }
    bool definition = false;
    {
        TLocker<Sudoku> lock(*game);
        if (!game->ReadStream(ToTString(gameText), true)) {
            Status(Text(SdkTx::GameNotLoaded), 12, 0);
        } else if (game->GetFixCount() < SdkTx::MinFixNum) {
            EnterFixMode(false);
            definition = true;
            Status(Text(SdkTx::GameLoadedReady), 1, 0);
        } else {
            (void)game->StartGame(false, false, true);
            Status(Text(RiddlePasted), 1, 0);
        }
    }
    ValidateStates();
    RedrawGame(true);
    if (!definition) {
        ViewAsIncompleted();
        VxCtl::SetFocus(DrawWindow());
    }
}

void WndSudoku::dragEnterEvent(QDragEnterEvent *event)
{
    if (!DroppedGameFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void WndSudoku::dropEvent(QDropEvent *event)
{
    const QString file = DroppedGameFile(event->mimeData());
    if (file.isEmpty())
        return;
    event->acceptProposedAction();
    // The drop ends first: the save question and the load dialog then run their own loops.
    QTimer::singleShot(0, this, [this, file] {
        QAction *load = FindAction(QStringLiteral("MN_LOAD_GAME"));
        if (game->IsThreadRunning() || !load || !load->isEnabled() || !CheckChanges())
            return;
        LoadGameFile(file);
    });
}
