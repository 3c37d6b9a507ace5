#include "ui/First.h"
#include "ui/Second.h"
