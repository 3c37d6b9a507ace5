#include "model/SharedText.h"

#include <array>
#include <limits>
#include <stdexcept>
#include <unordered_set>
#include <vector>

const std::string tSharedText::EmptyText;

// The stored texts. Kept for the whole run and never destroyed, so that texts
// held by objects destroyed at the program's end are still released safely.
struct tSharedTextTable {
    using tRep = tSharedText::tRep;

    static std::string_view View(const tRep* rep) { return rep->Text; }
    static std::string_view View(std::string_view text) { return text; }

    struct tHash {
        using is_transparent = void;
        template <class T> size_t operator()(const T& text) const {
            return std::hash<std::string_view>()(View(text));
        }
    };
    struct tEqual {
        using is_transparent = void;
        template <class A, class B> bool operator()(const A& a, const B& b) const {
            return View(a) == View(b);
        }
    };

    // A reader meets the same few texts line after line: a small table of
    // the texts found last, placed by length and end bytes, answers most
    // lookups with one comparison before the hash table is asked.
    static constexpr size_t RecentSlots = 64;
    static size_t RecentSlot(std::string_view text) {
        const auto first = static_cast<unsigned char>(text.front());
        const auto last = static_cast<unsigned char>(text.back());
        return (text.size() * 7 + size_t{first} * 3 + last) % RecentSlots;
    }

    std::unordered_set<tRep*, tHash, tEqual> Texts;
    std::array<tRep*, RecentSlots> Recent{};
    // The stored texts by number (0 is none), and numbers free again.
    std::vector<tRep*> ById{nullptr};
    std::vector<uint32_t> FreeIds;
};

namespace {
tSharedTextTable& Table() {
    static auto* table = new tSharedTextTable;
    return *table;
}
} // namespace

uint32_t tSharedText::Find(std::string_view text) {
    if (text.empty()) {
        return 0;
    }
    tSharedTextTable& table = Table();
    tRep*& recent = table.Recent[tSharedTextTable::RecentSlot(text)];
    tRep* rep = recent;
    if (!rep || rep->Text != text) {
        const auto found = table.Texts.find(text);
        if (found != table.Texts.end()) {
            rep = *found;
        } else {
            rep = new tRep{std::string(text), 0, 0};
            if (table.FreeIds.empty()) {
                if (table.ById.size() > std::numeric_limits<uint32_t>::max() - 1) {
                    delete rep;
                    throw std::length_error("too many shared texts");
                }
                rep->Id = static_cast<uint32_t>(table.ById.size());
                table.ById.push_back(rep);
                Reps = table.ById.data();
            } else {
                rep->Id = table.FreeIds.back();
                table.FreeIds.pop_back();
                table.ById[rep->Id] = rep;
            }
            table.Texts.insert(rep);
        }
        recent = rep;
    }
    ++rep->Holders;
    return rep->Id;
}

void tSharedText::Forget(uint32_t id) {
    tSharedTextTable& table = Table();
    tRep* rep = table.ById[id];
    table.ById[id] = nullptr;
    table.FreeIds.push_back(id);
    tRep*& recent = table.Recent[tSharedTextTable::RecentSlot(rep->Text)];
    if (recent == rep) {
        recent = nullptr;
    }
    table.Texts.erase(rep);
    delete rep;
}

size_t tSharedText::StoredCount() {
    return Table().Texts.size();
}
