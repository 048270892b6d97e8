// Every text Tavlinar shows a person, in each language Tavlin speaks: one
// table per language, one key per text, UTF-8. A text with parts that vary
// is one whole sentence with numbered placeholders ({1}, {2}...), filled by
// Format, since word order differs between languages. What the settings
// store, the registry or policy calls things (a box's key, a registry type,
// a handler's name) goes into a placeholder untranslated.
#pragma once

#include "common/language.h"

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace tavlin::control {

enum class Text : std::uint8_t {
    TabWord,
    TabAbout,
    // The twelve boxes' captions, in box order (BoxCaption).
    BoxClassic,
    BoxLeft,
    BoxAll,
    BoxHome,
    BoxInsert,
    BoxPageLayout,
    BoxReferences,
    BoxView,
    BoxReview,
    BoxMailings,
    BoxDeveloper,
    BoxHideTabs,
    Ok,
    Cancel,
    WebsiteLabel,
    // The note below the boxes.
    MachineWideNote,
    ManagedNote,
    // {1} the setting's key; {2} the value as found (text, number or
    // registry type).
    ComputerPolicyText,
    ComputerPolicyNumber,
    ComputerPolicyType,
    UserPolicyText,
    UserPolicyNumber,
    UserPolicyType,
    // The error box: its title; the place ({1} where, {2} the line label);
    // the request ({1} the address).
    ErrorBoxTitle,
    ErrorPlace,
    ErrorSupport,
    // Switching the add-in: {1} the add-in's file, {2} why (one of the
    // Regsvr and Tool sentences).
    SwitchOnFailed,
    SwitchOffFailed,
    // {1} regsvr32's exit code.
    RegsvrCommandLine,
    RegsvrCom,
    RegsvrFile,
    RegsvrNotServer,
    RegsvrRegistration,
    RegsvrUnregistration,
    RegsvrExitCode,
    // {1} the tool's path; {2} the system's message, or the seconds waited.
    ToolNotStarted,
    ToolStillRunning,
    // {1} the system's message.
    InstallationUnread,
    DisabledListNotCleared,
    AddinKeyNotWritten,
    AddinKeyNotDeleted,
    WordNotRegistered,
    // {1} Word's path, {2} the system's message.
    WordNotStarted,
    // The descriptions of the standard errors (ErrorCode).
    Overflow,
    OutOfMemory,
    TypeMismatch,
    ObjectNotSet,
    InvalidPropertyValue,
    Count,
};
inline constexpr std::size_t kTextCount = static_cast<std::size_t>(Text::Count);

[[nodiscard]] std::string_view TextOf(Language language, Text key);

// The caption key of box index (0 to 11).
[[nodiscard]] Text BoxCaption(int index);

// pattern with each {n} replaced by the n-th argument (from 1); a {n}
// without an argument, and any other brace, stays as it is.
[[nodiscard]] std::string Format(std::string_view pattern,
                                 std::initializer_list<std::string_view> arguments);

// The placeholders' numbers in pattern, in the order they appear.
[[nodiscard]] std::vector<int> Placeholders(std::string_view pattern);

} // namespace tavlin::control
