#pragma once
// Every benchmark program ends its run with a table that sets each measured
// benchmark beside its baseline, measured in the same run: the ratio of their
// CPU times per iteration and whether it stays within its limit. A limit of 0
// only shows the ratio.

#include <string>

// Registers a pair by the full names the benchmark table shows (with their
// arguments, such as "BM_ReadSpellList/shuffled:1/spells:50000").
void CompareWithBaseline(const std::string& target, const std::string& baseline, double limit);
