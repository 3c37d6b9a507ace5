#pragma once
// The spell line: one spell as seven comma-separated fields, the record of the
// spell list and spellbook files. Also the comma-text rule that splits such a
// line (and the specialty file's school lists) into fields, and its writer.

#include "files/TextLines.h"
#include "model/Spell.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Splits line into fields by the comma-text rule: bytes 1 to 32 before and
// after a field and around its comma are skipped; a field starting with a
// double quote runs to the next single double quote, a doubled quote inside
// standing for one (with no closing quote it is the rest of the line without
// its last byte); any other field ends at a comma or a byte 1 to 32. Two commas
// in a row give an empty field between them, a comma at the end none, a line
// of blanks no fields at all.
std::vector<std::string> SplitCommaText(std::string_view line);

// Reads text as an int32: blanks first, then an optional "-" or "+" with one or
// more decimal digits, or "$" with one or more hexadecimal digits, running to
// the end of the text. Returns false and sets value to 0 for anything else and
// for a value outside the int32 range.
bool ParseInteger(std::string_view text, int32_t& value);

// The spell of one spell line (level, name, book, page, frequency letter,
// category, Y/N): none when the level is not 1 to 9 or the name is empty.
// Missing fields read as empty, fields after the seventh are ignored, an
// invalid page reads as 0, an unknown frequency letter as Common, and only
// "Y" or "y" marks the spell memorized.
std::unique_ptr<tSpell> ParseSpellLine(std::string_view line);

// The values of a spell line as ParseSpellLine reads them, before a spell is
// made of them. The texts show the line, or the scratch texts where a field
// held doubled quotes; they are valid while both are.
struct tSpellLineFields {
    int32_t Level = 0;
    std::string_view Name;
    std::string_view Book;
    int32_t Page = 0;
    int32_t Frequency = FrequencyCommon;
    std::string_view Category;
    bool Memorized = false;
    std::string NameScratch, BookScratch, CategoryScratch, Scratch, LineCopy, QuickTexts;
};

// Reads line into fields; false when it yields no spell (the level is not 1
// to 9 or the name is empty).
bool ParseSpellLineFields(std::string_view line, tSpellLineFields& fields);

// The same by the comma-text rule alone. ParseSpellLineFields reads a line in
// the exact shape FormatSpellLine writes by a quicker path, to the same
// values; this one is the rule that path must agree with.
bool ParseSpellLineFieldsByRule(std::string_view line, tSpellLineFields& fields);

// Reads the line at the start of bytes, which hold it with its line end and
// may run on past it, by ParseSpellLineFields's quicker path, when the line
// has the exact shape FormatSpellLine writes: returns how many bytes the
// line and its end take (a CR with a line feed after it counts whole), with
// fields set as ParseSpellLineFields sets them. Returns 0 for any other line,
// and for a line whose end is not in bytes: such a line is read whole and
// given to ParseSpellLineFields. bytes must be tLineReader::Buffered()'s,
// which may be read a little past their end.
size_t ParseWrittenSpellLineInBuffer(std::string_view bytes, tSpellLineFields& fields);

// The spell's line without a line end, such as 3,"Fireball","PHB",150,"C","e/c","N".
// A double quote inside a text field is doubled, so the line reads back into
// an equal spell.
std::string FormatSpellLine(const tSpell& spell);

// A list of texts as one comma-text line that SplitCommaText reads back into
// the same list: an empty list is an empty line; items are joined by commas;
// an item holding a byte 0 to 32, a double quote or a comma is written between
// double quotes with its quotes doubled, as is an empty last item (so a list
// of one empty text is written as two double quotes).
std::string FormatCommaText(const std::vector<std::string>& items);
