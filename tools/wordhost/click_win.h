// A ribbon click as Word makes it: the callback called by name through the
// add-in's dispatch interface, with the clicked control as its argument.
#pragma once

#include "tools/wordhost/host_objects_win.h"
#include "tools/wordhost/loading_win.h"

#include <string>

namespace wordhost {

// Reports the result, any message box and About window the callback
// raised, and what it did to the host's window; true when it succeeded.
[[nodiscard]] bool Click(Addin& addin, const std::wstring& callback, HostState& host);

} // namespace wordhost
