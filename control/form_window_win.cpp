#include "control/form_window_win.h"

#include "common/accessible_win.h"
#include "common/error.h"
#include "common/product.h"
#include "common/text_win.h"
#include "common/window_helpers_win.h"
#include "control/control_ids.h"
#include "control/layout.h"
#include "control/resource_ids.h"
#include "control/texts.h"

#include <algorithm>
#include <optional>
#include <string>
#include <tuple>

#include <commctrl.h>
#include <oleacc.h>

namespace tavlin::control {
namespace {

// The order boxes appear on the page, top to bottom and column by column,
// which is also the order Tab visits them.
constexpr int kVisualBoxOrder[kBoxCount] = {0, 1, 2, 11, 3, 4, 5, 6, 9, 8, 7, 10};

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

RECT ToRect(int x, int y, int width, int height) {
    return {x, y, x + width, y + height};
}

// The note is a read-only edit so that it can scroll; a click puts
// the focus there, and a multi-line edit would then keep Enter, Esc and Tab
// from the dialog manager. It gets none of them.
LRESULT CALLBACK NoteProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                          DWORD_PTR) {
    try {
        const LRESULT result = ::DefSubclassProc(hwnd, message, wParam, lParam);
        if (message == WM_GETDLGCODE) {
            return result & ~static_cast<LRESULT>(DLGC_WANTALLKEYS | DLGC_WANTTAB);
        }
        return result;
    } catch (...) {
        return 0;
    }
}

// The address is a link to a screen reader, not the text Windows' own
// object would call it.
LRESULT CALLBACK LinkProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                          DWORD_PTR) {
    try {
        if (message == WM_GETOBJECT) {
            const std::wstring address = Utf8ToWide(kMakerWebAddress);
            if (const LRESULT answer = AnswerAccessibleObject(
                    hwnd, wParam, lParam, {ROLE_SYSTEM_LINK, address, address})) {
                return answer;
            }
        }
        return ::DefSubclassProc(hwnd, message, wParam, lParam);
    } catch (...) {
        return 0;
    }
}

int TextWidth(HDC dc, std::wstring_view text) {
    SIZE size{};
    if (!::GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size)) {
        throw PlatformError(::GetLastError());
    }
    return size.cx;
}

} // namespace

// --- Window ------------------------------------------------------------------

FormWindow::FormWindow(HINSTANCE instance)
    : instance_(instance), language_(ChooseLanguage(::GetUserDefaultUILanguage()).language),
      form_(store_, computerPolicy_, userPolicy_, *this, addin_, language_) {}

bool FormWindow::RegisterClasses(HINSTANCE instance) {
    WNDCLASSEXW form{};
    form.cbSize = sizeof form;
    form.lpfnWndProc = &FormWindow::FormProc;
    form.hInstance = instance;
    form.hCursor = nullptr; // WM_SETCURSOR decides, by the pointer rules
    form.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    form.lpszClassName = kFormClassName;
    form.hIcon = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(TAVLINAR_ICON),
                                                 IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
    WNDCLASSEXW page = form;
    page.lpfnWndProc = &FormWindow::PageProc;
    page.lpszClassName = kPageClassName;
    page.hIcon = nullptr;
    return ::RegisterClassExW(&form) != 0 && ::RegisterClassExW(&page) != 0;
}

int FormWindow::Px(int twips) const {
    return TwipsToPixels(twips, dpi_);
}

bool FormWindow::Create() {
    // The controls inherit the mirrored layout from their window.
    const DWORD exStyle = IsRightToLeft(language_) ? WS_EX_LAYOUTRTL : 0;
    hwnd_ = ::CreateWindowExW(exStyle, kFormClassName, L"", kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                              100, 100, nullptr, nullptr, instance_, this);
    if (hwnd_ == nullptr) {
        return false;
    }
    // A window without its controls is no use to anyone.
    try {
        dpi_ = WindowDpi(hwnd_);
        CreateFonts();
        FitToTheTexts();
        const SIZE outer =
            FrameSizeFor(Px(kInnerWidth) + fit_.extra, Px(kInnerHeight), kStyle, 0, dpi_);
        ::SetWindowPos(hwnd_, nullptr, 0, 0, outer.cx, outer.cy,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        CreateControls();
    } catch (...) {
        // Nobody to tell yet: the program ends with a failure exit code.
        ::DestroyWindow(hwnd_);
        return false;
    }
    return true;
}

void FormWindow::Start() {
    form_.InitializeFromStore();
    form_.PrepareToShow();
    ::ShowWindow(hwnd_, SW_SHOWNORMAL);
    ::UpdateWindow(hwnd_);
    ::SetFocus(boxes_[kClassicBox]);
    ShowFocusAlways();
}

// Windows hides focus rectangles until the keyboard is first used; a user
// who never touches the mouse must see from the start where the focus is.
void FormWindow::ShowFocusAlways() {
    ::SendMessageW(hwnd_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
}

bool FormWindow::TranslateKey(const MSG& message) {
    // Ctrl+Tab and Ctrl+Shift+Tab switch the page, as in any dialog with
    // tabs; the dialog manager would take them for Tab.
    if (message.message != WM_KEYDOWN || message.wParam != VK_TAB ||
        (::GetKeyState(VK_CONTROL) & 0x8000) == 0 || tab_ == nullptr ||
        (message.hwnd != hwnd_ && !::IsChild(hwnd_, message.hwnd))) {
        return false;
    }
    const auto current = static_cast<int>(::SendMessageW(tab_, TCM_GETCURSEL, 0, 0));
    const int next = (current + 1) % 2; // two pages: forward and back are the same
    ::SendMessageW(tab_, TCM_SETCURFOCUS, static_cast<WPARAM>(next), 0);
    return true;
}

void FormWindow::CreateFonts() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    LOGFONTW base{};
    if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        base = metrics.lfMessageFont;
        // Given at the system DPI; a per-monitor window may be on another.
        base.lfHeight = ::MulDiv(base.lfHeight, dpi_, SystemDpi());
    } else {
        base.lfHeight = -::MulDiv(8, dpi_, 72);
        ::lstrcpynW(base.lfFaceName, L"MS Shell Dlg 2", LF_FACESIZE);
    }
    SuitFontToScript(base, language_);
    font_.reset(::CreateFontIndirectW(&base));
    LOGFONTW bold = base;
    bold.lfWeight = FW_BOLD;
    boldFont_.reset(::CreateFontIndirectW(&bold));
    LOGFONTW link = base;
    link.lfUnderline = TRUE;
    linkFont_.reset(::CreateFontIndirectW(&link));
}

std::wstring FormWindow::Say(Text key) const {
    return Utf8ToWide(TextOf(language_, key));
}

// Measured in the font the controls draw with: the English design's widths
// hold for English alone.
void FormWindow::FitToTheTexts() {
    TextWidths widths;
    {
        const WindowDc dc(hwnd_, font_.get());
        if (!dc) {
            throw PlatformError(::GetLastError());
        }
        for (int i = 0; i < kBoxCount; ++i) {
            widths.captions[static_cast<std::size_t>(i)] = TextWidth(dc.get(), Say(BoxCaption(i)));
        }
        widths.ok = TextWidth(dc.get(), Say(Text::Ok));
        widths.cancel = TextWidth(dc.get(), Say(Text::Cancel));
        widths.websiteLabel = TextWidth(dc.get(), Say(Text::WebsiteLabel));
        widths.website = TextWidth(dc.get(), Utf8ToWide(kMakerWebAddress));
    }
    // The box's square and the gap Windows leaves before the caption.
    widths.checkBox =
        SystemMetricForDpi(SM_CXMENUCHECK, dpi_) + 2 * SystemMetricForDpi(SM_CXEDGE, dpi_);
    fit_ = FitToTexts(widths, dpi_);
}

HWND FormWindow::Child(HWND parent, const wchar_t* cls, std::wstring_view text, DWORD style, RECT r,
                       int id) {
    const std::wstring caption(text);
    HWND child =
        ::CreateWindowExW(0, cls, caption.c_str(), WS_CHILD | WS_VISIBLE | style, r.left, r.top,
                          r.right - r.left, r.bottom - r.top, parent,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
    if (child == nullptr) {
        throw PlatformError(::GetLastError());
    }
    ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    return child;
}

void FormWindow::CreateControls() {
    const RECT tabRect = ToRect(Px(kTabRect.left), Px(kTabRect.top),
                                Px(kTabRect.width) + fit_.extra, Px(kTabRect.height));
    // Pages first, then the buttons, the tab control last: children are
    // stacked in the order they are made, so the pages lie above the tab
    // control (which clips them out of its painting) and Tab visits the
    // boxes before the buttons.
    tab_ = ::CreateWindowExW(
        0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS, tabRect.left,
        tabRect.top, tabRect.right - tabRect.left, tabRect.bottom - tabRect.top, hwnd_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTabControlId)), instance_, nullptr);
    if (tab_ == nullptr) {
        throw PlatformError(::GetLastError());
    }
    ::SendMessageW(tab_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    for (int i = 0; i < 2; ++i) {
        std::wstring caption = Say(i == 0 ? Text::TabWord : Text::TabAbout);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = caption.data();
        ::SendMessageW(tab_, TCM_INSERTITEMW, static_cast<WPARAM>(i),
                       reinterpret_cast<LPARAM>(&item));
    }
    // The page area below the tab strip, in the tab control's coordinates.
    RECT display{0, 0, tabRect.right - tabRect.left, tabRect.bottom - tabRect.top};
    ::SendMessageW(tab_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));

    // The frames keep their designed place unless the tab strip of this
    // font is taller than the design allowed for.
    const int frameTop = std::max(Px(kFrameRect.top), static_cast<int>(display.top) + Px(60));
    const int frameBottom =
        std::min(Px(kFrameRect.Bottom()), static_cast<int>(display.bottom) - Px(60));
    const int frameLeft = Px(kFrameRect.left);
    const int frameWidth = Px(kFrameRect.width) + fit_.extra;

    for (int p = 0; p < 2; ++p) {
        pages_[static_cast<std::size_t>(p)] = ::CreateWindowExW(
            WS_EX_CONTROLPARENT, kPageClassName, L"",
            WS_CHILD | WS_CLIPSIBLINGS | (p == 0 ? WS_VISIBLE : 0), tabRect.left + display.left,
            tabRect.top + display.top, display.right - display.left, display.bottom - display.top,
            hwnd_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(p == 0 ? kWordPageId : kAboutPageId)),
            instance_, this);
        if (pages_[static_cast<std::size_t>(p)] == nullptr) {
            throw PlatformError(::GetLastError());
        }
    }
    // Page coordinates of a place given inside a frame.
    const int frameX = frameLeft - display.left;
    const int frameY = frameTop - display.top;
    auto inFrame = [&](const TwipsRect& r, int extraWidth = 0) {
        return ToRect(frameX + Px(r.left), frameY + Px(r.top), Px(r.width) + extraWidth,
                      Px(r.height));
    };
    auto spanInFrame = [&](const PixelSpan& span, int top, int height) {
        return ToRect(frameX + span.left, frameY + Px(top), span.width, Px(height));
    };

    const RECT frameRect = ToRect(frameX, frameY, frameWidth, frameBottom - frameTop);
    frames_[0] = Child(pages_[0], WC_BUTTONW, L"", BS_GROUPBOX, frameRect, kFrame1Id);
    for (const int index : kVisualBoxOrder) {
        const auto at = static_cast<std::size_t>(index);
        boxes_[at] =
            Child(pages_[0], WC_BUTTONW, Say(BoxCaption(index)),
                  BS_CHECKBOX | WS_TABSTOP | WS_CLIPSIBLINGS,
                  spanInFrame(fit_.boxes[at], kBoxes[at].top, kBoxHeight), kFirstBoxId + index);
    }

    // Read-only and scrolling, as an administrator's policy may be wrong
    // for several keys at once; hidden until there is something to say. A
    // machine-wide installation's line shares it, above the policy's, so
    // the two never overlap.
    policyNote_ =
        Child(pages_[0], WC_EDITW, L"", ES_MULTILINE | ES_READONLY | WS_VSCROLL | WS_CLIPSIBLINGS,
              inFrame(kPolicyNoteRect, fit_.extra), kPolicyNoteId);
    ::ShowWindow(policyNote_, SW_HIDE);
    ::SetWindowSubclass(policyNote_, &NoteProc, 0, 0);

    frames_[1] = Child(pages_[1], WC_BUTTONW, L"", BS_GROUPBOX, frameRect, kFrame2Id);
    // The design left a placeholder here for the program's name.
    HWND title =
        Child(pages_[1], WC_STATICW, Utf8ToWide(kAppTitle), SS_LEFT | SS_NOPREFIX | WS_CLIPSIBLINGS,
              inFrame(kTitleRect, fit_.extra), kTitleId);
    ::SendMessageW(title, WM_SETFONT, reinterpret_cast<WPARAM>(boldFont_.get()), FALSE);
    RECT line = inFrame(kLineRect);
    line.bottom = line.top + 2;
    Child(pages_[1], WC_STATICW, L"", SS_ETCHEDHORZ | WS_CLIPSIBLINGS, line, kLineId);
    Child(pages_[1], WC_STATICW, Say(Text::WebsiteLabel), SS_LEFT | SS_NOPREFIX | WS_CLIPSIBLINGS,
          spanInFrame(fit_.websiteLabel, kWebsiteLabelRect.top, kWebsiteLabelRect.height),
          kWebsiteLabelId);
    // SS_NOTIFY: without it a static is transparent to the mouse, and the
    // link could neither be clicked nor show the hand.
    website_ = Child(pages_[1], WC_STATICW, Utf8ToWide(kMakerWebAddress),
                     SS_LEFT | SS_NOPREFIX | SS_NOTIFY | WS_CLIPSIBLINGS,
                     spanInFrame(fit_.website, kWebsiteRect.top, kWebsiteRect.height), kWebsiteId);
    ::SetWindowSubclass(website_, &LinkProc, 0, 0);

    ok_ = Child(hwnd_, WC_BUTTONW, Say(Text::Ok), BS_DEFPUSHBUTTON | WS_TABSTOP,
                ToRect(fit_.ok.left, Px(kOkRect.top), fit_.ok.width, Px(kOkRect.height)),
                kOkButtonId);
    cancel_ = Child(
        hwnd_, WC_BUTTONW, Say(Text::Cancel), BS_PUSHBUTTON | WS_TABSTOP,
        ToRect(fit_.cancel.left, Px(kCancelRect.top), fit_.cancel.width, Px(kCancelRect.height)),
        kCancelButtonId);
    // The frames go under what they hold, or the clipping would hide it.
    for (const HWND frame : {frames_[0], frames_[1], tab_}) {
        ::SetWindowPos(frame, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

// The window moved to a monitor of another DPI (a per-monitor window only):
// made again at that DPI, fonts, widths and controls, each control as the
// user left it. The suggestion's corner is kept; the size is our own, from
// the texts measured anew, so that none is cut.
void FormWindow::OnDpiChanged(int dpi, const RECT& suggested) {
    std::array<LRESULT, kBoxCount> checks{};
    std::array<bool, kBoxCount> enabled{};
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        checks[i] = ::SendMessageW(boxes_[i], BM_GETCHECK, 0, 0);
        enabled[i] = ::IsWindowEnabled(boxes_[i]) != FALSE;
    }
    const int page = static_cast<int>(::SendMessageW(tab_, TCM_GETCURSEL, 0, 0));
    std::wstring note(static_cast<std::size_t>(::GetWindowTextLengthW(policyNote_)) + 1, L'\0');
    note.resize(static_cast<std::size_t>(
        std::max(0, ::GetWindowTextW(policyNote_, note.data(), static_cast<int>(note.size())))));
    const bool noteShown = ::IsWindowVisible(policyNote_) != FALSE;
    const HWND focus = ::GetFocus();
    const int focusId = focus != nullptr && ::IsChild(hwnd_, focus) ? ::GetDlgCtrlID(focus) : 0;

    // The old controls go before the fonts they draw with.
    for (HWND child = ::GetWindow(hwnd_, GW_CHILD); child != nullptr;
         child = ::GetWindow(hwnd_, GW_CHILD)) {
        ::DestroyWindow(child);
    }
    dpi_ = dpi;
    underlined_ = false;
    CreateFonts();
    FitToTheTexts();
    const SIZE outer =
        FrameSizeFor(Px(kInnerWidth) + fit_.extra, Px(kInnerHeight), kStyle, 0, dpi_);
    ::SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, outer.cx, outer.cy,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    CreateControls();

    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        ::SendMessageW(boxes_[i], BM_SETCHECK, static_cast<WPARAM>(checks[i]), 0);
        ::EnableWindow(boxes_[i], enabled[i] ? TRUE : FALSE);
    }
    ::SetWindowTextW(policyNote_, note.c_str());
    ::ShowWindow(policyNote_, noteShown ? SW_SHOW : SW_HIDE);
    ::SendMessageW(tab_, TCM_SETCURSEL, static_cast<WPARAM>(page), 0);
    ShowPage(page);
    ShowFocusAlways();
    if (focusId != 0) {
        if (HWND again = FindDescendant(focusId)) {
            ::SetFocus(again);
        }
    }
}

HWND FormWindow::FindDescendant(int id) const {
    if (HWND direct = ::GetDlgItem(hwnd_, id)) {
        return direct;
    }
    for (const HWND page : pages_) {
        if (HWND inPage = ::GetDlgItem(page, id)) {
            return inPage;
        }
    }
    return nullptr;
}

void FormWindow::ShowPage(int page) {
    const HWND focus = ::GetFocus();
    for (int p = 0; p < 2; ++p) {
        ::ShowWindow(pages_[static_cast<std::size_t>(p)], p == page ? SW_SHOW : SW_HIDE);
    }
    // Focus must not stay on a box of the page just hidden.
    if (focus != nullptr && ::IsChild(hwnd_, focus) && !::IsWindowVisible(focus)) {
        ::SetFocus(tab_);
    }
}

// --- FormView ---------------------------------------------------------------

void FormWindow::ShowErrorBox(std::string_view text, std::string_view title) {
    const std::wstring wideText = Utf8ToWide(text);
    const std::wstring wideTitle = Utf8ToWide(title);
    ::MessageBoxW(hwnd_, wideText.c_str(), wideTitle.c_str(),
                  MB_OK | MB_ICONWARNING | MB_TASKMODAL | ReadingOrder(language_));
}

void FormWindow::ApplySkin() {
    tavlin::ApplySkin(hwnd_);
}

void FormWindow::SetCaption(std::string_view caption) {
    const std::wstring text = Utf8ToWide(caption);
    if (!::SetWindowTextW(hwnd_, text.c_str())) {
        throw PlatformError(::GetLastError());
    }
}

void FormWindow::SetProgramIcon() {
    for (const auto& [which, cx, cy] : {std::tuple{ICON_BIG, SM_CXICON, SM_CYICON},
                                        std::tuple{ICON_SMALL, SM_CXSMICON, SM_CYSMICON}}) {
        // Shared icons belong to the system's cache; nothing to free.
        const auto icon = static_cast<HICON>(
            ::LoadImageW(instance_, MAKEINTRESOURCEW(TAVLINAR_ICON), IMAGE_ICON,
                         ::GetSystemMetrics(cx), ::GetSystemMetrics(cy), LR_SHARED));
        if (icon == nullptr) {
            throw PlatformError(::GetLastError());
        }
        ::SendMessageW(hwnd_, WM_SETICON, static_cast<WPARAM>(which),
                       reinterpret_cast<LPARAM>(icon));
    }
}

void FormWindow::CenterForm() {
    RECT r{};
    if (!::GetWindowRect(hwnd_, &r)) {
        throw PlatformError(::GetLastError());
    }
    const int x = CenteredOrigin(::GetSystemMetrics(SM_CXSCREEN), r.right - r.left);
    const int y = CenteredOrigin(::GetSystemMetrics(SM_CYSCREEN), r.bottom - r.top);
    ::SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool FormWindow::HandPointerFileExists() {
    return FileExists(ProgramFolder() + std::wstring(kHandCursorFile));
}

void FormWindow::LoadHandPointer() {
    const std::wstring path = ProgramFolder() + std::wstring(kHandCursorFile);
    UniqueCursor cursor(::LoadCursorFromFileW(path.c_str()));
    if (!cursor) {
        throw PlatformError(::GetLastError());
    }
    hand_ = std::move(cursor);
}

void FormWindow::ShowBox(int index, BoxState state) {
    ::SendMessageW(boxes_.at(static_cast<std::size_t>(index)), BM_SETCHECK,
                   state == kSet ? BST_CHECKED : BST_UNCHECKED, 0);
}

void FormWindow::LockBox(int index) {
    ::EnableWindow(boxes_.at(static_cast<std::size_t>(index)), FALSE);
}

void FormWindow::ShowPolicyNote(std::string_view text) {
    std::wstring lines;
    for (const wchar_t character : Utf8ToWide(text)) {
        if (character == L'\n') {
            lines += L'\r';
        }
        lines += character;
    }
    if (!::SetWindowTextW(policyNote_, lines.c_str())) {
        throw PlatformError(::GetLastError());
    }
    // The scroll bar only where the text needs it.
    const auto lineCount = static_cast<int>(::SendMessageW(policyNote_, EM_GETLINECOUNT, 0, 0));
    RECT area{};
    ::GetClientRect(policyNote_, &area);
    TEXTMETRICW metrics{};
    if (const WindowDc dc(policyNote_, font_.get()); dc) {
        ::GetTextMetricsW(dc.get(), &metrics);
    }
    const int lineHeight = metrics.tmHeight > 0 ? metrics.tmHeight : 16;
    ::ShowScrollBar(policyNote_, SB_VERT, lineCount * lineHeight > area.bottom - area.top);
    ::ShowWindow(policyNote_, lines.empty() ? SW_HIDE : SW_SHOW);
}

void FormWindow::OpenWebPage(std::string_view target) {
    tavlin::OpenWebPage(hwnd_, Utf8ToWide(target));
}

void FormWindow::CloseWindow() {
    if (!::DestroyWindow(hwnd_)) {
        throw PlatformError(::GetLastError());
    }
}

// --- Events ------------------------------------------------------------------

void FormWindow::OnCommand(int id, int code) {
    if (id == kOkButtonId || id == kCancelButtonId) {
        if (code == BN_CLICKED) {
            form_.PressButton(id == kOkButtonId ? kOkButton : kCancelButton);
        }
        return;
    }
    if (id >= kFirstBoxId && id < kFirstBoxId + kBoxCount) {
        if (code == BN_CLICKED) {
            form_.ClickBox(id - kFirstBoxId);
        }
        return;
    }
    if (id == kWebsiteId && code == STN_CLICKED) {
        form_.ClickWebsite();
    }
}

void FormWindow::SetLinkUnderline(bool on) {
    if (on == underlined_) {
        return;
    }
    underlined_ = on;
    ::SendMessageW(website_, WM_SETFONT,
                   reinterpret_cast<WPARAM>(on ? linkFont_.get() : font_.get()), TRUE);
}

bool FormWindow::OnSetCursor(HWND over, UINT hitTest, UINT mouseMessage) {
    if (hitTest != HTCLIENT) {
        return false;
    }
    if (mouseMessage == WM_MOUSEMOVE) {
        std::optional<PointerArea> area;
        POINT pt{};
        ::GetCursorPos(&pt);
        auto inFrame = [&](int page) {
            RECT r{};
            ::GetWindowRect(frames_[static_cast<std::size_t>(page)], &r);
            return ::PtInRect(&r, pt) != FALSE;
        };
        if (over == website_) {
            area = PointerArea::Website;
        } else if (std::find(boxes_.begin(), boxes_.end(), over) != boxes_.end()) {
            area = PointerArea::CheckBox;
        } else if (over == ok_ || over == cancel_) {
            area = PointerArea::Button;
        } else if (over == hwnd_) {
            area = PointerArea::WindowSurface;
        } else if (over == pages_[0] && inFrame(0)) {
            area = PointerArea::Frame1;
        } else if (over == pages_[1] && inFrame(1)) {
            area = PointerArea::Frame2;
        }
        // The tab strip and the page outside the frames have no rule.
        if (area) {
            SetLinkUnderline(form_.PointerMove(*area).linkUnderlined);
        }
    }
    // A custom pointer without its picture shows the standard arrow.
    const HCURSOR cursor =
        form_.Pointer().handPointer && hand_ ? hand_.get() : ::LoadCursorW(nullptr, IDC_ARROW);
    ::SetCursor(cursor);
    return true;
}

HBRUSH FormWindow::OnControlColor(HDC dc, HWND control) {
    if (HBRUSH skin = SkinBackground(hwnd_, dc)) {
        if (control == website_) {
            ::SetTextColor(dc, LinkColor());
        }
        return skin;
    }
    if (control == website_) {
        ::SetTextColor(dc, LinkColor());
        ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
        return ::GetSysColorBrush(COLOR_BTNFACE);
    }
    return nullptr;
}

LRESULT FormWindow::DefaultButtonId() const {
    // Enter presses the focused push button, else OK, as dialogs do.
    const HWND focus = ::GetFocus();
    const int id = focus == cancel_ ? kCancelButtonId : kOkButtonId;
    return MAKELRESULT(id, DC_HASDEFID);
}

LRESULT FormWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header != nullptr && header->hwndFrom == tab_ && header->code == TCN_SELCHANGE) {
            ShowPage(static_cast<int>(::SendMessageW(tab_, TCM_GETCURSEL, 0, 0)));
        }
        return 0;
    }
    case WM_SETCURSOR:
        if (OnSetCursor(reinterpret_cast<HWND>(wParam), LOWORD(lParam), HIWORD(lParam))) {
            return TRUE;
        }
        break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        if (HBRUSH brush =
                OnControlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam))) {
            return reinterpret_cast<LRESULT>(brush);
        }
        break;
    case WM_ERASEBKGND:
        if (HBRUSH brush = SkinBackground(hwnd_, reinterpret_cast<HDC>(wParam))) {
            RECT r{};
            ::GetClientRect(hwnd_, &r);
            ::FillRect(reinterpret_cast<HDC>(wParam), &r, brush);
            return TRUE;
        }
        break;
    case DM_GETDEFID:
        return DefaultButtonId();
    case kWmDpiChanged:
        if (const auto* suggested = reinterpret_cast<const RECT*>(lParam)) {
            OnDpiChanged(HIWORD(wParam), *suggested);
        }
        return 0;
    case WM_DESTROY:
        // Form_Unload: the program ends with its window.
        hwnd_ = nullptr;
        ::PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return ::DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK FormWindow::FormProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        if (message == WM_NCCREATE) {
            auto* self = static_cast<FormWindow*>(
                reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
            self->hwnd_ = hwnd;
            ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        }
        auto* self = reinterpret_cast<FormWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (self == nullptr || self->hwnd_ != hwnd) {
            return ::DefWindowProcW(hwnd, message, wParam, lParam);
        }
        return self->OnMessage(message, wParam, lParam);
    } catch (...) {
        // An untrapped handler (a box click, the link) failed: the window
        // stays as it is rather than taking the program down, and has no
        // box for these.
        return 0;
    }
}

// The pages hand what their controls tell them to the window, and paint
// their own ground like it.
LRESULT CALLBACK FormWindow::PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        switch (message) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            return ::SendMessageW(::GetParent(hwnd), message, wParam, lParam);
        case WM_ERASEBKGND:
            if (HBRUSH brush = SkinBackground(::GetParent(hwnd), reinterpret_cast<HDC>(wParam))) {
                RECT r{};
                ::GetClientRect(hwnd, &r);
                ::FillRect(reinterpret_cast<HDC>(wParam), &r, brush);
                return TRUE;
            }
            break;
        default:
            break;
        }
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    } catch (...) {
        // As for the window: the page stays as it is.
        return 0;
    }
}

} // namespace tavlin::control
