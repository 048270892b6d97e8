#include "addin/about/about_window_win.h"

#include "addin/about/about_layout.h"
#include "addin/about/about_model.h"
#include "addin/com/module_win.h"
#include "common/accessible_win.h"
#include "common/error.h"
#include "common/product.h"
#include "common/text_win.h"
#include "common/unique_win.h"
#include "common/window_helpers_win.h"

#include <oleacc.h>
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

// Out of line: the window makes three at a time.
[[gnu::noinline]] UniqueGdiObject MakeFont(Language language, int height96, int dpi, int weight,
                                           bool underline) {
    const FontFace face = FaceFor(language);
    return UniqueGdiObject(::CreateFontW(-Scaled(height96, dpi), 0, 0, 0, weight, FALSE, underline,
                                         FALSE, face.charset, OUT_DEFAULT_PRECIS,
                                         CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                         DEFAULT_PITCH | FF_SWISS, face.name));
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
            const std::wstring caption = Utf8ToWide(TextsFor(language).caption);
            // No owner: the window stays usable beside Word, not above a
            // window that may close first. Its size waits for its DPI,
            // which only the window itself can tell.
            // Only this window is mirrored: it lives in Word's process,
            // whose default layout is Word's own business.
            const DWORD exStyle = kExStyle | (IsRightToLeft(language) ? WS_EX_LAYOUTRTL : 0);
            if (::CreateWindowExW(exStyle, kWindowClass, caption.c_str(), kStyle, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 100, 100, nullptr, nullptr, module::Handle(),
                                  instance_.get()) == nullptr) {
                throw PlatformError(::GetLastError());
            }
            // The controls are made here rather than in WM_CREATE, so their
            // failure reaches the caller as it is.
            instance_->AddControls();
            instance_->Arrange(WindowDpi(instance_->hwnd_), nullptr);
            // Word's message loop knows nothing of this window: Tab, Enter
            // and Esc reach the dialog manager only through a hook on the
            // thread's queue, for as long as the window lives.
            instance_->keyboard_.reset(::SetWindowsHookExW(
                WH_GETMESSAGE, &AboutWindow::KeyboardHook, nullptr, ::GetCurrentThreadId()));
            if (!instance_->keyboard_) {
                throw PlatformError(::GetLastError());
            }
        } catch (...) {
            if (HWND hwnd = Current()) {
                ::DestroyWindow(hwnd);
            }
            instance_.reset();
            throw;
        }
    }

    // The control to give the focus to when the window is shown.
    static HWND FirstFocus() { return instance_ ? instance_->ok_ : nullptr; }

private:
    static constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    static constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;

    // Form_Load's steps that need no window: the cursor and the texts.
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
    }

    // The fonts of one DPI; a change of DPI makes a new set, and the old
    // one goes once no control draws with it.
    // The link, away from the pointer, has the text's font.
    struct Fonts {
        UniqueGdiObject text;
        UniqueGdiObject title;
        UniqueGdiObject linkHover;
    };
    Fonts MakeFonts(int dpi) const {
        Fonts fonts{MakeFont(language_, kTextFontHeight, dpi, FW_NORMAL, false),
                    MakeFont(language_, kTitleFontHeight, dpi, FW_BOLD, false),
                    MakeFont(language_, kTextFontHeight, dpi, FW_NORMAL, true)};
        if (!fonts.text || !fonts.title || !fonts.linkHover) {
            throw PlatformError(::GetLastError());
        }
        return fonts;
    }

    // Measured, as German and Russian run a third longer than English and
    // a CJK face may stand taller than Arial.
    MeasuredTexts Measure(const Fonts& fonts) const {
        MeasuredTexts measured;
        const struct {
            const std::wstring& text;
            HGDIOBJ font;
            about::TextSize& size;
        } items[] = {
            {title_, fonts.title.get(), measured.title},
            {version_, fonts.text.get(), measured.version},
            {website_, fonts.text.get(), measured.website},
            {address_, fonts.linkHover.get(), measured.link},
            {okText_, fonts.text.get(), measured.ok},
        };
        const UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
        for (const auto& item : items) {
            SIZE size{};
            const HGDIOBJ old = ::SelectObject(dc.get(), item.font);
            const BOOL done = ::GetTextExtentPoint32W(dc.get(), item.text.c_str(),
                                                      static_cast<int>(item.text.size()), &size);
            ::SelectObject(dc.get(), old);
            if (!done) {
                throw PlatformError(::GetLastError());
            }
            item.size = {size.cx, size.cy};
        }
        return measured;
    }

    // Everything at that DPI: fonts, places and the window's size; at
    // suggested's top left corner when Windows moved the window to a
    // monitor of another DPI. The size stays our own, from the measured
    // texts, so that nothing is cut where the suggestion's plain scaling
    // would be a pixel short.
    void Arrange(int dpi, const RECT* suggested) {
        Fonts next = MakeFonts(dpi);
        const Layout l = LayoutFor(Measure(next), dpi);
        const HGDIOBJ text = next.text.get();
        const struct {
            HWND control;
            int x, y, width, height;
            HGDIOBJ font;
        } places[] = {
            {titleLabel_, l.margin, l.titleY, l.contentWidth, l.titleHeight, next.title.get()},
            {versionLabel_, l.margin, l.versionY, l.contentWidth, l.textHeight, text},
            {lineTop_, l.margin, l.lineTopY, l.contentWidth, l.lineHeight, nullptr},
            {websiteLabel_, l.margin, l.websiteY, l.websiteWidth, l.textHeight, text},
            // Sized to its text, so only the address itself is the link.
            {link_, l.margin + l.websiteWidth, l.websiteY, l.linkWidth, l.textHeight,
             pointer_.linkUnderlined ? next.linkHover.get() : text},
            {lineBottom_, l.margin, l.lineBottomY, l.contentWidth, l.lineHeight, nullptr},
            {ok_, l.margin + l.contentWidth - l.okWidth, l.okY, l.okWidth, l.okHeight, text},
        };
        for (const auto& p : places) {
            ::SetWindowPos(p.control, nullptr, p.x, p.y, p.width, p.height,
                           SWP_NOZORDER | SWP_NOACTIVATE);
            if (p.font != nullptr) {
                ::SendMessageW(p.control, WM_SETFONT, reinterpret_cast<WPARAM>(p.font), TRUE);
            }
        }
        linkPadding_ = l.linkPadding;
        fonts_ = std::move(next);
        const SIZE frame = FrameSizeFor(l.clientWidth, l.clientHeight, kStyle, kExStyle, dpi);
        UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
        if (suggested == nullptr) {
            flags |= SWP_NOMOVE;
        }
        ::SetWindowPos(hwnd_, nullptr, suggested ? suggested->left : 0,
                       suggested ? suggested->top : 0, frame.cx, frame.cy, flags);
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

    HWND AddControl(const wchar_t* kind, const std::wstring& text, DWORD style, int id) {
        HWND control = ::CreateWindowExW(
            0, kind, text.c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, hwnd_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), module::Handle(), nullptr);
        if (control == nullptr) {
            throw PlatformError(::GetLastError());
        }
        return control;
    }

    // The rest of Form_Load, once the window exists; Arrange places them.
    void AddControls() {
        titleLabel_ = AddControl(L"STATIC", title_, SS_LEFT | SS_NOPREFIX, kTitleId);
        versionLabel_ = AddControl(L"STATIC", version_, SS_LEFT | SS_NOPREFIX, kVersionId);
        lineTop_ = AddControl(L"STATIC", L"", SS_ETCHEDHORZ, kLineTopId);
        websiteLabel_ = AddControl(L"STATIC", website_, SS_LEFT | SS_NOPREFIX, kWebsiteId);
        // A button drawn as a link: it takes the focus from Tab, shows it,
        // and Space or Enter open it as a click does.
        link_ = AddControl(L"BUTTON", address_, BS_OWNERDRAW | WS_TABSTOP, kLinkId);

        lineBottom_ = AddControl(L"STATIC", L"", SS_ETCHEDHORZ, kLineBottomId);
        ok_ = AddControl(L"BUTTON", okText_, BS_DEFPUSHBUTTON | WS_TABSTOP, kOkId);
        // Subclassed for WM_GETOBJECT alone: a screen reader asks the
        // control itself what it is, and Windows' own object would call the
        // link a push button.
        ::SetPropW(
            link_, kOwnProcedure,
            reinterpret_cast<HANDLE>(::SetWindowLongPtrW(
                link_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AboutWindow::LinkProcedure))));
        ApplySkin(hwnd_);
    }

    // The address in the link colour (the theme's under high contrast) on
    // the window's face, underlined under the pointer, framed while it has
    // the focus.
    void DrawLink(const DRAWITEMSTRUCT& item) const {
        const HDC dc = item.hDC;
        RECT area = item.rcItem;
        HBRUSH face = SkinBackground(hwnd_, dc);
        ::FillRect(dc, &area, face != nullptr ? face : ::GetSysColorBrush(COLOR_BTNFACE));
        const HGDIOBJ old = ::SelectObject(dc, pointer_.linkUnderlined ? fonts_.linkHover.get()
                                                                       : fonts_.text.get());
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, LinkColor());
        RECT text = area;
        ::InflateRect(&text, -linkPadding_, 0);
        ::DrawTextW(dc, address_.c_str(), static_cast<int>(address_.size()), &text,
                    DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        ::SelectObject(dc, old);
        if ((item.itemState & ODS_FOCUS) != 0) {
            ::DrawFocusRect(dc, &area);
        }
    }

    static LRESULT CALLBACK LinkProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        const auto own = reinterpret_cast<WNDPROC>(::GetPropW(hwnd, kOwnProcedure));
        try {
            if (message == WM_GETOBJECT && instance_ != nullptr) {
                const std::wstring& address = instance_->address_;
                if (const LRESULT answer = AnswerAccessibleObject(
                        hwnd, wParam, lParam, {ROLE_SYSTEM_LINK, address, address}, kModuleLock)) {
                    return answer;
                }
            }
            if (message == WM_NCDESTROY) {
                ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(own));
                ::RemovePropW(hwnd, kOwnProcedure);
            }
        } catch (...) {
            // The control's own answer, below.
        }
        return own != nullptr ? ::CallWindowProcW(own, hwnd, message, wParam, lParam)
                              : ::DefWindowProcW(hwnd, message, wParam, lParam);
    }

    static LRESULT CALLBACK KeyboardHook(int code, WPARAM wParam, LPARAM lParam) {
        try {
            auto* message = reinterpret_cast<MSG*>(lParam);
            const HWND window = Current();
            if (code == HC_ACTION && wParam == PM_REMOVE && window != nullptr &&
                message != nullptr && message->message >= WM_KEYFIRST &&
                message->message <= WM_KEYLAST &&
                (message->hwnd == window || ::IsChild(window, message->hwnd)) &&
                ::IsDialogMessageW(window, message)) {
                // Handled (and the window perhaps closed): Word's loop gets
                // nothing to dispatch.
                message->message = WM_NULL;
                message->wParam = 0;
                message->lParam = 0;
            }
        } catch (...) {
            // The key goes on to Word's loop as it came.
        }
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
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
        const bool underlineChanged = next.linkUnderlined != pointer_.linkUnderlined;
        // The link draws itself by pointer_, so it changes first.
        pointer_ = next;
        if (underlineChanged) {
            ::SendMessageW(link_, WM_SETFONT,
                           reinterpret_cast<WPARAM>(next.linkUnderlined ? fonts_.linkHover.get()
                                                                        : fonts_.text.get()),
                           TRUE);
            ::InvalidateRect(link_, nullptr, TRUE);
        }
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
            if (LOWORD(wParam) == IDCANCEL) {
                // Esc, from the dialog manager.
                ::DestroyWindow(hwnd_);
                return 0;
            }
            if (LOWORD(wParam) == kLinkId && HIWORD(wParam) == BN_CLICKED) {
                OpenWebPage(hwnd_, Utf8ToWide(kMakerWebAddress));
                return 0;
            }
            break;
        case WM_CTLCOLORSTATIC: {
            // The theme's own text on its own face: a high-contrast theme
            // gets its colours, not black on grey.
            const auto dc = reinterpret_cast<HDC>(wParam);
            ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
            if (HBRUSH skin = SkinBackground(hwnd_, dc)) {
                return reinterpret_cast<LRESULT>(skin);
            }
            ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
            return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
        }
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item != nullptr && item->hwndItem == link_) {
                DrawLink(*item);
                return TRUE;
            }
            break;
        }
        case WM_GETOBJECT:
            if (const LRESULT answer = AnswerAccessibleObject(
                    hwnd_, wParam, lParam, {ROLE_SYSTEM_DIALOG, {}, {}}, kModuleLock)) {
                return answer;
            }
            break;
        case DM_GETDEFID:
            // Enter opens the link that has the focus, else presses OK.
            return MAKELRESULT(::GetFocus() == link_ ? kLinkId : kOkId, DC_HASDEFID);
        case WM_ACTIVATE:
            // The focus leaves with the window and comes back where it was,
            // as in a dialog; at first on OK.
            if (LOWORD(wParam) == WA_INACTIVE) {
                if (HWND focus = ::GetFocus(); focus != nullptr && ::IsChild(hwnd_, focus)) {
                    lastFocus_ = focus;
                }
            } else {
                ::SetFocus(lastFocus_ != nullptr ? lastFocus_ : ok_);
                return 0;
            }
            break;
        case kWmDpiChanged:
            // Only a per-monitor aware thread's window is told; the
            // rectangle is Windows' suggestion on the new monitor.
            Arrange(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
            return 0;
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
    // Where the link keeps its class's own procedure.
    static constexpr const wchar_t* kOwnProcedure = L"Tavlin.OwnProcedure";
    static constexpr ModuleLock kModuleLock{&module::Lock, &module::Unlock};

    HWND hwnd_ = nullptr;
    HWND link_ = nullptr;
    HWND ok_ = nullptr;
    Language language_ = Language::English;
    std::wstring title_;
    std::wstring version_;
    std::wstring website_;
    std::wstring address_;
    std::wstring okText_;
    HWND titleLabel_ = nullptr;
    HWND versionLabel_ = nullptr;
    HWND websiteLabel_ = nullptr;
    HWND lineTop_ = nullptr;
    HWND lineBottom_ = nullptr;
    HWND lastFocus_ = nullptr;
    int linkPadding_ = 0;
    UniqueHook keyboard_;
    UniqueCursor hand_;
    Fonts fonts_;
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
    // Activation puts the focus on OK; a window the system kept from the
    // foreground gets it here, so its keys work once the user comes to it.
    if (const HWND focus = ::GetFocus(); focus == nullptr || !::IsChild(window, focus)) {
        ::SetFocus(AboutWindow::FirstFocus());
    }
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
