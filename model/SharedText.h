#pragma once
// A text stored once however many spells carry it: the source book title and
// the category of a spell. A master list of half a million spells names a few
// dozen books and schools, so each spell holds an 8-byte handle to one shared,
// immutable copy of its bytes instead of a string of its own.
//
// A tSharedText reads like a const std::string (it converts to one, and to a
// string_view) and is assigned like one; assigning gives it another shared
// text, never changing the bytes the other holders see. Equal bytes always
// share one copy, which lives while some tSharedText holds it. The bytes are
// kept exactly as given (8-bit, any byte value).
//
// The table of texts is not locked: the program uses it from one thread.

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

class tSharedText {
public:
    tSharedText() = default;
    tSharedText(std::string_view text) : Rep(Find(text)) {}
    tSharedText(const std::string& text) : Rep(Find(text)) {}
    tSharedText(const char* text) : Rep(Find(text)) {}
    tSharedText(const tSharedText& other) : Rep(other.Rep) {
        if (Rep) {
            ++Rep->Holders;
        }
    }
    tSharedText(tSharedText&& other) noexcept : Rep(other.Rep) { other.Rep = nullptr; }
    tSharedText& operator=(const tSharedText& other) {
        tSharedText copy(other);
        Swap(copy);
        return *this;
    }
    tSharedText& operator=(tSharedText&& other) noexcept {
        Swap(other);
        return *this;
    }
    ~tSharedText() { Release(Rep); }

    const std::string& str() const { return Rep ? Rep->Text : EmptyText; }
    operator const std::string&() const { return str(); }
    operator std::string_view() const { return str(); }

    size_t size() const { return str().size(); }
    bool empty() const { return !Rep; }
    const char* data() const { return str().data(); }
    const char* c_str() const { return str().c_str(); }
    char operator[](size_t i) const { return str()[i]; }
    std::string::const_iterator begin() const { return str().begin(); }
    std::string::const_iterator end() const { return str().end(); }
    void clear() { *this = tSharedText(); }
    tSharedText& operator+=(std::string_view more) {
        *this = tSharedText(str() + std::string(more));
        return *this;
    }

    // Equal bytes share one copy, so equal texts hold the same one.
    friend bool operator==(const tSharedText& a, const tSharedText& b) { return a.Rep == b.Rep; }
    friend bool operator==(const tSharedText& a, const std::string& b) { return a.str() == b; }
    friend bool operator==(const tSharedText& a, std::string_view b) { return a.str() == b; }
    friend bool operator==(const tSharedText& a, const char* b) { return a.str() == b; }
    friend std::string operator+(const tSharedText& a, const std::string& b) { return a.str() + b; }
    friend std::string operator+(const std::string& a, const tSharedText& b) { return a + b.str(); }
    friend std::string operator+(const tSharedText& a, const char* b) { return a.str() + b; }
    friend std::string operator+(const char* a, const tSharedText& b) { return a + b.str(); }
    friend std::ostream& operator<<(std::ostream& out, const tSharedText& text) { return out << text.str(); }

    // How many distinct texts are stored now (for tests).
    static size_t StoredCount();

private:
    friend struct tSharedTextTable;
    struct tRep {
        std::string Text;
        size_t Holders = 1;
    };

    // The stored copy of text with one more holder; none for an empty text.
    static tRep* Find(std::string_view text);
    static void Release(tRep* rep) {
        if (rep && --rep->Holders == 0) {
            Forget(rep);
        }
    }
    static void Forget(tRep* rep);
    void Swap(tSharedText& other) noexcept {
        tRep* rep = Rep;
        Rep = other.Rep;
        other.Rep = rep;
    }

    static const std::string EmptyText;
    tRep* Rep = nullptr;
};
