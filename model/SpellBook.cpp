#include "model/SpellBook.h"

#include "model/Random.h"

#include <algorithm>

namespace {
const std::string OneBlank = " ";
}

TSpellBook::TSpellBook(int32_t casterLevel, int32_t intelligence, int32_t frequency, std::string specialty)
    : tSortedList<tSpell>(CompareSpells, true), CasterLevel(casterLevel), Intelligence(intelligence),
      Frequency(frequency), Specialty(std::move(specialty)) {
}

TSpellBook::~TSpellBook() {
    StopWalking();
    if (FWalker) {
        FWalker->OwnNodes();
    }
    if (!ReferencesOnly) {
        ForEachItemUnordered([](tSpell* spell) { delete spell; });
    }
}

void TSpellBook::Linked(tNodeRef node) {
    // A spell outside levels 1..9 cannot come from a file or the editor; it is
    // kept but not counted, so the table is never indexed outside its bounds.
    const int32_t level = node->Data->Level;
    if (!IsSpellLevel(level)) {
        ++FUncounted;
    } else {
        ++LevelCount[static_cast<size_t>(level)];
        tNodeRef& start = FLevelStart[static_cast<size_t>(level)];
        if (!start || node->Next == start) {
            start = node;
        }
    }
}

void TSpellBook::Unlinking(tNodeRef node) {
    const int32_t level = node->Data->Level;
    if (!IsSpellLevel(level)) {
        --FUncounted;
    } else {
        --LevelCount[static_cast<size_t>(level)];
        tNodeRef& start = FLevelStart[static_cast<size_t>(level)];
        if (start == node) {
            const tNodeRef next = node->Next;
            start = !IsTail(next) && next->Data->Level == level ? next : nullptr;
        }
    }
    if (FIndex) {
        FIndex->Erase(node);
    }
}

void TSpellBook::BuildIndex() const {
    FIndex = std::make_unique<tSpellIndex>();
    for (tNodeRef node = FirstNode(); node && !IsTail(node); node = node->Next) {
        FIndex->Append(node);
    }
}

template <class tMake> bool TSpellBook::InsertSpellAs(const tSpell& spell, tMake make) {
    PrepareChange();
    const tNodeRef last = LastNode();
    if (!FIndex) {
        if (!last || CompareSpells(spell, *last->Data) > 0) {
            // After the last spell, where the walk of the list would end too:
            // the shape of reading a saved file or filling a book in order,
            // which stays linear and needs no search key.
            LinkAtEnd(make());
            return true;
        }
        BuildIndex();
    }
    // With the index, after the last spell is told by the keys first.
    const tSpellKey key = SpellKeyOf(spell);
    if (!last || CompareKeyed(key, spell, FIndex->LastKey(), *last->Data) > 0) {
        LinkAtEnd(make(), &key);
        return true;
    }
    const tSpellIndex::tPlace place = FIndex->Find(spell, key);
    if (place.Equal) {
        return false;
    }
    // Between the nodes listed on either side of place: the index knows both,
    // so neither has to be read from memory before the links are written.
    const tNodeRef before = FIndex->NodeBefore(place);
    const tNodeRef after = FIndex->NodeAt(place);
    const tNodeRef node = LinkBetween(before ? before : HeadNode(), after ? after : TailNode(), make());
    FIndex->InsertAt(place, node, key);
    Linked(node);
    return true;
}

bool TSpellBook::InsertSpell(tSpell* spell) {
    return InsertSpellAs(*spell, [spell] { return spell; });
}

bool TSpellBook::AddSpell(tSpell* spell) {
    if (!spell || !InsertSpell(spell)) {
        return false;
    }
    FLastSpellAt = {};
    return true;
}

bool TSpellBook::AddSpell(std::unique_ptr<tSpell>& spell) {
    if (!AddSpell(spell.get())) {
        return false;
    }
    if (!ReferencesOnly) {
        // The book owns the spell now.
        static_cast<void>(spell.release());
    }
    return true;
}

tSpell* TSpellBook::AddCopyOf(const tSpell* spell) {
    if (!spell || ReferencesOnly) {
        return nullptr;
    }
    // The copy is made only once the spell is known not to be refused, and
    // its place is found by the spell itself, whose bytes are at hand.
    std::unique_ptr<tSpell> copy;
    if (!InsertSpellAs(*spell, [&] {
            copy = spell->Copy();
            return copy.get();
        })) {
        return nullptr;
    }
    FLastSpellAt = {};
    return copy.release(); // the book owns it now
}

template <class Spells> bool TSpellBook::GoAtEnd(const Spells& spells) const {
    const tNodeRef last = LastNode();
    return !spells.empty() && spells.front() && (!last || CompareSpells(*spells.front(), *last->Data) > 0);
}

// Made part of each caller: the loop of a batch added in order runs it for
// every spell.
[[gnu::always_inline]] inline void TSpellBook::LinkAtEnd(tSpell* spell, const tSpellKey* key) {
    const tNodeRef node = LinkBefore(TailNode(), spell);
    if (FIndex) {
        if (key) {
            FIndex->Append(node, *key);
        } else {
            FIndex->Append(node);
        }
    }
    Linked(node);
}

void TSpellBook::AddSpellsInOrder(std::vector<std::unique_ptr<tSpell>>& spells) {
    PrepareChange();
    if (!GoAtEnd(spells) || ReferencesOnly) {
        for (std::unique_ptr<tSpell>& spell : spells) {
            AddSpell(spell);
        }
        return;
    }
    for (std::unique_ptr<tSpell>& spell : spells) {
        if (spell) {
            LinkAtEnd(spell.release());
        }
    }
    FLastSpellAt = {};
}

void TSpellBook::AddReferencesInOrder(const std::vector<tSpell*>& spells) {
    if (!ReferencesOnly) {
        return;
    }
    PrepareChange();
    if (!GoAtEnd(spells)) {
        for (tSpell* spell : spells) {
            AddSpell(spell);
        }
        return;
    }
    for (tSpell* spell : spells) {
        if (spell) {
            LinkAtEnd(spell);
        }
    }
    FLastSpellAt = {};
}

TSpellBook::tNodeRef TSpellBook::WalkStart(int32_t level) {
    if (FUncounted == 0) {
        SeekLevel(level);
        const tNodeRef start = Current();
        SetCurrent(nullptr);
        return start ? start : TailNode();
    }
    const tNodeRef first = FirstNode();
    return first ? first : TailNode();
}

size_t TSpellBook::MergeInOrder(const std::vector<tSpell*>& spells) {
    PrepareChange();
    FIndex.reset();
    FLastSpellAt = {};
    size_t added = 0;
    if (spells.empty() || !spells.front()) {
        return added;
    }
    tNodeRef next = WalkStart(spells.front()->Level);
    for (tSpell* spell : spells) {
        if (!spell) {
            continue;
        }
        int32_t order = -1;
        while (!IsTail(next) && (order = CompareSpells(*spell, *next->Data)) > 0) {
            next = next->Next;
        }
        if (!IsTail(next) && order == 0) {
            continue; // refused, as AddSpell would
        }
        Linked(LinkBefore(next, spell));
        ++added;
    }
    return added;
}

size_t TSpellBook::TakeInOrder(const std::vector<tSpell*>& spells) {
    PrepareChange();
    FIndex.reset();
    FLastSpellAt = {};
    size_t taken = 0;
    if (!spells.empty() && spells.front()) {
        tNodeRef node = WalkStart(spells.front()->Level);
        for (const tSpell* spell : spells) {
            while (!IsTail(node) && node->Data != spell) {
                node = node->Next;
            }
            if (IsTail(node)) {
                break;
            }
            const tNodeRef next = node->Next;
            Unlinking(node);
            SetCurrent(node);
            UnlinkCurrent();
            node = next;
            ++taken;
        }
    }
    SetCurrent(nullptr);
    return taken;
}

bool TSpellBook::Contains(const tSpell* spell) const {
    if (!spell || Count() == 0) {
        return false;
    }
    if (!FIndex) {
        BuildIndex();
    }
    return FIndex->Find(*spell, SpellKeyOf(*spell)).Equal;
}

bool TSpellBook::IndexConsistent() const {
    return !FIndex || (FIndex->Size() == static_cast<size_t>(Count()) && FIndex->Consistent());
}

void TSpellBook::ShowAllSpellsOf(TSpellBook& source) {
    if (!ReferencesOnly) {
        return;
    }
    if (&source == this || source.FWalked || (source.FWalker && source.FWalker != this)) {
        ShowSpellsOf(source, [](const tSpell&) { return true; });
        return;
    }
    Clear();
    WalkNodesOf(source);
    FWalked = &source;
    source.FWalker = this;
    LevelCount = source.LevelCount;
    FLevelStart = source.FLevelStart;
    FUncounted = source.FUncounted;
    source.SetCurrent(nullptr);
}

void TSpellBook::PrepareChange() {
    OwnNodes();
    if (FWalker) {
        FWalker->OwnNodes();
    }
}

void TSpellBook::StopWalking() {
    if (FWalked) {
        FWalked->FWalker = nullptr;
        FWalked = nullptr;
        UnlinkAll();
    }
}

void TSpellBook::OwnNodes() {
    if (!FWalked) {
        return;
    }
    // The same spells linked as nodes of this book, in the same order, the
    // cursor on the node of the spell it stood on.
    const tNodeRef cursor = Current();
    tNodeRef node = FirstNode();
    const tNodeRef end = TailNode();
    StopWalking();
    ForgetNodeBookkeeping();
    tNodeRef ownCursor = nullptr;
    for (; node && node != end; node = node->Next) {
        const tNodeRef own = LinkBefore(TailNode(), node->Data);
        Linked(own);
        if (node == cursor) {
            ownCursor = own;
        }
    }
    SetCurrent(ownCursor);
}

int32_t TSpellBook::CurrentLevel() const {
    return CurrentSpell() ? CurrentSpell()->Level : 0;
}
std::string TSpellBook::CurrentName() const {
    return CurrentSpell() ? CurrentSpell()->Name.str() : OneBlank;
}
std::string TSpellBook::CurrentBook() const {
    return CurrentSpell() ? CurrentSpell()->Book.str() : OneBlank;
}
int32_t TSpellBook::CurrentPage() const {
    return CurrentSpell() ? CurrentSpell()->Page : 0;
}
int32_t TSpellBook::CurrentFrequency() const {
    return CurrentSpell() ? CurrentSpell()->Frequency : 0;
}
std::string TSpellBook::CurrentCategory() const {
    return CurrentSpell() ? CurrentSpell()->Category.str() : OneBlank;
}
bool TSpellBook::CurrentMemorized() const {
    return CurrentSpell() ? CurrentSpell()->Memorized : false;
}
std::string TSpellBook::CurrentMemorizedLetter() const {
    return CurrentMemorized() ? "Y" : "N";
}

void TSpellBook::DeleteCurrent() {
    TakeCurrent(); // released here for an owning book
}

std::unique_ptr<tSpell> TSpellBook::TakeCurrent() {
    if (!CurrentSpell()) {
        return nullptr;
    }
    PrepareChange();
    tSpell* spell = CurrentSpell();
    Unlinking(Current());
    FLastSpellAt = {};
    UnlinkCurrent();
    return ReferencesOnly ? nullptr : std::unique_ptr<tSpell>(spell);
}

std::unique_ptr<tSpell> TSpellBook::Take(const tSpell* spell) {
    SetCurrent(nullptr);
    if (!spell || Count() == 0) {
        return nullptr;
    }
    PrepareChange(); // the index is of this book's own nodes
    if (!FIndex) {
        BuildIndex();
    }
    const tSpellIndex::tPlace place = FIndex->Find(*spell, SpellKeyOf(*spell));
    const tNodeRef node = place.Equal ? FIndex->NodeAt(place) : nullptr;
    if (!node || node->Data != spell) {
        return nullptr;
    }
    SetCurrent(node);
    return TakeCurrent();
}

void TSpellBook::ForgetNodeBookkeeping() {
    LevelCount = {};
    FLevelStart = {};
    FUncounted = 0;
    FIndex.reset();
    FLastSpellAt = {};
}

void TSpellBook::Clear() {
    StopWalking();
    if (FWalker) {
        FWalker->OwnNodes();
    }
    // What deleting the first spell until none is left comes to, at once.
    if (!ReferencesOnly) {
        ForEachItemUnordered([](tSpell* spell) { delete spell; });
    }
    UnlinkAll();
    ForgetNodeBookkeeping();
}

void TSpellBook::SeekLevel(int32_t level) {
    if (FUncounted == 0) {
        // Every spell is of a level 1..9: the first of the lowest level from
        // level on that has spells is where the walk below ends.
        SetCurrent(nullptr);
        for (int32_t l = std::max(level, MinSpellLevel); l <= MaxSpellLevel; ++l) {
            if (FLevelStart[static_cast<size_t>(l)]) {
                SetCurrent(FLevelStart[static_cast<size_t>(l)]);
                break;
            }
        }
        return;
    }
    while (Current() && CurrentSpell()->Level >= level) {
        Prev();
    }
    if (!Current()) {
        First();
    }
    while (Current() && CurrentSpell()->Level < level) {
        Next();
    }
}

tSpell* TSpellBook::SpellAt(int32_t level, int32_t index) {
    int32_t steps = index;
    if (FLastSpellAt.node && FLastSpellAt.level == level && FLastSpellAt.index <= index &&
        Current() == FLastSpellAt.node) {
        // The cursor still stands on the spell the last call returned, and
        // nothing was added or removed since: step on from there. The cursor
        // ends where SeekLevel and index steps would have left it.
        steps = index - FLastSpellAt.index;
    } else {
        SeekLevel(level);
    }
    for (int32_t i = 0; i < steps && Current(); ++i) {
        Next();
    }
    if (Current() && CurrentSpell()->Level == level && index >= 0) {
        FLastSpellAt = {Current(), level, index};
        return CurrentSpell();
    }
    FLastSpellAt = {};
    GoTo(0); // cursor none
    return nullptr;
}

tSpell* TSpellBook::RandomSpell(int32_t level) {
    SeekLevel(level);
    const int32_t steps = RandomInt(CountOfLevel(level));
    for (int32_t i = 0; i < steps; ++i) {
        Next();
    }
    return CurrentSpell();
}

tSpell* TSpellBook::FindByName(const std::string& name) {
    First();
    while (Current() && CurrentSpell()->Name != name) {
        Next();
    }
    return CurrentSpell();
}
