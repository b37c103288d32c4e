// Sets the scene for the README's screenshot: Kestrum with two debug windows
// named by Update Title and a snapshot of one, tiled. Prints "ready" when the
// scene stands, then keeps it for the given seconds and closes Kestrum.
//   screenshot_scene.exe SECONDS
#include "framework/afxres.h"
#include "res/resource.h"
#include "tests/e2e/kestrum_driver.h"

#include <cstdio>
#include <cstdlib>

namespace {

void Activate(HWND hMdiClient, HWND hChild) {
    ::SendMessageA(hMdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(hChild), 0);
}

}  // namespace

int main(int argc, char** argv) {
    const unsigned seconds = argc > 1 ? static_cast<unsigned>(std::atoi(argv[1])) : 10;
    e2e::ResetSettings();
    e2e::WriteSetting("Settings\\WinPos", "x", 0);
    e2e::WriteSetting("Settings\\WinPos", "y", 0);
    e2e::WriteSetting("Settings\\WinPos", "cx", 1000);
    e2e::WriteSetting("Settings\\WinPos", "cy", 700);
    e2e::Kestrum kestrum;
    if (!kestrum.MainWindow()) {
        std::fprintf(stderr, "screenshot_scene: Kestrum did not start\n");
        return 1;
    }
    const DWORD stayMs = (seconds + 30) * 1000;
    fwtest::ChildProcess server("dbgclient.exe",
                                {"--stay", std::to_string(stayMs), "server: listening on port 8080\n",
                                 "server: accepted connection from 127.0.0.1\n", "server: GET /status -> 200 (3 ms)\n",
                                 "server: GET /items?page=2 -> 200 (12 ms)\n", "server: cache hit ratio 0.93\n"});
    e2e::WaitUntil([&] { return kestrum.ShowsWindows(1); });
    fwtest::ChildProcess worker("dbgclient.exe", {"--stay", std::to_string(stayMs), "--count", "12", "--prefix",
                                                  "worker: job finished, id "});
    e2e::WaitUntil([&] { return kestrum.ShowsWindows(2); });
    e2e::WaitUntil([&] { return e2e::Kestrum::PaneText(kestrum.DebugWindows()[0]).find("12") != std::string::npos; });

    HWND hClient = kestrum.MdiClient();
    for (HWND hWindow : kestrum.DebugWindows()) {
        Activate(hClient, hWindow);
        kestrum.Command(ID_VIEW_UPDATE_TITLE);
    }
    Activate(hClient, kestrum.FindDebugWindow("Kestrum1 - dbgclient"));
    kestrum.Command(ID_VIEW_SNAPSHOT);
    kestrum.Command(ID_WINDOW_TILE_VERT);
    e2e::WaitUntil([] { return false; }, 1000);  // let everything paint

    std::printf("ready\n");
    std::fflush(stdout);
    e2e::WaitUntil([] { return false; }, seconds * 1000);
    ::TerminateProcess(server.Handle(), 0);
    ::TerminateProcess(worker.Handle(), 0);
    kestrum.Close();
    e2e::ResetSettings();
    return 0;
}
