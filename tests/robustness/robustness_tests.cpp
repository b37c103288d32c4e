// Kestrum.exe end to end under Wine against clients that misbehave or die:
// whatever they do, Kestrum keeps running and receiving, and every
// well-behaved client's lines arrive exactly and in order.
#include "tests/e2e/kestrum_driver.h"
#include "tests/protoclient/numbered_lines.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace robustness {
namespace {

using e2e::Kestrum;
using fwtest::ChildProcess;

constexpr std::size_t kWidth = 60;
constexpr size_t kBlockText = 4092;  // the shared block's text area

std::vector<std::string> ClientArgs(const std::string& prefix, unsigned long count, std::vector<std::string> more = {}) {
    std::vector<std::string> args = {"--prefix", prefix, "--count", std::to_string(count), "--width",
                                     std::to_string(kWidth)};
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

// Lines from..to of a client as a pane shows them.
std::string PaneLines(const std::string& prefix, unsigned long from, unsigned long to) {
    std::string text;
    for (unsigned long n = from; n <= to; ++n) text += lines::NumberedLine(prefix, n, kWidth) + "\r\n";
    return text;
}

// The debug window whose text starts with `start`, or NULL.
HWND WindowStartingWith(const Kestrum& k, const std::string& start) {
    for (HWND h : k.DebugWindows()) {
        if (Kestrum::PaneText(h).rfind(start, 0) == 0) return h;
    }
    return nullptr;
}

// Waits until the window of the client with this prefix shows at least
// `length` characters; its text then, or "" when it never got there.
std::string WaitForClientText(const Kestrum& k, const std::string& prefix, std::size_t length,
                              unsigned timeoutMs = 20000) {
    std::string text;
    e2e::WaitUntil(
        [&] {
            const HWND h = WindowStartingWith(k, prefix);
            text = h ? Kestrum::PaneText(h) : "";
            return text.size() >= length;
        },
        timeoutMs);
    return text;
}

class Robustness : public testing::Test {
protected:
    void SetUp() override {
        e2e::ResetSettings();
        kestrum = std::make_unique<Kestrum>();
        ASSERT_NE(kestrum->MainWindow(), nullptr);
    }
    void TearDown() override {
        if (kestrum->MainWindow()) {
            EXPECT_TRUE(kestrum->Process().Running()) << "Kestrum.exe ended";
        }
        kestrum.reset();
        e2e::ResetSettings();
    }

    // A well-behaved client that writes `count` lines.
    static std::unique_ptr<ChildProcess> StartClient(const std::string& prefix, unsigned long count,
                                                     std::vector<std::string> more = {}) {
        return std::make_unique<ChildProcess>("protoclient.exe", ClientArgs(prefix, count, std::move(more)));
    }
    // All of its lines must arrive, exactly and in order, in a window of
    // their own, and it must have written each in turn.
    void ExpectServed(ChildProcess& client, const std::string& prefix, unsigned long count) {
        const std::string expected = PaneLines(prefix, 1, count);
        EXPECT_EQ(WaitForClientText(*kestrum, prefix, expected.size()), expected) << prefix;
        EXPECT_EQ(client.Wait(), 0u) << prefix << client.ReadAll();
    }
    void ExpectServed(const std::string& prefix, unsigned long count, std::vector<std::string> more = {}) {
        ExpectServed(*StartClient(prefix, count, std::move(more)), prefix, count);
    }

    std::unique_ptr<Kestrum> kestrum;
};

struct KilledCase {
    const char* name;
    std::vector<std::string> transport;
};

class KilledWhileWriting : public Robustness, public testing::WithParamInterface<KilledCase> {};

TEST_P(KilledWhileWriting, LeavesWholeLinesInOrderAndTheNextClientIsServed) {
    const std::string prefix = "killed ";
    const unsigned long count = 1000000;
    {
        std::vector<std::string> args = GetParam().transport;
        args.push_back("--pid");
        ChildProcess victim("protoclient.exe", ClientArgs(prefix, count, args));
        // Killed in the middle of its stream: a moment after it starts writing.
        ASSERT_EQ(victim.ReadLine(), std::to_string(victim.Pid()));
        ::Sleep(300);
        ASSERT_TRUE(victim.Running());
        ASSERT_TRUE(::TerminateProcess(victim.Handle(), 9));
        ASSERT_EQ(victim.Wait(), 9u);
    }
    ExpectServed("after ", 300);
    ExpectServed("ods after ", 300, {"--ods"});

    // Texts are shown in the order taken: all it wrote before it died is
    // shown by now, a run of whole lines from its first with none missing.
    const HWND hVictim = WindowStartingWith(*kestrum, prefix);
    ASSERT_NE(hVictim, nullptr);
    const std::string shown = Kestrum::PaneText(hVictim);
    const lines::LineCheck check = lines::CheckNumberedLines(shown, prefix, count, kWidth);
    EXPECT_GT(check.received, 0u);
    EXPECT_EQ(shown, PaneLines(prefix, 1, static_cast<unsigned long>(check.received)));
}

INSTANTIATE_TEST_SUITE_P(Clients, KilledWhileWriting,
                         testing::Values(KilledCase{"OutputDebugStringA", {"--ods"}},
                                         KilledCase{"SharedBlock", {}}),
                         [](const testing::TestParamInfo<KilledCase>& info) { return std::string(info.param.name); });

TEST_F(Robustness, AClientKilledWhileItHoldsTheBlockDoesNotStopTheOthers) {
    {
        // It writes its lines, then takes the block for one more text and dies
        // before it signals that text: the worst moment for a kill.
        ChildProcess holder("protoclient.exe", ClientArgs("holder ", 100, {"--hold-turn"}));
        ASSERT_EQ(holder.ReadLine(), "holding");
        const std::string lines = PaneLines("holder ", 1, 100);
        EXPECT_EQ(WaitForClientText(*kestrum, "holder ", lines.size()), lines);
        ASSERT_TRUE(::TerminateProcess(holder.Handle(), 9));
        ASSERT_EQ(holder.Wait(), 9u);
    }
    ExpectServed("after ", 300);
    ExpectServed("ods after ", 300, {"--ods"});
}

TEST_F(Robustness, AHundredShortLivedClientsInABurstEachGetTheirLinesInAWindowOfTheirOwn) {
    const unsigned clients = 100;
    const unsigned long count = 5;
    std::vector<std::unique_ptr<ChildProcess>> burst;
    std::vector<std::string> prefixes;
    for (unsigned i = 0; i < clients; ++i) {
        prefixes.push_back("burst " + std::to_string(i) + " ");
        // Half through OutputDebugStringA, half straight into the block.
        std::vector<std::string> transport;
        if (i % 2 == 0) transport.push_back("--ods");
        burst.push_back(std::make_unique<ChildProcess>("protoclient.exe", ClientArgs(prefixes.back(), count, transport)));
    }
    // Each keeps its process id until its handle closes, at the end of the test.
    for (const auto& client : burst) EXPECT_EQ(client->Wait(), 0u) << client->ReadAll();

    const std::size_t total = clients * count * (kWidth + 2);
    std::vector<std::string> texts;
    e2e::WaitUntil([&] {
        texts.clear();
        std::size_t shown = 0;
        for (HWND h : kestrum->DebugWindows()) shown += texts.emplace_back(Kestrum::PaneText(h)).size();
        return shown >= total;
    });
    ASSERT_EQ(texts.size(), clients);
    for (const std::string& prefix : prefixes) {
        int windows = 0;
        for (const std::string& text : texts) {
            if (text.rfind(prefix, 0) != 0) continue;
            ++windows;
            EXPECT_EQ(text, PaneLines(prefix, 1, count));
        }
        EXPECT_EQ(windows, 1) << prefix;
    }
    ExpectServed("after the burst ", 100);
}

TEST_F(Robustness, ABlockWithoutNulIsTakenWithinTheBlockWhileAnotherClientWrites) {
    const unsigned long blocks = 3;
    const std::unique_ptr<ChildProcess> beside = StartClient("beside ", 2000);
    ChildProcess noNul("protoclient.exe", {"--no-nul", std::to_string(blocks)});
    ExpectServed(*beside, "beside ", 2000);
    EXPECT_EQ(noNul.Wait(), 0u) << noNul.ReadAll();
    // How much of a block without an end is taken is Kestrum's choice; it
    // can only be block text, never bytes from beyond the block.
    const HWND h = WindowStartingWith(*kestrum, "x");
    const std::string taken = h ? Kestrum::PaneText(h) : "";
    EXPECT_LE(taken.size(), blocks * kBlockText);
    EXPECT_EQ(taken.find_first_not_of('x'), std::string::npos);
    ExpectServed("after ", 100);
}

TEST_F(Robustness, AClientWritingOutOfTurnDoesNotStopTheReceiver) {
    ExpectServed("before ", 200);
    {
        // Writes and signals 2000 times without waiting for its turn.
        ChildProcess rogue("protoclient.exe", ClientArgs("rogue ", 2000, {"--out-of-turn", "2000"}));
        ASSERT_EQ(rogue.Wait(), 0u) << rogue.ReadAll();
    }
    ExpectServed("after ", 200);
    ExpectServed("ods after ", 200, {"--ods"});
    // The clients before stay as they were.
    const std::string before = PaneLines("before ", 1, 200);
    EXPECT_EQ(WaitForClientText(*kestrum, "before ", before.size()), before);
}

}  // namespace
}  // namespace robustness
