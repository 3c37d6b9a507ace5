// Converting master lists of 50,000 and 500,000 spells from a spell list file
// into each format that writes, beside converting them into a spell list: the
// file read as quillmark-cli convert reads it, then written to a stream that
// keeps nothing. Writing alone is measured too, beside writing a spell list.

#include "files/FileFormat.h"
#include "support/BenchData.h"
#include "support/Ratio.h"

#include <benchmark/benchmark.h>

#include <array>
#include <sstream>
#include <streambuf>
#include <string>

namespace {

// An output stream that counts what it is given and keeps none of it.
class tDiscardBuf : public std::streambuf {
public:
    tDiscardBuf() { setp(Room.data(), Room.data() + Room.size()); }
    size_t Count() const { return Total + static_cast<size_t>(pptr() - pbase()); }

protected:
    int_type overflow(int_type c) override {
        Total += static_cast<size_t>(pptr() - pbase()) + 1;
        setp(Room.data(), Room.data() + Room.size());
        return traits_type::not_eof(c);
    }
    std::streamsize xsputn(const char*, std::streamsize n) override {
        Total += static_cast<size_t>(n);
        return n;
    }

private:
    std::array<char, 1 << 16> Room{};
    size_t Total = 0;
};

void Write(benchmark::State& state, const tFileFormat& format, TSpellBook& book) {
    tDiscardBuf buffer;
    std::ostream out(&buffer);
    tFormatError error;
    if (!format.Write(book, "bench.dat", out, error)) {
        state.SkipWithError(error.Describe().c_str());
    }
    benchmark::DoNotOptimize(buffer.Count());
}

void BM_Convert(benchmark::State& state, const tFileFormat* format, int32_t spells) {
    const std::string& bytes = ListBytes(spells, false);
    for (auto _ : state) {
        std::istringstream in(bytes);
        tFormatError error;
        auto book = SpellbookFormat().Read(in, error);
        Write(state, *format, *book);
    }
}

void BM_WriteOnly(benchmark::State& state, const tFileFormat* format, int32_t spells) {
    std::istringstream in(ListBytes(spells, false));
    tFormatError error;
    auto book = SpellbookFormat().Read(in, error);
    for (auto _ : state) {
        Write(state, *format, *book);
    }
}

// Each format beside the spell list: the whole conversion at most twice its
// cost for the formats of other programs that are read and written (CSV and
// JSON, which other tools take in bulk), writing alone only shown.
const bool Registered = [] {
    for (const int32_t spells : {50000, 500000}) {
        const std::string count = "/spells:" + std::to_string(spells);
        for (const tFileFormat* format : FileFormats()) {
            if (!format->CanWrite()) {
                continue;
            }
            const std::string name(format->Name());
            benchmark::RegisterBenchmark(("BM_Convert/" + name + count).c_str(), BM_Convert, format, spells)
                ->Unit(benchmark::kMillisecond);
            benchmark::RegisterBenchmark(("BM_WriteOnly/" + name + count).c_str(), BM_WriteOnly, format,
                                         spells)
                ->Unit(benchmark::kMillisecond);
            if (format != &SpellListFormat()) {
                CompareWithBaseline("BM_Convert/" + name + count, "BM_Convert/list" + count,
                                    format->Own() || !format->CanRead() ? 0 : 2);
                CompareWithBaseline("BM_WriteOnly/" + name + count, "BM_WriteOnly/list" + count, 0);
            }
        }
    }
    return true;
}();

} // namespace
