// Answers the Wine tests' "reg query" questions from one process that
// stays up for the whole test, each answer byte for byte what Wine's
// reg.exe of the same bitness writes. A test asks hundreds of them, and a
// reg.exe each is a Windows process started each time: about a tenth of a
// second of processor time for a 64-bit one, most of a second for a 32-bit
// one run through an emulator.
// What it is not sure to answer as reg.exe would (an option it does not
// know, a value type it does not print, a name too long) it does not
// answer: it says so, and the test asks reg.exe itself.
//   stdin: one question a line, UTF-8, fields split by U+001F:
//          <ID> query <FILE> <reg query's arguments...>
//   stdout: per question one line: its ID, then 0 or 1 (reg's exit code,
//          its output in FILE, a Windows path), or "ask reg" when not
//          answered.
#include "common/unique_win.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <cwchar>
#include <optional>
#include <string>
#include <vector>

namespace {

// Thrown for a question only reg.exe itself may answer.
struct AskReg {};

std::wstring Widen(const std::string& text) {
    if (text.empty()) {
        return {};
    }
    const int length = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(),
                                             static_cast<int>(text.size()), nullptr, 0);
    if (length <= 0) {
        throw AskReg{};
    }
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()),
                          wide.data(), length);
    return wide;
}

struct Question {
    HKEY root = nullptr;
    std::wstring keyName; // as reg prints it: the root's long name, then the path as asked
    std::wstring path;
    std::optional<std::wstring> value; // /v NAME
    bool defaultValue = false;         // /ve
    bool recurse = false;              // /s
    REGSAM view = 0;                   // /reg:32, /reg:64
};

Question Parse(const std::vector<std::wstring>& args) {
    if (args.empty()) {
        throw AskReg{};
    }
    const std::wstring& key = args[0];
    const std::size_t slash = key.find(L'\\');
    // A root alone, a trailing backslash: reg's own ways, left to it.
    if (slash == std::wstring::npos || slash + 1 >= key.size() || key.back() == L'\\') {
        throw AskReg{};
    }
    const std::wstring root = key.substr(0, slash);
    struct RootName {
        const wchar_t* shortName;
        const wchar_t* longName;
        HKEY key;
    };
    static const RootName roots[] = {
        {L"HKLM", L"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
        {L"HKCU", L"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
        {L"HKCR", L"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
        {L"HKU", L"HKEY_USERS", HKEY_USERS},
    };
    Question question;
    for (const RootName& name : roots) {
        if (_wcsicmp(root.c_str(), name.shortName) == 0 ||
            _wcsicmp(root.c_str(), name.longName) == 0) {
            question.root = name.key;
            question.keyName = std::wstring(name.longName) + key.substr(slash);
        }
    }
    if (question.root == nullptr) {
        throw AskReg{};
    }
    question.path = key.substr(slash + 1);
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::wstring& option = args[i];
        if (_wcsicmp(option.c_str(), L"/ve") == 0 && !question.defaultValue) {
            question.defaultValue = true;
        } else if (_wcsicmp(option.c_str(), L"/s") == 0 && !question.recurse) {
            question.recurse = true;
        } else if (_wcsicmp(option.c_str(), L"/reg:32") == 0 && question.view == 0) {
            question.view = KEY_WOW64_32KEY;
        } else if (_wcsicmp(option.c_str(), L"/reg:64") == 0 && question.view == 0) {
            question.view = KEY_WOW64_64KEY;
        } else if (_wcsicmp(option.c_str(), L"/v") == 0 && !question.value && i + 1 < args.size() &&
                   !args[i + 1].empty()) {
            question.value = args[++i];
        } else {
            throw AskReg{};
        }
    }
    // A search for a value under a tree ends with a count of matches, in
    // words of reg's own language.
    if ((question.value && question.defaultValue) ||
        (question.recurse && (question.value || question.defaultValue))) {
        throw AskReg{};
    }
    return question;
}

class Answer {
public:
    void Line(const std::wstring& text) { text_ += text + L"\r\n"; }

    void Value(const std::wstring& name, DWORD type, const std::vector<BYTE>& data, DWORD size) {
        Line(L"    " + (name.empty() ? std::wstring(L"(Default)") : name) + L"    " +
             TypeName(type) + L"    " + DataText(type, data, size));
    }

    [[nodiscard]] const std::wstring& Text() const { return text_; }

private:
    static std::wstring TypeName(DWORD type) {
        switch (type) {
        case REG_NONE:
            return L"REG_NONE";
        case REG_SZ:
            return L"REG_SZ";
        case REG_EXPAND_SZ:
            return L"REG_EXPAND_SZ";
        case REG_BINARY:
            return L"REG_BINARY";
        case REG_DWORD:
            return L"REG_DWORD";
        case REG_MULTI_SZ:
            return L"REG_MULTI_SZ";
        default:
            throw AskReg{};
        }
    }

    static std::wstring DataText(DWORD type, const std::vector<BYTE>& data, DWORD size) {
        const auto* chars = reinterpret_cast<const wchar_t*>(data.data());
        const std::size_t count = size / sizeof(wchar_t);
        switch (type) {
        case REG_SZ:
        case REG_EXPAND_SZ: {
            // reg copies up to the terminator it expects inside the data.
            for (std::size_t i = 0; i < count; ++i) {
                if (chars[i] == L'\0') {
                    return std::wstring(chars, i);
                }
            }
            throw AskReg{};
        }
        case REG_NONE:
        case REG_BINARY: {
            std::wstring hex;
            for (DWORD i = 0; i < size; ++i) {
                wchar_t pair[3];
                std::swprintf(pair, 3, L"%02X", data[i]);
                hex += pair;
            }
            return hex;
        }
        case REG_DWORD: {
            if (size < sizeof(DWORD)) {
                throw AskReg{};
            }
            DWORD number = 0;
            std::memcpy(&number, data.data(), sizeof number);
            wchar_t text[16];
            std::swprintf(text, 16, L"0x%lx", static_cast<unsigned long>(number));
            return text;
        }
        case REG_MULTI_SZ: {
            if (size % sizeof(wchar_t) != 0) {
                throw AskReg{};
            }
            if (size <= 2 * sizeof(wchar_t)) {
                return {};
            }
            // Both terminators dropped, each inner one shown as \0.
            std::wstring text;
            for (std::size_t i = 0; i < count - 2; ++i) {
                text += chars[i] == L'\0' ? std::wstring(L"\\0") : std::wstring(1, chars[i]);
            }
            return text;
        }
        default:
            throw AskReg{};
        }
    }

    std::wstring text_;
};

// The value's type and data; false when it is not there.
bool ReadValue(HKEY key, const wchar_t* name, DWORD& type, std::vector<BYTE>& data, DWORD& size) {
    data.assign(2048, 0);
    for (;;) {
        size = static_cast<DWORD>(data.size());
        const LONG rc = ::RegQueryValueExW(key, name, nullptr, &type, data.data(), &size);
        if (rc == ERROR_MORE_DATA) {
            data.assign(size + sizeof(wchar_t), 0);
            continue;
        }
        if (rc == ERROR_FILE_NOT_FOUND) {
            return false;
        }
        if (rc != ERROR_SUCCESS) {
            throw AskReg{};
        }
        return true;
    }
}

std::vector<std::wstring> SubkeyNames(HKEY key) {
    std::vector<std::wstring> names;
    for (DWORD i = 0;; ++i) {
        wchar_t name[257];
        DWORD length = 257;
        const LONG rc = ::RegEnumKeyExW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (rc == ERROR_NO_MORE_ITEMS) {
            return names;
        }
        if (rc != ERROR_SUCCESS) {
            throw AskReg{};
        }
        names.emplace_back(name, length);
    }
}

void AllOf(HKEY key, const std::wstring& keyName, const Question& question, bool recursing,
           Answer& answer) {
    DWORD subkeys = 0;
    DWORD values = 0;
    DWORD longestName = 0;
    DWORD longestData = 0;
    if (::RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values,
                           &longestName, &longestData, nullptr, nullptr) != ERROR_SUCCESS) {
        throw AskReg{};
    }
    if (values > 0 || recursing) {
        answer.Line(keyName);
    }
    std::vector<wchar_t> name(longestName + 2);
    std::vector<BYTE> data(longestData + 2 * sizeof(wchar_t), 0);
    DWORD shown = 0;
    for (;; ++shown) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        DWORD size = static_cast<DWORD>(data.size());
        DWORD type = 0;
        const LONG rc = ::RegEnumValueW(key, shown, name.data(), &nameLength, nullptr, &type,
                                        data.data(), &size);
        if (rc == ERROR_NO_MORE_ITEMS) {
            break;
        }
        if (rc != ERROR_SUCCESS) {
            throw AskReg{}; // a value written while it was read
        }
        answer.Value(std::wstring(name.data(), nameLength), type, data, size);
    }
    if (shown > 0 || recursing) {
        answer.Line(L"");
    }
    for (const std::wstring& subkey : SubkeyNames(key)) {
        const std::wstring subkeyName = keyName + L"\\" + subkey;
        if (!question.recurse) {
            answer.Line(subkeyName);
            continue;
        }
        tavlin::UniqueHkey child;
        if (::RegOpenKeyExW(key, subkey.c_str(), 0, KEY_READ | question.view, child.put()) ==
            ERROR_SUCCESS) {
            AllOf(child.get(), subkeyName, question, true, answer);
        }
    }
}

// reg's exit code; its output in answer.
int Run(const Question& question, Answer& answer) {
    tavlin::UniqueHkey key;
    if (::RegOpenKeyExW(question.root, question.path.c_str(), 0, KEY_READ | question.view,
                        key.put()) != ERROR_SUCCESS) {
        answer.Line(L"reg: Unable to find the specified registry key");
        return 1;
    }
    answer.Line(L"");
    if (!question.value && !question.defaultValue) {
        AllOf(key.get(), question.keyName, question, false, answer);
        return 0;
    }
    const std::wstring name = question.value.value_or(std::wstring());
    DWORD type = 0;
    DWORD size = 0;
    std::vector<BYTE> data;
    if (ReadValue(key.get(), name.c_str(), type, data, size)) {
        answer.Line(question.keyName);
        answer.Value(name, type, data, size);
        answer.Line(L"");
        return 0;
    }
    if (question.value) {
        answer.Line(L"reg: Unable to find the specified registry value");
        return 1;
    }
    answer.Line(question.keyName);
    answer.Line(L"    (Default)    REG_SZ    (value not set)");
    return 0;
}

// The output as reg writes it to a file: in the OEM code page.
bool WriteAnswer(const std::wstring& file, const std::wstring& text) {
    const UINT codePage = ::GetOEMCP();
    std::string bytes;
    if (!text.empty()) {
        const int length = ::WideCharToMultiByte(
            codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
        if (length <= 0) {
            return false;
        }
        bytes.resize(static_cast<std::size_t>(length));
        ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                              length, nullptr, nullptr);
    }
    const HANDLE opened = ::CreateFileW(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                        CREATE_ALWAYS, 0, nullptr);
    if (opened == INVALID_HANDLE_VALUE) {
        return false;
    }
    const tavlin::UniqueHandle out(opened);
    DWORD written = 0;
    const bool ok =
        ::WriteFile(out.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size();
    return ok;
}

std::string Reply(const std::string& line) {
    std::vector<std::string> fields(1);
    for (const char c : line) {
        if (c == '\x1f') {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    const std::string said = fields[0] + ' ';
    if (fields.size() < 4 || fields[1] != "query") {
        return said + "ask reg";
    }
    const std::wstring file = Widen(fields[2]);
    std::vector<std::wstring> args;
    for (std::size_t i = 3; i < fields.size(); ++i) {
        args.push_back(Widen(fields[i]));
    }
    Answer answer;
    const int rc = Run(Parse(args), answer);
    return said + (WriteAnswer(file, answer.Text()) ? std::to_string(rc) : "ask reg");
}

bool WriteLine(HANDLE out, const std::string& text) {
    const std::string line = text + "\n";
    DWORD written = 0;
    return ::WriteFile(out, line.data(), static_cast<DWORD>(line.size()), &written, nullptr) &&
           written == line.size();
}

} // namespace

int wmain() {
    try {
        const HANDLE in = ::GetStdHandle(STD_INPUT_HANDLE);
        const HANDLE out = ::GetStdHandle(STD_OUTPUT_HANDLE);
        std::string pending;
        char buffer[4096];
        DWORD got = 0;
        while (::ReadFile(in, buffer, sizeof buffer, &got, nullptr) && got > 0) {
            pending.append(buffer, got);
            std::size_t end;
            while ((end = pending.find('\n')) != std::string::npos) {
                const std::string line = pending.substr(0, end);
                pending.erase(0, end + 1);
                std::string reply;
                try {
                    reply = Reply(line);
                } catch (...) {
                    reply = line.substr(0, line.find('\x1f')) + " ask reg";
                }
                if (!WriteLine(out, reply)) {
                    return 1;
                }
            }
        }
        return 0;
    } catch (...) {
        return 1;
    }
}
