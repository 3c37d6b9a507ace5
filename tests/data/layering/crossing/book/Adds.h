#pragma once
#include "output/BookText.h"
