#include "common/settings_store_win.h"

#include "common/text_win.h"
#include "common/unique_win.h"

#include <cstring>
#include <vector>

namespace tavlin {

LONG QueryValueGrowing(HKEY key, const wchar_t* name, DWORD& type, std::vector<BYTE>& bytes,
                       DWORD& size) {
    LONG status = ERROR_SUCCESS;
    do {
        size = static_cast<DWORD>(bytes.size());
        status = ::RegQueryValueExW(key, name, nullptr, &type, bytes.data(), &size);
        if (status == ERROR_MORE_DATA) {
            bytes.resize(size);
        }
    } while (status == ERROR_MORE_DATA);
    return status;
}

std::string RegistrySettingsStore::SettingsRead(std::string_view key, int defaultValue) const {
    const std::wstring name = Utf8ToWide(key);
    // Settings are short: one query answers most of them.
    std::vector<BYTE> valueBytes(256);
    DWORD type = 0;
    DWORD size = 0;
    LONG status = ERROR_FILE_NOT_FOUND;
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (sectionMissing_) {
            return std::to_string(defaultValue);
        }
        if (!section_ &&
            ::RegOpenKeyExW(root_, kPath, 0, KEY_QUERY_VALUE, section_.put()) != ERROR_SUCCESS) {
            sectionMissing_ = true;
            return std::to_string(defaultValue);
        }
        status = QueryValueGrowing(section_.get(), name.c_str(), type, valueBytes, size);
        // The key that was open may have been deleted since; a new one may
        // stand in its place.
        if (status != ERROR_KEY_DELETED) {
            break;
        }
        section_.reset();
    }
    if (status == ERROR_FILE_NOT_FOUND || status == ERROR_KEY_DELETED) {
        return std::to_string(defaultValue);
    }
    if (status != ERROR_SUCCESS) {
        throw PlatformError(static_cast<DWORD>(status));
    }

    if (type == REG_SZ || type == REG_EXPAND_SZ) {
        std::wstring_view text(reinterpret_cast<const wchar_t*>(valueBytes.data()),
                               size / sizeof(wchar_t));
        // Stored strings usually, but not always, carry their NUL.
        while (!text.empty() && text.back() == L'\0') {
            text.remove_suffix(1);
        }
        return StoredValueText(StoredValueType::String, WideToUtf8(text), 0);
    }
    if (type == REG_DWORD && size == sizeof(DWORD)) {
        DWORD value = 0;
        std::memcpy(&value, valueBytes.data(), sizeof value);
        return StoredValueText(StoredValueType::Dword, {}, value);
    }
    return StoredValueText(StoredValueType::Other, {}, 0);
}

void RegistrySettingsStore::SettingsWrite(std::string_view key, std::string_view text) {
    // The key may exist from now on, also when the write below fails.
    ForgetSectionKey();
    UniqueHkey section;
    LONG status = ::RegCreateKeyExW(root_, kPath, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                    KEY_SET_VALUE, nullptr, section.put(), nullptr);
    if (status != ERROR_SUCCESS) {
        throw PlatformError(static_cast<DWORD>(status));
    }
    const std::wstring name = Utf8ToWide(key);
    const std::wstring value = Utf8ToWide(text);
    status = ::RegSetValueExW(section.get(), name.c_str(), 0, REG_SZ,
                              reinterpret_cast<const BYTE*>(value.c_str()),
                              static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    if (status != ERROR_SUCCESS) {
        throw PlatformError(static_cast<DWORD>(status));
    }
}

} // namespace tavlin
