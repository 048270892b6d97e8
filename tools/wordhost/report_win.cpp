#include "tools/wordhost/report_win.h"

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
    std::string out = "\"";
    for (const char c : tavlin::WideToUtf8(text)) {
        switch (c) {
        case '\r':
            out += "\\r";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        default:
            out += c;
        }
    }
    return out + "\"";
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
