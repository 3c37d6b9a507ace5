#pragma once
// A spell's name in eight bytes: a handle to one small block holding the
// name's length and bytes, or none for an empty name. A master list of half a
// million spells thus spends on each name its bytes and a few more, instead of
// a 32-byte string and a separate heap block for every name longer than 15
// bytes. Blocks of names of like length are carved out of larger stores, so
// making and releasing a name costs no allocator's bookkeeping.
//
// A tSpellName reads like a const std::string (it converts to one, and to a
// string_view) and is assigned like one. Each name has its own copy: changing
// one never changes another. The bytes are kept exactly as given (8-bit, any
// byte value, zero bytes included), followed by a zero byte for c_str.
//
// The stores are not locked: the program uses them from one thread.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <ostream>
#include <string>
#include <string_view>

class tSpellName {
public:
    tSpellName() = default;
    tSpellName(std::string_view text) : Block(Store(text)) {}
    tSpellName(const std::string& text) : Block(Store(text)) {}
    tSpellName(const char* text) : Block(Store(text)) {}
    tSpellName(const tSpellName& other) : Block(Store(other.view())) {}
    tSpellName(tSpellName&& other) noexcept : Block(other.Block) { other.Block = nullptr; }
    tSpellName& operator=(const tSpellName& other) {
        tSpellName copy(other);
        Swap(copy);
        return *this;
    }
    tSpellName& operator=(tSpellName&& other) noexcept {
        Swap(other);
        return *this;
    }
    ~tSpellName() { Release(Block); }

    std::string_view view() const {
        return Block ? std::string_view(Block + sizeof(uint32_t), Length()) : std::string_view();
    }
    std::string str() const { return std::string(view()); }
    operator std::string_view() const { return view(); }
    operator std::string() const { return str(); }

    size_t size() const { return Length(); }
    size_t length() const { return Length(); }
    bool empty() const { return !Block; }
    const char* data() const { return c_str(); }
    const char* c_str() const { return Block ? Block + sizeof(uint32_t) : ""; }
    char operator[](size_t i) const { return c_str()[i]; }
    char front() const { return view().front(); }
    char back() const { return view().back(); }
    const char* begin() const { return c_str(); }
    const char* end() const { return c_str() + size(); }
    bool starts_with(std::string_view prefix) const { return view().starts_with(prefix); }
    void clear() { *this = tSpellName(); }
    tSpellName& operator+=(std::string_view more) {
        *this = tSpellName(str().append(more));
        return *this;
    }

    friend bool operator==(const tSpellName& a, const tSpellName& b) { return a.view() == b.view(); }
    friend bool operator==(const tSpellName& a, const std::string& b) { return a.view() == b; }
    friend bool operator==(const tSpellName& a, std::string_view b) { return a.view() == b; }
    friend bool operator==(const tSpellName& a, const char* b) { return a.view() == b; }
    friend std::string operator+(const tSpellName& a, const std::string& b) { return a.str() + b; }
    friend std::string operator+(const std::string& a, const tSpellName& b) { return a + b.str(); }
    friend std::string operator+(const tSpellName& a, const char* b) { return a.str() + b; }
    friend std::string operator+(const char* a, const tSpellName& b) { return a + b.str(); }
    friend std::ostream& operator<<(std::ostream& out, const tSpellName& name) { return out << name.view(); }

private:
    // A block: the length as 4 bytes, the name's bytes, a zero byte.
    static char* Store(std::string_view text);
    static void Release(char* block) noexcept;
    size_t Length() const {
        uint32_t length = 0;
        if (Block) {
            std::memcpy(&length, Block, sizeof length);
        }
        return length;
    }
    void Swap(tSpellName& other) noexcept {
        char* block = Block;
        Block = other.Block;
        other.Block = block;
    }

    char* Block = nullptr;
};
