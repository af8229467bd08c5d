// Test main for widget tests: offscreen platform, and a scratch home so that nothing a test
// does reaches the real user's settings or documents.
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
QtMessageHandler standardHandler = nullptr;

// The offscreen platform tells about every window-manager feature it lacks; that is noise here.
void QuietMessages(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (!text.startsWith(QLatin1String("This plugin does not support")))
        standardHandler(type, context, text); // Qt hands out its default handler, never null
}
} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir scratch;
    if (!scratch.isValid())
        return 2;
    for (const char *var : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"}) {
        const QString dir = scratch.filePath(QString::fromLatin1(var));
        QDir().mkpath(dir);
        qputenv(var, dir.toLocal8Bit());
    }
    standardHandler = qInstallMessageHandler(QuietMessages);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
