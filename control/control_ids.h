// Control ids and the window class of Tavlinar's window, shared with the
// test driver that finds and clicks them.
#pragma once

namespace tavlin::control {

inline constexpr const wchar_t* kFormClassName = L"TavlinarForm";
inline constexpr const wchar_t* kPageClassName = L"TavlinarPage";

// IDOK and IDCANCEL, so the dialog manager's Enter and Esc press them.
inline constexpr int kOkButtonId = 1;
inline constexpr int kCancelButtonId = 2;
inline constexpr int kTabControlId = 100;
inline constexpr int kWordPageId = 101;
inline constexpr int kAboutPageId = 102;
inline constexpr int kFrame1Id = 110;
inline constexpr int kFrame2Id = 111;
inline constexpr int kTitleId = 120;
inline constexpr int kLineId = 121;
inline constexpr int kWebsiteLabelId = 122;
inline constexpr int kWebsiteId = 123;
inline constexpr int kPolicyNoteId = 124;
// Box i has id kFirstBoxId + i.
inline constexpr int kFirstBoxId = 200;

} // namespace tavlin::control
