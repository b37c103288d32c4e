// The capture channel receiving from real debug clients: dbgclient.exe
// processes writing through the platform's OutputDebugStringA.
#include "tests/capture/channel_fixture.h"
#include "tests/support/child_process.h"
#include "tests/support/test_app.h"

#include <map>
#include <string>
#include <vector>

namespace capturetest {
namespace {

// A dbgclient.exe run, next to the test program.
class ClientProcess : public fwtest::ChildProcess {
public:
    explicit ClientProcess(const std::vector<std::string>& args) : ChildProcess("dbgclient.exe", args) {}
};

TEST_F(ChannelTest, ClientTextsArriveWithTheWritersProcessIdAndConvertedLineEnds) {
    ASSERT_TRUE(channel.OpenCaptureChannel());
    channel.StartCaptureThread(window);
    ClientProcess client({"--pid", "--stay", "3000", "one\\n", "two\\r\\n", "", "\\0", "tab\\tback\\\\slash"});
    const DWORD pid = client.Pid();
    ASSERT_NE(pid, 0u);
    EXPECT_EQ(client.ReadLine(), std::to_string(pid));
    ASSERT_TRUE(PumpUntilReceived(5));
    EXPECT_TRUE(client.Running()) << "the client should still be there to be looked up";
    EXPECT_EQ(window.texts, (std::vector<Received>{
                                {pid, "one\r\n"}, {pid, "two\r\n"}, {pid, ""}, {pid, ""}, {pid, "tab\tback\\slash"}}));
    EXPECT_EQ(client.Wait(), 0u);
}

TEST_F(ChannelTest, TextsOfTwoClientsArriveInTheOrderWritten) {
    ASSERT_TRUE(channel.OpenCaptureChannel());
    channel.StartCaptureThread(window);
    {
        ClientProcess a({"--count", "2", "--prefix", "A"});
        ASSERT_EQ(a.Wait(), 0u);
        ClientProcess b({"B1\\n"});
        ASSERT_EQ(b.Wait(), 0u);
        ClientProcess a2({"A3\\n"});
        ASSERT_EQ(a2.Wait(), 0u);
        ASSERT_TRUE(PumpUntilReceived(4));
        EXPECT_EQ(window.texts, (std::vector<Received>{
                                    {a.Pid(), "A1\r\n"}, {a.Pid(), "A2\r\n"}, {b.Pid(), "B1\r\n"}, {a2.Pid(), "A3\r\n"}}));
    }
    // Writing at the same time: each client's texts keep their order, none is lost.
    window.texts.clear();
    ClientProcess x({"--count", "100", "--prefix", "X"});
    ClientProcess y({"--count", "100", "--prefix", "Y"});
    ASSERT_EQ(x.Wait(), 0u);
    ASSERT_EQ(y.Wait(), 0u);
    ASSERT_TRUE(PumpUntilReceived(200));
    std::map<DWORD, std::vector<std::string>> byClient;
    for (const Received& r : window.texts) byClient[r.pid].push_back(r.text);
    std::vector<std::string> xs;
    std::vector<std::string> ys;
    for (int n = 1; n <= 100; ++n) {
        xs.push_back("X" + std::to_string(n) + "\r\n");
        ys.push_back("Y" + std::to_string(n) + "\r\n");
    }
    EXPECT_EQ(byClient.size(), 2u);
    EXPECT_EQ(byClient[x.Pid()], xs);
    EXPECT_EQ(byClient[y.Pid()], ys);
}

TEST_F(ChannelTest, OwnTextsAreDroppedAndTheNextClientIsServedAtOnce) {
    ASSERT_TRUE(channel.OpenCaptureChannel());
    channel.StartCaptureThread(window);
    ::OutputDebugStringA("this process's own text\n");
    ProtocolClient next;
    ASSERT_TRUE(next.IsOpen());
    ASSERT_TRUE(next.TakeBlock(5000)) << "the block was not freed after the dropped text";
    next.Send(8001, std::string("next", 5));
    ClientProcess after({"after"});
    ASSERT_EQ(after.Wait(), 0u);
    ASSERT_TRUE(PumpUntilReceived(2));
    EXPECT_EQ(window.texts, (std::vector<Received>{{8001, "next"}, {after.Pid(), "after"}}));
}

TEST_F(ChannelTest, ATextWrittenBeforeTheReceiverRunsIsDeliveredOnceItRuns) {
    ASSERT_TRUE(channel.OpenCaptureChannel());
    ClientProcess early({"early\\n"});
    ASSERT_EQ(early.Wait(), 0u);
    fwtest::PumpPending();
    const bool shownEarly = !window.texts.empty();
    channel.StartCaptureThread(window);
    ASSERT_TRUE(PumpUntilReceived(1));
    EXPECT_FALSE(shownEarly);
    EXPECT_EQ(window.texts, (std::vector<Received>{{early.Pid(), "early\r\n"}}));
}

TEST_F(ChannelTest, AStopWithATextPendingPostsTheTextFirst) {
    // The receiver starts only once the stop is set: text and stop are pending together.
    platform.holdThreadUntilStop = true;
    ASSERT_TRUE(channel.OpenCaptureChannel());
    ClientProcess pending({"pending\\n"});
    ASSERT_EQ(pending.Wait(), 0u);
    channel.StartCaptureThread(window);
    channel.CloseCaptureChannel();
    EXPECT_EQ(platform.Posted(), (std::vector<Received>{{pending.Pid(), "pending\r\n"}}));
    // Nobody handled it before the window's end: the close freed it.
    EXPECT_EQ(platform.frees.load(), 1);
}

TEST_F(ChannelTest, ASecondReceiverIsRefusedWhileTheFirstKeepsReceiving) {
    ASSERT_TRUE(channel.OpenCaptureChannel());
    channel.StartCaptureThread(window);
    ProtocolClient writer;
    ASSERT_TRUE(writer.IsOpen());
    ASSERT_TRUE(writer.TakeBlock(5000));  // a client is about to write the block
    capture::CaptureChannel second;
    const BOOL secondOpened = second.OpenCaptureChannel();
    second.CloseCaptureChannel();
    const bool anotherLetIn = writer.TakeBlock(200);
    writer.Send(9001, std::string("held", 5));
    EXPECT_FALSE(secondOpened);
    EXPECT_FALSE(anotherLetIn) << "the second receiver let another client at the block";
    ClientProcess later({"later"});
    ASSERT_EQ(later.Wait(), 0u);
    ASSERT_TRUE(PumpUntilReceived(2));
    EXPECT_EQ(window.texts, (std::vector<Received>{{9001, "held"}, {later.Pid(), "later"}}));
}

TEST_F(ChannelTest, TextsPostedButNotHandledAtTheCloseAreFreed) {
    ASSERT_TRUE(channel.OpenCaptureChannel());
    channel.StartCaptureThread(window);
    ClientProcess client({"--count", "3"});
    ASSERT_EQ(client.Wait(), 0u);
    ASSERT_TRUE(WaitFor([&] { return platform.Posted().size() == 3; }));
    channel.CloseCaptureChannel();
    EXPECT_EQ(platform.allocations.load(), 3);
    EXPECT_EQ(platform.frees.load(), 3);
    MSG msg;
    EXPECT_FALSE(::PeekMessageA(&msg, window, WM_DEBUGSTRING, WM_DEBUGSTRING, PM_NOREMOVE));
    fwtest::PumpPending();
    EXPECT_TRUE(window.texts.empty());
}

TEST(DebugClient, UsageErrorsExitWithTwoAndSayWhy) {
    const std::vector<std::vector<std::string>> cases = {
        {}, {"--count"}, {"--count", "x"}, {"--count", "-1"}, {"--stay"}, {"--prefix", "P", "text"},
        {"--bogus"}, {"bad \\q escape"}, {"trailing \\"},
    };
    for (const auto& args : cases) {
        ClientProcess client(args);
        const std::string what = args.empty() ? "(no arguments)" : args[0] + " ...";
        EXPECT_EQ(client.Wait(), 2u) << what;
        const std::string output = client.ReadAll();
        EXPECT_NE(output.find("dbgclient: "), std::string::npos) << what;
        EXPECT_NE(output.find("usage: dbgclient"), std::string::npos) << what;
    }
}

}  // namespace
}  // namespace capturetest
