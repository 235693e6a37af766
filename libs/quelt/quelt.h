// The table engine: dBASE III tables (.DBF) with their memo files (.DBT),
// one Table object per open name shared by in-process clients, byte-range
// locks between processes, and change notifications to the clients.
#pragma once
#include <windows.h>

#include <cstdint>

#include "file_object.h"

// The 18-byte copy of a field descriptor handed to clients.
#pragma pack(push, 1)
struct FieldInfo {
  char name[11];
  char type;        // C, N, F (N with decimals), D, L, M
  uint32_t offset;  // of the field inside the record, the mark at 0
  uint8_t length;
  uint8_t decimals;
};
#pragma pack(pop)
static_assert(sizeof(FieldInfo) == 18, "FieldInfo is 18 bytes");

// Notification codes.
const uint32_t kNotifyWritten = 2;
const uint32_t kNotifyDeleted = 3;
const uint32_t kNotifyTruncated = 5;

// Client mask bit: the table keeps its record cache while this client is
// registered.
const uint16_t kClientKeepsCache = 0x10;

// What clients register. Its layout is an interface: clients may be built
// by other compilers as plain records with the table of virtual operations
// at 0, the word at 4, the link at 8 and the mask at 12, so it has exactly
// one virtual operation and no virtual destructor. Notify is a member
// function: on mingw i686 it is called thiscall (this in ECX, the callee
// pops the two arguments).
class TableClient {
 public:
  virtual uint16_t Notify(uint32_t code, uint32_t record) = 0;

  uint32_t word;      // the client's own; the list head keeps its count here
  TableClient* link;  // the engine's: the next client of the same table
  uint16_t mask;      // the client's flags

 protected:
  TableClient() : word(0), link(nullptr), mask(0) {}
  ~TableClient() = default;
};

// Table flags.
const uint32_t kTableOpen = 0x0001;
const uint32_t kTableModified = 0x0004;
const uint32_t kTableCached = 0x0010;
const uint32_t kTableNoLock = 0x0020;
const uint32_t kTableTemporary = 0x0040;
const uint32_t kTableRaw = 0x2000;

// The engine's own error numbers, besides the Windows ones of the files.
const uint16_t kErrorNoMemory = 8;      // ERROR_NOT_ENOUGH_MEMORY
const uint16_t kErrorShortRead = 38;    // ERROR_HANDLE_EOF
const uint16_t kErrorNameOpen = 80;     // ERROR_FILE_EXISTS
const uint16_t kErrorBadArgument = 87;  // ERROR_INVALID_PARAMETER
const uint16_t kErrorBadHeader = 90;
const uint16_t kErrorNoField = 91;
const uint16_t kErrorBadRecord = 93;

class Table;
// The list of open tables, in opening order, each once.
void AddOpenTable(Table* table);
// Upper-cases name in place, then finds the first table of that name
// (compared without regard to case).
Table* FindOpenTable(char* name);
void RemoveOpenTable(Table* table);
Table* FirstOpenTable();
// Forgets every table without writing or closing it (library stop).
void ForgetOpenTables();

class Table : public FileObject {
 public:
  Table();
  ~Table() override;

  // The list head: Notify answers 0, the word counts the clients.
  class ClientList : public TableClient {
   public:
    uint16_t Notify(uint32_t, uint32_t) override { return 0; }
  };

  using FileObject::Open;
  // Creates the .DBF (and the .DBT when a field is a memo) from the header
  // image; an empty name makes a temporary table whose generated name is
  // written back into the buffer (MAX_PATH bytes). The table stays closed.
  BOOL CreateFiles(char* name, uint8_t* image);
  Table* Open(const char* name);
  void Close() override;

  uint32_t ReadRecord(uint32_t n, void* buffer);
  uint32_t WriteRecord(uint32_t n, const void* buffer);
  void NewRecord(void* buffer);
  uint32_t AppendRecord(void* buffer);
  uint32_t DeleteRecord(uint32_t n);
  BOOL Truncate(uint32_t n);
  BOOL LoadCache();
  BOOL DropCache();

  int FieldNumber(const char* name, FieldInfo* info = nullptr);
  uint32_t FieldValue(int field);
  void SetFieldValue(int field, uint32_t number);

  uint32_t ReadMemo(char* buffer, uint32_t size);
  uint32_t WriteMemo(const char* text, uint32_t length);

  // Header lock (nested): on re-reads the header, off writes it.
  BOOL LockHeader(BOOL on);

  // Clients, notified in registration order.
  void AddClient(TableClient* client);
  // FALSE when the client was not registered.
  BOOL RemoveClient(TableClient* client);
  uint16_t ClientCount() const { return static_cast<uint16_t>(clients.word); }
  TableClient* FirstClient() const { return clients.link; }
  BOOL HasClient(const TableClient* client) const;
  // Every registered client in registration order, the changer included. A
  // client that leaves during the round is not called after it left.
  void NotifyClients(uint32_t code, uint32_t record);
  BOOL InRound() const { return rounds != 0; }
  // Out of the open list with no client left while a round runs: the round's
  // caller closes and destroys it.
  BOOL Orphaned() const { return orphaned; }
  void Orphan() {
    RemoveOpenTable(this);
    orphaned = TRUE;
  }

  uint32_t Flags() const { return flags; }
  void SetFlags(uint32_t set, uint32_t clear) { flags = (flags | set) & ~clear; }
  const char* Name() const { return name; }
  int FieldCount() const { return fieldCount; }
  uint16_t HeaderLength() const { return headerLength; }
  uint16_t RecordLength() const { return recordLength; }
  uint32_t Count() const { return count; }
  uint32_t Current() const { return current; }
  const uint8_t* HeaderImage() const { return header; }
  uint8_t LockDepth() const { return lockDepth; }

  Table* next;  // the following open table

 private:
  void Reset();
  void FreeBuffers();
  BOOL ReadHeader();
  BOOL CheckHeader(uint32_t fileSize);
  void PrepareDescriptors();
  BOOL WriteClosingHeader();
  uint32_t CountThatFits(uint32_t wanted);
  // Offsets of record n and of the byte after n records; FALSE (error 93)
  // when that lies past 2 GB.
  BOOL RecordOffset(uint32_t n, uint32_t* offset);
  BOOL EndOffset(uint32_t n, uint32_t* offset);
  BOOL LockRecord(uint32_t n, BOOL on);
  BOOL LockRange(FileObject& file, uint32_t offset, uint32_t length);
  void UnlockRange(FileObject& file, uint32_t offset, uint32_t length);
  BOOL LoadRecord(uint32_t n);
  BOOL GrowCache(uint32_t records);
  uint8_t* CachedRecord(uint32_t n);
  void FlushUnlessDeferred();
  BOOL MemoFileName(char* out);
  uint32_t MeasureMemo(FileObject& memo, uint32_t block);
  BOOL WriteMemoBlocks(FileObject& memo, uint32_t block, const char* text, uint32_t length,
                       uint32_t* written);
  const uint8_t* Descriptor(int field) const { return header + 32 * field; }

  ClientList clients;
  uint32_t flags;
  char* name;
  uint8_t lockDepth;
  int memoField;
  uint16_t headerLength;
  uint16_t recordLength;
  uint32_t count;
  uint32_t current;
  int fieldCount;
  uint8_t* header;
  uint8_t* record;
  HGLOBAL cache;
  uint8_t* cacheData;       // the cache block, locked while it exists
  uint32_t cachedRecords;   // records the cache block holds
  char fileName[MAX_PATH];  // the .DBF
  char* reservation;        // the empty file reserving a temporary name
  uint16_t rounds;          // notification rounds running
  BOOL orphaned;
};

