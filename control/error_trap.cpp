#include "control/error_trap.h"

#include "common/product.h"

namespace tavlin::control {

std::string_view HandlerName(Handler handler) {
    switch (handler) {
    case Handler::Initialize:
        return "Form_Initialize";
    case Handler::Load:
        return "Form_Load";
    case Handler::OkOrCancel:
        return "PushButton22_Click";
    }
    return "";
}

std::string ErrorBoxText(std::string_view description, Handler handler, int label) {
    std::string text(description);
    text += "\r\n";
    text += "in TavlinPanel2016/06/15.Form1.";
    text += HandlerName(handler);
    text += ' ';
    text += "at line ";
    text += std::to_string(label);
    text += "\r\r";
    text += "Please email screenshot of this message to ";
    text += kSupportEmail;
    return text;
}

void ErrorTrap::Enter(int label) {
    label_ = label;
    if (probe_ != nullptr && *probe_) {
        (*probe_)(handler_, label);
    }
}

void ErrorTrap::ReportCurrent() noexcept {
    Show(CurrentError());
}

void ErrorTrap::Report(int label, const Error& error) noexcept {
    label_ = label;
    Show(error);
}

void ErrorTrap::Show(const Error& error) noexcept {
    try {
        view_.ShowErrorBox(ErrorBoxText(error.description(), handler_, label_), kErrorBoxTitle);
    } catch (...) {
        // The box itself could not be shown (no memory, no window system):
        // there is nobody left to tell, and the handler still goes on.
    }
}

} // namespace tavlin::control
