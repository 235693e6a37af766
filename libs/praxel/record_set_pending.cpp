// Operations whose work comes with the sort and seek part:
// they answer 0 meanwhile.
#include "record_set.h"

long RecordSet::Seek(const char*, unsigned long) { return 0; }
long RecordSet::GetSort(char*, long) { return 0; }
BOOL RecordSet::SetSort(const char*) { return 0; }
