#pragma once
// Splits one text into fields at a separator, honouring a quote character:
// a separator between quotes belongs to the field, a doubled quote inside
// quotes stands for one quote, blanks before a field's first character are
// dropped, and the last field is always added (so "a," has two fields).
// Used to split a spell's category text into single school names.

#include "model/List.h"

#include <string>

class tStrObject {
public:
    explicit tStrObject(std::string text) : Text(std::move(text)) {}
    std::string Text;
};

class tMyParser : public tMyList<tStrObject> {
public:
    tMyParser(const std::string& text, char separator, char quote);
    ~tMyParser() override;

    const char Separator;
    const char Quote;

    // Text of the field at the cursor; empty when the cursor is none.
    std::string FieldText() const;
    // The n-th field counted from 1; empty (cursor none) outside 1..Count.
    std::string FieldAt(int32_t n);

    void DeleteCurrent() override { delete UnlinkCurrent(); }
};
