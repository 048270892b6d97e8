#include "addin/about/about_window_win.h"

#include "addin/about/about_model.h"
#include "addin/com/module_win.h"
#include "common/error.h"
#include "common/product.h"
#include "common/text_win.h"
#include "common/unique_win.h"
#include "common/window_helpers_win.h"

#include <shellapi.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

namespace tavlin::about {
namespace {

enum ControlId : int {
    kTitleId = 100,
    kVersionId,
    kWebsiteId,
    kLinkId,
    kLineTopId,
    kLineBottomId,
    kOkId = IDOK,
};

// The English window's size; longer texts widen it, never narrow it.
constexpr int kMargin = 20;
constexpr int kMinContentWidth = 300;
constexpr int kMinButtonWidth = 80;
constexpr int kButtonPadding = 24;

// The add-in's version from its own version resource, so the window can
// never disagree with the file.
std::string VersionFromResource(Language language) {
    const HMODULE self = module::Handle();
    HRSRC found = ::FindResourceW(self, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(16)); // RT_VERSION
    if (found == nullptr) {
        throw PlatformError(::GetLastError());
    }
    HGLOBAL loaded = ::LoadResource(self, found);
    const auto* data = static_cast<const BYTE*>(loaded ? ::LockResource(loaded) : nullptr);
    const DWORD size = ::SizeofResource(self, found);
    if (data == nullptr) {
        throw PlatformError(::GetLastError());
    }
    // VS_FIXEDFILEINFO starts with its signature on a 32-bit boundary.
    for (DWORD at = 0; at + sizeof(VS_FIXEDFILEINFO) <= size; at += 4) {
        VS_FIXEDFILEINFO info;
        std::memcpy(&info, data + at, sizeof info);
        if (info.dwSignature == 0xFEEF04BD) {
            return VersionText(language, HIWORD(info.dwFileVersionMS), LOWORD(info.dwFileVersionMS),
                               LOWORD(info.dwFileVersionLS));
        }
    }
    throw Error(ErrorCode::Platform, "The add-in's version resource is damaged");
}

struct MemoryDcTraits {
    static HDC Invalid() noexcept { return nullptr; }
    static void Close(HDC dc) noexcept { ::DeleteDC(dc); }
};
using UniqueMemoryDc = UniqueResource<MemoryDcTraits>;

// Arial has no Japanese, Chinese, Korean, Thai or Devanagari: those get
// the face every Windows of that language has, by its charset where there
// is one, so the mapper finds a substitute where the face itself is
// missing. Arial has Hebrew, Arabic, Greek, Cyrillic and Vietnamese, with
// the charset saying which letters the mapper must look for.
struct FontFace {
    const wchar_t* name;
    BYTE charset;
};
FontFace FaceFor(Language language) {
    switch (language) {
    case Language::Japanese:
        return {L"MS UI Gothic", SHIFTJIS_CHARSET};
    case Language::ChineseSimplified:
        return {L"SimSun", GB2312_CHARSET};
    case Language::ChineseTraditional:
        return {L"PMingLiU", CHINESEBIG5_CHARSET};
    case Language::Korean:
        return {L"Gulim", HANGUL_CHARSET};
    case Language::Thai:
        return {L"Tahoma", THAI_CHARSET};
    case Language::Hindi:
        return {L"Mangal", DEFAULT_CHARSET};
    case Language::Hebrew:
        return {L"Arial", HEBREW_CHARSET};
    case Language::Arabic:
        return {L"Arial", ARABIC_CHARSET};
    case Language::Greek:
        return {L"Arial", GREEK_CHARSET};
    case Language::Vietnamese:
        return {L"Arial", VIETNAMESE_CHARSET};
    default:
        return {L"Arial", DEFAULT_CHARSET};
    }
}

UniqueGdiObject MakeFont(Language language, int height, int weight, bool underline) {
    const FontFace face = FaceFor(language);
    return UniqueGdiObject(::CreateFontW(-height, 0, 0, 0, weight, FALSE, underline, FALSE,
                                         face.charset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                         DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, face.name));
}

class AboutWindow {
public:
    static HWND Current() { return instance_ ? instance_->hwnd_ : nullptr; }
    static Language CurrentLanguage() {
        return instance_ ? instance_->language_ : Language::English;
    }

    static void Create(Language language) {
        instance_ = std::make_unique<AboutWindow>();
        try {
            instance_->language_ = language;
            instance_->Load();
            RegisterWindowClass();
            const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
            // Only this window is mirrored: it lives in Word's process,
            // whose default layout is Word's own business.
            const DWORD exStyle =
                WS_EX_DLGMODALFRAME | (IsRightToLeft(language) ? WS_EX_LAYOUTRTL : 0);
            RECT frame{0, 0, instance_->layout_.clientWidth, instance_->layout_.clientHeight};
            ::AdjustWindowRectEx(&frame, style, FALSE, exStyle);
            const std::wstring caption = Utf8ToWide(TextsFor(language).caption);
            // No owner: the window stays usable beside Word, not above a
            // window that may close first.
            if (::CreateWindowExW(exStyle, kWindowClass, caption.c_str(), style, CW_USEDEFAULT,
                                  CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top,
                                  nullptr, nullptr, module::Handle(), instance_.get()) == nullptr) {
                throw PlatformError(::GetLastError());
            }
            // The controls are made here rather than in WM_CREATE, so their
            // failure reaches the caller as it is.
            instance_->AddControls();
        } catch (...) {
            if (HWND hwnd = Current()) {
                ::DestroyWindow(hwnd);
            }
            instance_.reset();
            throw;
        }
    }

private:
    // Form_Load's steps that need no window: cursor, texts, fonts, and
    // the layout they need.
    void Load() {
        const std::wstring cursorFile = ProgramFolder() + std::wstring(kHandCursorFile);
        if (FileExists(cursorFile)) {
            hand_.reset(static_cast<HCURSOR>(::LoadImageW(nullptr, cursorFile.c_str(), IMAGE_CURSOR,
                                                          0, 0, LR_LOADFROMFILE | LR_DEFAULTSIZE)));
        }
        const Texts& texts = TextsFor(language_);
        title_ = Utf8ToWide(kAppTitle);
        version_ = Utf8ToWide(VersionFromResource(language_));
        website_ = Utf8ToWide(texts.websiteCaption);
        address_ = Utf8ToWide(kMakerWebAddress);
        okText_ = Utf8ToWide(texts.okCaption);
        font_ = MakeFont(language_, 14, FW_NORMAL, false);
        titleFont_ = MakeFont(language_, 22, FW_BOLD, false);
        linkFont_ = MakeFont(language_, 14, FW_NORMAL, false);
        linkHoverFont_ = MakeFont(language_, 14, FW_NORMAL, true);
        if (!font_ || !titleFont_ || !linkFont_ || !linkHoverFont_) {
            throw PlatformError(::GetLastError());
        }
        layout_ = MeasureLayout();
    }

    // Where everything goes, from the texts' measured sizes: German and
    // Russian run a third longer than English, and a CJK face may stand
    // taller than Arial.
    struct Layout {
        int titleY, titleHeight;
        int versionY, textHeight;
        int lineTopY;
        int websiteY, websiteWidth, linkWidth;
        int lineBottomY;
        int okY, okWidth, okHeight;
        int contentWidth, clientWidth, clientHeight;
    };
    Layout MeasureLayout() const {
        Layout l{};
        const SIZE title = TextSize(title_, titleFont_.get());
        const SIZE version = TextSize(version_, font_.get());
        const SIZE website = TextSize(website_, font_.get());
        const SIZE link = TextSize(address_, linkHoverFont_.get());
        const SIZE ok = TextSize(okText_, font_.get());
        l.titleHeight = std::max<int>(28, title.cy + 4);
        l.textHeight = std::max<int>({18, version.cy + 2, website.cy + 2, link.cy + 2});
        l.websiteWidth = website.cx + 2;
        l.linkWidth = link.cx + 2;
        l.okWidth = std::max<int>(kMinButtonWidth, ok.cx + kButtonPadding);
        l.okHeight = std::max<int>(26, ok.cy + 10);
        l.contentWidth = std::max<int>({kMinContentWidth, title.cx + 2, version.cx + 2,
                                        l.websiteWidth + l.linkWidth, l.okWidth});
        l.titleY = 14;
        l.versionY = l.titleY + l.titleHeight + 6;
        l.lineTopY = l.versionY + l.textHeight + 10;
        l.websiteY = l.lineTopY + 14;
        l.lineBottomY = l.websiteY + l.textHeight + 10;
        l.okY = l.lineBottomY + 14;
        l.clientWidth = kMargin + l.contentWidth + kMargin;
        l.clientHeight = l.okY + l.okHeight + 14;
        return l;
    }

    static void RegisterWindowClass() {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &AboutWindow::Procedure;
        wc.hInstance = module::Handle();
        wc.hCursor = nullptr;                                     // WM_SETCURSOR decides
        wc.hIcon = ::LoadIconW(nullptr, MAKEINTRESOURCEW(32512)); // IDI_APPLICATION
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = kWindowClass;
        // A class of this module stays registered while the module is
        // loaded; a reloaded DLL registers its own under its new handle.
        if (::RegisterClassExW(&wc) == 0 && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
            throw PlatformError(::GetLastError());
        }
    }

    HWND AddControl(const wchar_t* kind, const std::wstring& text, DWORD style, int id, int x,
                    int y, int width, int height, HGDIOBJ font) {
        HWND control = ::CreateWindowExW(
            0, kind, text.c_str(), WS_CHILD | WS_VISIBLE | style, x, y, width, height, hwnd_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), module::Handle(), nullptr);
        if (control == nullptr) {
            throw PlatformError(::GetLastError());
        }
        if (font != nullptr) {
            ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        }
        return control;
    }

    static SIZE TextSize(const std::wstring& text, HGDIOBJ font) {
        UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
        SIZE size{};
        const HGDIOBJ old = ::SelectObject(dc.get(), font);
        const BOOL measured =
            ::GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
        ::SelectObject(dc.get(), old);
        if (!measured) {
            throw PlatformError(::GetLastError());
        }
        return size;
    }

    // The rest of Form_Load, once the window exists.
    void AddControls() {
        const Layout& l = layout_;
        AddControl(L"STATIC", title_, SS_LEFT, kTitleId, kMargin, l.titleY, l.contentWidth,
                   l.titleHeight, titleFont_.get());
        AddControl(L"STATIC", version_, SS_LEFT, kVersionId, kMargin, l.versionY, l.contentWidth,
                   l.textHeight, font_.get());
        AddControl(L"STATIC", L"", SS_ETCHEDHORZ, kLineTopId, kMargin, l.lineTopY, l.contentWidth,
                   2, nullptr);
        AddControl(L"STATIC", website_, SS_LEFT, kWebsiteId, kMargin, l.websiteY, l.websiteWidth,
                   l.textHeight, font_.get());
        // Sized to its text, so only the address itself is the link.
        link_ =
            AddControl(L"STATIC", address_, SS_LEFT | SS_NOTIFY, kLinkId, kMargin + l.websiteWidth,
                       l.websiteY, l.linkWidth, l.textHeight, linkFont_.get());
        AddControl(L"STATIC", L"", SS_ETCHEDHORZ, kLineBottomId, kMargin, l.lineBottomY,
                   l.contentWidth, 2, nullptr);
        ok_ = AddControl(L"BUTTON", okText_, BS_DEFPUSHBUTTON | WS_TABSTOP, kOkId,
                         kMargin + l.contentWidth - l.okWidth, l.okY, l.okWidth, l.okHeight,
                         font_.get());
        ApplySkin(hwnd_);
    }

    BOOL OnSetCursor(HWND over, WORD hitTest) {
        MouseOver where;
        if (over == link_) {
            where = MouseOver::Link;
        } else if (over == ok_) {
            where = MouseOver::Button;
        } else if (hitTest == HTCLIENT) {
            where = MouseOver::Background;
        } else {
            return FALSE; // the frame's own cursors
        }
        const PointerState next = MouseMoved(pointer_, where);
        if (next.linkUnderlined != pointer_.linkUnderlined) {
            ::SendMessageW(link_, WM_SETFONT,
                           reinterpret_cast<WPARAM>(next.linkUnderlined ? linkHoverFont_.get()
                                                                        : linkFont_.get()),
                           TRUE);
        }
        pointer_ = next;
        HCURSOR cursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
        if (pointer_.pointer == Pointer::Custom && hand_) {
            cursor = hand_.get();
        }
        ::SetCursor(cursor);
        return TRUE;
    }

    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
        case WM_SETCURSOR:
            if (OnSetCursor(reinterpret_cast<HWND>(wParam), LOWORD(lParam))) {
                return TRUE;
            }
            break;
        case WM_COMMAND:
            if (LOWORD(wParam) == kOkId && HIWORD(wParam) == BN_CLICKED) {
                ::DestroyWindow(hwnd_);
                return 0;
            }
            if (LOWORD(wParam) == kLinkId && HIWORD(wParam) == STN_CLICKED) {
                OpenWebPage(hwnd_, Utf8ToWide(kMakerWebAddress));
                return 0;
            }
            break;
        case WM_CTLCOLORSTATIC: {
            const auto dc = reinterpret_cast<HDC>(wParam);
            if (reinterpret_cast<HWND>(lParam) == link_) {
                ::SetTextColor(dc, RGB(0, 0, 255));
            }
            if (HBRUSH skin = SkinBackground(hwnd_, dc)) {
                return reinterpret_cast<LRESULT>(skin);
            }
            ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
            return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
        }
        case WM_KEYDOWN:
            if (wParam == VK_ESCAPE || wParam == VK_RETURN) {
                ::DestroyWindow(hwnd_);
                return 0;
            }
            break;
        default:
            break;
        }
        return ::DefWindowProcW(hwnd_, message, wParam, lParam);
    }

    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        try {
            auto* self = reinterpret_cast<AboutWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
            if (message == WM_NCCREATE) {
                self = static_cast<AboutWindow*>(
                    reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
                self->hwnd_ = hwnd;
                ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
                module::Lock();
            }
            if (message == WM_NCDESTROY) {
                ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
                if (self != nullptr) {
                    instance_.reset();
                    module::Unlock();
                }
                return ::DefWindowProcW(hwnd, message, wParam, lParam);
            }
            if (self == nullptr) {
                return ::DefWindowProcW(hwnd, message, wParam, lParam);
            }
            return self->OnMessage(message, wParam, lParam);
        } catch (...) {
            // Nothing may escape into Word's message loop; the message is
            // left to the default handling.
            return ::DefWindowProcW(hwnd, message, wParam, lParam);
        }
    }

    // The one About window; its window ends its life in WM_NCDESTROY.
    static inline std::unique_ptr<AboutWindow> instance_;

    HWND hwnd_ = nullptr;
    HWND link_ = nullptr;
    HWND ok_ = nullptr;
    Language language_ = Language::English;
    std::wstring title_;
    std::wstring version_;
    std::wstring website_;
    std::wstring address_;
    std::wstring okText_;
    Layout layout_{};
    UniqueCursor hand_;
    UniqueGdiObject font_;
    UniqueGdiObject titleFont_;
    UniqueGdiObject linkFont_;
    UniqueGdiObject linkHoverFont_;
    PointerState pointer_;
};

} // namespace

void ShowAboutWindow(Language language) {
    HWND window = AboutWindow::Current();
    // Word's language changed since the window opened: it is made anew in
    // the one the ribbon now speaks.
    if (window != nullptr && AboutWindow::CurrentLanguage() != language) {
        ::DestroyWindow(window);
        window = AboutWindow::Current();
    }
    if (window == nullptr) {
        AboutWindow::Create(language);
        window = AboutWindow::Current();
        if (window == nullptr) {
            throw Error(ErrorCode::Platform, "The About window could not be created");
        }
    }
    ::ShowWindow(window, SW_SHOWNORMAL);
    ::SetForegroundWindow(window);
}

bool GetKeyValue(HKEY root, const std::wstring& keyName, const std::wstring& valueName,
                 std::wstring& keyVal) noexcept {
    try {
        UniqueHkey key;
        // Read access only: a standard user cannot open HKLM for writing,
        // and nothing here writes.
        if (::RegOpenKeyExW(root, keyName.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS) {
            keyVal.clear();
            return false;
        }
        std::vector<std::uint8_t> buffer(kKeyValueBufferChars * sizeof(wchar_t));
        DWORD type = 0;
        DWORD size = static_cast<DWORD>(buffer.size());
        if (::RegQueryValueExW(key.get(), valueName.c_str(), nullptr, &type, buffer.data(),
                               &size) != ERROR_SUCCESS) {
            keyVal.clear();
            return false;
        }
        if (const auto text = KeyValueText(type, {buffer.data(), size})) {
            keyVal.assign(text->begin(), text->end());
        }
        return true;
    } catch (...) {
        keyVal.clear();
        return false;
    }
}

void StartSysInfo(Language language) noexcept {
    try {
        std::wstring value;
        std::optional<std::u16string> path;
        std::optional<std::u16string> folder;
        if (GetKeyValue(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", L"PATH",
                        value)) {
            path = std::u16string(value.begin(), value.end());
        } else if (GetKeyValue(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Shared Tools Location",
                               L"MSINFO", value)) {
            folder = std::u16string(value.begin(), value.end());
        }
        const auto program = SysInfoProgram(path, folder, [](const std::u16string& file) {
            return FileExists(std::wstring(file.begin(), file.end()));
        });
        if (program) {
            const std::wstring file(program->begin(), program->end());
            const auto result = reinterpret_cast<INT_PTR>(
                ::ShellExecuteW(nullptr, nullptr, file.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
            if (result > 32) {
                return;
            }
        }
    } catch (...) {
        // Falls through to the message, as every other failure does.
    }
    try {
        const std::wstring text = Utf8ToWide(TextsFor(language).sysInfoUnavailable);
        const std::wstring caption = Utf8ToWide(kAppTitle);
        ::MessageBoxW(nullptr, text.c_str(), caption.c_str(), MB_OK | ReadingOrder(language));
    } catch (...) {
        // Not even the message could be made.
    }
}

} // namespace tavlin::about
