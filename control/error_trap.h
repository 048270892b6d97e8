// The error trap of the settings window's three trapping handlers: every
// step carries a line label; a failing step costs one error box and the
// handler goes on with its next step.
#pragma once

#include "common/error.h"
#include "common/language.h"

#include <functional>
#include <string>
#include <string_view>

namespace tavlin::control {

enum class Handler { Initialize, Load, OkOrCancel };

[[nodiscard]] std::string_view HandlerName(Handler handler);

// The box's whole text: the description, CR LF, the place ("in
// TavlinPanel2016/06/15.Form1.<handler> at line <label>" in English), two
// bare CRs and the support line. The place's name and the label stay as
// they are in every language: support finds the step by them.
[[nodiscard]] std::string ErrorBoxText(std::string_view description, Handler handler, int label,
                                       Language language = Language::English);
[[nodiscard]] std::string_view ErrorBoxTitle(Language language = Language::English);

// An error's description in language: the standard errors' own texts
// translated, a platform's failure as it is.
[[nodiscard]] std::string Describe(const Error& error, Language language);

// Shows a warning box with a single OK button, modal to the program, and
// returns when the user has closed it.
class ErrorBoxView {
public:
    virtual ~ErrorBoxView() = default;
    virtual void ShowErrorBox(std::string_view text, std::string_view title) = 0;
};

class ErrorTrap {
public:
    // Called as each step begins; a probe that throws fails that step.
    // Tests plant failures with it; the program runs without one.
    using Probe = std::function<void(Handler handler, int label)>;

    ErrorTrap(Handler handler, ErrorBoxView& view, const Probe* probe = nullptr,
              Language language = Language::English) noexcept
        : handler_(handler), view_(view), probe_(probe), language_(language) {}

    // Runs one step; a failure is reported and swallowed.
    template <typename Step> void Run(int label, Step&& step) noexcept {
        try {
            Enter(label);
            step();
        } catch (...) {
            ReportCurrent();
        }
    }

    // Reports a failure that was handed back rather than thrown, as if the
    // step at label had raised it.
    void Report(int label, const Error& error) noexcept;

    // Tests a condition. A failing test is reported and counts as true: the
    // handler goes on with the branch taken when the condition holds.
    template <typename Condition>
    [[nodiscard]] bool Test(int label, Condition&& condition) noexcept {
        try {
            Enter(label);
            return static_cast<bool>(condition());
        } catch (...) {
            ReportCurrent();
            return true;
        }
    }

private:
    void Enter(int label);
    // Inside a catch block only.
    void ReportCurrent() noexcept;
    void Show(const Error& error) noexcept;

    Handler handler_;
    ErrorBoxView& view_;
    const Probe* probe_;
    Language language_;
    int label_ = 0;
};

} // namespace tavlin::control
