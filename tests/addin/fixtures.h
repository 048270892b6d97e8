#pragma once

#include "addin/core/connect.h"
#include "common/settings_store.h"

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <utility>

namespace tavlin::test {

class FakeHost final : public HostApplication {
public:
    explicit FakeHost(std::string name, int* calls = nullptr)
        : name_(std::move(name)), calls_(calls) {}
    std::string Name() override {
        if (calls_ != nullptr) {
            ++*calls_;
        }
        return name_;
    }
    std::optional<std::uint32_t> UiLanguageId() override { return uiLanguage; }

    // Unknown, as a host without LanguageSettings, unless a test says.
    std::optional<std::uint32_t> uiLanguage;

private:
    std::string name_;
    int* calls_;
};

// A Connect over an in-memory store, connected to a host called Word.
struct Document {
    explicit Document(std::initializer_list<std::pair<const char*, const char*>> settings = {},
                      std::string hostName = "Microsoft Word")
        : host(std::move(hostName)), connect(store) {
        for (const auto& [k, v] : settings) {
            store.SettingsWrite(k, v);
        }
        connect.SetHostApplication(&host);
    }
    std::string Build() { return std::string(connect.GetRibbonXML()); }

    FakeHost host;
    MemorySettingsStore store;
    Connect connect;
};

} // namespace tavlin::test

namespace tavlin {

// Writes one table on a document of its own, from given counters and menu
// pass, and gives what it wrote.
class ConnectTestSeam {
public:
    static std::string WriteSteps(Connect& connect, std::span<const RibbonStep> steps,
                                  IdCounters start = {}, std::int32_t menuPass = 1) {
        connect.ribbonXml_.clear();
        connect.counters_ = start;
        connect.menuPass_ = menuPass;
        connect.WriteSteps(steps);
        return connect.ribbonXml_;
    }
    static void ChooseTexts(Connect& connect, LanguageChoice choice) {
        connect.ChooseTexts(choice);
    }
};

} // namespace tavlin
