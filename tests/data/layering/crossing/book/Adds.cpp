// A spellbook command that reaches into the master list and the frame.
#include "book/Adds.h"
#include "frame/MainFrame.h"
#include "master/SpellFilter.h"
#include "model/Spell.h"
