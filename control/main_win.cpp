// Tavlinar.exe: the settings window and nothing else; the program ends when
// the window closes.
#include "control/form_window_win.h"

#include <windows.h>

#include <commctrl.h>
#include <ole2.h>

// COM for the whole program's life: a screen reader's objects for our
// controls are marshalled to it through COM.
struct OleSession {
    OleSession() : started(SUCCEEDED(::OleInitialize(nullptr))) {}
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;
    ~OleSession() {
        if (started) {
            ::OleUninitialize();
        }
    }
    bool started;
};

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    try {
        const OleSession ole;
        INITCOMMONCONTROLSEX controls{};
        controls.dwSize = sizeof controls;
        controls.dwICC = ICC_TAB_CLASSES | ICC_STANDARD_CLASSES;
        ::InitCommonControlsEx(&controls);

        if (!tavlin::control::FormWindow::RegisterClasses(instance)) {
            return 1;
        }
        tavlin::control::FormWindow window(instance);
        if (!window.Create()) {
            return 1;
        }
        window.Start();

        MSG msg{};
        while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
            // Tab, Enter, Esc and Space as in a dialog box.
            const HWND form = window.Handle();
            if (form != nullptr && window.TranslateKey(msg)) {
                continue;
            }
            if (form != nullptr && ::IsDialogMessageW(form, &msg)) {
                continue;
            }
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        return static_cast<int>(msg.wParam);
    } catch (...) {
        // Before the window exists there is nowhere to report; after it,
        // every handler has its own guard. Only start-up failures land here.
        return 1;
    }
}
