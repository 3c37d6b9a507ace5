#pragma once
// A spellbook: spells in level-then-name order (duplicates refused) together
// with the wizard they belong to. The same class is a wizard's book, the master
// spell list, and a references-only view of spells owned by another book.
//
// Ownership: an owning book (ReferencesOnly false) releases every spell it
// removes and, when destroyed, every spell it holds. A references-only book
// never releases a spell; it must be cleared or destroyed before the book that
// owns those spells lets them go.
//
// Beside the list the book keeps the first spell of each level, so that
// SeekLevel goes straight to a level, and, from the first spell that does not
// go at the end, an ordered index (model/SpellIndex.h), so that a spell finds
// its place without a walk. Neither changes what any operation answers or
// where it leaves the cursor. A listed spell's level and name must not be
// changed in place: remove the spell and add it again.

#include "model/List.h"
#include "model/Spell.h"
#include "model/SpellIndex.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

constexpr int32_t MinSpellLevel = 1;
constexpr int32_t MaxSpellLevel = 9;

inline bool IsSpellLevel(int32_t level) {
    return level >= MinSpellLevel && level <= MaxSpellLevel;
}

class TSpellBook : public tSortedList<tSpell> {
    using tNodeRef = TNode<tSpell>*;

public:
    TSpellBook(int32_t casterLevel = 0, int32_t intelligence = 0, int32_t frequency = 0,
               std::string specialty = std::string());
    ~TSpellBook() override;

    static std::unique_ptr<TSpellBook> Create(int32_t casterLevel, int32_t intelligence, int32_t frequency,
                                              std::string specialty) {
        return std::make_unique<TSpellBook>(casterLevel, intelligence, frequency, std::move(specialty));
    }

    int32_t CasterLevel = 0;
    int32_t Intelligence = 0;
    int32_t Frequency = 0; // the rarest frequency code the book admits
    std::string Specialty;
    // Spells per level; LevelCount[l] for l in 1..9 (index 0 is unused).
    std::array<int32_t, MaxSpellLevel + 1> LevelCount{};
    bool ReferencesOnly = false;
    int32_t FileVersion = 0; // 0 built in memory or read as a spell list; else 3, 4 or 5

    void MarkReferencesOnly() { ReferencesOnly = true; }

    // Number of spells of a level; 0 for a level outside 1..9.
    int32_t CountOfLevel(int32_t level) const {
        return IsSpellLevel(level) ? LevelCount[static_cast<size_t>(level)] : 0;
    }

    // Inserts the spell object itself. True when inserted: an owning book then
    // owns it. False for none or a duplicate (same level, name equal ignoring
    // case): the caller keeps the spell.
    bool AddSpell(tSpell* spell);
    // As above; on success the book takes the spell out of the pointer, on
    // refusal the pointer still holds it.
    bool AddSpell(std::unique_ptr<tSpell>& spell);
    bool AddSpell(std::unique_ptr<tSpell>&& spell) { return AddSpell(spell); }

    // Inserts a Copy of the spell. False for none, for a references-only book,
    // and for a duplicate (the copy is released).
    bool AddCopy(const tSpell* spell) { return AddCopyOf(spell) != nullptr; }
    // The same, answering the copy the book now holds, or none.
    tSpell* AddCopyOf(const tSpell* spell);

    // Adds spells that the caller has put in strict book order, each sorting
    // after the one before it, the same as AddSpell of each in turn: when the
    // book is empty or the first sorts after its last spell, they are linked
    // at the end without comparing them again. The book takes the spells it
    // adds out of the vector; a references-only book leaves them there.
    void AddSpellsInOrder(std::vector<std::unique_ptr<tSpell>>& spells);
    // The same for a references-only book, given the spells it is to refer
    // to (owned elsewhere); nothing for an owning book.
    void AddReferencesInOrder(const std::vector<tSpell*>& spells);

    // Spells in strict book order, added as AddSpell of each in turn would
    // add them, wherever they go (one equal to a spell the book holds is
    // refused and stays the caller's); returns how many the book took. They
    // are linked in one walk along the book from the first one's level, and
    // the index is dropped (it is built again at the next need): for many
    // spells, far less work than finding each one's place.
    size_t MergeInOrder(const std::vector<tSpell*>& spells);
    // Removes these very spells, listed in book order, as Take of each would,
    // in one walk along the book from the first one's level (the index is
    // dropped); the caller takes them over, from an owning book too. Stops at
    // the first spell not found after the one before it. Returns how many it
    // removed; the cursor is left none.
    size_t TakeInOrder(const std::vector<tSpell*>& spells);

    // True when the book holds a spell equal to spell (same level, name equal
    // ignoring case); false for none. The cursor does not move.
    bool Contains(const tSpell* spell) const;

    // Whether the book's search index, when built, lists as many spells as
    // the book and agrees with itself (for tests).
    bool IndexConsistent() const;

    // Empties this references-only book, then adds a reference to every spell
    // of source that passes keep, in source's order, the same as Clear and
    // AddSpell of each; source's cursor is left none. Nothing for an owning
    // book, which would take over source's spells.
    template <class Keep> void ShowSpellsOf(TSpellBook& source, Keep keep) {
        if (!ReferencesOnly) {
            return;
        }
        Clear();
        // Source is in strict book order, so each kept spell goes at the end.
        if (source.FUncounted == 0) {
            // Level by level from each level's first spell, so the level of a
            // spell is known without reading the spell.
            for (int32_t level = MinSpellLevel; level <= MaxSpellLevel; ++level) {
                tNodeRef node = source.FLevelStart[static_cast<size_t>(level)];
                for (int32_t i = source.LevelCount[static_cast<size_t>(level)]; i > 0;
                     --i, node = node->Next) {
                    if (keep(*node->Data)) {
                        const tNodeRef linked = LinkBefore(TailNode(), node->Data);
                        if (LevelCount[static_cast<size_t>(level)]++ == 0) {
                            FLevelStart[static_cast<size_t>(level)] = linked;
                        }
                    }
                }
            }
        } else {
            for (tNodeRef node = source.FirstNode(); node && !source.IsTail(node); node = node->Next) {
                if (keep(*node->Data)) {
                    Linked(LinkBefore(TailNode(), node->Data));
                }
            }
        }
        source.SetCurrent(nullptr);
    }

    // ShowSpellsOf(source) keeping every spell, at no cost per spell: the
    // book walks source's nodes instead of linking its own. It reads, moves
    // its cursor and answers exactly as a book of its own nodes would; the
    // first change to either book (any add or delete, Clear, destruction)
    // gives it nodes of its own first, its cursor on the same spell.
    void ShowAllSpellsOf(TSpellBook& source);

    // The spell at the cursor, or the stated default when the cursor is none.
    tSpell* CurrentSpell() const { return CurrentItem(); }
    int32_t CurrentLevel() const;               // 0
    std::string CurrentName() const;            // " "
    std::string CurrentBook() const;            // " "
    int32_t CurrentPage() const;                // 0
    int32_t CurrentFrequency() const;           // 0
    std::string CurrentCategory() const;        // " "
    bool CurrentMemorized() const;              // false
    std::string CurrentMemorizedLetter() const; // "N"

    // Removes the spell at the cursor (cursor rule of the list); an owning book
    // releases it. Nothing when the cursor is none.
    void DeleteCurrent() override;
    // Removes the spell at the cursor as DeleteCurrent does, but an owning
    // book hands it to the caller instead of releasing it. None when the
    // cursor is none, or from a references-only book.
    std::unique_ptr<tSpell> TakeCurrent();
    // Removes this very spell object, found by its place in the book's order
    // (not by a walk), and hands it over as TakeCurrent does; the cursor is
    // left as TakeCurrent leaves it, or none when the book does not hold it.
    std::unique_ptr<tSpell> Take(const tSpell* spell);
    // Removes every spell; Count and every LevelCount end 0.
    void Clear();

    // Leaves the cursor on the first spell whose level is at least level, or
    // none. Starts from wherever the cursor stands.
    void SeekLevel(int32_t level);
    // The index-th spell (from 0) of exactly this level, cursor left on it; or
    // none with the cursor none.
    tSpell* SpellAt(int32_t level, int32_t index);
    // A spell of the level drawn uniformly with the program's random source;
    // with no spell of that level, the first spell of a higher level or none.
    tSpell* RandomSpell(int32_t level);
    // The first spell whose name equals name byte for byte (level ignored),
    // cursor left on it; or none with the cursor none.
    tSpell* FindByName(const std::string& name);

private:
    // The ordered insertion of the list (duplicates refused), by the index
    // when the spell does not go at the end.
    bool InsertSpell(tSpell* spell);
    // The same for the spell make gives (equal to spell), which is made only
    // when spell is not refused.
    template <class tMake> bool InsertSpellAs(const tSpell& spell, tMake make);
    // Brings LevelCount, the level starts, and the index when there is one, up
    // to date after node was linked; before node is unlinked.
    void Linked(tNodeRef node);
    void Unlinking(tNodeRef node);
    // Forgets what is kept beside the nodes (level counts and starts, the
    // index, where the last spell was added), for a book left with no node.
    void ForgetNodeBookkeeping();
    void BuildIndex() const;
    // Before a change to this book: a book walking this one's nodes, or this
    // book walking another's, is given nodes of its own.
    void PrepareChange();
    void OwnNodes();
    void StopWalking();
    // The first node of the level or a higher one, where a walk for a spell
    // of that level starts; the tail when there is none.
    tNodeRef WalkStart(int32_t level);
    // True when spells, in strict book order, go after the book's last spell.
    template <class Spells> bool GoAtEnd(const Spells& spells) const;
    // Links spell at the end, where it sorts; key, when given, is its key.
    void LinkAtEnd(tSpell* spell, const tSpellKey* key = nullptr);

    // Spells enter only through AddSpell/AddCopy and leave only through
    // DeleteCurrent/Clear, which keep LevelCount and the index right.
    using tSortedList::Append;
    using tSortedList::Insert;
    using tSortedList::UnlinkCurrent;

    // The book whose nodes this one walks (ShowAllSpellsOf), and the book
    // walking this one's nodes.
    TSpellBook* FWalked = nullptr;
    TSpellBook* FWalker = nullptr;

    // The first spell of each level 1..9, none for a level without spells.
    std::array<tNodeRef, MaxSpellLevel + 1> FLevelStart{};
    // Spells of a level outside 1..9, which no reader or editor makes; while
    // there are any, SeekLevel walks as the list does.
    int32_t FUncounted = 0;
    // Built at the first need (a spell that does not go at the end, Contains)
    // and kept up to date from then on; dropped by Clear.
    mutable std::unique_ptr<tSpellIndex> FIndex;

    // Where the last SpellAt ended, so that reading a level row after row steps
    // on from there instead of walking back to the level's start each time. Any
    // change to the book's nodes invalidates it.
    struct SpellAtMark {
        TNode<tSpell>* node = nullptr;
        int32_t level = 0;
        int32_t index = 0;
    } FLastSpellAt;
};
