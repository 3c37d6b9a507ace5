#pragma once
// What a command did to a book (a spellbook, the master spell pool), kept so
// that it can be taken back and done again: the spells it added and removed,
// the memorized marks it flipped, the header values it set and the book it
// put in the old one's place. It holds the changed spells themselves, never a
// copy of the book: a spell removed stays alive here, and goes back into the
// book as the same object, so every step of a history finds the spells it
// knows.

#include "model/SpellBook.h"

#include "app/Undo.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class tBookChanges {
public:
    // The changes of the book that holder holds (the holder stays; the book
    // in it may be replaced).
    explicit tBookChanges(std::unique_ptr<TSpellBook>& holder) : Holder(holder) {}
    ~tBookChanges();
    tBookChanges(const tBookChanges&) = delete;
    tBookChanges& operator=(const tBookChanges&) = delete;

    TSpellBook& Book() { return *Holder; }

    // Changes made and noted. Add: the spell goes into the book (false, the
    // spell dropped, when the book refuses it). Remove: a spell of the book
    // comes out (false when the book does not hold it). Flip: a spell's
    // memorized mark. The header values: only a new value is a change.
    bool Add(std::unique_ptr<tSpell> spell);
    bool Remove(tSpell* spell);
    void Flip(tSpell* spell);
    void SetCasterLevel(int32_t value);
    void SetIntelligence(int32_t value);
    void SetFrequency(int32_t value);
    void SetSpecialty(const std::string& value);
    // The book is replaced by book; the old one is kept.
    void ReplaceBook(std::unique_ptr<TSpellBook> book);

    // Changes made by other routines, noted: spells just added to the book,
    // and spells just removed from it (handed over).
    void Added(tSpell* spell);
    void Removed(std::unique_ptr<tSpell> spell);
    // A change that leaves the book as it was and still counts (a book
    // validated that held nothing to remove).
    void Touch();

    bool Empty() const { return FRuns.empty(); }

    // Takes next, the changes of a newer command, into these when both set
    // the same one header value and nothing else: these then end at next's
    // value. False, with nothing changed, otherwise.
    bool TakeOver(tBookChanges& next);

    // Takes every change back, newest first; then does them again in order.
    void Undo();
    void Redo();

private:
    enum class tKind {
        Added,
        Removed,
        Flipped,
        CasterLevel,
        Intelligence,
        Frequency,
        Specialty,
        Book,
        Touched
    };
    // Changes of one kind in a row. Spells added or removed in a row were in
    // the book, or out of it, all at once, so they go back in any order.
    struct tRun {
        explicit tRun(tKind kind) : Kind(kind) {}
        tKind Kind;
        std::vector<tSpell*> Spells;
        int32_t Old = 0, New = 0;
        std::string OldText, NewText;
        std::unique_ptr<TSpellBook> OtherBook;
    };
    tRun& RunOf(tKind kind);
    void SetNumber(tKind kind, int32_t& field, int32_t value);
    // Puts the spells of a run into the book, or takes them out.
    void PutBack(std::vector<tSpell*>& spells);
    void TakeOut(std::vector<tSpell*>& spells);
    bool ManyFor(std::vector<tSpell*>& spells);
    void Apply(tRun& run, bool forward);

    std::unique_ptr<TSpellBook>& Holder;
    std::vector<tRun> FRuns;
    bool FUndone = false;
};

// How a book command counts: whether it is an unsaved change, and whether
// it merges with the next command of its name (a box changed again and
// again, one value after another, is one step).
struct tCommandKind {
    bool Marks = true;
    bool Merges = false;
};

// A command that changes a book: execute makes its changes through changes
// (and asks what it must ask on the way); Undo and Redo replay them.
class tBookCommand : public tUndoCommand {
public:
    using tExecute = std::function<void(tBookChanges& changes)>;
    tBookCommand(std::unique_ptr<TSpellBook>& holder, std::string name, tExecute execute,
                 tCommandKind kind = {})
        : tUndoCommand(std::move(name), kind.Marks), Changes(holder), Run(std::move(execute)),
          FMerges(kind.Merges) {}

    bool MergeWith(tUndoCommand& next) override;

protected:
    bool PerformExecute() override;
    void PerformUndo() override { Changes.Undo(); }
    void PerformRedo() override { Changes.Redo(); }

private:
    tBookChanges Changes;
    tExecute Run;
    bool FMerges;
};
