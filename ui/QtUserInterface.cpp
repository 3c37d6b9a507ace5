#include "ui/QtUserInterface.h"

#include "ui/Prompts.h"

tAnswer tQtUserInterface::Message(tMessageKind kind, tButtons buttons, const std::string& text,
                                  const std::string& detail) {
    return Prompts::Message(Owner, kind, buttons, text, detail);
}
