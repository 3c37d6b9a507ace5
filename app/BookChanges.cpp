#include "app/BookChanges.h"

#include <algorithm>
#include <utility>

tBookChanges::~tBookChanges() {
    // The spells out of the book are this record's: the ones removed while
    // the changes stand, the ones added while they are taken back.
    const tKind out = FUndone ? tKind::Added : tKind::Removed;
    for (const tRun& run : FRuns) {
        if (run.Kind == out) {
            for (tSpell* spell : run.Spells) {
                delete spell;
            }
        }
    }
}

tBookChanges::tRun& tBookChanges::RunOf(tKind kind) {
    if (FRuns.empty() || FRuns.back().Kind != kind) {
        FRuns.emplace_back(kind);
    }
    return FRuns.back();
}

bool tBookChanges::Add(std::unique_ptr<tSpell> spell) {
    tSpell* added = spell.get();
    if (!Book().AddSpell(spell)) {
        return false;
    }
    Added(added);
    return true;
}

void tBookChanges::Added(tSpell* spell) {
    if (spell) {
        RunOf(tKind::Added).Spells.push_back(spell);
    }
}

bool tBookChanges::Remove(tSpell* spell) {
    std::unique_ptr<tSpell> taken = Book().Take(spell);
    if (!taken) {
        return false;
    }
    Removed(std::move(taken));
    return true;
}

void tBookChanges::Removed(std::unique_ptr<tSpell> spell) {
    if (spell) {
        RunOf(tKind::Removed).Spells.push_back(spell.release());
    }
}

void tBookChanges::Touch() {
    RunOf(tKind::Touched);
}

void tBookChanges::Flip(tSpell* spell) {
    if (spell) {
        spell->Memorized = !spell->Memorized;
        RunOf(tKind::Flipped).Spells.push_back(spell);
    }
}

void tBookChanges::SetNumber(tKind kind, int32_t& field, int32_t value) {
    if (field == value) {
        return;
    }
    const bool again = !FRuns.empty() && FRuns.back().Kind == kind;
    tRun& run = RunOf(kind);
    if (!again) {
        run.Old = field;
    }
    run.New = value;
    field = value;
}

void tBookChanges::SetCasterLevel(int32_t value) {
    SetNumber(tKind::CasterLevel, Book().CasterLevel, value);
}

void tBookChanges::SetIntelligence(int32_t value) {
    SetNumber(tKind::Intelligence, Book().Intelligence, value);
}

void tBookChanges::SetFrequency(int32_t value) {
    SetNumber(tKind::Frequency, Book().Frequency, value);
}

void tBookChanges::SetSpecialty(const std::string& value) {
    std::string& field = Book().Specialty;
    if (field == value) {
        return;
    }
    const bool again = !FRuns.empty() && FRuns.back().Kind == tKind::Specialty;
    tRun& run = RunOf(tKind::Specialty);
    if (!again) {
        run.OldText = field;
    }
    run.NewText = value;
    field = value;
}

void tBookChanges::ReplaceBook(std::unique_ptr<TSpellBook> book) {
    if (!book) {
        return;
    }
    FRuns.emplace_back(tKind::Book).OtherBook = std::move(book);
    std::swap(Holder, FRuns.back().OtherBook);
}

bool tBookChanges::TakeOver(tBookChanges& next) {
    if (FRuns.size() != 1 || next.FRuns.size() != 1 || FRuns.front().Kind != next.FRuns.front().Kind) {
        return false;
    }
    tRun& run = FRuns.front();
    const tRun& newer = next.FRuns.front();
    switch (run.Kind) {
    case tKind::CasterLevel:
    case tKind::Intelligence:
    case tKind::Frequency:
        run.New = newer.New;
        return true;
    case tKind::Specialty:
        run.NewText = newer.NewText;
        return true;
    default:
        return false;
    }
}

// The spells of a run were in the book, or out of it, all at once, so their
// order does not matter: many beside the book's are put in book order and go
// in or out in one walk along the book, a few each find their place.
bool tBookChanges::ManyFor(std::vector<tSpell*>& spells) {
    if (spells.size() * 16 < static_cast<size_t>(Book().Count()) + 16) {
        return false;
    }
    const auto before = [](const tSpell* a, const tSpell* b) { return CompareSpells(*a, *b) < 0; };
    if (!std::is_sorted(spells.begin(), spells.end(), before)) {
        std::sort(spells.begin(), spells.end(), before);
    }
    return true;
}

void tBookChanges::PutBack(std::vector<tSpell*>& spells) {
    if (ManyFor(spells)) {
        Book().MergeInOrder(spells);
        return;
    }
    for (tSpell* spell : spells) {
        Book().AddSpell(spell);
    }
}

void tBookChanges::TakeOut(std::vector<tSpell*>& spells) {
    if (ManyFor(spells)) {
        Book().TakeInOrder(spells); // this record holds them
        return;
    }
    for (const tSpell* spell : spells) {
        static_cast<void>(Book().Take(spell).release()); // this record holds it
    }
}

void tBookChanges::Apply(tRun& run, bool forward) {
    TSpellBook& book = Book();
    switch (run.Kind) {
    case tKind::Added:
        forward ? PutBack(run.Spells) : TakeOut(run.Spells);
        break;
    case tKind::Removed:
        forward ? TakeOut(run.Spells) : PutBack(run.Spells);
        break;
    case tKind::Flipped:
        for (tSpell* spell : run.Spells) {
            spell->Memorized = !spell->Memorized;
        }
        break;
    case tKind::CasterLevel:
        book.CasterLevel = forward ? run.New : run.Old;
        break;
    case tKind::Intelligence:
        book.Intelligence = forward ? run.New : run.Old;
        break;
    case tKind::Frequency:
        book.Frequency = forward ? run.New : run.Old;
        break;
    case tKind::Specialty:
        book.Specialty = forward ? run.NewText : run.OldText;
        break;
    case tKind::Book:
        std::swap(Holder, run.OtherBook);
        break;
    case tKind::Touched:
        break;
    }
}

void tBookChanges::Undo() {
    if (FUndone) {
        return;
    }
    for (size_t i = FRuns.size(); i-- > 0;) {
        Apply(FRuns[i], false);
    }
    FUndone = true;
}

void tBookChanges::Redo() {
    if (!FUndone) {
        return;
    }
    for (tRun& run : FRuns) {
        Apply(run, true);
    }
    FUndone = false;
}

bool tBookCommand::PerformExecute() {
    Run(Changes);
    return !Changes.Empty();
}

bool tBookCommand::MergeWith(tUndoCommand& next) {
    auto* newer = dynamic_cast<tBookCommand*>(&next);
    return FMerges && newer && newer->FMerges && newer->Name() == Name() && Changes.TakeOver(newer->Changes);
}
