// The cost of one whole default document, against the floor of merely
// copying a document of that size. Allocations per document are counted
// with a replaced operator new and reported as a counter.
#include "addin/core/connect.h"
#include "common/settings_store.h"

#include "../tests/addin/counting_new.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>
#include <optional>
#include <string>
#include <vector>

namespace {

class WordHost final : public tavlin::HostApplication {
public:
    std::string Name() override { return "Microsoft Word"; }
    // Answered as Word answers it, so the language is chosen every time.
    std::optional<std::uint32_t> UiLanguageId() override { return tavlin::kLangIdEnglishUs; }
};

struct DefaultDocument {
    DefaultDocument() : connect(store) { connect.SetHostApplication(&host); }
    WordHost host;
    tavlin::MemorySettingsStore store;
    tavlin::Connect connect;
};

void BM_GetRibbonXML(benchmark::State& state) {
    DefaultDocument defaults;
    benchmark::DoNotOptimize(defaults.connect.GetRibbonXML());
    const long allocationsBefore = tavlin::test::g_allocations.load();
    std::size_t documentBytes = 0;
    for (auto _ : state) {
        const std::string_view document = defaults.connect.GetRibbonXML();
        benchmark::DoNotOptimize(document.data());
        documentBytes = document.size();
    }
    state.counters["allocs_per_doc"] = benchmark::Counter(
        static_cast<double>(tavlin::test::g_allocations.load() - allocationsBefore) /
        static_cast<double>(state.iterations()));
    state.counters["doc_bytes"] = static_cast<double>(documentBytes);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * documentBytes));
}
BENCHMARK(BM_GetRibbonXML);

void BM_MemcpyDocument(benchmark::State& state) {
    DefaultDocument defaults;
    const std::string document(defaults.connect.GetRibbonXML());
    std::vector<char> copy(document.size());
    for (auto _ : state) {
        benchmark::DoNotOptimize(copy.data());
        std::memcpy(copy.data(), document.data(), document.size());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * document.size()));
}
BENCHMARK(BM_MemcpyDocument);

} // namespace

BENCHMARK_MAIN();
