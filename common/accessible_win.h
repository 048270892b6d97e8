// What a screen reader is told of a control (MSAA): the standard object
// Windows makes for it, with the role, name and value we give. Windows'
// own objects name plain controls well but cannot know that a button is
// drawn as a link, and Wine's give every control the role "client".
#pragma once

#include <string_view>

#include <windows.h>

namespace tavlin {

// Copied by the object made from it; the texts need only last the call.
struct AccessibleFace {
    long role = 0;           // ROLE_SYSTEM_...
    std::wstring_view name;  // empty: the standard object's (the control's text)
    std::wstring_view value; // empty: the standard object's
};

// What keeps the code of the objects handed out loaded: a DLL's lock
// count, taken for each object's life (a screen reader may hold one after
// the window has gone). Both nullptr for a program's own code.
struct ModuleLock {
    void (*lock)() noexcept = nullptr;
    void (*unlock)() noexcept = nullptr;
};

// The answer to the control's WM_GETOBJECT for its client object; 0 (the
// control's own answer) for any other object, or when Windows'
// accessibility library is not there. Never throws.
[[nodiscard]] LRESULT AnswerAccessibleObject(HWND control, WPARAM wParam, LPARAM lParam,
                                             const AccessibleFace& face,
                                             ModuleLock lock = {}) noexcept;

} // namespace tavlin
