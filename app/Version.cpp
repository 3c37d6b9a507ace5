#include "app/Version.h"

#ifndef QUILL_VERSION
#error "The build states the program's version as QUILL_VERSION"
#endif

std::string_view ProgramVersion() {
    return QUILL_VERSION;
}
