// Raw access to a column (FieldBuffer): its record, size, data, and long
// data read with SQLGetData or left waiting to be sent with the record.
#include <cstdlib>
#include <cstring>

#include "odbc_helpers.h"
#include "record_set.h"

namespace {



// Bytes a fixed C type takes in a caller's buffer.
uint32_t FixedSize(int cType) {
  switch (cType) {
    case SQL_C_SLONG: return 4;
    case SQL_C_BIT: return 4;  // a 32-bit 0 or 1
    case SQL_C_DOUBLE: return 8;
    case SQL_C_GUID: return 16;
    case SQL_C_TIMESTAMP: return sizeof(SYSTEMTIME);
    default: return 0;
  }
}

}  // namespace

BOOL RecordSet::FieldBuffer(unsigned long column, FieldRequest* request) {
  Column* c = ColumnRecord(column);
  if (!c || !request) return FALSE;
  switch (request->command) {
    case 'T':
      request->data = c;
      request->size = static_cast<uint32_t>(c->size);
      request->type = (c->flags & kColumnMoney) ? '$' : c->letter;
      return TRUE;
    case 'S':
      if (c->IsLongData()) return ReadLongData(*c, request) != 0;
      request->type = c->letter;
      request->size = static_cast<uint32_t>(c->size);
      return TRUE;
    case 'R':
      if (c->IsLongData()) return ReadLongData(*c, request) != 0;
      return ReadOrdinary(*c, request);
    case 'W':
      if (c->IsLongData()) return WriteLongData(column, *c, request);
      return WriteOrdinary(column, *c, request);
    default:
      return FALSE;
  }
}

// 'S' and 'R' of a long-data column: the current row positioned, its length
// learned with a zero-length read (whose 01004 is expected), then for 'R'
// the data read.
long RecordSet::ReadLongData(Column& c, FieldRequest* request) {
  if (!statement_ || !currentIndex_) return 0;
  WaitCursor wait;
  if (!PositionRow("SQLSetPos")) return 0;
  const UWORD number = static_cast<UWORD>(&c - columns_ + 1);
  const SWORD cType = c.letter == 'M' ? SQL_C_CHAR : SQL_C_BINARY;
  char probe[1];
  SDWORD length = 0;
  RETCODE rc = SQLGetData(statement_, number, cType, probe, 0, &length);
  if (!Succeeded(rc) && !Check(rc, "SQLGetData")) return 0;
  if (!Succeeded(rc)) return 0;
  const bool isNull = length == SQL_NULL_DATA;
  if (length < 0) length = 0;
  if (request->command == 'S') {
    request->size = static_cast<uint32_t>(length);
    return 1;
  }
  if (isNull || length == 0) {
    request->size = 0;
    return 1;
  }
  const uint32_t bytes = static_cast<uint32_t>(length);
  void* target = nullptr;
  HGLOBAL block = nullptr;
  uint32_t room = 0;
  if (request->type == 'M') {
    target = std::malloc(bytes + 1);  // msvcrt's heap: the caller frees it
    room = bytes + 1;
  } else if (request->type == 'I') {
    block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes + 1);
    target = block ? GlobalLock(block) : nullptr;
    room = bytes + 1;
  } else {
    target = request->data;
    room = request->size;
  }
  if (!target) {
    if (block) GlobalFree(block);
    ReportOdbcError(statement_, kReportNoMemory, "SQLGetData");
    return 0;
  }
  SDWORD got = 0;
  rc = SQLGetData(statement_, number, cType, target, static_cast<SDWORD>(room), &got);
  if (block) GlobalUnlock(block);
  if (!Succeeded(rc)) {
    Check(rc, "SQLGetData");
    if (request->type == 'M') std::free(target);
    if (block) GlobalFree(block);
    return 0;
  }
  if (request->type == 'M') {
    request->data = target;
    request->size = bytes + 1;
  } else if (request->type == 'I') {
    request->data = block;
    request->size = bytes + 1;
  } else {
    request->size = bytes;
  }
  return 1;
}

BOOL RecordSet::ReadOrdinary(Column& c, FieldRequest* request) {
  if (!request->data || !currentRow_) return FALSE;
  const uint32_t fixed = FixedSize(c.cType);
  if (fixed && request->size < fixed) return FALSE;  // never past the caller's size
  std::memset(request->data, 0, request->size);
  request->type = c.letter;
  const unsigned char* data = CurrentData(c);
  const bool isNull = *CurrentIndicator(c) == SQL_NULL_DATA;
  switch (c.cType) {
    case SQL_C_SLONG: case SQL_C_GUID: case SQL_C_DOUBLE:
      if (!isNull) std::memcpy(request->data, data, fixed);
      request->size = fixed;
      return TRUE;
    case SQL_C_BIT: {
      uint32_t bit = !isNull && data[0] ? 1 : 0;
      std::memcpy(request->data, &bit, sizeof bit);
      request->size = fixed;
      return TRUE;
    }
    case SQL_C_CHAR: {
      uint32_t room = request->size < static_cast<uint32_t>(c.size) ? request->size
                                                                     : static_cast<uint32_t>(c.size);
      if (!isNull && room > 0) {
        size_t length = strnlen(reinterpret_cast<const char*>(data), room - 1);
        std::memcpy(request->data, data, length);
      }
      if (request->size > static_cast<uint32_t>(c.size)) request->size = static_cast<uint32_t>(c.size);
      return TRUE;
    }
    case SQL_C_BINARY: {
      long bytes = GetFieldText(static_cast<unsigned long>(&c - columns_ + 1),
                                static_cast<char*>(request->data), static_cast<long>(request->size));
      request->size = static_cast<uint32_t>(bytes & 0xFFFF);
      return TRUE;
    }
    case SQL_C_TIMESTAMP: {
      if (!isNull) {
        TIMESTAMP_STRUCT t;
        std::memcpy(&t, data, sizeof t);
        SYSTEMTIME st = FromTimestamp(t);
        std::memcpy(request->data, &st, sizeof st);
      }
      request->size = fixed;
      return TRUE;
    }
    default:
      return FALSE;
  }
}

BOOL RecordSet::WriteOrdinary(unsigned long column, Column& c, FieldRequest* request) {
  if (!request->data || !currentRow_) return FALSE;
  // A text goes through the text conversion, whose answer is the result.
  if (request->type == 'C' || c.cType == SQL_C_CHAR || c.cType == SQL_C_BINARY)
    return PutFieldText(column, static_cast<const char*>(request->data),
                        static_cast<long>(request->size));
  const uint32_t fixed = FixedSize(c.cType);
  if (!fixed || request->size < (c.cType == SQL_C_BIT ? 4u : fixed)) return FALSE;
  unsigned char* data = CurrentData(c);
  SDWORD* indicator = CurrentIndicator(c);
  switch (c.cType) {
    case SQL_C_SLONG: case SQL_C_GUID: case SQL_C_DOUBLE:
      std::memcpy(data, request->data, fixed);
      *indicator = static_cast<SDWORD>(fixed);
      break;
    case SQL_C_BIT: {
      uint32_t value;
      std::memcpy(&value, request->data, sizeof value);
      data[0] = value ? 1 : 0;
      *indicator = 1;
      break;
    }
    case SQL_C_TIMESTAMP: {
      SYSTEMTIME st;
      std::memcpy(&st, request->data, sizeof st);
      TIMESTAMP_STRUCT t = ToTimestamp(st);
      std::memcpy(data, &t, sizeof t);
      *indicator = st.wYear ? static_cast<SDWORD>(sizeof t) : SQL_NULL_DATA;
      break;
    }
  }
  c.flags |= kColumnModified;
  return TRUE;
}

// Long data waits with the column until the record is written: bound as
// data at execution, the column number as its token.
BOOL RecordSet::WriteLongData(unsigned long column, Column& c, FieldRequest* request) {
  if ((request->type != 'M' && request->type != 'I') || !statement_ || !currentRow_) return FALSE;
  if (!request->data && request->size) return FALSE;
  void* copy = std::malloc(request->size ? request->size : 1);
  if (!copy) {
    ReportOdbcError(statement_, kReportNoMemory, "SQLBindCol");
    return FALSE;
  }
  if (request->type == 'M') {
    if (request->size) std::memcpy(copy, request->data, request->size);
  } else {
    HGLOBAL block = static_cast<HGLOBAL>(request->data);
    const void* bytes = block ? GlobalLock(block) : nullptr;
    if (request->size && (!bytes || GlobalSize(block) < request->size)) {
      if (bytes) GlobalUnlock(block);
      std::free(copy);
      return FALSE;
    }
    if (request->size) std::memcpy(copy, bytes, request->size);
    if (bytes) GlobalUnlock(block);
  }
  unsigned char* slot = pageRows_ + c.offset;
  const SDWORD token = static_cast<SDWORD>(column & 0xFFFF);
  const SDWORD atExecution = SQL_LEN_DATA_AT_EXEC(static_cast<SDWORD>(request->size));
  std::memcpy(slot, &token, sizeof token);
  std::memcpy(slot + 4, &atExecution, sizeof atExecution);
  const SWORD cType = c.letter == 'M' ? SQL_C_CHAR : SQL_C_BINARY;
  if (!Check(SQLBindCol(statement_, static_cast<UWORD>(column & 0xFFFF), cType, slot, 4,
                        reinterpret_cast<SDWORD*>(slot + 4)),
             "SQLBindCol")) {
    std::free(copy);
    return FALSE;
  }
  std::memcpy(CurrentData(c), slot, kLongDataSlot);
  std::free(c.extra);
  c.extra = copy;
  c.size = static_cast<int32_t>(request->size);
  c.flags |= kColumnModified;
  return TRUE;
}
