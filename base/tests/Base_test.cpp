#include "base/TArray.h"
#include "base/TDynamic.h"
#include "base/TMvc.h"
#include "base/TOpSystem.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

namespace {
int CompareInt(const int &a, const int &b)
{
    return a - b;
}
} // namespace

TEST(TArray, OrderedInsertAndFind)
{
    TArray<int> a(16, CompareInt);
    for (int v : {7, 2, 9})
        a.Insert(v);
    ASSERT_EQ(a.Count(), 3);
    EXPECT_EQ(a[0] * 100 + a[2] * 10 + a.Find(9), 292);
    EXPECT_TRUE(a.Find(5) == -1 && a.At(3) == nullptr && !a.Delete(3));
    a.Truncate(1);
    TStack<int> s;
    s.Push(1), s.Push(2);
    int top = 0;
    EXPECT_TRUE(s.Pop(&top) && top == 2 && a.Count() == 1);
}

// TDynamic is exercised by the engine's solver-by-name tests.

TEST(TMvc, DeliversOnlyRegisteredEventsToRegisteredReceivers)
{
    static TMvcEventTable table("TestTable");
    table.RegisterEventType("PING", "TMvcParam");
    ASSERT_TRUE(TMvc::RegisterEventTable(&table));
    TMvc hub("TestTable"), copy("TestTable");
    int calls = 0, other = 0;
    auto count = [&calls](TMvcParam &) { return ++calls > 0; };
    EXPECT_TRUE(hub.AddNotification("PING", &calls, count));
    EXPECT_FALSE(hub.AddNotification("PING", &calls, count) ||
                 hub.AddNotification("PONG", &other, count));
    TMvcParam p;
    EXPECT_TRUE(hub.Call("PING", p));
    copy.CopyNotifications(hub);
    copy.Call("PING", p);
    EXPECT_TRUE(hub.RemoveNotification("PING", &calls));
    hub.Call("PING", p);
    EXPECT_FALSE(hub.RemoveNotification("PING", &calls));
    EXPECT_EQ(calls, 2);
    TMvc::UnregisterEventTable(&table);
}

// TThreadOrg is exercised by the engine's worker-thread tests.

TEST(TOpSystem, FilesAndSettingsValues)
{
    const auto dir = std::filesystem::temp_directory_path() / ("vxtl-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
    auto path = [&](const char *name) { return TString((dir / name).string()); };
    TString text;
    ASSERT_TRUE(CurrentOS->WriteFile(path("a.txt"), "hello"));
    EXPECT_TRUE(CurrentOS->ReadFile(path("a.txt"), text, 100) && text == "hello");
    EXPECT_FALSE(CurrentOS->ReadFile(path("a.txt"), text, 4) ||
                 CurrentOS->ReadFile(path(""), text, 100) || CurrentOS->WriteFile(path(""), "x"));
    EXPECT_EQ(CurrentOS->FileSize(path("a.txt")) * 10 + CurrentOS->FileSize(path("missing")), 49);
    EXPECT_TRUE(CurrentOS->CopyFile(path("a.txt"), path("b.txt"), true));
    EXPECT_FALSE(CurrentOS->CopyFile(path("a.txt"), path("b.txt"), true));
    std::vector<TOpSystem::DirEntry> names;
    ASSERT_TRUE(CurrentOS->ListDirectory(path(""), "*.txt", names) && names.size() == 2);
    EXPECT_EQ(names[0].name, "a.txt");
    EXPECT_TRUE(CurrentOS->DeleteFile(path("b.txt")));
    EXPECT_FALSE(CurrentOS->ListDirectory(path("nowhere"), "*", names));
    // Settings values live in a file under the key path.
    const char *key = "Software\\Orbel\\Ninefold Sudoku\\PlayOptions";
    bool exists = true;
    EXPECT_EQ(CurrentOS->ReadRegistryValue(2, key, "Delay", &exists), "");
    EXPECT_FALSE(exists);
    ASSERT_TRUE(CurrentOS->WriteRegistryValue(2, key, "Delay", "250"));
    EXPECT_EQ(CurrentOS->ReadRegistryValue(2, key, "Delay", &exists), "250");
    EXPECT_TRUE(exists);
    EXPECT_EQ(CurrentOS->ListRegistryValues(2, key).size(), 1u);
    const auto file = dir / "config" / "Orbel" / "Ninefold Sudoku.conf";
    EXPECT_TRUE(std::filesystem::exists(file));
    // Qt makes objects of typed values however they are spelled: a pixmap ends a process
    // without a GUI, a list allocates what its count says. Such lines are never read, nor lines
    // Qt cannot read (they would stop every write); the rest stays readable and writable, and
    // the original is kept beside the cleaned file.
    const char *typed[] = {R"(Typed=@Variant(\0\0\0\x41\0))",
                           R"x(Typed= "@Variant(\0\0\0\x2\0\0\0\0\x14)")x",
                           R"(Typed=a, \x40Variant(\0\0\0\t\0\xff\xff\xff\xff))",
                           R"(Typed=\100Variant(\0\0\0\x2\0\0\0\0\x14))",
                           R"(Typed=\x0040Rect(1 2 3 4))",
                           "Typed=@Var\\\niant(\\0\\0\\0\\x2\\0\\0\\0\\0\\x14)",
                           "# not a comment",
                           "[unclosed"};
    auto read = [&](const char *name) { return CurrentOS->ReadRegistryValue(2, key, name).Str(); };
    const auto aside = file.string() + ".refused";
    for (const char *value : typed) {
        const std::string text =
            std::string("[PlayOptions]\nDelay=250\nAt=@@x\nMail=a@b\\x1\r\n") + value + "\n";
        std::ofstream(file, std::ios::trunc) << text;
        EXPECT_EQ(read("Typed"), "") << value;
        EXPECT_EQ(read("Delay") + read("At") + read("Mail"), "250@xa@b\x01") << value;
        ASSERT_TRUE(CurrentOS->WriteRegistryValue(2, key, "Delay", "300")) << value;
        EXPECT_EQ(read("Delay") + read("Typed"), "300") << value;
        std::ifstream kept(aside);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), text) << value;
        std::filesystem::remove(aside);
    }
    // A settings file of megabytes is not the program's: neither read nor written.
    std::ofstream(file, std::ios::trunc) << "[PlayOptions]\nDelay=1\n" << std::string(2 << 20, ';');
    EXPECT_EQ(read("Delay"), "");
    EXPECT_FALSE(CurrentOS->WriteRegistryValue(2, key, "Delay", "1"));
    EXPECT_TRUE(CurrentOS->ListRegistryValues(2, key).empty());
    std::filesystem::remove_all(dir);
}
