#include "master/SpellEditor.h"

#include "app/NumberBox.h"
#include "files/SpellLine.h"

#include <algorithm>

tSpellEditorValues LoadSpell(const tSpell& spell) {
    tSpellEditorValues values;
    values.Level = std::to_string(spell.Level);
    values.Name = spell.Name;
    values.Book = spell.Book;
    values.Page = std::to_string(spell.Page);
    values.Category = spell.Category;
    values.FrequencyIndex = std::clamp(-spell.Frequency, 0, 4);
    values.Memorized = spell.Memorized;
    return values;
}

void StoreSpell(const tSpellEditorValues& values, tSpell& spell) {
    spell.Level = NumberBoxValue(values.Level, EditorLevelMin, EditorLevelMax);
    spell.Name = values.Name;
    spell.Book = values.Book;
    int32_t page = 0;
    spell.Page = ParseInteger(values.Page, page) ? page : 0;
    spell.Category = values.Category;
    spell.Frequency = -std::clamp(values.FrequencyIndex, 0, 4);
    spell.Memorized = values.Memorized;
}
