#include "model/Specialty.h"

#include "model/Text.h"

const std::string GeneralistName = "Generalist";

int32_t tSpecialty::Affinity(const tSpell* spell) const {
    if (!spell) {
        return AffinityNeutral;
    }
    for (const std::string& t : Prohibited) {
        if (ContainsTextAscii(spell->Category, t)) {
            return AffinityProhibited;
        }
    }
    for (const std::string& t : Preferred) {
        if (ContainsTextAscii(spell->Category, t)) {
            return AffinityPreferred;
        }
    }
    return AffinityNeutral;
}

tSpecialtyList::~tSpecialtyList() {
    ForEachItem([](tSpecialty* s) { delete s; });
}

std::string tSpecialtyList::CurrentSpecialtyName() const {
    return CurrentItem() ? CurrentItem()->Name : std::string();
}

std::vector<std::string>* tSpecialtyList::CurrentPreferred() const {
    return CurrentItem() ? &CurrentItem()->Preferred : nullptr;
}

std::vector<std::string>* tSpecialtyList::CurrentProhibited() const {
    return CurrentItem() ? &CurrentItem()->Prohibited : nullptr;
}

tSpecialty* tSpecialtyList::Find(const std::string& name) {
    First();
    while (Current() && !SameTextAscii(CurrentItem()->Name, name)) {
        Next();
    }
    return CurrentItem();
}

int32_t tSpecialtyList::AffinityByName(const std::string& name, const tSpell* spell) {
    const tSpecialty* spec = Find(name);
    return spec ? spec->Affinity(spell) : AffinityNeutral;
}

std::vector<std::string> tSpecialtyList::Names() {
    std::vector<std::string> names;
    names.reserve(static_cast<size_t>(Count()));
    ForEachItem([&](tSpecialty* s) { names.push_back(s->Name); });
    return names; // no cursor move at all, so it stays where it was
}

std::unique_ptr<tSpecialtyList> tSpecialtyList::Clone() const {
    auto copy = std::make_unique<tSpecialtyList>();
    ForEachItem([&](tSpecialty* s) { copy->Append(std::make_unique<tSpecialty>(*s)); });
    return copy;
}

std::unique_ptr<tSpecialtyList> MakeDefaultSpecialties() {
    struct Row {
        const char* name;
        std::vector<std::string> preferred;
        std::vector<std::string> prohibited;
    };
    const Row rows[] = {
        {"Abjurer", {"abj"}, {"alt", "ill"}},
        {"Conjurer", {"c/s"}, {"div", "i/e"}},
        {"Diviner", {"div"}, {"c/s"}},
        {"Enchanter", {"e/c"}, {"nec", "i/e"}},
        {"Illusionist", {"ill"}, {"nec", "i/e", "abj"}},
        {"Invoker", {"i/e"}, {"e/c", "c/s"}},
        {"Necromancer", {"nec"}, {"ill", "e/c"}},
        {"Transmuter", {"alt"}, {"nec", "abj"}},
    };
    auto list = std::make_unique<tSpecialtyList>();
    for (const Row& r : rows) {
        auto s = std::make_unique<tSpecialty>(r.name);
        s->Preferred = r.preferred;
        s->Prohibited = r.prohibited;
        list->Append(std::move(s));
    }
    return list;
}
