#include "library_frame.h"

void VariableUpdated(VARIABLE*) {}
