#include "common/policy_win.h"

#include "common/error.h"
#include "common/settings_store_win.h"
#include "common/text_win.h"

#include <cstring>
#include <vector>

namespace tavlin {
namespace {

std::string RegistryTypeName(DWORD type) {
    switch (type) {
    case REG_NONE:
        return "REG_NONE";
    case REG_SZ:
        return "REG_SZ";
    case REG_EXPAND_SZ:
        return "REG_EXPAND_SZ";
    case REG_BINARY:
        return "REG_BINARY";
    case REG_DWORD:
        return "REG_DWORD";
    case REG_DWORD_BIG_ENDIAN:
        return "REG_DWORD_BIG_ENDIAN";
    case REG_LINK:
        return "REG_LINK";
    case REG_MULTI_SZ:
        return "REG_MULTI_SZ";
    case REG_QWORD:
        return "REG_QWORD";
    default:
        return "number " + std::to_string(type);
    }
}

} // namespace

std::optional<PolicyValue> RegistryPolicySource::PolicyRead(std::string_view key) const {
    const std::wstring name = Utf8ToWide(key);
    std::vector<BYTE> valueBytes(64);
    DWORD type = 0;
    DWORD size = 0;
    LONG status = ERROR_FILE_NOT_FOUND;
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (keyMissing_) {
            return std::nullopt;
        }
        if (!key_ && ::RegOpenKeyExW(root_, kPath, 0, KEY_QUERY_VALUE | view_, key_.put()) !=
                         ERROR_SUCCESS) {
            // Absent, or closed to this user: either way no policy here.
            keyMissing_ = true;
            return std::nullopt;
        }
        status = QueryValueGrowing(key_.get(), name.c_str(), type, valueBytes, size);
        // Group Policy rewrites its keys when it refreshes; a new key may
        // stand where the open one was.
        if (status != ERROR_KEY_DELETED) {
            break;
        }
        key_.reset();
    }
    if (status == ERROR_FILE_NOT_FOUND || status == ERROR_KEY_DELETED) {
        return std::nullopt;
    }
    if (status != ERROR_SUCCESS) {
        throw PlatformError(static_cast<DWORD>(status));
    }
    if (type == REG_SZ) {
        std::wstring_view text(reinterpret_cast<const wchar_t*>(valueBytes.data()),
                               size / sizeof(wchar_t));
        while (!text.empty() && text.back() == L'\0') {
            text.remove_suffix(1);
        }
        return PolicyValue::String(WideToUtf8(text));
    }
    if (type == REG_DWORD && size == sizeof(DWORD)) {
        DWORD value = 0;
        std::memcpy(&value, valueBytes.data(), sizeof value);
        return PolicyValue::Dword(value);
    }
    return PolicyValue::Other(type == REG_DWORD
                                  ? "REG_DWORD with " + std::to_string(size) + " bytes"
                                  : RegistryTypeName(type));
}

} // namespace tavlin
