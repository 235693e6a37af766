// The change hook of deliverables that have no DDE clients: it does nothing.
#include "variable.h"

void VariableUpdated(VARIABLE*) {}
