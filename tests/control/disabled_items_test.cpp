#include "control/disabled_items.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tavlin::control {
namespace {

using Bytes = std::vector<std::uint8_t>;

void Put32(Bytes& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    }
}

void PutUtf16(Bytes& out, std::u16string_view text) {
    for (const char16_t c : text) {
        out.push_back(static_cast<std::uint8_t>(c));
        out.push_back(static_cast<std::uint8_t>(c >> 8));
    }
}

// A value as Word writes it; pathBytes overrides the length field.
Bytes Item(std::u16string_view path, std::optional<std::uint32_t> pathBytes = std::nullopt,
           bool terminated = true) {
    const std::u16string description = u"Tavlin";
    Bytes out;
    Put32(out, 1);
    Put32(out, pathBytes.value_or(static_cast<std::uint32_t>(2 * (path.size() + 1))));
    Put32(out, static_cast<std::uint32_t>(2 * (description.size() + 1)));
    PutUtf16(out, path);
    if (terminated) {
        PutUtf16(out, std::u16string(1, u'\0'));
        PutUtf16(out, description);
        PutUtf16(out, std::u16string(1, u'\0'));
    }
    return out;
}

const std::vector<std::string> kOurs = {
    "C:\\Program Files\\Tavlin W\xC3\xB6rd\\TavlinAddin.dll",
    "C:\\Program Files\\Tavlin W\xC3\xB6rd\\x64\\TavlinAddin.dll",
};

TEST(DisabledItems, OnlyEntriesNamingEitherOfOurAddinsMatch) {
    const struct {
        std::u16string_view path;
        bool ours;
    } cases[] = {
        {u"C:\\Program Files\\Tavlin W\u00f6rd\\TavlinAddin.dll", true},
        {u"C:\\Program Files\\Tavlin W\u00f6rd\\x64\\TavlinAddin.dll", true},
        {u"c:\\program files\\tavlin w\u00d6rd\\X64\\tavlinaddin.DLL", true},
        {u"C:/Program Files/Tavlin W\u00f6rd/x64/../TavlinAddin.dll", true},
        {u"C:\\Program Files\\Other\\OtherAddin.dll", false},
        {u"C:\\Old Tavlin\\TavlinAddin.dll", false},
        {u"C:\\Program Files\\Tavlin W\u00f6rd\\x86\\TavlinAddin.dll", false},
        {u"C:\\Program Files\\Tavlin W\u00f6rd\\TavlinAddin.dll.bak", false},
    };
    for (const auto& [path, ours] : cases) {
        const Bytes value = Item(path);
        EXPECT_EQ(DisabledItemNamesAnyOf(value, kOurs), ours)
            << "reads " << DisabledItemFile(value).value_or("(unreadable)");
    }
    // Word's length may leave out the terminator.
    const std::u16string path = u"C:\\Program Files\\Tavlin W\u00f6rd\\TavlinAddin.dll";
    EXPECT_TRUE(DisabledItemNamesAnyOf(Item(path, 2 * path.size()), kOurs));
    // With no files of ours given, nothing is ours.
    EXPECT_FALSE(DisabledItemNamesAnyOf(Item(u"C:\\x\\TavlinAddin.dll"), {}));
}

TEST(DisabledItems, MalformedValuesAreIgnored) {
    const std::u16string ours = u"C:\\Program Files\\Tavlin W\u00f6rd\\TavlinAddin.dll";
    Bytes odd = Item(ours);
    odd.push_back(0);
    Bytes oddLength = Item(ours, 2 * static_cast<std::uint32_t>(ours.size()) + 1);
    Bytes tooLong = Item(ours, 0xFFFFFFF0u);
    Bytes unterminated = Item(ours, std::nullopt, false);
    Bytes cut = Item(ours);
    cut.resize(20);
    Bytes loneSurrogate = Item(u"C:\\\xD800x.dll");
    Bytes garbage(64, 0xFF);
    const std::vector<std::pair<const char*, Bytes>> cases = {
        {"empty", {}},
        {"header only", Bytes(12, 0)},
        {"too short", {1, 0, 0, 0, 8, 0}},
        {"odd path length", oddLength},
        {"length beyond the value", tooLong},
        {"no terminator", unterminated},
        {"cut off", cut},
        {"lone surrogate", loneSurrogate},
        {"garbage", garbage},
        {"empty path", Item(u"")},
        {"odd size", odd},
    };
    for (const auto& [name, data] : cases) {
        EXPECT_FALSE(DisabledItemNamesAnyOf(data, kOurs)) << name;
        EXPECT_FALSE(DisabledItemFile(data)) << name;
    }
}

TEST(DisabledItems, ReadsThePathWordWrote) {
    EXPECT_EQ(DisabledItemFile(Item(u"C:\\\u041f\\\U0001F600.dll")),
              "C:\\\xD0\x9F\\\xF0\x9F\x98\x80.dll");
    EXPECT_EQ(DisabledItemsKey("16.0"),
              "Software\\Microsoft\\Office\\16.0\\Word\\Resiliency\\DisabledItems");
}

} // namespace
} // namespace tavlin::control
