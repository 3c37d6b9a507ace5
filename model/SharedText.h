#pragma once
// A text stored once however many spells carry it: the source book title and
// the category of a spell. A master list of half a million spells names a few
// dozen books and schools, so each spell holds a 4-byte handle to one shared,
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
    tSharedText(std::string_view text) : Id(Find(text)) {}
    tSharedText(const std::string& text) : Id(Find(text)) {}
    tSharedText(const char* text) : Id(Find(text)) {}
    tSharedText(const tSharedText& other) : Id(other.Id) {
        if (Id) {
            ++RepOf(Id)->Holders;
        }
    }
    tSharedText(tSharedText&& other) noexcept : Id(other.Id) { other.Id = 0; }
    tSharedText& operator=(const tSharedText& other) {
        tSharedText copy(other);
        Swap(copy);
        return *this;
    }
    tSharedText& operator=(tSharedText&& other) noexcept {
        Swap(other);
        return *this;
    }
    ~tSharedText() { Release(Id); }

    const std::string& str() const { return Id ? RepOf(Id)->Text : EmptyText; }
    operator const std::string&() const { return str(); }
    operator std::string_view() const { return str(); }

    size_t size() const { return str().size(); }
    bool empty() const { return !Id; }
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
    friend bool operator==(const tSharedText& a, const tSharedText& b) { return a.Id == b.Id; }
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
        uint32_t Id = 0;
    };

    // The number of the stored copy of text, with one more holder; 0 (none)
    // for an empty text.
    static uint32_t Find(std::string_view text);
    static void Release(uint32_t id) {
        if (id && --RepOf(id)->Holders == 0) {
            Forget(id);
        }
    }
    static void Forget(uint32_t id);
    // The stored copies by number (1 on); never released, so that texts held
    // by objects destroyed at the program's end are still released safely.
    static tRep* RepOf(uint32_t id) { return Reps[id]; }
    void Swap(tSharedText& other) noexcept {
        const uint32_t id = Id;
        Id = other.Id;
        other.Id = id;
    }

    static const std::string EmptyText;
    inline static tRep** Reps = nullptr;
    uint32_t Id = 0;
};
