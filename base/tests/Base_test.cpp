#include "base/TArray.h"
#include "base/TDynamic.h"
#include "base/TMvc.h"
#include "base/TOpSystem.h"
#include "base/TThreadOrg.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>

namespace {
int CompareInt(const int &a, const int &b)
{
    return a - b;
}
} // namespace

TEST(TArray, OrderedInsertAndFind)
{
    TArray<int> a(16, CompareInt);
    a.Insert(7);
    a.Insert(2);
    a.Insert(9);
    ASSERT_EQ(a.Count(), 3);
    EXPECT_EQ(a[0], 2);
    EXPECT_EQ(a[2], 9);
    EXPECT_EQ(a.Find(9), 2);
    EXPECT_EQ(a.Find(5), -1);
    EXPECT_EQ(a.At(3), nullptr);
    EXPECT_FALSE(a.Delete(3));
    a.Truncate(1);
    EXPECT_EQ(a.Count(), 1);
    TStack<int> s;
    s.Push(1);
    s.Push(2);
    int top = 0;
    EXPECT_TRUE(s.Pop(&top));
    EXPECT_EQ(top, 2);
}

namespace {
class Animal : public TDynamic
{
    TDYN_DECLARE(Animal)
};
class Dog : public Animal
{
    TDYN_DECLARE(Dog)
};
TDYN_IMPLEMENT(Animal, "TDynamic");
TDYN_IMPLEMENT(Dog, "Animal");
} // namespace

TEST(TDynamic, CreatesByNameAndTestsFamilies)
{
    std::unique_ptr<TDynamic> dog(TDynamic::DynCreate("Dog"));
    ASSERT_NE(dog, nullptr);
    EXPECT_STREQ(dog->GetRTTI()->GetClassName(), "Dog");
    EXPECT_TRUE(dog->IsClassFamily("Animal"));
    EXPECT_TRUE(dog->IsClassFamily("TDynamic"));
    EXPECT_FALSE(TDynamic::IsClassFamily("Animal", "Dog"));
    EXPECT_EQ(TDynamic::DynCreate("Cat"), nullptr);
    EXPECT_EQ(TDynamic::DynCreate("TDynamic"), nullptr);
}

namespace {
struct Counter
{
    int calls = 0;
    bool OnEvent(TMvcParam &)
    {
        ++calls;
        return true;
    }
};
} // namespace

TEST(TMvc, DeliversOnlyRegisteredEventsToRegisteredReceivers)
{
    static TMvcEventTable table("TestTable");
    table.RegisterEventType("PING", "TMvcParam");
    ASSERT_TRUE(TMvc::RegisterEventTable(&table));
    TMvc hub("TestTable");
    Counter a, b;
    EXPECT_TRUE(hub.AddNotification("PING", &a, &Counter::OnEvent));
    EXPECT_FALSE(hub.AddNotification("PING", &a, &Counter::OnEvent));
    EXPECT_FALSE(hub.AddNotification("PONG", &b, &Counter::OnEvent));
    TMvcParam p;
    EXPECT_TRUE(hub.Call("PING", p));
    EXPECT_EQ(a.calls, 1);

    TMvc copy("TestTable");
    copy.CopyNotifications(hub);
    copy.Call("PING", p);
    EXPECT_EQ(a.calls, 2);
    EXPECT_TRUE(hub.RemoveNotification("PING", &a));
    hub.Call("PING", p);
    EXPECT_EQ(a.calls, 2);
    EXPECT_FALSE(hub.RemoveNotification("PING", &a));
    TMvc::UnregisterEventTable(&table);
}

TEST(TThreadOrg, StopWaitsForTheWorkersReset)
{
    TThreadOrg org;
    std::atomic<bool> sawCancel{false};
    org.PrepareStart();
    EXPECT_TRUE(org.IsRunning());
    struct Args
    {
        TThreadOrg *org;
        std::atomic<bool> *saw;
    } args{&org, &sawCancel};
    auto entry = [](void *p) {
        auto *a = static_cast<Args *>(p);
        while (!a->org->IsCancelled())
            CurrentOS->Sleep(1);
        a->saw->store(true);
        a->org->Reset();
    };
    auto h = CurrentOS->CreateThread(entry, &args, 0x10000);
    ASSERT_NE(h, 0u);
    CurrentOS->ReleaseThread(h);
    org.Stop();
    EXPECT_TRUE(sawCancel.load());
    EXPECT_FALSE(org.IsRunning());
    org.Stop(); // not running: returns at once
}

class OpSystemTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dir = std::filesystem::temp_directory_path() /
              ("vxtl-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir / "home");
        setenv("HOME", (dir / "home").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    TString Path(const char *name) const { return TString((dir / name).string()); }
    std::filesystem::path dir;
};

TEST_F(OpSystemTest, FilesAreWrittenWholeAndReadWithinALimit)
{
    TString file = Path("a.txt");
    ASSERT_TRUE(CurrentOS->WriteFile(file, "hello"));
    TString text;
    EXPECT_TRUE(CurrentOS->ReadFile(file, text, 100));
    EXPECT_EQ(text, "hello");
    EXPECT_FALSE(CurrentOS->ReadFile(file, text, 4));
    EXPECT_FALSE(CurrentOS->ReadFile(Path(""), text, 100)); // a folder
    EXPECT_FALSE(CurrentOS->WriteFile(Path(""), "x"));
    EXPECT_EQ(CurrentOS->FileSize(file), 5);
    EXPECT_EQ(CurrentOS->FileSize(Path("missing")), -1);

    EXPECT_TRUE(CurrentOS->CopyFile(file, Path("b.txt"), true));
    EXPECT_FALSE(CurrentOS->CopyFile(file, Path("b.txt"), true));
    std::vector<TOpSystem::DirEntry> names;
    ASSERT_TRUE(CurrentOS->ListDirectory(Path(""), "*.txt", names));
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ(names[0].name, "a.txt");
    EXPECT_TRUE(CurrentOS->DeleteFile(Path("b.txt")));
    EXPECT_FALSE(CurrentOS->ListDirectory(Path("nowhere"), "*", names));
}

TEST_F(OpSystemTest, SettingsValuesLiveUnderTheKeyPath)
{
    const char *key = "Software\\Orbel\\Ninefold Sudoku\\PlayOptions";
    bool exists = true;
    EXPECT_EQ(CurrentOS->ReadRegistryValue(2, key, "Delay", &exists), "");
    EXPECT_FALSE(exists);
    ASSERT_TRUE(CurrentOS->WriteRegistryValue(2, key, "Delay", "250"));
    EXPECT_EQ(CurrentOS->ReadRegistryValue(2, key, "Delay", &exists), "250");
    EXPECT_TRUE(exists);
    EXPECT_EQ(CurrentOS->ListRegistryValues(2, key).size(), 1u);
    EXPECT_FALSE(CurrentOS->WriteRegistryValue(2, "Orbel", "Delay", "1"));
    EXPECT_TRUE(std::filesystem::exists(dir / "config" / "Orbel" / "Ninefold Sudoku.conf"));
}
