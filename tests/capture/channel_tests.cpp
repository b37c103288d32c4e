// The capture channel driven through the shared block directly and through
// its platform seam: the captured text, the open and close from every state,
// and the receiver's handling of failed posts and allocations.
#include "tests/capture/channel_fixture.h"
#include "tests/support/test_app.h"

#include <string>
#include <vector>

namespace capturetest {
namespace {

using Step = TestPlatform::Step;

// A text as a client writes it into the block: with its NUL.
std::string WithNul(const std::string& text) { return text + '\0'; }

std::string Repeat(const std::string& s, std::size_t n) {
    std::string out;
    for (std::size_t i = 0; i < n; ++i) out += s;
    return out;
}

TEST_F(ChannelTest, CapturedTextsGetACrBeforeEachLoneLfInABlockOfExactSize) {
    struct Case {
        const char* name;
        std::string block;  // the bytes at offset 4
        std::string captured;
    };
    const Case cases[] = {
        {"no LF", WithNul("plain text"), "plain text"},
        {"empty", WithNul(""), ""},
        {"LF", WithNul("a\nb"), "a\r\nb"},
        {"LF first and last", WithNul("\nab\n"), "\r\nab\r\n"},
        {"CR LF", WithNul("a\r\nb"), "a\r\nb"},
        {"LF LF", WithNul("\n\n"), "\r\n\r\n"},
        {"CR LF LF", WithNul("\r\n\n"), "\r\n\r\n"},
        {"lone CR", WithNul("a\rb"), "a\rb"},
        {"CR CR LF", WithNul("\r\r\n"), "\r\r\n"},
        {"8-bit bytes", WithNul("caf\xe9 \x80\xff\t"), "caf\xe9 \x80\xff\t"},
        {"bytes after the NUL", std::string("short\0rest\n", 11), "short"},
        {"4091 LFs", WithNul(std::string(4091, '\n')), Repeat("\r\n", 4091)},
        {"4091 characters, NUL last in the block", WithNul(std::string(4091, 'x')), std::string(4091, 'x')},
        {"no NUL in the block", std::string(4092, 'y'), std::string(4092, 'y')},
        {"no NUL, LF last", std::string(4091, 'z') + '\n', std::string(4091, 'z') + "\r\n"},
    };
    ASSERT_TRUE(channel.OpenCaptureChannel());
    channel.StartCaptureThread(window);
    ProtocolClient client;
    ASSERT_TRUE(client.IsOpen());
    DWORD pid = 5000;
    for (const Case& c : cases) {
        ASSERT_TRUE(client.TakeBlock(10000)) << c.name;
        client.Send(++pid, c.block);
        ASSERT_TRUE(PumpUntilReceived(pid - 5000)) << c.name;
        const Received& got = window.texts.back();
        EXPECT_EQ(got.pid, pid) << c.name;
        EXPECT_EQ(got.text, c.captured) << c.name;
        EXPECT_EQ(got.heapSize, c.captured.size() + 1) << c.name;
    }
}

TEST(CaptureOpenClose, EachFailingStepLeavesWhatWasAcquiredAndTheCloseReleasesExactlyThat) {
    const std::vector<Step> all = {Step::BufferReadyEvent, Step::DataReadyEvent, Step::Mapping, Step::View,
                                   Step::StopEvent, Step::Thread};
    struct Case {
        const char* row;
        Step failing;
        BOOL opened;
        std::size_t stepsMade;  // the calls made, from the first
    };
    const Case cases[] = {
        {"buffer-ready event fails", Step::BufferReadyEvent, FALSE, 1},
        {"data-ready event fails", Step::DataReadyEvent, FALSE, 2},
        {"mapping fails", Step::Mapping, FALSE, 3},
        {"view fails", Step::View, FALSE, 4},
        {"stop event fails", Step::StopEvent, FALSE, 5},
        {"thread fails", Step::Thread, TRUE, 6},
        {"nothing fails", Step::None, TRUE, 6},
    };
    ASSERT_FALSE(ProtocolObjectsExist());
    for (const Case& c : cases) {
        const char* row = c.row;
        TestPlatform platform;
        platform.failing = c.failing;
        capture::CaptureChannel channel(platform);
        EXPECT_EQ(channel.OpenCaptureChannel(), c.opened) << row;
        channel.StartCaptureThread(nullptr);
        EXPECT_EQ(platform.steps, std::vector<Step>(all.begin(), all.begin() + c.stepsMade)) << row;

        // Held: each object whose creation came before the failing one.
        auto acquired = [&](Step s) { return s < c.failing; };
        EXPECT_EQ(static_cast<bool>(channel.m_hBufferReady), acquired(Step::BufferReadyEvent)) << row;
        EXPECT_EQ(static_cast<bool>(channel.m_hDataReady), acquired(Step::DataReadyEvent)) << row;
        EXPECT_EQ(static_cast<bool>(channel.m_hMapping), acquired(Step::Mapping)) << row;
        EXPECT_EQ(static_cast<bool>(channel.m_pDebugBuffer), acquired(Step::View)) << row;
        EXPECT_EQ(static_cast<bool>(channel.m_hStopEvent), acquired(Step::StopEvent)) << row;
        EXPECT_EQ(static_cast<bool>(channel.m_pCaptureThread), acquired(Step::Thread)) << row;

        channel.CloseCaptureChannel();
        for (HANDLE h : platform.kernelHandles) {
            DWORD flags;
            EXPECT_FALSE(::GetHandleInformation(h, &flags)) << row << ": a handle is still open";
        }
        if (platform.view) {
            MEMORY_BASIC_INFORMATION info{};
            ASSERT_NE(::VirtualQuery(platform.view, &info, sizeof info), 0u);
            EXPECT_EQ(info.State, static_cast<DWORD>(MEM_FREE)) << row << ": the view is still mapped";
        }
        EXPECT_FALSE(channel.m_pCaptureThread) << row;
        EXPECT_FALSE(ProtocolObjectsExist()) << row;
    }
}

TEST(CaptureOpenClose, TheCloseSignalsItsOwnBufferReadyEventButNeverAnotherReceivers) {
    ASSERT_FALSE(ProtocolObjectsExist());
    {
        // Another receiver's event, taken by a client that writes the block now.
        const fw::UniqueKernelHandle other(::CreateEventA(nullptr, FALSE, FALSE, "DBWIN_BUFFER_READY"));
        ASSERT_TRUE(other);
        TestPlatform platform;
        capture::CaptureChannel second(platform);
        EXPECT_FALSE(second.OpenCaptureChannel());
        EXPECT_EQ(platform.steps, std::vector<Step>{Step::BufferReadyEvent});
        EXPECT_TRUE(second.m_hBufferReady);
        second.CloseCaptureChannel();
        DWORD flags;
        EXPECT_FALSE(::GetHandleInformation(platform.kernelHandles.at(0), &flags));
        EXPECT_EQ(::WaitForSingleObject(other.get(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
    }
    capture::CaptureChannel own;
    ASSERT_TRUE(own.OpenCaptureChannel());
    const fw::UniqueKernelHandle waiter(::OpenEventA(SYNCHRONIZE, FALSE, "DBWIN_BUFFER_READY"));
    ASSERT_TRUE(waiter);
    EXPECT_EQ(::WaitForSingleObject(waiter.get(), 0), WAIT_OBJECT_0);  // the open's signal, once
    EXPECT_EQ(::WaitForSingleObject(waiter.get(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
    own.CloseCaptureChannel();
    // A client waiting for the block goes on instead of waiting for a receiver that left.
    EXPECT_EQ(::WaitForSingleObject(waiter.get(), 0), WAIT_OBJECT_0);
}

TEST_F(ChannelTest, EveryWakeFreesTheBlockExactlyOnce) {
    struct Case {
        const char* name;
        DWORD pid;
        int failAllocations;
    };
    const Case cases[] = {
        {"posted", 6001, 0},
        {"from this process", ::GetCurrentProcessId(), 0},
        {"no heap for the copy", 6002, 1},
    };
    ASSERT_TRUE(channel.OpenCaptureChannel());
    channel.StartCaptureThread(window);
    ProtocolClient client;
    ASSERT_TRUE(client.IsOpen());
    ASSERT_TRUE(client.TakeBlock(10000));  // the open's signal
    std::vector<std::string> faults;  // checked once the block is free again
    for (const Case& c : cases) {
        platform.failAllocations = c.failAllocations;
        client.Send(c.pid, WithNul(c.name));
        if (!client.TakeBlock(10000)) {
            faults.push_back(std::string(c.name) + ": the block was not freed");
        } else if (client.TakeBlock(200)) {
            faults.push_back(std::string(c.name) + ": the block was freed twice");
        }
    }
    client.Send(6003, WithNul("last"));
    ASSERT_TRUE(PumpUntilReceived(2));
    EXPECT_EQ(faults, std::vector<std::string>{});
    // Texts are posted in order, so a text posted by mistake would come before "last".
    EXPECT_EQ(window.texts, (std::vector<Received>{{6001, "posted"}, {6003, "last"}}));
    // This process's own text is not even copied.
    EXPECT_EQ(platform.allocationAttempts.load(), 3);
}

TEST_F(ChannelTest, AFailedPostKeepsTheTextAndTheBlockUntilThePostSucceeds) {
    platform.failPosts = true;
    ASSERT_TRUE(channel.OpenCaptureChannel());
    channel.StartCaptureThread(window);
    ProtocolClient client;
    ASSERT_TRUE(client.IsOpen());
    ASSERT_TRUE(client.Write(7001, "kept\n"));
    // Checked once the block is free again.
    const bool retried = WaitFor([&] { return platform.postAttempts >= 3; });
    const bool nextLetIn = client.TakeBlock(0);
    fwtest::PumpPending();
    const bool shownEarly = !window.texts.empty();

    platform.failPosts = false;
    ASSERT_TRUE(PumpUntilReceived(1));
    EXPECT_TRUE(retried);
    EXPECT_FALSE(nextLetIn) << "the next client was let in while the text waits";
    EXPECT_FALSE(shownEarly);
    ASSERT_TRUE(client.Write(7002, "next"));
    ASSERT_TRUE(PumpUntilReceived(2));
    EXPECT_EQ(window.texts, (std::vector<Received>{{7001, "kept\r\n"}, {7002, "next"}}));
    EXPECT_EQ(platform.allocations.load(), 2);  // copied once, however often posted
}

TEST_F(ChannelTest, WhileTheWindowIsTooFarBehindTheBlockStaysTakenUntilItCatchesUp) {
    channel.m_nMaxQueuedBytes = 10;
    ASSERT_TRUE(channel.OpenCaptureChannel());
    channel.StartCaptureThread(window);
    ProtocolClient client;
    ASSERT_TRUE(client.IsOpen());
    ASSERT_TRUE(client.Write(7201, "0123456"));  // 8 bytes: room is left
    ASSERT_TRUE(client.Write(7202, "789"));      // 12 in all: too far behind
    const bool posted = WaitFor([&] { return platform.Posted().size() == 2; });
    const long long queued = channel.m_nQueuedBytes.load();
    const bool nextLetIn = client.TakeBlock(300);

    channel.TextsTaken(1);  // one byte too many still
    const bool letInEarly = client.TakeBlock(100);
    channel.TextsTaken(11);
    const bool letInAfter = client.TakeBlock(5000);
    if (letInAfter) client.Send(7203, std::string("after", 6));
    ASSERT_TRUE(PumpUntilReceived(3));
    EXPECT_TRUE(posted) << "the texts were held back, not the block";
    EXPECT_EQ(queued, 12);
    EXPECT_FALSE(nextLetIn) << "the next client was let in while the window is behind";
    EXPECT_FALSE(letInEarly);
    EXPECT_TRUE(letInAfter);
    EXPECT_EQ(window.texts, (std::vector<Received>{{7201, "0123456"}, {7202, "789"}, {7203, "after"}}));
}

TEST_F(ChannelTest, AStopWhileThePostFailsFreesTheText) {
    platform.failPosts = true;
    ASSERT_TRUE(channel.OpenCaptureChannel());
    channel.StartCaptureThread(window);
    ProtocolClient client;
    ASSERT_TRUE(client.IsOpen());
    ASSERT_TRUE(client.Write(7101, "lost"));
    const bool retried = WaitFor([&] { return platform.postAttempts >= 2; });
    channel.CloseCaptureChannel();
    EXPECT_TRUE(retried);
    EXPECT_EQ(platform.allocations.load(), 1);
    EXPECT_EQ(platform.frees.load(), 1);
    fwtest::PumpPending();
    EXPECT_TRUE(window.texts.empty());
}

}  // namespace
}  // namespace capturetest
