#pragma once
// Specialties: a specialist's own (preferred) school texts and the school texts
// he may never learn (prohibited). School texts are matched against a spell's
// category by containment ignoring ASCII case, so "c/s" matches "abj, c/s".
// A name not in the list, "Generalist" among them, makes every spell neutral.

#include "model/List.h"
#include "model/Spell.h"

#include <memory>
#include <string>
#include <vector>

constexpr int32_t AffinityPreferred = 0;
constexpr int32_t AffinityNeutral = 1;
constexpr int32_t AffinityProhibited = 2;

extern const std::string GeneralistName; // "Generalist"

class tSpecialty {
public:
    explicit tSpecialty(std::string name) : Name(std::move(name)) {}

    // 0 preferred, 1 neutral, 2 prohibited; prohibited wins over preferred.
    // A none spell is neutral.
    int32_t Affinity(const tSpell* spell) const;

    bool operator==(const tSpecialty&) const = default;

    std::string Name;
    std::vector<std::string> Preferred;
    std::vector<std::string> Prohibited;
};

class tSpecialtyList : public tMyList<tSpecialty> {
public:
    tSpecialtyList() = default;
    ~tSpecialtyList() override;

    // Takes ownership of the specialty and adds it at the end.
    void Append(std::unique_ptr<tSpecialty> specialty) { tMyList::Append(specialty.release()); }

    tSpecialty* CurrentSpecialty() const { return CurrentItem(); }
    std::string CurrentSpecialtyName() const;
    std::vector<std::string>* CurrentPreferred() const;
    std::vector<std::string>* CurrentProhibited() const;

    // The first specialty whose name equals name ignoring ASCII case, cursor
    // left on it; or none with the cursor none.
    tSpecialty* Find(const std::string& name);
    // The affinity of the named specialty for the spell; 1 for an unknown name.
    int32_t AffinityByName(const std::string& name, const tSpell* spell);
    // All names in list order; the cursor is put back where it was.
    std::vector<std::string> Names();

    // An independent copy of every specialty, in order.
    std::unique_ptr<tSpecialtyList> Clone() const;

    void DeleteCurrent() override { delete UnlinkCurrent(); }

private:
    using tMyList::Append; // the list owns its items: append through unique_ptr
};

// The eight built-in specialties, Abjurer to Transmuter.
std::unique_ptr<tSpecialtyList> MakeDefaultSpecialties();
