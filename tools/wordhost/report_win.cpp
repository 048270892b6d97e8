#include "tools/wordhost/report_win.h"

#include "common/quoted.h"
#include "common/text_win.h"
#include "common/unique_resource.h"
#include "common/unique_win.h"

#include <cstdio>

#include <oaidl.h>

namespace wordhost {

void Print(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
}

std::string Hex(HRESULT hr) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%08lX", static_cast<unsigned long>(hr));
    return buffer;
}

std::string Escaped(const std::wstring& text) {
    return tavlin::Quoted(tavlin::WideToUtf8(text));
}

std::string FailureText(HRESULT hr) {
    std::string text = Hex(hr);
    tavlin::ComPtr<IErrorInfo> info;
    if (::GetErrorInfo(0, info.put()) == S_OK && info) {
        tavlin::UniqueBstr description;
        tavlin::UniqueBstr source;
        if (SUCCEEDED(info->GetDescription(description.put())) && description) {
            text += " " + Escaped(description.get());
        }
        if (SUCCEEDED(info->GetSource(source.put())) && source) {
            text += " source " + Escaped(source.get());
        }
    }
    return text;
}

} // namespace wordhost
