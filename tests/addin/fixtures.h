#pragma once

#include "addin/core/connect.h"
#include "common/settings_store.h"

#include <initializer_list>
#include <memory>
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

private:
    std::string name_;
    int* calls_;
};

// A Connect over an in-memory store, connected to a host called Word.
struct Document {
    explicit Document(std::initializer_list<std::pair<const char*, const char*>> settings = {},
                      std::string host = "Microsoft Word")
        : connect(store) {
        for (const auto& [k, v] : settings) {
            store.SettingsWrite(k, v);
        }
        connect.SetHostApplication(std::make_unique<FakeHost>(std::move(host)));
    }
    std::string Build() { return std::string(connect.GetRibbonXML()); }

    MemorySettingsStore store;
    Connect connect;
};

} // namespace tavlin::test
