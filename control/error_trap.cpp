#include "control/error_trap.h"

#include "common/product.h"
#include "control/texts.h"

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

std::string ErrorBoxText(std::string_view description, Handler handler, int label,
                         Language language) {
    std::string place = "TavlinPanel2016/06/15.Form1.";
    place += HandlerName(handler);
    std::string text(description);
    text += "\r\n";
    text += Format(TextOf(language, Text::ErrorPlace), {place, std::to_string(label)});
    text += "\r\r";
    text += Format(TextOf(language, Text::ErrorSupport), {kSupportEmail});
    return text;
}

std::string_view ErrorBoxTitle(Language language) {
    return TextOf(language, Text::ErrorBoxTitle);
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

std::string Describe(const Error& error, Language language) {
    // The standard errors' descriptions are this program's own text; a
    // platform's failure already says what it is in the system's words or
    // the sentence of the step that failed.
    switch (error.code()) {
    case ErrorCode::Overflow:
        return std::string(TextOf(language, Text::Overflow));
    case ErrorCode::OutOfMemory:
        return std::string(TextOf(language, Text::OutOfMemory));
    case ErrorCode::TypeMismatch:
        return std::string(TextOf(language, Text::TypeMismatch));
    case ErrorCode::ObjectNotSet:
        return std::string(TextOf(language, Text::ObjectNotSet));
    case ErrorCode::InvalidPropertyValue:
        return std::string(TextOf(language, Text::InvalidPropertyValue));
    case ErrorCode::Platform:
        break;
    }
    return error.description();
}

void ErrorTrap::Show(const Error& error) noexcept {
    try {
        view_.ShowErrorBox(ErrorBoxText(Describe(error, language_), handler_, label_, language_),
                           ErrorBoxTitle(language_));
    } catch (...) {
        // The box itself could not be shown (no memory, no window system):
        // there is nobody left to tell, and the handler still goes on.
    }
}

} // namespace tavlin::control
