// Damaged copies of a good page file walked from guarded memory (shared by
// the page-file tests and the table printing tests, whose files come from
// WriteTableFile).
#pragma once
#include <cstdint>

#include "mutator.h"
#include "page_file_support.h"

// Walks a Guarded copy and checks every record the walker gives (inside
// the bytes, its text ending inside the record) and its verdict (0 or 11);
// the number of records, or -1 after a gtest failure.
int WalkChecked(Guarded& guard, const PageBytes& bytes);

// `count` random mutants of `good` (some damaged twice); returns how many
// the walker rejected. Fails the test on a wrong walk.
int WalkMutants(const PageBytes& good, uint32_t seed, int count);

// Lengths 0-3 and 0xFFFF, types 0, '#', 'E' and 0xFF at every record's
// start, and the file cut at each record's first bytes; returns the
// number of cases.
int WalkBoundaryCases(const PageBytes& good);
