#include "SdkAppTestSupport.h"

#include "app/SudokuApp.h"
#include "base/TOpSystem.h"
#include "velox/VxModal.h"
#include "velox/VxPalette.h"
#include "velox/VxResource.h"

#include <QDeadlineTimer>
#include <QMessageBox>
#include <QSettings>
#include <QTextEdit>
#include <QThread>

TDYN_IMPLEMENT(GateSolver, "SdkDefaultSolver");

bool GateSolver::Run()
{
    SdkParam level(GetSudoku(), 2, true);
    GetSudoku().MVC().Call(SDK_START_SOLVING, level);
    // Bounded: a test that forgets the gate must not hang the whole run.
    SdkTest::WaitUntil([] { return gateOpen.load(); }, 30000);
    return SdkDefaultSolver::Run();
}

namespace SdkTest {

const char Riddle[] = "530070000600195000098000060800060003400803001700020006060000280000419005"
                      "000080079";
const char Solution[] = "534678912672195348198342567859761423426853791713924856961537284287419635"
                        "345286179";
const char FewGivens[] = "530070000000000000000000000000000000000000000000000000000000000000000000"
                         "000000000";

namespace {
TString Key(const char *subKey)
{
    return subKey ? TString(SdkRegistryKey) + "\\" + subKey : TString(SdkRegistryKey);
}
} // namespace

bool InstallBundle()
{
    const QString path = VxConfig::FindFile(QStringLiteral("NinefoldSudoku.vxt"));
    return !path.isEmpty() &&
           VxResource::InstallResourceFile(path, SdkLinkTable) == VxResource::VX_RES_OK;
}

void SetSetting(const char *name, const QString &value, const char *subKey)
{
    CurrentOS->WriteRegistryValue(TOpSystem::RootCurrentUser, Key(subKey), name,
                                  value.toStdString());
}

QString GetSetting(const char *name, const char *subKey)
{
    return FromT(CurrentOS->ReadRegistryValue(TOpSystem::RootCurrentUser, Key(subKey), name));
}

void FreshStart(const char *language)
{
    // testenv points the settings at a scratch home: every value of the program goes.
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, "Orbel", "Ninefold Sudoku");
    settings.clear();
    settings.sync();
    const QString games = FromT(Sudoku::GetUserGamesPath());
    if (!games.isEmpty())
        QDir(games).removeRecursively();
    if (language)
        SetSetting("Language", QLatin1String(language));
    SetSetting("InstallDir", QCoreApplication::applicationDirPath());
}

bool WriteFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(content) == content.size();
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

void CloseMainWindow(WndSudoku *w)
{
    if (!w)
        return;
    GateSolver::OpenGate();
    w->Game().StopThread();
    WndSudokuPeer::FixMode(*w) = false;
    w->Close(true);
    delete w;
}

bool WaitUntil(const std::function<bool()> &pred, int limitMs)
{
    QDeadlineTimer deadline(limitMs);
    while (!pred()) {
        if (deadline.hasExpired())
            return false;
        QThread::usleep(200);
    }
    return true;
}

bool TickUntilIdle(WndSudoku &w)
{
    constexpr unsigned short threadBits = TS_SOLVE | TS_SOLUTION | TS_NEXT_STEP | TS_CREATE;
    return WaitUntil(
        [&w] {
            if (w.Game().IsThreadRunning())
                return false;
            w.EvTimer();
            return !w.HasTimerState(threadBits) && !w.Game().IsThreadRunning();
        },
        60000);
}

bool GatedSolve(WndSudoku &w)
{
    GateSolver::CloseGate();
    if (!w.Game().ThreadSolve(-1, false, "GateSolver"))
        return false;
    w.AddTimerState(TS_SOLVE);
    w.ValidateStatesForThread(false, false);
    return WaitUntil([&w] { return WndSudokuPeer::SolveLevel(w) == 2; });
}

Script::Script(Reply fallback)
{
    VxModal::SetHook([this, fallback](QWidget &window) {
        ModalAnswer a{window.objectName(), window.windowTitle(), QString()};
        if (auto *box = qobject_cast<QMessageBox *>(&window))
            a.text = box->text();
        else if (auto *edit = window.findChild<QTextEdit *>())
            a.text = edit->toPlainText();
        seen.append(a);
        std::deque<Reply> &queue = answers[window.objectName()];
        const Reply answer = queue.empty() ? fallback : std::move(queue.front());
        if (!queue.empty())
            queue.pop_front();
        if (answer)
            answer(window);
    });
}

Script::~Script()
{
    VxModal::SetHook(nullptr);
}

QStringList Script::SeenWindows() const
{
    QStringList names;
    for (const ModalAnswer &a : seen)
        names.append(a.window);
    return names;
}

void Check(QWidget *button)
{
    if (button)
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

Reply PressButton(const char *name)
{
    const QString button = QLatin1String(name);
    return [button](QWidget &window) {
        if (auto *b = window.findChild<QAbstractButton *>(button))
            QTest::mouseClick(b, Qt::LeftButton);
    };
}

Reply ChooseFile(const QString &path)
{
    return [path](QWidget &window) {
        if (auto *dialog = qobject_cast<QFileDialog *>(&window)) {
            dialog->setOption(QFileDialog::DontConfirmOverwrite);
            dialog->selectFile(path);
            static_cast<QDialog *>(dialog)->accept();
        }
    };
}

QString Values(const Sudoku &game)
{
    QString text;
    for (unsigned i = 0; i < 81; ++i)
        text += QChar('0' + int(game.GetField(i / 9, i % 9).GetValue()));
    return text;
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
            n += (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
    return n;
}

QRgb PaletteRgb(int index)
{
    const VxPaletteColor c = VxPaletteEntry(index);
    return qRgb(c.r, c.g, c.b) & 0xFFFFFF;
}

void SaveScreenshot(QWidget &w, const QString &name)
{
    const QString dir = QStringLiteral(NINEFOLD_SCREENSHOT_DIR);
    QDir().mkpath(dir);
    w.grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

void WndTest::Open(bool firstTick)
{
    CloseMainWindow(w);
    ASSERT_TRUE(InstallBundle());
    w = dynamic_cast<WndSudoku *>(VxResource::LoadWindow(QStringLiteral("SUDOKU_MAIN")));
    ASSERT_NE(w, nullptr);
    w->SetClock([this] { return now; });
    w->resize(900, 660);
    w->Start();
    w->WindowTimer().Stop(); // tests tick by hand
    w->activateWindow();     // focus changes reach only the active window
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    if (firstTick)
        w->EvTimer();
    w->WindowTimer().Stop();
}

void WndTest::Start(const Sudoku &game)
{
    w->Game() = game;
    w->ValidateStates();
    w->EvTimer();
}

} // namespace SdkTest
