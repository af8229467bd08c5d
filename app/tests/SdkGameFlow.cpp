#include "SdkGameFlow.h"

#include "base/TOpSystem.h"
#include "velox/VxCtl.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTest>
#include <QThread>

namespace SdkFlow {

Script::Script()
    : recorder(std::make_unique<SdkTest::ModalRecorder>([this](QWidget &window) {
          auto it = answers.find(window.objectName());
          if (it == answers.end() || it->empty())
              return;
          const Answer answer = std::move(it->front());
          it->pop_front();
          answer(window);
      }))
{}

Script::~Script() = default;

Script &Script::On(const QString &window, Answer answer)
{
    answers[window].push_back(std::move(answer));
    return *this;
}

QStringList Script::SeenWindows() const
{
    QStringList names;
    for (const SdkTest::ModalAnswer &a : Seen())
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

Answer PressButton(const char *name)
{
    const QString button = QLatin1String(name);
    return [button](QWidget &window) {
        if (auto *b = window.findChild<QAbstractButton *>(button))
            QTest::mouseClick(b, Qt::LeftButton);
    };
}

Answer TickThenPress(const char *radio, const char *button)
{
    const QString r = QLatin1String(radio);
    const Answer press = PressButton(button);
    return [r, press](QWidget &window) {
        Check(window.findChild<QAbstractButton *>(r));
        press(window);
    };
}

Answer ChooseFile(const QString &path)
{
    return [path](QWidget &window) {
        auto *dialog = qobject_cast<QFileDialog *>(&window);
        if (!dialog)
            return;
        dialog->setOption(QFileDialog::DontConfirmOverwrite);
        dialog->selectFile(path);
        static_cast<QDialog *>(dialog)->accept();
    };
}

Answer CreateComputed()
{
    return TickThenPress("RAD_COMPUTED");
}

Answer CreatePredefined(int level)
{
    return [level](QWidget &window) {
        Check(window.findChild<QAbstractButton *>(QStringLiteral("RAD_PREDEF")));
        Check(window.findChild<QAbstractButton *>(QStringLiteral("RAD_LEVEL_%1").arg(level)));
        PressButton("BT_OK")(window);
    };
}

Answer ComputedParameters(int level, int fixCount, int attempts)
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

void FreshStart(const QString &installDir)
{
    SdkTest::FreshStart("English");
    SdkTest::SetSetting("InstallDir", installDir);
    const TString create = TString(SdkRegistryKey) + "\\CreateOptions";
    for (const char *name :
         {"FixCount", "Iterations", "MinBt", "MaxBt", "MinDirectSteps", "IsProfiLevel", "StdLevel"})
        CurrentOS->DeleteRegistryValue(TOpSystem::RootCurrentUser, create, name);
}

void Press(WndSudoku &w, const char *button)
{
    auto *b = qobject_cast<QAbstractButton *>(w.FindChild(QLatin1String(button)));
    if (b)
        QTest::mouseClick(b, Qt::LeftButton);
}

void ClickField(WndSudoku &w, unsigned row, unsigned column, Qt::MouseButton button)
{
    const QRect r = SdkTest::FieldRect(w, row, column);
    QTest::mouseClick(w.DrawWindow(), button, {}, r.center());
}

void Key(WndSudoku &w, Qt::Key key)
{
    QTest::keyClick(w.DrawWindow(), key);
}

void Digit(WndSudoku &w, int digit)
{
    QTest::keyClick(w.DrawWindow(), char('0' + digit));
}

void Tick(WndSudoku &w, int count)
{
    for (int i = 0; i < count; ++i)
        w.EvTimer();
}

bool TickUntilIdle(WndSudoku &w)
{
    constexpr unsigned short threadBits = TS_SOLVE | TS_SOLUTION | TS_NEXT_STEP | TS_CREATE;
    for (int i = 0; i < 600000; ++i) {
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

QString Title(WndSudoku &w)
{
    return SdkTest::TextOf(w, "STAT_TITLE");
}

QString Status(WndSudoku &w)
{
    return SdkTest::TextOf(w, "STAT_STATUS");
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

bool MakePreDefs(const QString &installDir, int perLevel)
{
    const QString folder = installDir + QStringLiteral("/PreDefs");
    if (!QDir().mkpath(folder))
        return false;
    // The classic riddle, its digits renamed so that each file differs.
    for (int level = 1; level <= 3; ++level)
        for (int n = 0; n < perLevel; ++n) {
            std::string text(SdkTest::Riddle);
            for (char &c : text)
                if (c != '0')
                    c = char('1' + (c - '1' + n + level) % 9);
            const QString name = QStringLiteral("%1/riddle%2.%3.spd")
                                     .arg(folder)
                                     .arg(n)
                                     .arg(level, 2, 10, QChar('0'));
            if (!SdkTest::MakeGame(text.c_str())->SaveGame(name.toStdString(), true, true))
                return false;
        }
    return true;
}

} // namespace SdkFlow
