// Another program's window that is itself always on top, put in front of a
// SYNCWARD main window whose "Always On Top" is ticked. After a few of the
// main window's ticks the rival must have lost its topmost place and the
// main window must hold one. Says what it found; exits 0 when both hold.
//   topmost_rival.exe "SYNCWARD - COPY"
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

bool topmost(HWND window) { return (::GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

// Keeps the rival's window answering while the main window's timer ticks.
void pumpFor(DWORD milliseconds) {
    const DWORD until = ::GetTickCount() + milliseconds;
    MSG message;
    while (static_cast<LONG>(until - ::GetTickCount()) > 0) {
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
        ::Sleep(20);
    }
}

}  // namespace

int wmain(int argc, wchar_t* argv[]) {
    if (argc < 2) return 2;
    const HWND main = ::FindWindowW(nullptr, argv[1]);
    if (!main) {
        std::puts("rival: no main window with that caption");
        return 1;
    }
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = ::DefWindowProcW;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"SyncwardTopmostRival";
    ::RegisterClassW(&windowClass);
    const HWND rival = ::CreateWindowExW(WS_EX_TOPMOST, windowClass.lpszClassName, L"TOPMOST RIVAL",
                                         WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 400, 300, nullptr, nullptr,
                                         windowClass.hInstance, nullptr);
    // The main window demotes whatever is in front on its next tick, which may
    // come before a fixed wait ends; so note the rival's topmost place at birth
    // and watch closely for the moment it comes to the front.
    const bool bornTopmost = topmost(rival);
    ::SetForegroundWindow(rival);
    bool cameToFront = false;
    for (int tries = 0; tries < 100 && !cameToFront; ++tries) {
        pumpFor(20);
        cameToFront = ::GetForegroundWindow() == rival;
    }
    const bool rivalStarted = bornTopmost && cameToFront;
    pumpFor(4000);  // the main window ticks once a second
    const bool rivalLost = !topmost(rival);
    const bool mainHolds = topmost(main);
    std::printf("rival: in front and topmost at first: %s; lost its topmost place: %s; main window topmost: %s\n",
                rivalStarted ? "yes" : "no", rivalLost ? "yes" : "no", mainHolds ? "yes" : "no");
    ::DestroyWindow(rival);
    return rivalStarted && rivalLost && mainHolds ? 0 : 1;
}
