// The twenty exports. Each runs under the library lock and finds its table
// in the open list first: a closed or foreign handle gives 0 and the
// library's error 6.
#include <cstring>
#include <new>

#include "quelt_api.h"
#include "quelt_library.h"

namespace {

// A client has one link: registered twice, its table's round would never end.
bool Registered(const TableClient* client) {
  for (Table* t = FirstOpenTable(); t; t = t->next)
    if (t->HasClient(client)) return true;
  return false;
}

// A new table that failed leaves its error as the library's.
Table* Failed(Table* table) {
  SetLibraryError(table->GetError());
  delete table;
  return nullptr;
}

Table* Join(Table* table, TableClient* client) {
  if (client) table->AddClient(client);
  return table;
}

// Runs an operation on a known table; a table whose last client left inside
// the operation's notifications goes once it is over.
template <typename Result, typename Operation>
Result OnTable(Table* handle, Operation operation) {
  LibraryLock lock;
  Table* table = KnownTable(handle);
  if (!table) return Result();
  const Result result = operation(table);
  EndOrphan(table);
  return result;
}

DWORD BadArgument(Table* table) {
  table->SetError(kErrorBadArgument);
  return 0;
}

}  // namespace

QUELT_API Table* WINAPI QUELT_Open(char* name, TableClient* client) {
  LibraryLock lock;
  if (!name || (client && Registered(client))) {
    SetLibraryError(kErrorBadArgument);
    return nullptr;
  }
  if (Table* open = FindOpenTable(name)) return Join(open, client);
  Table* table = new (std::nothrow) Table;
  if (!table) {
    SetLibraryError(kErrorNoMemory);
    return nullptr;
  }
  if (!table->Open(name)) return Failed(table);
  return Join(table, client);
}

QUELT_API Table* WINAPI QUELT_Create(char* name, void* header, TableClient* client) {
  LibraryLock lock;
  if (!name || !header || (client && Registered(client))) {
    SetLibraryError(kErrorBadArgument);
    return nullptr;
  }
  if (name[0] && FindOpenTable(name)) {
    SetLibraryError(kErrorNameOpen);
    return nullptr;
  }
  Table* table = new (std::nothrow) Table;
  if (!table) {
    SetLibraryError(kErrorNoMemory);
    return nullptr;
  }
  if (!table->CreateFiles(name, static_cast<uint8_t*>(header)) || !table->Open(name))
    return Failed(table);
  return Join(table, client);
}

QUELT_API DWORD WINAPI QUELT_Close(Table* handle, TableClient* client) {
  LibraryLock lock;
  Table* table = KnownTable(handle);
  if (!table) return 0;
  if (client) table->RemoveClient(client);
  if (table->ClientCount()) return table->ClientCount();
  if (table->InRound()) {
    table->Orphan();
  } else {
    table->Close();
    delete table;
  }
  return 0;
}

QUELT_API DWORD WINAPI QUELT_GetHead(Table* handle, void* buffer, DWORD size) {
  return OnTable<DWORD>(handle, [&](Table* t) -> DWORD {
    if (!buffer) return BadArgument(t);
    std::memcpy(buffer, t->HeaderImage(), size < t->HeaderLength() ? size : t->HeaderLength());
    return static_cast<DWORD>(t->FieldCount());
  });
}

QUELT_API DWORD WINAPI QUELT_FindField(Table* handle, char* name, FieldInfo* info) {
  return OnTable<DWORD>(handle, [&](Table* t) -> DWORD {
    if (!name) return BadArgument(t);
    return static_cast<DWORD>(t->FieldNumber(name, info));
  });
}

QUELT_API DWORD WINAPI QUELT_GetRec(Table* handle, DWORD n, void* buffer) {
  return OnTable<DWORD>(handle, [&](Table* t) { return t->ReadRecord(n, buffer); });
}

QUELT_API DWORD WINAPI QUELT_PutRec(Table* handle, DWORD n, void* buffer) {
  return OnTable<DWORD>(handle, [&](Table* t) { return t->WriteRecord(n, buffer); });
}

QUELT_API DWORD WINAPI QUELT_NewRec(Table* handle, void* buffer) {
  return OnTable<DWORD>(handle, [&](Table* t) -> DWORD {
    if (!buffer) return BadArgument(t);
    t->NewRecord(buffer);
    return 0;
  });
}

QUELT_API DWORD WINAPI QUELT_Append(Table* handle, void* buffer) {
  return OnTable<DWORD>(handle, [&](Table* t) { return t->AppendRecord(buffer); });
}

QUELT_API DWORD WINAPI QUELT_Delete(Table* handle, DWORD n) {
  return OnTable<DWORD>(handle, [&](Table* t) { return t->DeleteRecord(n); });
}

QUELT_API BOOL WINAPI QUELT_Truncate(Table* handle, DWORD n) {
  return OnTable<BOOL>(handle, [&](Table* t) { return t->Truncate(n); });
}

QUELT_API BOOL WINAPI QUELT_Lock(Table* handle, BOOL on) {
  return OnTable<BOOL>(handle, [&](Table* t) { return t->LockHeader(on); });
}

QUELT_API BOOL WINAPI QUELT_Load(Table* handle, BOOL on) {
  return OnTable<BOOL>(handle, [&](Table* t) { return on ? t->LoadCache() : t->DropCache(); });
}

QUELT_API DWORD WINAPI QUELT_Flush(Table* handle, BOOL on) {
  return OnTable<DWORD>(handle, [&](Table* t) -> DWORD {
    if (on)
      t->SetFlags(0, kTableNoLock);
    else
      t->SetFlags(kTableNoLock, 0);
    return 0;
  });
}

QUELT_API DWORD WINAPI QUELT_Coder(Table* handle, DWORD flags) {
  return OnTable<DWORD>(handle, [&](Table* t) -> DWORD {
    if (flags & kTableRaw)
      t->SetFlags(kTableRaw, 0);
    else
      t->SetFlags(0, kTableRaw);
    return 0;
  });
}

QUELT_API DWORD WINAPI QUELT_RdMemo(Table* handle, char* buffer, DWORD size) {
  return OnTable<DWORD>(handle, [&](Table* t) { return t->ReadMemo(buffer, size); });
}

QUELT_API DWORD WINAPI QUELT_WrMemo(Table* handle, char* text, DWORD length) {
  return OnTable<DWORD>(handle, [&](Table* t) { return t->WriteMemo(text, length); });
}

QUELT_API DWORD WINAPI QUELT_GetLastError(Table* handle) {
  LibraryLock lock;
  if (!handle) return LibraryError();
  Table* table = KnownTable(handle);
  return table ? table->GetError() : LibraryError();
}
