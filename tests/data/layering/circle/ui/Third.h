#pragma once
#include "ui/Second.h"
