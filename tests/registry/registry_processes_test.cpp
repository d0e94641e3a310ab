// Processes sharing one registry file: changes are seen by the next call, a
// write that returned survives its process being killed, concurrent writers
// all succeed, and a call that cannot get the registry within the lock wait
// fails without changing anything.

#include <memory>

#include "registry/device_registry.h"
#include "registry/registry.h"
#include "tests/registry/helper_process.h"
#include "tests/registry/registry_fixture.h"

namespace brackwell::registry::testing {
namespace {

class RegistryProcesses : public RegistryTest {};

TEST_F(RegistryProcesses, AnotherProcessesWritesAreSeenByTheNextCall) {
    HKEY shared = Create(u"Shared");
    SetString(shared, u"mine", u"1");
    EXPECT_EQ((std::vector<std::u16string>{u"mine"}), ValueNames(shared));

    ASSERT_EQ(0, RunHelper({"set", RegistryPath(), "Shared\\Child", "theirs", "2"}));
    EXPECT_EQ((std::vector<std::u16string>{u"Child"}), SubkeyNames(shared));
    EXPECT_EQ(u"2", GetString(Create(u"Shared\\Child"), u"theirs"));

    // Our own write after theirs lands beside it, not over a stale view.
    SetString(shared, u"again", u"3");
    ASSERT_EQ(0, RunHelper({"set", RegistryPath(), "Shared", "theirs", "4"}));
    EXPECT_EQ((std::vector<std::u16string>{u"mine", u"again", u"theirs"}), ValueNames(shared));

    HKEY child = Create(u"Shared\\Child");
    ASSERT_EQ(0, RunHelper({"delete", RegistryPath(), "Shared\\Child"}));
    EXPECT_EQ(ERROR_KEY_DELETED, RegQueryValueEx(child, u"theirs", nullptr, nullptr, nullptr, nullptr));
    EXPECT_FALSE(Exists(u"Shared\\Child"));
}

TEST_F(RegistryProcesses, AWriteThatReturnedSurvivesKillNine) {
    HelperProcess writer({"set", RegistryPath(), "Durable", "v", "kept"});
    ASSERT_EQ("set", writer.ReadLine());
    writer.Kill();  // its connection is never closed
    EXPECT_EQ(u"kept", GetString(Create(u"Durable"), u"v"));
}

TEST_F(RegistryProcesses, ConcurrentWritersAllSucceed) {
    constexpr int kEach = 40;
    const std::vector<std::string> prefixes{"a", "b", "d", "e", "f", "g"};
    std::vector<std::unique_ptr<HelperProcess>> writers;
    for (const std::string& prefix : prefixes) {
        writers.push_back(std::make_unique<HelperProcess>(std::vector<std::string>{
            "fill", RegistryPath(), "Busy", prefix, std::to_string(kEach)}));
    }
    HKEY busy = Create(u"Busy");
    for (int i = 0; i < kEach; ++i) {
        const std::string name = "c" + std::to_string(i);
        SetString(busy, std::u16string(name.begin(), name.end()), u"x");
    }
    for (auto& writer : writers) {
        writer->CloseInput();
        EXPECT_EQ(0, writer->Wait());
    }
    EXPECT_EQ((prefixes.size() + 1) * kEach, ValueNames(busy).size());
    EXPECT_EQ(u"x", GetString(busy, u"a39"));
    EXPECT_EQ(u"x", GetString(busy, u"g0"));
}

// Another process holds the registry for a moment, as a large import does:
// each kind of call waits its turn instead of failing busy.
enum class Waiter { Write, ReadOfTheirChange, Open };

struct MomentaryHold {
    const char* call;
    Waiter waiter;
};

class HeldForAMoment : public RegistryProcesses,
                       public ::testing::WithParamInterface<MomentaryHold> {};

TEST_P(HeldForAMoment, TheCallWaitsItsTurn) {
    HKEY key = Create(u"Shared");
    ASSERT_EQ(0, RunHelper({"set", RegistryPath(), "Shared", "theirs", "1"}));
    if (GetParam().waiter == Waiter::Open) CloseDeviceRegistry();
    HelperProcess holder({"hold-lock", RegistryPath(), "400"});
    ASSERT_EQ("locked", holder.ReadLine());

    switch (GetParam().waiter) {
        case Waiter::Write:
            SetString(key, u"mine", u"2");
            break;
        case Waiter::ReadOfTheirChange:
            EXPECT_EQ(u"1", GetString(key, u"theirs"));
            break;
        case Waiter::Open: {
            const OpenResult opened = OpenDeviceRegistry(RegistryPath());
            ASSERT_TRUE(opened.ok) << opened.error;
            key = Create(u"Shared");
            break;
        }
    }
    EXPECT_EQ(0, holder.Wait());
    EXPECT_EQ(u"1", GetString(key, u"theirs"));
}

INSTANTIATE_TEST_SUITE_P(
    Registry, HeldForAMoment,
    ::testing::Values(MomentaryHold{"WriteWaitsInsteadOfFailingBusy", Waiter::Write},
                      MomentaryHold{"ReadWaitsOutTheirWrite", Waiter::ReadOfTheirChange},
                      MomentaryHold{"OpenWaitsOutTheirWrite", Waiter::Open}),
    [](const ::testing::TestParamInfo<MomentaryHold>& info) { return info.param.call; });

// A process that holds the registry far longer than any write: either a
// Brackwell process stopped in the middle of one, or a program that locks the
// file through SQLite without knowing the registry lock.
struct LockHolder {
    const char* holder;
    const char* command;
};

class HeldRegistry : public RegistryProcesses, public ::testing::WithParamInterface<LockHolder> {
protected:
    void SetUp() override {
        RegistryProcesses::SetUp();
        SetRegistryLockWait(std::chrono::seconds(1));
    }
    void TearDown() override {
        SetRegistryLockWait(kDefaultRegistryLockWait);
        RegistryProcesses::TearDown();
    }
};

TEST_P(HeldRegistry, PastTheWaitACallFailsBusyAndChangesNothing) {
    HKEY key = Create(u"Locked");
    SetString(key, u"before", u"1");
    ASSERT_EQ(0, RunHelper({"set", RegistryPath(), "Locked", "theirs", "2"}));
    HelperProcess holder({GetParam().command, RegistryPath()});
    ASSERT_EQ("locked", holder.ReadLine());

    HKEY created = nullptr;
    EXPECT_EQ(ERROR_BUSY, RegCreateKeyEx(key, u"Sub", 0, nullptr, 0, 0, nullptr, &created, nullptr));
    EXPECT_EQ(nullptr, created);
    // Reading their write needs the lock too.
    EXPECT_EQ(ERROR_BUSY, RegQueryValueEx(key, u"theirs", nullptr, nullptr, nullptr, nullptr));

    holder.CloseInput();
    EXPECT_EQ(0, holder.Wait());
    EXPECT_EQ((std::vector<std::u16string>{u"before", u"theirs"}), ValueNames(key));
    EXPECT_TRUE(SubkeyNames(key).empty());
    SetString(key, u"after", u"3");
    EXPECT_EQ((std::vector<std::u16string>{u"before", u"theirs", u"after"}), ValueNames(key));
}

INSTANTIATE_TEST_SUITE_P(
    Registry, HeldRegistry,
    ::testing::Values(LockHolder{"BrackwellProcessStoppedMidWrite", "hold-lock"},
                      LockHolder{"ProgramHoldingSQLitesOwnLock", "hold"}),
    [](const ::testing::TestParamInfo<LockHolder>& info) { return info.param.holder; });

}  // namespace
}  // namespace brackwell::registry::testing
