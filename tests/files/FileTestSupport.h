#pragma once
// Helpers of the file format tests.

#include "model/SpellBook.h"

#include <algorithm>
#include <istream>
#include <stdexcept>
#include <streambuf>
#include <string>
#include <vector>

// An input stream whose device hands out its text a few bytes at a time and
// then fails, for testing how readers meet read errors.
class tFailingBuffer : public std::streambuf {
public:
    explicit tFailingBuffer(std::string text) : Text(std::move(text)) {}

protected:
    int_type underflow() override {
        if (Given >= Text.size()) {
            throw std::runtime_error("device error");
        }
        const size_t n = std::min<size_t>(4, Text.size() - Given);
        setg(Text.data() + Given, Text.data() + Given, Text.data() + Given + n);
        Given += n;
        return traits_type::to_int_type(*gptr());
    }

private:
    std::string Text;
    size_t Given = 0;
};

class tFailingStream : public std::istream {
public:
    explicit tFailingStream(std::string text) : std::istream(nullptr), Buffer(std::move(text)) {
        rdbuf(&Buffer);
    }

private:
    tFailingBuffer Buffer;
};

// Copies of the book's spells in book order (moves the cursor).
inline std::vector<tSpell> SpellsOf(TSpellBook& book) {
    std::vector<tSpell> spells;
    for (book.First(); book.Current(); book.Next()) {
        spells.push_back(*book.CurrentSpell());
    }
    return spells;
}
