#include "addin/about/about_model.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace tavlin::about {
namespace {

TEST(VersionText, MajorMinorRevisionInDecimalWhereTheLanguagePutsIt) {
    EXPECT_EQ(VersionText(Language::English, 7, 0, 0), "Version 7.0.0");
    EXPECT_EQ(VersionText(Language::English, 10, 2, 65535), "Version 10.2.65535");
    EXPECT_EQ(VersionText(Language::English, 0, 0, 0), "Version 0.0.0");
    EXPECT_EQ(VersionText(Language::Spanish, 7, 1, 2), "Versión 7.1.2");
    EXPECT_EQ(VersionText(Language::Japanese, 7, 1, 2), "バージョン 7.1.2");
    for (const Language language : kAllLanguages) {
        const std::string line = VersionText(language, 123, 45, 6789);
        EXPECT_NE(line.find("123.45.6789"), std::string::npos) << line;
        EXPECT_EQ(line.find("%1"), std::string::npos) << line;
    }
}

TEST(UninstallMessage, TwoLinesApartByOneEmptyLineOfSingleCrs) {
    EXPECT_EQ(TextsFor(Language::English).uninstallMessage,
              "To uninstall, close Word and then go to"
              "\r\r"
              "Start > Program Files > Tavlin > Uninstall Tavlin");
    for (const Language language : kAllLanguages) {
        const std::string_view message = TextsFor(language).uninstallMessage;
        EXPECT_EQ(message.find('\n'), std::string_view::npos) << message;
        const auto gap = message.find("\r\r");
        ASSERT_NE(gap, std::string_view::npos) << message;
        EXPECT_GT(gap, 0u) << message;
        EXPECT_EQ(message.find('\r', gap + 2), std::string_view::npos) << message;
        // The shortcut is named by the installer, the same in every language.
        EXPECT_TRUE(message.ends_with(" > Tavlin > Uninstall Tavlin")) << message;
    }
}

TEST(MouseMoved, LinkUnderlineAndPointerFollowTheMouse) {
    using S = PointerState;
    struct Case {
        S before;
        MouseOver where;
        S after;
    };
    const Case cases[] = {
        {{false, Pointer::Default}, MouseOver::Link, {true, Pointer::Custom}},
        {{true, Pointer::Custom}, MouseOver::Background, {false, Pointer::Default}},
        {{true, Pointer::Custom}, MouseOver::Button, {true, Pointer::Custom}},
        {{false, Pointer::Default}, MouseOver::Button, {false, Pointer::Custom}},
        {{false, Pointer::Custom}, MouseOver::Background, {false, Pointer::Default}},
        {{true, Pointer::Default}, MouseOver::Link, {true, Pointer::Custom}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MouseMoved(c.before, c.where), c.after)
            << static_cast<int>(c.before.pointer) << " " << static_cast<int>(c.where);
    }
}

std::vector<std::uint8_t> Utf16Bytes(std::u16string_view text) {
    std::vector<std::uint8_t> bytes;
    for (const char16_t c : text) {
        bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    return bytes;
}

TEST(KeyValueText, StringsLoseOnlyTheOneNulTheQueryCounted) {
    struct Case {
        std::u16string stored; // as the query returned it
        std::u16string text;
    };
    const Case cases[] = {
        {std::u16string(u"C:\\msinfo32.exe\0", 16), u"C:\\msinfo32.exe"},
        {u"no terminator", u"no terminator"},
        {std::u16string(u"two\0\0", 5), std::u16string(u"two\0", 4)},
        {std::u16string(u"in\0side", 7), std::u16string(u"in\0side", 7)},
        {std::u16string(u"\0", 1), u""},
        {u"", u""},
        {u"\u00e9t\u00e9", u"\u00e9t\u00e9"},
    };
    for (const Case& c : cases) {
        const auto bytes = Utf16Bytes(c.stored);
        const auto text = KeyValueText(kRegSz, bytes);
        ASSERT_TRUE(text.has_value());
        EXPECT_EQ(*text, c.text) << c.stored.size();
    }
    // An odd trailing byte is no character.
    const std::uint8_t odd[] = {'a', 0, 'b'};
    EXPECT_EQ(KeyValueText(kRegSz, odd), u"a");
}

TEST(KeyValueText, DwordsReadAsDecimalFromTheirLittleEndianBytes) {
    struct Case {
        std::vector<std::uint8_t> bytes;
        std::u16string text;
    };
    const Case cases[] = {
        {{0x05, 0x01, 0x00, 0x00}, u"261"}, // each byte two hex digits: 0x00000105
        {{0x00, 0x00, 0x00, 0x00}, u"0"},
        {{0x0F, 0x00, 0x00, 0x10}, u"268435471"},
        {{0xFF, 0xFF, 0xFF, 0xFF}, u"4294967295"},
        {{0x2A}, u"42"},
        {{}, u"0"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(KeyValueText(kRegDword, c.bytes), c.text);
    }
    const std::uint8_t tooLong[] = {1, 0, 0, 0, 0};
    EXPECT_EQ(KeyValueText(kRegDword, tooLong), std::nullopt);
}

TEST(KeyValueText, OtherTypesLeaveTheTextUnchanged) {
    const auto bytes = Utf16Bytes(u"%SystemRoot%");
    for (const std::uint32_t type : {0u, 2u /* expand */, 3u /* binary */, 7u /* multi */, 11u}) {
        EXPECT_EQ(KeyValueText(type, bytes), std::nullopt) << type;
    }
}

TEST(SysInfoProgram, PathFirstThenTheFolderWithItsProgram) {
    std::set<std::u16string> files{u"D:\\Tools\\MSINFO32.EXE"};
    const auto exists = [&](const std::u16string& f) { return files.contains(f); };
    EXPECT_EQ(SysInfoProgram(u"C:\\x\\msinfo32.exe", u"D:\\Tools", exists), u"C:\\x\\msinfo32.exe");
    EXPECT_EQ(SysInfoProgram(std::nullopt, u"D:\\Tools", exists), u"D:\\Tools\\MSINFO32.EXE");
    // A folder without the program, and neither value: unavailable.
    EXPECT_EQ(SysInfoProgram(std::nullopt, u"E:\\Empty", exists), std::nullopt);
    EXPECT_EQ(SysInfoProgram(std::nullopt, std::nullopt, exists), std::nullopt);
}

} // namespace
} // namespace tavlin::about
