#include "model/SpellIndex.h"

#include "model/Text.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <tuple>

namespace {
constexpr size_t KeyNameBytes = 20;
} // namespace

namespace {

// Eight bytes with a..z folded to A..Z, all at once: a byte below 128 whose
// low seven bits lie within 'a'..'z' loses 32.
uint64_t FoldEight(uint64_t w) {
    constexpr uint64_t Ones = 0x0101010101010101u;
    constexpr uint64_t High = Ones * 0x80;
    const uint64_t low7 = w & ~High;
    const uint64_t fromA = low7 + Ones * (0x80 - 'a');     // high bit set from 'a' on
    const uint64_t pastZ = low7 + Ones * (0x80 - 'z' - 1); // high bit set after 'z'
    return w - ((fromA & ~pastZ & ~w & High) >> 2);
}

// The eight bytes of a word read from memory as a big-endian number.
uint64_t BigEndian(uint64_t w) {
#if defined(__GNUC__)
    if constexpr (std::endian::native == std::endian::little) {
        return __builtin_bswap64(w);
    }
#endif
    unsigned char p[8];
    std::memcpy(p, &w, 8);
    uint64_t value = 0;
    for (const unsigned char byte : p) {
        value = value << 8 | byte;
    }
    return value;
}

// The level as the high half of a key's first word: its sign bit flipped, so
// that the words order as the levels.
uint64_t LevelHalf(int32_t level) {
    return uint64_t{static_cast<uint32_t>(level) ^ 0x80000000u} << 32;
}

// The key of a level and the big-endian numbers of name bytes 0..7, 8..15
// and 16..23, of which bytes 20..23 are left out.
tSpellKey KeyOf(int32_t level, uint64_t first, uint64_t second, uint64_t third) {
    tSpellKey key;
    key.High = LevelHalf(level) | first >> 32;
    key.Mid = first << 32 | second >> 32;
    key.Low = second << 32 | third >> 32;
    return key;
}

} // namespace

tSpellKey SpellKeyOf(const tSpell& spell) {
    return SpellKeyOf(spell.Level, spell.Name);
}

tSpellKey SpellKeyOf(int32_t level, std::string_view name) {
    unsigned char bytes[24] = {};
    std::memcpy(bytes, name.data(), std::min(name.size(), KeyNameBytes));
    // Name bytes 0..7, 8..15 and 16..23 (20..23 are 0), folded, as numbers.
    uint64_t words[3];
    std::memcpy(words, bytes, sizeof words);
    const uint64_t first = BigEndian(FoldEight(words[0]));
    const uint64_t second = BigEndian(FoldEight(words[1]));
    const uint64_t third = BigEndian(FoldEight(words[2]));
    return KeyOf(level, first, second, third);
}

int32_t CompareKeyed(const tSpellKey& aKey, const tSpell& a, const tSpellKey& bKey, const tSpell& b) {
    if (aKey.High != bKey.High) {
        return aKey.High < bKey.High ? -1 : 1;
    }
    if (aKey.Mid != bKey.Mid) {
        return aKey.Mid < bKey.Mid ? -1 : 1;
    }
    if (aKey.Low != bKey.Low) {
        return aKey.Low < bKey.Low ? -1 : 1;
    }
    // Equal keys: the same level, and names whose first 20 bytes are equal
    // ignoring case when both are that long (a shorter name's missing bytes
    // count as 0, so it is compared whole).
    if (a.Name.size() >= KeyNameBytes && b.Name.size() >= KeyNameBytes) {
        return CompareTextAscii(std::string_view(a.Name).substr(KeyNameBytes),
                                std::string_view(b.Name).substr(KeyNameBytes));
    }
    return CompareSpells(a, b);
}

bool tSpellIndex::Less(const tEntry& listed, const tSpellKey& key, const tSpell& spell) {
    return CompareKeyed(listed.Key, *listed.Node->Data, key, spell) < 0;
}

void tSpellIndex::Clear() {
    for (const tBlock* block : FBlocks) {
        delete block;
    }
    FBlocks.clear();
    FFirsts.clear();
    FSize = 0;
}

void tSpellIndex::tBlock::Insert(size_t at, const tEntry& entry) {
    std::copy_backward(FEntries + at, FEntries + FSize, FEntries + FSize + 1);
    FEntries[at] = entry;
    ++FSize;
}

void tSpellIndex::tBlock::Erase(size_t at) {
    std::copy(FEntries + at + 1, FEntries + FSize, FEntries + at);
    --FSize;
}

void tSpellIndex::tBlock::MoveTail(size_t from, tBlock& other) {
    std::copy(FEntries + from, FEntries + FSize, other.FEntries + other.FSize);
    other.FSize += FSize - from;
    FSize = from;
}

void tSpellIndex::Append(tNodeRef node) {
    Append(node, SpellKeyOf(*node->Data));
}

void tSpellIndex::Append(tNodeRef node, const tSpellKey& key) {
    const tEntry entry{key, node};
    if (FBlocks.empty() || FBlocks.back()->size() >= FullBlock / 2) {
        AddBlock(FBlocks.size(), entry.Key);
    }
    FBlocks.back()->PushBack(entry);
    ++FSize;
}

namespace {

// Whether key a orders before key b.
bool KeyLess(const tSpellKey& a, const tSpellKey& b) {
    return std::tie(a.High, a.Mid, a.Low) < std::tie(b.High, b.Mid, b.Low);
}

} // namespace

tSpellIndex::tPlace tSpellIndex::Find(const tSpell& spell, const tSpellKey& key) const {
    tPlace place;
    if (FBlocks.empty()) {
        return place;
    }
    // By the keys alone: the first entry whose key is not less, found in the
    // last block whose first key is less (or the first block).
    const auto after = std::lower_bound(FFirsts.begin(), FFirsts.end(), key, KeyLess);
    place.Block = after == FFirsts.begin() ? 0 : static_cast<size_t>(after - FFirsts.begin()) - 1;
    const tBlock& block = *FBlocks[place.Block];
    const tEntry* const entries = block.data();
    place.Offset = static_cast<size_t>(
        std::lower_bound(entries, entries + block.size(), key,
                         [](const tEntry& entry, const tSpellKey& k) { return KeyLess(entry.Key, k); }) -
        entries);
    // Every entry before place has a smaller key. The entries with the same
    // key (mostly none or one: the spell itself) are in the book's order:
    // the spell's place is the first of them not less than it. A long run of
    // them (names alike in their first 20 bytes) is searched by halving.
    constexpr int MostStepsAlongEqualKeys = 8;
    for (int step = 0; step < MostStepsAlongEqualKeys; ++step) {
        const tEntry* listed = EntryAt(place);
        if (!listed || listed->Key != key) {
            return place;
        }
        const int32_t order = CompareKeyed(key, spell, listed->Key, *listed->Node->Data);
        if (order <= 0) {
            place.Equal = order == 0;
            return place;
        }
        // On to the next entry: the one at place is the next block's first
        // when place is past its own block's last.
        if (place.Offset < FBlocks[place.Block]->size()) {
            ++place.Offset;
        } else {
            ++place.Block;
            place.Offset = 1;
        }
    }
    return FindAmongEqualKeys(spell, key);
}

tSpellIndex::tPlace tSpellIndex::FindAmongEqualKeys(const tSpell& spell, const tSpellKey& key) const {
    tPlace place;
    // The last block whose first entry is less than the spell, or the first.
    const auto after = std::partition_point(FBlocks.begin(), FBlocks.end(), [&](const tBlock* block) {
        return Less(block->front(), key, spell);
    });
    place.Block = after == FBlocks.begin() ? 0 : static_cast<size_t>(after - FBlocks.begin()) - 1;
    const tBlock& block = *FBlocks[place.Block];
    const auto at = std::partition_point(block.data(), block.data() + block.size(),
                                         [&](const tEntry& e) { return Less(e, key, spell); });
    place.Offset = static_cast<size_t>(at - block.data());
    if (const tEntry* listed = EntryAt(place)) {
        place.Equal = CompareKeyed(key, spell, listed->Key, *listed->Node->Data) == 0;
    }
    return place;
}

const tSpellIndex::tEntry* tSpellIndex::EntryAt(const tPlace& place) const {
    if (place.Block >= FBlocks.size()) {
        return nullptr;
    }
    if (place.Offset < FBlocks[place.Block]->size()) {
        return &(*FBlocks[place.Block])[place.Offset];
    }
    return place.Block + 1 < FBlocks.size() ? &FBlocks[place.Block + 1]->front() : nullptr;
}

tSpellIndex::tNodeRef tSpellIndex::NodeAt(const tPlace& place) const {
    const tEntry* entry = EntryAt(place);
    return entry ? entry->Node : nullptr;
}

tSpellIndex::tNodeRef tSpellIndex::NodeBefore(const tPlace& place) const {
    if (place.Offset > 0) {
        return (*FBlocks[place.Block])[place.Offset - 1].Node;
    }
    return place.Block > 0 ? FBlocks[place.Block - 1]->back().Node : nullptr;
}

void tSpellIndex::InsertAt(const tPlace& place, tNodeRef node, const tSpellKey& key) {
    const tEntry entry{key, node};
    if (FBlocks.empty()) {
        AddBlock(0, key);
    }
    FBlocks[place.Block]->Insert(place.Offset, entry);
    if (place.Offset == 0) {
        FFirsts[place.Block] = key;
    }
    ++FSize;
    SplitIfFull(place.Block);
}

void tSpellIndex::SplitIfFull(size_t block) {
    if (FBlocks[block]->size() < FullBlock) {
        return;
    }
    AddBlock(block + 1, (*FBlocks[block])[FullBlock / 2].Key);
    FBlocks[block]->MoveTail(FullBlock / 2, *FBlocks[block + 1]);
}

void tSpellIndex::AddBlock(size_t at, const tSpellKey& first) {
    auto block = std::make_unique<tBlock>();
    const auto offset = static_cast<std::ptrdiff_t>(at);
    FFirsts.insert(FFirsts.begin() + offset, first);
    try {
        FBlocks.insert(FBlocks.begin() + offset, block.get());
    } catch (...) {
        FFirsts.erase(FFirsts.begin() + offset);
        throw;
    }
    static_cast<void>(block.release());
}

void tSpellIndex::Erase(tNodeRef node) {
    tPlace place = Find(*node->Data, SpellKeyOf(*node->Data));
    if (place.Equal && place.Offset == FBlocks[place.Block]->size()) {
        // The first entry of the next block.
        ++place.Block;
        place.Offset = 0;
    }
    if (place.Equal && (*FBlocks[place.Block])[place.Offset].Node == node) {
        EraseAt(place.Block, place.Offset);
        return;
    }
    // Not where its spell sorts: look for the node itself.
    for (size_t b = 0; b < FBlocks.size(); ++b) {
        for (size_t i = 0; i < FBlocks[b]->size(); ++i) {
            if ((*FBlocks[b])[i].Node == node) {
                EraseAt(b, i);
                return;
            }
        }
    }
}

void tSpellIndex::EraseAt(size_t block, size_t offset) {
    tBlock& entries = *FBlocks[block];
    entries.Erase(offset);
    --FSize;
    const auto at = static_cast<std::ptrdiff_t>(block);
    if (entries.empty()) {
        delete &entries;
        FBlocks.erase(FBlocks.begin() + at);
        FFirsts.erase(FFirsts.begin() + at);
    } else if (offset == 0) {
        FFirsts[block] = entries.front().Key;
    }
}

bool tSpellIndex::Consistent() const {
    if (FBlocks.size() != FFirsts.size()) {
        return false;
    }
    size_t size = 0;
    const tEntry* last = nullptr;
    for (size_t b = 0; b < FBlocks.size(); ++b) {
        const tBlock& block = *FBlocks[b];
        if (block.empty() || block.size() > FullBlock || !(FFirsts[b] == block.front().Key)) {
            return false;
        }
        for (size_t i = 0; i < block.size(); ++i) {
            if (last && KeyLess(block[i].Key, last->Key)) {
                return false;
            }
            last = &block[i];
        }
        size += block.size();
    }
    return size == FSize;
}
