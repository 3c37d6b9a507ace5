#include "model/Parser.h"

tMyParser::tMyParser(const std::string& text, char separator, char quote)
    : Separator(separator), Quote(quote) {
    if (text.empty()) {
        return;
    }
    std::string field;
    bool inQuotes = false;
    size_t i = 0;
    // Position text.size() is the end of the text: it closes the last field.
    while (i <= text.size()) {
        if (i == text.size()) {
            Append(new tStrObject(field));
            break;
        }
        const char c = text[i];
        if (c == Quote) {
            if (inQuotes && i + 1 < text.size() && text[i + 1] == Quote) {
                field += Quote;
                i += 2;
            } else {
                inQuotes = !inQuotes;
                i += 1;
            }
        } else if (c == Separator && !inQuotes) {
            Append(new tStrObject(field));
            field.clear();
            i += 1;
        } else {
            if (!(field.empty() && c == ' ' && !inQuotes)) {
                field += c;
            }
            i += 1;
        }
    }
}

tMyParser::~tMyParser() {
    ForEachItem([](tStrObject* item) { delete item; });
}

std::string tMyParser::FieldText() const {
    return CurrentItem() ? CurrentItem()->Text : std::string();
}

std::string tMyParser::FieldAt(int32_t n) {
    GoTo(n);
    return FieldText();
}
