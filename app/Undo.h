#pragma once
// Changes that can be taken back: every command that changes a document (a
// spellbook, the master spell pool) is a tUndoCommand, run through the
// document's tUndoHistory, which keeps the last steps for Undo and Redo and
// knows whether the document differs from its file.

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class tUndoCommand {
public:
    virtual ~tUndoCommand() = default;
    tUndoCommand(const tUndoCommand&) = delete;
    tUndoCommand& operator=(const tUndoCommand&) = delete;

    // What the Undo and Redo items call the command ("Clear Book").
    const std::string& Name() const { return FName; }
    // Whether the change counts as unsaved: the close question asks about
    // it. Some changes do not (a memorized mark, the frequency box).
    bool Marks() const { return FMarks; }

    // Does the command once; false when it changed nothing (it is then not
    // kept). Undo takes back what Execute or Redo did, Redo does again what
    // Undo took back, exactly; each runs only in that order, otherwise it
    // does nothing and answers false.
    bool Execute();
    bool Undo();
    bool Redo();

    // Takes the newer command next, just done, into this one when both are
    // one change (the same box changed again); false when they are not.
    virtual bool MergeWith(tUndoCommand& next);

protected:
    explicit tUndoCommand(std::string name, bool marks = true) : FName(std::move(name)), FMarks(marks) {}

    virtual bool PerformExecute() = 0;
    virtual void PerformUndo() = 0;
    virtual void PerformRedo() = 0;

private:
    enum class tState { New, Done, Undone };
    std::string FName;
    bool FMarks;
    tState FState = tState::New;
};

class tUndoHistory {
public:
    static constexpr size_t DefaultLimit = 100;

    // Keeps up to limit steps; changed runs after every change of the history
    // (a step done, undone or redone, a save, a new start).
    explicit tUndoHistory(std::function<void()> changed = nullptr, size_t limit = DefaultLimit);

    // Executes command. When it changed something it becomes the newest step
    // (merged into the newest one when that takes it and the document was not
    // saved in between); the steps undone before are dropped, and the oldest
    // one beyond the limit. Returns whether it changed something.
    bool Do(std::unique_ptr<tUndoCommand> command);
    bool CanUndo() const { return FPosition > 0; }
    bool CanRedo() const { return FPosition < FSteps.size(); }
    // The names of the steps Undo and Redo would take; empty when none.
    std::string UndoName() const;
    std::string RedoName() const;
    // False when there is nothing to undo or redo.
    bool Undo();
    bool Redo();

    // The document as it stands is the one its file holds (opened, saved).
    void MarkSaved();
    // Drops every step: a document opened (saved true) or made new, never
    // saved (saved false, so it counts as changed until saved).
    void Reset(bool saved);

    // Whether the document differs from its file by a change that counts: a
    // step that marks lies between the saved state and the current one.
    bool Modified() const;

    size_t Size() const { return FSteps.size(); }
    size_t Limit() const { return FLimit; }

private:
    // Whether a step that marks lies between positions a and b.
    bool MarksBetween(size_t a, size_t b) const;
    void Changed() const;

    std::function<void()> FChanged;
    size_t FLimit;
    std::vector<std::unique_ptr<tUndoCommand>> FSteps;
    size_t FPosition = 0; // steps done
    // The saved state, as seen from position FSaved: marking changes lie
    // between them when FSavedApart (the saved state itself was dropped, or
    // the document was never saved).
    size_t FSaved = 0;
    bool FSavedApart = false;
};

// The captions of the Undo and Redo items: "&Undo Clear Book", "&Redo Clear
// Book"; "&Undo" and "&Redo" when there is nothing to take back or do again.
std::string UndoCaption(const std::string& name);
std::string RedoCaption(const std::string& name);
