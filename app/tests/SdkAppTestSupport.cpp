#include "SdkAppTestSupport.h"

#include "app/SudokuApp.h"
#include "base/TOpSystem.h"
#include "velox/VxCtl.h"
#include "velox/VxModal.h"
#include "velox/VxPalette.h"
#include "velox/VxResource.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
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
        // Bounded: a test that forgets the gate must not hang the whole run.
        gateChanged.wait_for(lock, std::chrono::seconds(30), [] { return gateOpen; });
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
    return QString::fromStdString(
        CurrentOS->ReadRegistryValue(TOpSystem::RootCurrentUser, Key(subKey), name).Str());
}

void FreshStart(const char *language, const QString &installDir)
{
    const QList<QPair<const char *, QStringList>> keys = {
        {nullptr, {"SolveDelayMs", "Language", "InstallDir", "Version"}},
        {"PlayOptions", {"DeepCalc", "ViewRs", "ViewRsSingle", "ViewConflicts", "MarkActiveField"}},
        {"CreateOptions",
         {"FixCount", "Iterations", "MinBt", "MaxBt", "MinDirectSteps", "IsProfiLevel",
          "StdLevel"}}};
    for (const auto &[sub, names] : keys)
        for (const QString &name : names)
            CurrentOS->DeleteRegistryValue(TOpSystem::RootCurrentUser, Key(sub),
                                           name.toStdString());
    const QString games = QString::fromStdString(Sudoku::GetUserGamesPath().Str());
    if (!games.isEmpty())
        QDir(games).removeRecursively();
    if (language)
        SetSetting("Language", QLatin1String(language));
    SetSetting("InstallDir",
               installDir.isEmpty() ? QCoreApplication::applicationDirPath() : installDir);
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

bool MakePreDefs(const QString &installDir, int perLevel)
{
    const QString folder = installDir + QStringLiteral("/PreDefs");
    if (!QDir().mkpath(folder))
        return false;
    for (int level = 1; level <= 3; ++level)
        for (int n = 0; n < perLevel; ++n) {
            std::string text(Riddle); // digits renamed so that each file differs
            for (char &c : text)
                if (c != '0')
                    c = char('1' + (c - '1' + n + level) % 9);
            const QString name = QStringLiteral("%1/riddle%2.%3.spd")
                                     .arg(folder)
                                     .arg(n)
                                     .arg(level, 2, 10, QChar('0'));
            if (!MakeGame(text.c_str())->SaveGame(name.toStdString(), true, true))
                return false;
        }
    return true;
}

WndSudoku *OpenMainWindow(bool firstTick)
{
    if (!InstallBundle())
        return nullptr;
    auto *w = dynamic_cast<WndSudoku *>(VxResource::LoadWindow(QStringLiteral("SUDOKU_MAIN")));
    if (!w)
        return nullptr;
    w->resize(900, 660);
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

bool WaitForThreadEnd(Sudoku &game)
{
    return WaitUntil([&game] { return !game.IsThreadRunning(); });
}

bool TickUntilIdle(WndSudoku &w)
{
    constexpr unsigned short threadBits = TS_SOLVE | TS_SOLUTION | TS_NEXT_STEP | TS_CREATE;
    QDeadlineTimer deadline(60000);
    while (!deadline.hasExpired()) {
        if (w.Game().IsThreadRunning()) {
            QThread::usleep(200);
            continue;
        }
        w.EvTimer();
        if (!w.HasTimerState(threadBits) && !w.Game().IsThreadRunning())
            return true;
    }
    return false;
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
        auto it = answers.find(window.objectName());
        if (it != answers.end() && !it->empty()) {
            const Reply answer = std::move(it->front());
            it->pop_front();
            answer(window);
        } else if (fallback) {
            fallback(window);
        }
    });
}

Script::~Script()
{
    VxModal::SetHook(nullptr);
}

Script &Script::On(const QString &window, Reply answer)
{
    answers[window].push_back(std::move(answer));
    return *this;
}

QStringList Script::SeenWindows() const
{
    QStringList names;
    for (const ModalAnswer &a : seen)
        names.append(a.window);
    return names;
}

int Script::Pending() const
{
    int n = 0;
    for (const auto &queue : answers)
        n += int(queue.size());
    return n;
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

Reply TickThenPress(const char *radio, const char *button)
{
    const QString r = QLatin1String(radio);
    const Reply press = PressButton(button);
    return [r, press](QWidget &window) {
        Check(window.findChild<QAbstractButton *>(r));
        press(window);
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

Reply CreatePredefined(int level)
{
    return [level](QWidget &window) {
        Check(window.findChild<QAbstractButton *>(QStringLiteral("RAD_PREDEF")));
        Check(window.findChild<QAbstractButton *>(QStringLiteral("RAD_LEVEL_%1").arg(level)));
        PressButton("BT_OK")(window);
    };
}

Reply ComputedParameters(int level, int fixCount, int attempts)
{
    return [=](QWidget &window) {
        auto set = [&window](const char *name, int value) {
            if (auto *e = window.findChild<QLineEdit *>(QLatin1String(name))) {
                e->selectAll();
                QTest::keyClicks(e, QString::number(value));
            }
        };
        set("ED_FIX", fixCount);
        set("ED_ATTEMPTS", attempts);
        set("ED_MIN_DIRECT", 0);
        Check(window.findChild<QAbstractButton *>(QStringLiteral("RAD_LEVEL_STANDARD")));
        Check(window.findChild<QAbstractButton *>(QStringLiteral("RAD_LEVEL_%1").arg(level)));
        PressButton("BT_OK")(window);
    };
}

void Press(WndSudoku &w, const char *button)
{
    if (auto *b = qobject_cast<QAbstractButton *>(w.FindChild(QLatin1String(button))))
        QTest::mouseClick(b, Qt::LeftButton);
}

void ClickField(WndSudoku &w, unsigned row, unsigned column, Qt::MouseButton button)
{
    QTest::mouseClick(w.DrawWindow(), button, {}, FieldRect(w, row, column).center());
}

void Key(WndSudoku &w, Qt::Key key)
{
    QTest::keyClick(w.DrawWindow(), key);
}

void Digit(WndSudoku &w, int digit)
{
    QTest::keyClick(w.DrawWindow(), char('0' + digit));
}

bool Enabled(WndSudoku &w, const char *name)
{
    return VxCtl::IsEnabled(w.FindChild(QLatin1String(name)));
}

QString TextOf(WndSudoku &w, const char *name)
{
    return VxCtl::GetText(w.FindChild(QLatin1String(name)));
}

QString Title(WndSudoku &w)
{
    return TextOf(w, "STAT_TITLE");
}

QString Status(WndSudoku &w)
{
    return TextOf(w, "STAT_STATUS");
}

QString Values(const Sudoku &game)
{
    QString text;
    for (unsigned i = 0; i < 81; ++i)
        text += QChar('0' + int(game.GetField(i / 9, i % 9).GetValue()));
    return text;
}

unsigned Active(WndSudoku &w)
{
    return WndSudokuPeer::ActiveRow(w) * 9 + WndSudokuPeer::ActiveColumn(w);
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
            n += (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
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
