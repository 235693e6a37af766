// Operations whose work comes with the editing and the sort/seek parts:
// they answer 0 meanwhile.
#include "record_set.h"

long RecordSet::NewRecord() { return 0; }
BOOL RecordSet::EditRecord(long) { return 0; }
BOOL RecordSet::InsertRecord() { return 0; }
BOOL RecordSet::UpdateRecord(long) { return 0; }
BOOL RecordSet::DeleteRecord(long) { return 0; }
long RecordSet::Seek(const char*, unsigned long) { return 0; }
long RecordSet::GetSort(char*, long) { return 0; }
BOOL RecordSet::SetSort(const char*) { return 0; }
BOOL RecordSet::PutFieldTextByName(const char*, const char*, long) { return 0; }
BOOL RecordSet::PutFieldText(unsigned long, const char*, long) { return 0; }
