#include "app/Undo.h"

#include <algorithm>

bool tUndoCommand::Execute() {
    if (FState != tState::New || !PerformExecute()) {
        return false;
    }
    FState = tState::Done;
    return true;
}

bool tUndoCommand::Undo() {
    if (FState != tState::Done) {
        return false;
    }
    PerformUndo();
    FState = tState::Undone;
    return true;
}

bool tUndoCommand::Redo() {
    if (FState != tState::Undone) {
        return false;
    }
    PerformRedo();
    FState = tState::Done;
    return true;
}

bool tUndoCommand::MergeWith(tUndoCommand&) {
    return false;
}

tUndoHistory::tUndoHistory(std::function<void()> changed, size_t limit)
    : FChanged(std::move(changed)), FLimit(std::max<size_t>(limit, 1)) {
}

void tUndoHistory::Changed() const {
    if (FChanged) {
        FChanged();
    }
}

bool tUndoHistory::Do(std::unique_ptr<tUndoCommand> command) {
    if (!command || !command->Execute()) {
        return false;
    }
    // The steps undone are gone; so is the saved state when it lay among them.
    if (FSaved > FPosition) {
        FSavedApart = FSavedApart || MarksBetween(FPosition, FSaved);
        FSaved = FPosition;
    }
    FSteps.resize(FPosition);
    if (!FSteps.empty() && FSaved != FPosition && FSteps.back()->MergeWith(*command)) {
        Changed();
        return true;
    }
    FSteps.push_back(std::move(command));
    ++FPosition;
    if (FSteps.size() > FLimit) {
        if (FSaved == 0) {
            FSavedApart = FSavedApart || FSteps.front()->Marks();
        } else {
            --FSaved;
        }
        FSteps.erase(FSteps.begin());
        --FPosition;
    }
    Changed();
    return true;
}

std::string tUndoHistory::UndoName() const {
    return CanUndo() ? FSteps[FPosition - 1]->Name() : std::string();
}

std::string tUndoHistory::RedoName() const {
    return CanRedo() ? FSteps[FPosition]->Name() : std::string();
}

bool tUndoHistory::Undo() {
    if (!CanUndo()) {
        return false;
    }
    FSteps[FPosition - 1]->Undo();
    --FPosition;
    Changed();
    return true;
}

bool tUndoHistory::Redo() {
    if (!CanRedo()) {
        return false;
    }
    FSteps[FPosition]->Redo();
    ++FPosition;
    Changed();
    return true;
}

void tUndoHistory::MarkSaved() {
    FSaved = FPosition;
    FSavedApart = false;
    Changed();
}

void tUndoHistory::Reset(bool saved) {
    FSteps.clear();
    FPosition = 0;
    FSaved = 0;
    FSavedApart = !saved;
    Changed();
}

bool tUndoHistory::MarksBetween(size_t a, size_t b) const {
    const auto [from, to] = std::minmax(a, b);
    return std::any_of(FSteps.begin() + static_cast<std::ptrdiff_t>(from),
                       FSteps.begin() + static_cast<std::ptrdiff_t>(to),
                       [](const std::unique_ptr<tUndoCommand>& step) { return step->Marks(); });
}

bool tUndoHistory::Modified() const {
    return FSavedApart || MarksBetween(FSaved, FPosition);
}

std::string UndoCaption(const std::string& name) {
    return name.empty() ? "&Undo" : "&Undo " + name;
}

std::string RedoCaption(const std::string& name) {
    return name.empty() ? "&Redo" : "&Redo " + name;
}
