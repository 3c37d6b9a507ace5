// Reading and writing a master list of 50,000 spells, next to a plain pass
// that only splits the same bytes into lines: the difference is the cost of
// the spell lines, the book and the file rules.

#include "files/SpellListFile.h"
#include "files/TextLines.h"

#include <benchmark/benchmark.h>

#include <sstream>
#include <string>

namespace {

constexpr int32_t SpellCount = 50000;

std::unique_ptr<TSpellBook> MakeBigBook() {
    auto book = TSpellBook::Create(0, 0, 0, std::string());
    const int32_t perLevel = (SpellCount + 8) / 9;
    for (int32_t i = 0; i < SpellCount; ++i) {
        book->AddSpell(tSpell::Create(i / perLevel + 1,
                                      "Spell of the " + std::to_string(100000 + i) + " \"Winds\"",
                                      i % 3 ? "Player's Handbook" : "Tome, vol. 2", i % 400, -(i % 5),
                                      i % 2 ? "e/c, alt" : "abj", i % 4 == 0));
    }
    return book;
}

const std::string& BigListBytes() {
    static const std::string bytes = [] {
        auto book = MakeBigBook();
        std::ostringstream out;
        WriteSpellList(*book, out);
        return out.str();
    }();
    return bytes;
}

void BM_ReadSpellList(benchmark::State& state) {
    const std::string& bytes = BigListBytes();
    for (auto _ : state) {
        std::istringstream in(bytes);
        auto book = ReadSpellList(in);
        benchmark::DoNotOptimize(book->Count());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes.size()));
}
BENCHMARK(BM_ReadSpellList)->Unit(benchmark::kMillisecond);

void BM_WriteSpellList(benchmark::State& state) {
    std::istringstream in(BigListBytes());
    auto book = ReadSpellList(in);
    for (auto _ : state) {
        std::ostringstream out;
        WriteSpellList(*book, out);
        benchmark::DoNotOptimize(out.str().size());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(BigListBytes().size()));
}
BENCHMARK(BM_WriteSpellList)->Unit(benchmark::kMillisecond);

// The baseline: the same bytes split into lines with std::getline, nothing more.
void BM_SplitLinesOnly(benchmark::State& state) {
    const std::string& bytes = BigListBytes();
    for (auto _ : state) {
        std::istringstream in(bytes);
        std::string line;
        size_t lines = 0;
        while (std::getline(in, line)) {
            ++lines;
        }
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes.size()));
}
BENCHMARK(BM_SplitLinesOnly)->Unit(benchmark::kMillisecond);

// The program's own line reader over the same bytes, without parsing.
void BM_LineReaderOnly(benchmark::State& state) {
    const std::string& bytes = BigListBytes();
    for (auto _ : state) {
        std::istringstream in(bytes);
        tLineReader reader(in);
        std::string line;
        size_t lines = 0;
        while (reader.ReadLine(line)) {
            ++lines;
        }
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes.size()));
}
BENCHMARK(BM_LineReaderOnly)->Unit(benchmark::kMillisecond);

} // namespace
