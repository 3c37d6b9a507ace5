#include "ui/Second.h"
#include "ui/First.h"
