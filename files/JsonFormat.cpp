// A book as one JSON object, in UTF-8 with CR LF line ends:
//
//   {"caster_level": 7, "intelligence": 15, "specialty": "Invoker",
//    "frequency": "Rare", "spells": [{"level": 1, "name": "...", "book": "...",
//    "page": 12, "frequency": "Common", "category": "...", "memorized": false}]}
//
// Frequencies are their words, one spell a line. Reading passes over keys it
// does not know; of a spell only "level" and "name" must be given (the other
// fields are then empty, 0, Common and false), and a book without
// "caster_level" or "intelligence" gets the values a spell list gets
// (DeriveHeader). A value of the wrong kind, a level outside 1 to 9, an
// empty name and text with no Windows-1252 form refuse the file. Of two
// spells that are equal the first is kept, as in a spell list.

#include "files/FileFormat.h"
#include "files/SpellbookFile.h"
#include "files/Windows1252.h"

#include <nlohmann/json.hpp>

#include <array>
#include <limits>
#include <optional>
#include <string_view>

namespace {

using tJson = nlohmann::ordered_json;

constexpr std::string_view LineEnd = "\r\n";

// The keys of a spell, in the order they are written.
constexpr std::array<std::string_view, 7> SpellKeys = {"level",     "name",     "book",     "page",
                                                       "frequency", "category", "memorized"};

// A refusal found while the file is parsed, with its reason.
struct tRefused {
    std::string Reason;
};

std::string Quoted(std::string_view key) {
    return "\"" + std::string(key) + "\"";
}

// The whole number of value, when it is one within the int32 range.
std::optional<int32_t> WholeNumber(const tJson& value) {
    if (value.is_number_integer()) {
        if (value.is_number_unsigned()) {
            const auto number = value.get<uint64_t>();
            if (number <= static_cast<uint64_t>(std::numeric_limits<int32_t>::max())) {
                return static_cast<int32_t>(number);
            }
        } else {
            const auto number = value.get<int64_t>();
            if (number >= std::numeric_limits<int32_t>::min() &&
                number <= std::numeric_limits<int32_t>::max()) {
                return static_cast<int32_t>(number);
            }
        }
    }
    return std::nullopt;
}

// The values of a spell's or the book's keys, each checked for its kind;
// where says whose they are ("spell 3: ", or empty for the book) in the
// reasons of a refusal.
class tFields {
public:
    tFields(const tJson& object, std::string where) : Object(object), Where(std::move(where)) {}

    bool Has(std::string_view key) const { return Object.contains(key); }

    int32_t Number(std::string_view key, int32_t fallback) const {
        if (!Has(key)) {
            return fallback;
        }
        const std::optional<int32_t> number = WholeNumber(Object.at(key));
        if (!number) {
            Refuse(Quoted(key) + " is not a whole number");
        }
        return *number;
    }

    std::string Text(std::string_view key) const {
        if (!Has(key)) {
            return {};
        }
        const tJson& value = Object.at(key);
        if (!value.is_string()) {
            Refuse(Quoted(key) + " is not a text");
        }
        std::string text;
        std::string reason;
        if (!FieldTextOfUtf8(value.get_ref<const std::string&>(), key, text, reason)) {
            Refuse(reason);
        }
        return text;
    }

    int32_t Frequency(std::string_view key) const {
        if (!Has(key)) {
            return FrequencyCommon;
        }
        const tJson& value = Object.at(key);
        int32_t code = FrequencyCommon;
        if (!value.is_string() || !FrequencyFromTitle(value.get_ref<const std::string&>(), code)) {
            Refuse(Quoted(key) + " is not Common, Uncommon, Rare, Very Rare or Restricted");
        }
        return code;
    }

    bool Flag(std::string_view key) const {
        if (!Has(key)) {
            return false;
        }
        const tJson& value = Object.at(key);
        if (!value.is_boolean()) {
            Refuse(Quoted(key) + " is not true or false");
        }
        return value.get<bool>();
    }

    [[noreturn]] void Refuse(const std::string& reason) const { throw tRefused{Where + reason}; }

private:
    const tJson& Object;
    std::string Where;
};

std::unique_ptr<tSpell> SpellOf(const tJson& object, size_t number) {
    const tFields fields(object, "spell " + std::to_string(number) + ": ");
    if (!fields.Has("level") || !fields.Has("name")) {
        fields.Refuse(Quoted(fields.Has("level") ? "name" : "level") + " is missing");
    }
    const int32_t level = fields.Number("level", 0);
    if (level < MinSpellLevel || level > MaxSpellLevel) {
        fields.Refuse("the level " + std::to_string(level) + " is not from 1 to 9");
    }
    std::string name = fields.Text("name");
    if (name.empty()) {
        fields.Refuse("the name is empty");
    }
    return std::make_unique<tSpell>(level, name, fields.Text("book"), fields.Number("page", 0),
                                    fields.Frequency("frequency"), fields.Text("category"),
                                    fields.Flag("memorized"));
}

// The library's reason without its label ("[json.exception.parse_error.101] ").
std::string LibraryReason(const std::exception& failure) {
    std::string_view reason = failure.what();
    if (reason.starts_with('[')) {
        if (const size_t end = reason.find("] "); end != std::string_view::npos) {
            reason.remove_prefix(end + 2);
        }
    }
    return std::string(reason);
}

class tJsonFormat final : public tFileFormat {
public:
    std::string_view Name() const override { return "json"; }
    std::string_view Extension() const override { return "json"; }
    std::string_view DialogFilter() const override { return "*.JSON (JSON files)|*.json"; }
    bool KeepsHeader() const override { return true; }
    bool CanRead() const override { return true; }
    bool CanWrite() const override { return true; }

    std::unique_ptr<TSpellBook> Read(std::istream& in, tFormatError& error) const override {
        std::string text;
        if (!ReadWhole(in, text, error)) {
            return nullptr;
        }
        auto book = TSpellBook::Create(0, 0, 0, std::string());
        // The spells are taken from the parser one by one as each ends, and
        // dropped from what it builds, so a large file is never held whole.
        std::string topKey;
        bool inSpells = false;
        size_t spells = 0;
        const auto take = [&](int depth, nlohmann::json::parse_event_t event, tJson& parsed) {
            using tEvent = nlohmann::json::parse_event_t;
            if (depth == 1 && event == tEvent::key) {
                topKey = parsed.get<std::string>();
            } else if (depth == 1 && event == tEvent::array_start) {
                inSpells = topKey == "spells";
            } else if (depth == 1 && event == tEvent::array_end) {
                inSpells = false;
            } else if (depth == 2 && inSpells) {
                if (event == tEvent::object_start || event == tEvent::value || event == tEvent::array_start) {
                    ++spells;
                }
                if (event == tEvent::value || event == tEvent::array_start) {
                    throw tRefused{"spell " + std::to_string(spells) + " is not an object"};
                }
                if (event == tEvent::object_end) {
                    book->AddSpell(SpellOf(parsed, spells));
                    return false;
                }
            }
            return true;
        };
        try {
            const tJson root = tJson::parse(text, take);
            if (!root.is_object()) {
                error.Refuse("it does not hold one object");
                return nullptr;
            }
            if (!root.contains("spells") || !root.at("spells").is_array()) {
                error.Refuse(Quoted("spells") + (root.contains("spells") ? " is not a list" : " is missing"));
                return nullptr;
            }
            const tFields header(root, "");
            if (!header.Has("caster_level") || !header.Has("intelligence")) {
                DeriveHeader(*book);
            }
            book->CasterLevel = header.Number("caster_level", book->CasterLevel);
            book->Intelligence = header.Number("intelligence", book->Intelligence);
            book->Specialty = header.Text("specialty");
            book->Frequency = header.Frequency("frequency");
        } catch (const tRefused& refused) {
            error.Refuse(refused.Reason);
            return nullptr;
        } catch (const nlohmann::json::exception& failure) {
            error.Refuse(LibraryReason(failure));
            return nullptr;
        }
        return book;
    }

    bool Write(TSpellBook& book, const std::string& /*caption*/, std::ostream& out,
               tFormatError& error) const override {
        // The library's serializer writes every value; the frame (braces,
        // the keys, which need no escapes, commas and line ends) is fixed
        // text. One serializer writes all the spells into lines, which goes
        // to the stream in large pieces, and one set of values is filled
        // again for each spell, its texts keeping their room. Measured on
        // 500,000 spells, a serializer made for each spell (as dump() and
        // operator<< make one) made the conversion cost 3.2 times the spell
        // list's, each spell written as one object (its keys escaped again
        // every time) 2.3 times; this way it costs 1.7 times.
        std::array<tJson, SpellKeys.size()> values = {0, "", "", 0, "", "", false};
        std::array<std::string, SpellKeys.size()> openings; // {"level": ,"name": ...
        for (size_t k = 0; k < SpellKeys.size(); ++k) {
            openings[k] = (k == 0 ? "{\"" : ",\"") + std::string(SpellKeys[k]) + "\":";
        }
        auto& name = values[1].get_ref<std::string&>();
        auto& bookTitle = values[2].get_ref<std::string&>();
        auto& frequency = values[4].get_ref<std::string&>();
        auto& category = values[5].get_ref<std::string&>();
        std::string lines;
        nlohmann::detail::serializer<tJson> serializer(nlohmann::detail::output_adapter<char>(lines), ' ');
        const auto header = [&](std::string_view key, const tJson& value) {
            lines += "  \"";
            lines += key;
            lines += "\": ";
            serializer.dump(value, false, false, 0);
            lines += ",";
            lines += LineEnd;
        };

        lines += "{";
        lines += LineEnd;
        header("caster_level", book.CasterLevel);
        header("intelligence", book.Intelligence);
        header("specialty", Utf8Of1252(book.Specialty));
        header("frequency", FrequencyTitle(book.Frequency));
        lines += "  \"spells\": [";
        const char* separator = "";
        for (book.First(); const tSpell* each = book.CurrentSpell(); book.Next()) {
            values[0] = each->Level;
            name.clear();
            AppendUtf8Of1252(each->Name, name);
            bookTitle.clear();
            AppendUtf8Of1252(each->Book, bookTitle);
            values[3] = each->Page;
            frequency = FrequencyTitle(each->Frequency);
            category.clear();
            AppendUtf8Of1252(each->Category, category);
            values[6] = each->Memorized;
            lines += separator;
            lines += LineEnd;
            lines += "    ";
            for (size_t k = 0; k < SpellKeys.size(); ++k) {
                lines += openings[k];
                serializer.dump(values[k], false, false, 0);
            }
            lines += '}';
            separator = ",";
            if (lines.size() >= (size_t{1} << 16)) {
                out << lines;
                lines.clear();
            }
        }
        if (*separator) {
            lines += LineEnd;
            lines += "  ";
        }
        lines += "]";
        lines += LineEnd;
        lines += "}";
        lines += LineEnd;
        return EndWrite(out, lines, error);
    }
};

} // namespace

const tFileFormat& JsonFormat() {
    static const tJsonFormat format;
    return format;
}
