// The program's change hook of script values. Nothing advises a value
// until the DDE server is in; then it pushes the new text to its clients.
#include "variable.h"

void VariableUpdated(VARIABLE*) {}
