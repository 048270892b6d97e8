// What the add-in shows while wordhost runs: message boxes it raises
// inside a callback, and its About window.
#pragma once

#include "common/unique_win.h"

#include <atomic>
#include <string>
#include <vector>

#include <windows.h>

namespace wordhost {

// Dispatches this thread's messages for that long (0: what is queued).
void PumpMessages(DWORD milliseconds);

// A message box blocks the callback until closed, so a second thread reads
// each box and presses OK, as the user would, for as long as it lives.
class MessageBoxWatch {
public:
    MessageBoxWatch();
    MessageBoxWatch(const MessageBoxWatch&) = delete;
    MessageBoxWatch& operator=(const MessageBoxWatch&) = delete;
    ~MessageBoxWatch();
    void Stop();
    // The boxes seen, one report line each; complete once stopped.
    [[nodiscard]] const std::vector<std::string>& seen() const { return seen_; }

private:
    static DWORD WINAPI Run(void* self);
    std::atomic<bool> stop_{false};
    std::vector<std::string> seen_;
    tavlin::UniqueHandle thread_;
};

[[nodiscard]] bool AboutWindowOpen();
// The open About windows and the texts they show, one line each.
[[nodiscard]] std::string AboutReport();
// Presses OK on every About window; true when they all went.
[[nodiscard]] bool CloseAboutWindows();
// Sends the About window WM_DPICHANGED for that DPI with the rectangle
// Windows would suggest; false when no About window is open.
[[nodiscard]] bool TellAboutDpi(int dpi);
// Types the keys (see --about-keys) into the About window through this
// thread's queue, as Word's message loop gets them; one report line a key,
// naming the control with the focus after it.
[[nodiscard]] std::string TypeIntoAbout(const std::wstring& keys);
// The About window and each of its controls as MSAA gives them to a screen
// reader, one line each: role, name and, where there is one, value.
[[nodiscard]] std::string AboutAccessibility();

} // namespace wordhost
