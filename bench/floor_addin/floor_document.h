// The document the floor add-in answers: a constant customUI document as
// long as Tavlin's default one, so the two differ only in how they get it.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace floor_addin {

// Tavlin's default document in UTF-16 code units, as Word receives it.
inline constexpr std::size_t kDocumentLength = 44022;

// One tab holding one group of numbered buttons; the last button's label
// grows by the characters no whole button fills. A NUL follows.
template <std::size_t Length> constexpr std::array<wchar_t, Length + 1> MakeDocument() {
    constexpr std::wstring_view head =
        L"<customUI xmlns=\"http://schemas.microsoft.com/office/2006/01/customui\">"
        L"<ribbon><tabs><tab id=\"Floor\" label=\"Floor\"><group id=\"Floor\" label=\"Floor\">";
    constexpr std::wstring_view tail = L"</group></tab></tabs></ribbon></customUI>";
    constexpr std::wstring_view buttonOpen = L"<button id=\"f00000\" label=\"Floor";
    constexpr std::wstring_view buttonClose = L"\"/>";
    constexpr std::size_t digitsAt = 13; // the first of the id's five digits
    constexpr std::size_t buttonSize = buttonOpen.size() + buttonClose.size();
    static_assert(Length >= head.size() + buttonSize + tail.size());
    constexpr std::size_t room = Length - head.size() - tail.size();
    constexpr std::size_t buttons = room / buttonSize;
    static_assert(buttons < 100000);

    std::array<wchar_t, Length + 1> document{};
    std::size_t at = 0;
    const auto write = [&](std::wstring_view part) {
        for (const wchar_t c : part) {
            document[at++] = c;
        }
    };
    write(head);
    for (std::size_t button = 1; button <= buttons; ++button) {
        write(buttonOpen);
        // The button's number, written from its last digit back.
        for (std::size_t digit = 0, rest = button; digit < 5; ++digit, rest /= 10) {
            document[at - buttonOpen.size() + digitsAt + 4 - digit] =
                static_cast<wchar_t>(L'0' + rest % 10);
        }
        if (button == buttons) {
            for (std::size_t filler = 0; filler < room % buttonSize; ++filler) {
                document[at++] = L'r';
            }
        }
        write(buttonClose);
    }
    write(tail);
    return document;
}

inline constexpr auto kDocument = MakeDocument<kDocumentLength>();

} // namespace floor_addin
