#pragma once
// An ordered index beside a spellbook's list, so that a spell finds its place
// among many in logarithmic time instead of by walking the list. It holds the
// book's nodes in book order in blocks of up to 64, each entry with a key
// made from the spell's level and the first 20 bytes of its folded name: two
// keys that differ order their spells as CompareSpells does, so a search
// compares keys alone, and looks at the spells only when it meets a listed
// spell with the same key.
//
// The index knows nothing of the list's links: the book tells it of every node
// it links or unlinks. A listed spell's level and name must not change in
// place (a book removes a changed spell and adds it again).

#include "model/List.h"
#include "model/Spell.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

struct tSpellKey {
    uint64_t High = 0; // level (as unsigned, order kept), then name bytes 0..3
    uint64_t Mid = 0;  // name bytes 4..11
    uint64_t Low = 0;  // name bytes 12..19
    bool operator==(const tSpellKey&) const = default;
};

// The key of a spell: its level, then its first 20 name bytes with a..z
// folded to A..Z (missing bytes as 0).
tSpellKey SpellKeyOf(const tSpell& spell);
tSpellKey SpellKeyOf(int32_t level, std::string_view name);

// CompareSpells of two spells whose keys are given: the keys decide when they
// differ, the spells when they are equal.
int32_t CompareKeyed(const tSpellKey& aKey, const tSpell& a, const tSpellKey& bKey, const tSpell& b);

class tSpellIndex {
public:
    using tNodeRef = TNode<tSpell>*;

    tSpellIndex() = default;
    tSpellIndex(const tSpellIndex&) = delete;
    tSpellIndex& operator=(const tSpellIndex&) = delete;
    ~tSpellIndex() { Clear(); }

    // Where a spell belongs: before the entry at (Block, Offset), the first
    // listed spell not less than it; past the last entry when there is none.
    // Equal when that spell compares equal to the one searched.
    struct tPlace {
        size_t Block = 0;
        size_t Offset = 0;
        bool Equal = false;
    };

    size_t Size() const { return FSize; }
    void Clear();

    // Adds a node whose spell sorts after every listed one.
    void Append(tNodeRef node);
    // The same for a node whose spell's key is key.
    void Append(tNodeRef node, const tSpellKey& key);
    // The key of the last entry; only with at least one entry.
    const tSpellKey& LastKey() const { return FBlocks.back()->back().Key; }
    tPlace Find(const tSpell& spell, const tSpellKey& key) const;
    // The node listed at place: the one a new spell found there goes before;
    // none past the last entry.
    tNodeRef NodeAt(const tPlace& place) const;
    // The node listed just before place: the one a new spell found there
    // goes after; none before the first entry.
    tNodeRef NodeBefore(const tPlace& place) const;
    // Lists node at place (found for its spell, whose key is key, not Equal).
    void InsertAt(const tPlace& place, tNodeRef node, const tSpellKey& key);
    // Forgets node; a node not listed is ignored.
    void Erase(tNodeRef node);

    // Whether what is kept beside the entries agrees with them: no empty
    // block, each block's first key, the size, and keys in order. For
    // tests; walks the whole index.
    bool Consistent() const;

private:
    struct tEntry {
        tSpellKey Key;
        tNodeRef Node = nullptr;
    };

    // A block is split in halves when it reaches this many entries; blocks
    // built by appending are filled to half of it, leaving room for
    // insertions.
    static constexpr size_t FullBlock = 64;

    // Up to FullBlock entries in one allocation: the index keeps pointers to
    // its blocks, so that a new block moves pointers and not the blocks. The
    // room for entries is left as it comes from the allocator until used.
    class tBlock {
    public:
        tBlock() {}
        size_t size() const { return FSize; }
        bool empty() const { return FSize == 0; }
        const tEntry* data() const { return FEntries; }
        const tEntry& operator[](size_t i) const { return FEntries[i]; }
        const tEntry& front() const { return FEntries[0]; }
        const tEntry& back() const { return FEntries[FSize - 1]; }
        void PushBack(const tEntry& entry) { FEntries[FSize++] = entry; }
        void Insert(size_t at, const tEntry& entry);
        void Erase(size_t at);
        // Moves the entries from from on to the end of other.
        void MoveTail(size_t from, tBlock& other);

    private:
        size_t FSize = 0;
        union {
            tEntry FEntries[FullBlock];
        };
    };

    const tEntry* EntryAt(const tPlace& place) const;
    // Find for a spell whose key some listed spell has too.
    tPlace FindAmongEqualKeys(const tSpell& spell, const tSpellKey& key) const;
    static bool Less(const tEntry& listed, const tSpellKey& key, const tSpell& spell);
    void SplitIfFull(size_t block);
    void EraseAt(size_t block, size_t offset);

    // Adds a new, empty block before the block at at, whose first key will be
    // first; on failure (out of memory) the index is left as it was.
    void AddBlock(size_t at, const tSpellKey& first);

    // Owned: plain pointers, so that a new block moves them as bytes.
    std::vector<tBlock*> FBlocks;
    std::vector<tSpellKey> FFirsts; // the key of each block's first entry, for finding the block
    size_t FSize = 0;
};
