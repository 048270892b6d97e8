#pragma once

#include <oaidl.h>
#include <string>

namespace tavlin::wordhost {

struct HostOptions {
    std::wstring name = L"Microsoft Word";
    bool hasWindow = true;
    bool documentMap = false;
};

// Word's Application object as add-ins see it by late binding: Name,
// ActiveWindow, and the window's DocumentMap. Returns a new reference.
[[nodiscard]] IDispatch* NewApplication(HostOptions& options);

} // namespace tavlin::wordhost
