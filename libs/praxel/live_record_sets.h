// The record sets this library made and has not closed. A script's handle
// is the object's address, but a script can pass any number, so the
// exports look a handle up here first and treat an unknown one like 0.
#pragma once
#include <windows.h>
#include <sql.h>

class RecordSet;

// Records a new record set; false when it cannot be recorded.
bool RememberRecordSet(RecordSet* set);
// The record set when the handle names a live one, else null.
RecordSet* LiveRecordSet(uintptr_t handle);
// Forgets it and returns it for deletion (null when unknown).
RecordSet* ForgetRecordSet(uintptr_t handle);
// Closes the cursors of every record set on the connection (its Base is
// about to be closed).
void CloseRecordSetsOf(HDBC connection);
