// Reading and writing master lists of 50,000 and 500,000 spells, sorted and
// shuffled, each beside a plain std::getline split of the same bytes: the
// difference is the cost of the spell lines, the book and the file rules.
// The quick line parser and the keyed read of out-of-order files are also
// set beside their plain twins: the comma-text rule, and adding each spell
// to the book on its own.
//
// Each reads from a stream over the file's bytes as they lie, not from a copy
// made for every run: a copy of 40 MB comes in fresh pages from the system or
// not, as the allocator's state after earlier benchmarks has it, and that
// alone made the 500,000-spell baseline take anywhere from 12 to 30 ms.

#include "files/SpellLine.h"
#include "files/SpellListFile.h"
#include "files/TextLines.h"
#include "support/BenchData.h"
#include "support/Ratio.h"

#include <benchmark/benchmark.h>

#include <istream>
#include <sstream>
#include <streambuf>
#include <string>

namespace {

// A read-only stream over bytes that stay where they are.
class tBytesBuf : public std::streambuf {
public:
    explicit tBytesBuf(const std::string& bytes) {
        char* start = const_cast<char*>(bytes.data());
        setg(start, start, start + bytes.size());
    }
};

class tBytesStream : public std::istream {
public:
    explicit tBytesStream(const std::string& bytes) : std::istream(nullptr), Buf(bytes) { rdbuf(&Buf); }

private:
    tBytesBuf Buf;
};

const std::string& Bytes(const benchmark::State& state) {
    return ListBytes(static_cast<int32_t>(state.range(1)), state.range(0) != 0);
}

// Runs read over a stream of the file's bytes each iteration; read returns
// a count of what it made, kept from being optimised away.
template <class F> void OverTheFile(benchmark::State& state, F read) {
    const std::string& bytes = Bytes(state);
    for (auto _ : state) {
        tBytesStream in(bytes);
        benchmark::DoNotOptimize(read(in));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes.size()));
}

void BM_ReadSpellList(benchmark::State& state) {
    OverTheFile(state, [](std::istream& in) { return ReadSpellList(in)->Count(); });
}

// The baseline: the same bytes split into lines with std::getline, nothing more.
void BM_SplitLines(benchmark::State& state) {
    OverTheFile(state, [](std::istream& in) {
        std::string line;
        size_t lines = 0;
        while (std::getline(in, line)) {
            ++lines;
        }
        return lines;
    });
}

// The program's own line reader over the same bytes, without parsing.
void BM_LineReaderOnly(benchmark::State& state) {
    OverTheFile(state, [](std::istream& in) {
        tLineReader reader(in);
        std::string line;
        size_t lines = 0;
        while (reader.ReadLine(line)) {
            ++lines;
        }
        return lines;
    });
}

// The line reader with the spell-line parser over the same bytes: every
// line read into its fields, no spell made.
void BM_SpellLinesOnly(benchmark::State& state) {
    OverTheFile(state, [](std::istream& in) {
        tLineReader reader(in);
        tSpellLineFields fields;
        size_t spells = 0;
        for (;;) {
            if (const size_t used = ParseWrittenSpellLineInBuffer(reader.Buffered(), fields)) {
                reader.Consume(used);
                ++spells;
                continue;
            }
            std::string_view line;
            if (!reader.ReadLine(line)) {
                break;
            }
            spells += ParseSpellLineFields(line, fields) ? 1 : 0;
        }
        return spells;
    });
}

// The plain twin of the above: the same lines by the comma-text rule alone.
void BM_SpellLinesByRule(benchmark::State& state) {
    OverTheFile(state, [](std::istream& in) {
        tLineReader reader(in);
        tSpellLineFields fields;
        size_t spells = 0;
        std::string_view line;
        while (reader.ReadLine(line)) {
            spells += ParseSpellLineFieldsByRule(line, fields) ? 1 : 0;
        }
        return spells;
    });
}

// The plain twin of reading a file out of order: each line's spell made and
// added to the book on its own, as the book finds its place.
void BM_ReadOneByOne(benchmark::State& state) {
    OverTheFile(state, [](std::istream& in) {
        tLineReader reader(in);
        TSpellBook book;
        std::string_view line;
        while (reader.ReadLine(line)) {
            book.AddSpell(ParseSpellLine(line));
        }
        return book.Count();
    });
}

void BM_WriteSpellList(benchmark::State& state) {
    std::istringstream in(Bytes(state));
    auto book = ReadSpellList(in);
    for (auto _ : state) {
        std::ostringstream out;
        WriteSpellList(*book, out);
        benchmark::DoNotOptimize(out.str().size());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(Bytes(state).size()));
}

void Files(benchmark::internal::Benchmark* b) {
    b->ArgNames({"shuffled", "spells"})
        ->Args({0, 50000})
        ->Args({1, 50000})
        ->Args({0, 500000})
        ->Args({1, 500000})
        ->Unit(benchmark::kMillisecond);
}
BENCHMARK(BM_ReadSpellList)->Apply(Files);
BENCHMARK(BM_SplitLines)->Apply(Files);
BENCHMARK(BM_LineReaderOnly)->Apply(Files);
BENCHMARK(BM_SpellLinesByRule)->Apply(Files);
BENCHMARK(BM_ReadOneByOne)->Apply(Files);
BENCHMARK(BM_SpellLinesOnly)->Apply(Files);
BENCHMARK(BM_WriteSpellList)
    ->ArgNames({"shuffled", "spells"})
    ->Args({0, 50000})
    ->Unit(benchmark::kMillisecond);

const bool Compared = [] {
    for (const char* file : {"shuffled:0/spells:50000", "shuffled:1/spells:50000", "shuffled:0/spells:500000",
                             "shuffled:1/spells:500000"}) {
        const std::string name(file);
        CompareWithBaseline("BM_ReadSpellList/" + name, "BM_SplitLines/" + name, 0);
        CompareWithBaseline("BM_LineReaderOnly/" + name, "BM_SplitLines/" + name, 0);
        CompareWithBaseline("BM_SpellLinesOnly/" + name, "BM_SplitLines/" + name, 0);
        CompareWithBaseline("BM_SpellLinesOnly/" + name, "BM_SpellLinesByRule/" + name, 0);
        CompareWithBaseline("BM_ReadSpellList/" + name, "BM_ReadOneByOne/" + name, 0);
    }
    CompareWithBaseline("BM_WriteSpellList/shuffled:0/spells:50000", "BM_SplitLines/shuffled:0/spells:50000",
                        0);
    return true;
}();

} // namespace
