// ExportTable: the table's shown fields as separated text lines to a file,
// to the clipboard, or to the owner (mail), with progress notices to the
// owner: WM_COMMAND(Msg, 0) first, (Msg, record) before each row and
// (Msg, -1) last, which always follows once (Msg, 0) went.
#include <cstring>
#include <string>
#include <vector>

#include "export_settings.h"
#include "grid_window.h"
#include "table_output.h"
#include "text_helpers.h"
#include "wennic.h"

namespace {

const int kNoMemory = 8;
const int kWriteError = 29;
const int kFileNotCreated = 40;
const size_t kFileChunk = 64 * 1024;
const int kVirtualBuffer = 80;

struct ShownField {
  unsigned long field;
  long textLength;  // of the field's text form
  bool isVirtual;
  bool isNumber;    // 'N' or 'F': blanks removed
  long event;
};

// Where the lines go: a file written in large chunks, or a growing global
// block for the clipboard.
class ExportOutput {
 public:
  ExportOutput(HWND table, bool oem) : table_(table), oem_(oem) {}
  ~ExportOutput() {
    if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
    if (block_) GlobalFree(block_);
  }

  bool OpenFile(const char* name) {
    file_ = CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file_ == INVALID_HANDLE_VALUE) {
      ERRBOX(table_, kFileNotCreated, 0, nullptr);
      return false;
    }
    pending_.reserve(kFileChunk + 4096);
    return true;
  }

  bool OpenBlock() {
    capacity_ = 64 * 1024;
    block_ = GlobalAlloc(GMEM_DDESHARE | GMEM_ZEROINIT | GMEM_MOVEABLE, capacity_);
    if (!block_) {
      ERRBOX(table_, kNoMemory, 0, nullptr);
      return false;
    }
    return true;
  }

  // One line (CR LF included), converted to OEM when asked.
  bool Add(char* line, size_t length) {
    if (oem_) CharToOemBuffA(line, line, static_cast<DWORD>(length));
    if (block_) return Append(line, length);
    pending_.insert(pending_.end(), line, line + length);
    return pending_.size() < kFileChunk || Flush();
  }

  bool Flush() {
    if (file_ == INVALID_HANDLE_VALUE || pending_.empty()) return true;
    DWORD written = 0;
    const DWORD count = static_cast<DWORD>(pending_.size());
    const bool whole = WriteFile(file_, pending_.data(), count, &written, nullptr) && written == count;
    pending_.clear();
    if (!whole) {
      ERRBOX(table_, kWriteError, 0, nullptr);
      return false;
    }
    return true;
  }

  bool CloseFile() {
    const bool flushed = Flush();
    const bool closed = CloseHandle(file_) != 0;
    file_ = INVALID_HANDLE_VALUE;
    return flushed && closed;
  }

  // Hands the block to the clipboard (CF_OEMTEXT for OEM text); the block
  // is freed when the clipboard does not take it.
  bool ToClipboard() {
    if (!OpenClipboard(table_)) return false;
    EmptyClipboard();
    HGLOBAL fitted = GlobalReAlloc(block_, used_ + 1, GMEM_MOVEABLE | GMEM_ZEROINIT);
    if (fitted) block_ = fitted;
    const bool taken = SetClipboardData(oem_ ? CF_OEMTEXT : CF_TEXT, block_) != nullptr;
    CloseClipboard();
    if (taken) block_ = nullptr;  // the clipboard's now
    return taken;
  }

 private:
  bool Append(const char* bytes, size_t length) {
    if (used_ + length + 1 > capacity_) {
      size_t grown = capacity_ * 2;
      while (used_ + length + 1 > grown) grown *= 2;
      HGLOBAL bigger = GlobalReAlloc(block_, grown, GMEM_MOVEABLE | GMEM_ZEROINIT);
      if (!bigger) {
        ERRBOX(table_, kNoMemory, 0, nullptr);
        return false;
      }
      block_ = bigger;
      capacity_ = grown;
    }
    char* text = static_cast<char*>(GlobalLock(block_));
    if (!text) {
      ERRBOX(table_, kNoMemory, 0, nullptr);
      return false;
    }
    std::memcpy(text + used_, bytes, length);
    GlobalUnlock(block_);
    used_ += length;
    return true;
  }

  HWND table_;
  bool oem_;
  HANDLE file_ = INVALID_HANDLE_VALUE;
  std::vector<char> pending_;
  HGLOBAL block_ = nullptr;
  size_t capacity_ = 0;
  size_t used_ = 0;
};

std::vector<ShownField> ShownFields(RecordSetObject* records) {
  std::vector<ShownField> fields;
  const long count = records->FieldCount();
  for (long field = 1; field <= count; ++field) {
    if (records->FieldOption(field, 10)) continue;
    ShownField f;
    f.field = static_cast<unsigned long>(field);
    f.textLength = records->FieldWidth(field, 1);
    if (f.textLength < 0) f.textLength = -f.textLength;
    if (f.textLength > 0xFFFF) f.textLength = 0xFFFF;
    f.isVirtual = records->FieldOption(field, 16) != 0;
    const long type = records->FieldType(field);
    f.isNumber = type == 'N' || type == 'F';
    f.event = f.isVirtual ? records->FieldEvent(field) : 0;
    fields.push_back(f);
  }
  return fields;
}

// The titles of the shown fields: line breaks as blanks, leading blanks
// dropped, joined by the separator, CR LF.
std::string HeaderLine(RecordSetTable* table, const std::vector<ShownField>& fields, char separator) {
  std::string line;
  const char* block = table->context.LockTitles();
  for (size_t i = 0; i < fields.size(); ++i) {
    if (i) line += separator;
    const char* title = "";
    int length = TablePrintContext::TitleSpan(block, static_cast<int>(fields[i].field), &title);
    while (length > 0 && (*title == ' ' || *title == '\n')) {
      ++title;
      --length;
    }
    for (int k = 0; k < length; ++k) line += title[k] == '\n' || title[k] == '\r' ? ' ' : title[k];
  }
  table->context.UnlockTitles();
  line += "\r\n";
  return line;
}

// Appends one field's text: numbers without blanks, a non-virtual
// number's '.' as the user's decimal separator.
void AppendField(std::string* line, const char* text, size_t length, const ShownField& f, char decimal) {
  if (!f.isNumber) {
    line->append(text, length);
    return;
  }
  for (size_t k = 0; k < length; ++k) {
    const char ch = text[k];
    if (ch == ' ') continue;
    *line += (ch == '.' && !f.isVirtual) ? decimal : ch;
  }
}

// The rows 1..count; false when a record cannot be reached or a line not
// put out.
bool ExportRows(RecordSetTable* table, HWND owner, UINT msg, const std::vector<ShownField>& fields,
                char separator, ExportOutput* out) {
  RecordSetObject* records = table->records;
  long widest = 0;
  for (const ShownField& f : fields)
    if (f.textLength > widest) widest = f.textLength;
  std::vector<char> buffer(static_cast<size_t>(widest) + 2);
  char request[kVirtualBuffer];
  const char decimal = DecimalSeparator();
  std::string line;
  const long count = records->RecordCount();
  for (long record = 1; record <= count; ++record) {
    SendMessageA(owner, WM_COMMAND, msg, record);
    if (!records->GoToRecord(record)) return false;
    line.clear();
    for (size_t i = 0; i < fields.size(); ++i) {
      const ShownField& f = fields[i];
      if (i) line += separator;
      const size_t most = static_cast<size_t>(f.textLength) + 1;
      if (f.isVirtual) {
        std::memset(request, 0, sizeof request);
        records->FieldName(f.field, request, sizeof request);
        SendMessageA(owner, WM_COMMAND, static_cast<WPARAM>(f.event), reinterpret_cast<LPARAM>(request));
        request[sizeof request - 1] = 0;
        const size_t length = strnlen(request, most < sizeof request ? most : sizeof request);
        AppendField(&line, request, length, f, decimal);
      } else {
        buffer[0] = 0;
        const long answer = records->GetFieldText(f.field, buffer.data(), static_cast<long>(most));
        size_t length = static_cast<size_t>(answer & 0xFFFF);
        if (length >= most) length = most - 1;
        AppendField(&line, buffer.data(), length, f, decimal);
      }
    }
    line += "\r\n";
    if (!out->Add(&line[0], line.size())) return false;
  }
  return true;
}

}  // namespace

BOOL ExportTable(RecordSetTable* table, UINT msg) {
  ExportSettings* s = TheExportSettings();
  if (!s || !table || !table->records) return FALSE;
  if (!RunExportDialog(table->window, s)) return FALSE;
  HWND owner = GridOwner(table);
  SendMessageA(owner, WM_COMMAND, msg, 0);

  const int where = s->destination & kExportWhereMask;
  BOOL result = FALSE;
  if (where == kExportFile || where == kExportClipboard) {
    ExportOutput out(table->window, (s->destination & kExportOem) != 0);
    const std::vector<ShownField> fields = ShownFields(table->records);
    bool ok = where == kExportFile ? out.OpenFile(s->fileName) : out.OpenBlock();
    if (ok && (s->destination & kExportHeader)) {
      std::string header = HeaderLine(table, fields, s->separator);
      ok = out.Add(&header[0], header.size());
    }
    if (ok) ok = ExportRows(table, owner, msg, fields, s->separator, &out);
    if (where == kExportFile) {
      if (ok) ok = out.CloseFile();
    } else if (ok) {
      ok = out.ToClipboard();
    }
    result = ok ? TRUE : FALSE;
  }
  const LRESULT answer = SendMessageA(owner, WM_COMMAND, msg, static_cast<LPARAM>(-1));
  return where == kExportMail ? static_cast<BOOL>(answer) : result;
}
