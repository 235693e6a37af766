// Script values in and out of a record set's columns: the bodies of
// PRAXEL_ParGet and PRAXEL_ParPut (and so of FldGet, FldPut).
#pragma once

class RecordSet;
class VARIABLE;

// The value of column (parameter) num in the current row; a NULL record for
// a column the set does not have. Null when memory is short.
VARIABLE* ColumnValue(RecordSet* set, unsigned long num);
// Stores a value into column num of the edit buffer; FALSE (nothing
// changed) for a value type the column's C type does not take, and after
// message 126 for a number that does not fit the column.
int PutColumnValue(RecordSet* set, unsigned long num, const VARIABLE* value);
