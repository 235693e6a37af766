// Shared by Caddel's tests: TREE1 in a test data source, Praxel record sets
// over it through Praxel's exports, the owner window that answers caption
// requests, and the nodes of a tree view read back.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "library_call.h"
#include "record_set_object.h"

namespace caddel_test {

// TREE1(ID, OWNER, NAME) with its seven rows, made afresh (as `table`) in
// the data source; texts in code page 1251.
void MakeTree1(const char* dataSource, const char* table = "TREE1");
// The connection text Praxel is given for a data source.
std::string ConnectText(const char* dataSource);

// A real record set seen through a wrapper that reports chosen records as
// deleted (for a data source whose pages do not mark removed rows).
class DeletedMarks : public RecordSetObject {
 public:
  DeletedMarks(RecordSetObject* inner, std::vector<long> deleted) : in_(inner), deleted_(deleted) {}
  RecordSetObject* SetCacheSize(unsigned long rows) override { in_->SetCacheSize(rows); return this; }
  BOOL FetchPage(long first) override { return in_->FetchPage(first); }
  long RecordCount() override { return in_->RecordCount(); }
  BOOL GoToRecord(long record) override {
    current_ = record;
    return in_->GoToRecord(record);
  }
  long NewRecord() override { return in_->NewRecord(); }
  BOOL EditRecord(long record) override { return in_->EditRecord(record); }
  BOOL InsertRecord() override { return in_->InsertRecord(); }
  BOOL UpdateRecord(long record) override { return in_->UpdateRecord(record); }
  BOOL DeleteRecord(long record) override { return in_->DeleteRecord(record); }
  long Seek(const char* pattern, unsigned long length) override { return in_->Seek(pattern, length); }
  long IsDeleted() override {
    for (long record : deleted_)
      if (record == current_) return 1;
    return in_->IsDeleted();
  }
  long FieldIndex(const char* name) override { return in_->FieldIndex(name); }
  long FieldName(unsigned long c, char* b, long s) override { return in_->FieldName(c, b, s); }
  long FieldCount() override { return in_->FieldCount(); }
  long FieldWidth(unsigned long c, BOOL t) override { return in_->FieldWidth(c, t); }
  long SetFieldWidth(unsigned long c, unsigned long w) override { return in_->SetFieldWidth(c, w); }
  long FieldOption(unsigned long c, unsigned long o) override { return in_->FieldOption(c, o); }
  long FieldType(unsigned long c) override { return in_->FieldType(c); }
  long GetSort(char* b, long s) override { return in_->GetSort(b, s); }
  BOOL SetSort(const char* o) override { return in_->SetSort(o); }
  long FieldEvent(unsigned long c) override { return in_->FieldEvent(c); }
  BOOL FieldBuffer(unsigned long c, FieldRequest* r) override { return in_->FieldBuffer(c, r); }
  long GetFieldTextByName(const char* n, char* b, long s) override { return in_->GetFieldTextByName(n, b, s); }
  long GetFieldText(unsigned long c, char* b, long s) override { return in_->GetFieldText(c, b, s); }
  BOOL PutFieldTextByName(const char* n, const char* t, long l) override { return in_->PutFieldTextByName(n, t, l); }
  BOOL PutFieldText(unsigned long c, const char* t, long l) override { return in_->PutFieldText(c, t, l); }
  long GetFooter(unsigned long c, char* b, long s) override { return in_->GetFooter(c, b, s); }
  BOOL Transaction(const char* w) override { return in_->Transaction(w); }

 private:
  RecordSetObject* in_;
  std::vector<long> deleted_;
  long current_ = 0;
};

// A Praxel record set, opened with a STATIC cursor.
class PraxelSet {
 public:
  PraxelSet(const char* dataSource, const std::string& query);
  ~PraxelSet();
  PraxelSet(const PraxelSet&) = delete;
  PraxelSet& operator=(const PraxelSet&) = delete;

  bool open() const { return open_; }
  uint32_t handle() const { return set_; }
  RecordSetObject* get() const { return reinterpret_cast<RecordSetObject*>(set_); }
  LibraryCall& praxel() { return praxel_; }

 private:
  LibraryCall praxel_{"PRAXEL"};
  uint32_t base_ = 0;
  uint32_t set_ = 0;
  bool open_ = false;
};

// A visible top-level window whose WM_COMMAND with the caption command
// answers with NAME of the current record and the suffix; each request is
// counted, and onRequest (when set) runs before the answer.
class Owner {
 public:
  static const UINT kCommand = 2001;
  Owner();
  ~Owner();
  HWND window() const { return window_; }

  RecordSetObject* records = nullptr;
  std::string suffix;
  int requests = 0;
  bool buffersZeroed = true;  // the first 128 bytes of each buffer were 0
  std::function<void(int request)> onRequest;

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  HWND window_ = nullptr;
};

struct Node {
  std::string text;
  int depth;
  int image;
  int selectedImage;
  int children;  // cChildren as the tree view answers it
  const uint32_t* data;  // the item parameter
};
// The tree view's nodes depth first.
std::vector<Node> Nodes(HWND tree);
// "text" per node, indented by two blanks per level.
std::vector<std::string> Outline(HWND tree);
// The selected node's text, "" when none.
std::string Selected(HWND tree);

// A screenshot of the whole display as screens/<name>.png in the build tree.
void Screenshot(const std::string& name);

}  // namespace caddel_test
