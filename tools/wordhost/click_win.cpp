#include "tools/wordhost/click_win.h"

#include "common/text_win.h"
#include "common/unique_win.h"
#include "tools/wordhost/report_win.h"
#include "tools/wordhost/ribbon_outline.h"
#include "tools/wordhost/ui_watch_win.h"

namespace wordhost {
namespace {

constexpr IID kNullIid{};

std::string ExceptionText(EXCEPINFO& exception) {
    if (exception.pfnDeferredFillIn != nullptr) {
        exception.pfnDeferredFillIn(&exception);
    }
    tavlin::UniqueBstr source(exception.bstrSource);
    tavlin::UniqueBstr description(exception.bstrDescription);
    // Owned only so it is freed: the report names no help file.
    tavlin::UniqueBstr helpFile(exception.bstrHelpFile);
    std::string text = " scode " + Hex(exception.scode);
    if (description) {
        text += " " + Escaped(description.get());
    }
    if (source) {
        text += " source " + Escaped(source.get());
    }
    return text;
}

} // namespace

bool Click(Addin& addin, const std::wstring& callback, HostState& host) {
    const std::string callbackName = tavlin::WideToUtf8(callback);
    Print("click " + callbackName + ":");
    if (!addin.ribbon) {
        Print(" no ribbon\n");
        return false;
    }
    tavlin::ComPtr<IDispatch> dispatch;
    HRESULT hr = addin.ribbon->QueryInterface(__uuidof(IDispatch), dispatch.put_void());
    if (FAILED(hr)) {
        Print(" QueryInterface(IDispatch) " + Hex(hr) + "\n");
        return false;
    }
    DISPID callbackId = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(callback.c_str())};
    hr = dispatch->GetIDsOfNames(kNullIid, names, 1, LOCALE_USER_DEFAULT, &callbackId);
    if (FAILED(hr)) {
        Print(" GetIDsOfNames " + Hex(hr) + "\n");
        return false;
    }
    const auto controlId = ControlForAction(addin.document, callbackName);
    const tavlin::ComPtr<IRibbonControl> control =
        MakeRibbonControl(tavlin::Utf8ToWide(controlId.value_or(callbackName)), nullptr);
    VARIANT argument;
    ::VariantInit(&argument);
    V_VT(&argument) = VT_DISPATCH;
    V_DISPATCH(&argument) = control.get();
    DISPPARAMS params{&argument, nullptr, 1, 0};
    EXCEPINFO exception{};
    UINT badArgument = 0;

    host.activeWindowReads = host.documentMapReads = host.documentMapWrites = 0;
    const bool documentMapBefore = host.documentMap;
    MessageBoxWatch messageBoxes;
    hr = dispatch->Invoke(callbackId, kNullIid, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params,
                          nullptr, &exception, &badArgument);
    messageBoxes.Stop();
    PumpMessages(0);

    if (SUCCEEDED(hr)) {
        Print(" ok " + Hex(hr) + "\n");
    } else {
        Print(" failed " + Hex(hr) + (hr == DISP_E_EXCEPTION ? ExceptionText(exception) : "") +
              "\n");
    }
    for (const std::string& line : messageBoxes.seen()) {
        Print(line);
    }
    if (AboutWindowOpen()) {
        Print(AboutReport());
    }
    if (host.activeWindowReads > 0) {
        Print("  ActiveWindow read " + std::to_string(host.activeWindowReads) +
              " times; DocumentMap read " + std::to_string(host.documentMapReads) + ", written " +
              std::to_string(host.documentMapWrites) + "; " +
              (documentMapBefore ? "true" : "false") + " -> " +
              (host.documentMap ? "true" : "false") + "\n");
    }
    return SUCCEEDED(hr);
}

} // namespace wordhost
