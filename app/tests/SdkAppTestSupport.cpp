#include "SdkAppTestSupport.h"

#include "app/SudokuApp.h"
#include "base/TOpSystem.h"
#include "velox/VxCtl.h"
#include "velox/VxModal.h"
#include "velox/VxPalette.h"
#include "velox/VxResource.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTextEdit>
#include <QThread>
#include <condition_variable>
#include <mutex>

TDYN_IMPLEMENT(GateSolver, "SdkDefaultSolver");

namespace {
std::mutex gateMutex;
std::condition_variable gateChanged;
bool gateOpen = true;
} // namespace

bool GateSolver::Run()
{
    SdkParam level(GetSudoku(), 2, true);
    GetSudoku().MVC().Call(SDK_START_SOLVING, level);
    {
        std::unique_lock<std::mutex> lock(gateMutex);
        gateChanged.wait(lock, [] { return gateOpen; });
    }
    return SdkDefaultSolver::Run();
}

void GateSolver::CloseGate()
{
    std::lock_guard<std::mutex> lock(gateMutex);
    gateOpen = false;
}

void GateSolver::OpenGate()
{
    {
        std::lock_guard<std::mutex> lock(gateMutex);
        gateOpen = true;
    }
    gateChanged.notify_all();
}

namespace SdkTest {

const char Riddle[] = "530070000600195000098000060800060003400803001700020006060000280000419005"
                      "000080079";
const char Solution[] = "534678912672195348198342567859761423426853791713924856961537284287419635"
                        "345286179";

bool InstallBundle()
{
    const QString path = VxConfig::FindFile(QStringLiteral("NinefoldSudoku.vxt"));
    return !path.isEmpty() &&
           VxResource::InstallResourceFile(path, SdkLinkTable) == VxResource::VX_RES_OK;
}

void SetSetting(const char *name, const QString &value)
{
    CurrentOS->WriteRegistryValue(TOpSystem::RootCurrentUser, SdkRegistryKey, name,
                                  value.toStdString());
}

QString GetSetting(const char *name)
{
    return QString::fromStdString(
        CurrentOS->ReadRegistryValue(TOpSystem::RootCurrentUser, SdkRegistryKey, name).Str());
}

void ClearSettings()
{
    for (const char *name : {"SolveDelayMs", "Language", "InstallDir", "Version"})
        CurrentOS->DeleteRegistryValue(TOpSystem::RootCurrentUser, SdkRegistryKey, name);
    const TString play = TString(SdkRegistryKey) + "\\PlayOptions";
    for (const char *name :
         {"DeepCalc", "ViewRs", "ViewRsSingle", "ViewConflicts", "MarkActiveField"})
        CurrentOS->DeleteRegistryValue(TOpSystem::RootCurrentUser, play, name);
}

void ClearGames()
{
    const QString games = QString::fromStdString(Sudoku::GetUserGamesPath().Str());
    if (!games.isEmpty())
        QDir(games).removeRecursively();
}

void FreshStart(const char *language)
{
    ClearSettings();
    ClearGames();
    if (language)
        SetSetting("Language", QLatin1String(language));
    // The installation folder is the test's build folder: no dialog asks for it.
    SetSetting("InstallDir", QCoreApplication::applicationDirPath());
}

std::unique_ptr<Sudoku> MakeGame(const char *text)
{
    auto game = std::make_unique<Sudoku>();
    for (int i = 0; i < 81; ++i)
        if (text[i] != '0')
            (void)game->Fix(SdkDigit(text[i] - '0'), unsigned(i / 9), unsigned(i % 9));
    (void)game->StartGame(false, false, true);
    return game;
}

std::unique_ptr<Sudoku> SolutionWithout(std::initializer_list<int> empty)
{
    std::string text(Solution);
    for (int i : empty)
        text[size_t(i)] = '0';
    return MakeGame(text.c_str());
}

bool SaveAsCurrent(const Sudoku &game)
{
    return game.SaveCurrentGame();
}

WndSudoku *OpenMainWindow(bool firstTick, QSize size)
{
    if (!InstallBundle())
        return nullptr;
    auto *w = dynamic_cast<WndSudoku *>(VxResource::LoadWindow(QStringLiteral("SUDOKU_MAIN")));
    if (!w)
        return nullptr;
    w->resize(size);
    w->Start();
    w->WindowTimer().Stop();
    QApplication::processEvents();
    if (firstTick) {
        w->EvTimer();
        w->WindowTimer().Stop();
    }
    return w;
}

void CloseMainWindow(WndSudoku *w)
{
    if (!w)
        return;
    w->Game().StopThread();
    WndSudokuPeer::FixMode(*w) = false;
    w->Close(true);
    delete w;
}

void WaitForThreadEnd(Sudoku &game)
{
    while (game.IsThreadRunning())
        QThread::msleep(1);
}

ModalRecorder::ModalRecorder(std::function<void(QWidget &)> answer)
{
    VxModal::SetHook([this, answer](QWidget &window) {
        ModalAnswer a;
        a.window = window.objectName();
        a.title = window.windowTitle();
        if (auto *box = qobject_cast<QMessageBox *>(&window))
            a.text = box->text();
        else if (auto *edit = window.findChild<QTextEdit *>())
            a.text = edit->toPlainText();
        seen.append(a);
        if (answer)
            answer(window);
    });
}

ModalRecorder::~ModalRecorder()
{
    VxModal::SetHook(nullptr);
}

QString TextOf(WndSudoku &w, const char *name)
{
    return VxCtl::GetText(w.FindChild(QLatin1String(name)));
}

QImage GrabBoard(WndSudoku &w)
{
    return w.DrawWindow()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QRect FieldRect(WndSudoku &w, unsigned row, unsigned column, int pct)
{
    VxWDraw *draw = w.DrawWindow();
    const double m = WndSudoku::FieldSize * pct / 100.0;
    const GPoint p1 = draw->LogToDc(GPoint(column * 1000.0 + m, row * 1000.0 + m));
    const GPoint p2 = draw->LogToDc(GPoint(column * 1000.0 + 1000 - m, row * 1000.0 + 1000 - m));
    return QRect(QPoint(int(p1.x), int(p1.y)), QPoint(int(p2.x), int(p2.y)));
}

int CountColour(const QImage &image, const QRect &rect, QRgb colour)
{
    int n = 0;
    const QRect r = rect.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF))
                ++n;
    return n;
}

QRgb PaletteRgb(int index)
{
    const VxPaletteColor c = VxPaletteEntry(index);
    return qRgb(c.r, c.g, c.b);
}

void SaveScreenshot(QWidget &w, const QString &name)
{
    const QString dir = QStringLiteral(NINEFOLD_SCREENSHOT_DIR);
    QDir().mkpath(dir);
    w.grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

} // namespace SdkTest
