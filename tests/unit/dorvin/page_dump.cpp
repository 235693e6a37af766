#include "page_dump.h"

#include <cstdio>

#include "page_file.h"

std::string PageFileBytes(HANDLE file) {
  DWORD at = SetFilePointer(file, 0, nullptr, FILE_CURRENT);
  DWORD size = GetFileSize(file, nullptr);
  std::string bytes(size, '\0');
  SetFilePointer(file, 0, nullptr, FILE_BEGIN);
  DWORD read = 0;
  if (size) ReadFile(file, &bytes[0], size, &read, nullptr);
  bytes.resize(read);
  SetFilePointer(file, static_cast<LONG>(at), nullptr, FILE_BEGIN);
  return bytes;
}

std::vector<std::string> PageDump(const std::string& bytes) {
  std::vector<std::string> lines;
  PageRecordWalker walker(bytes.data(), bytes.size());
  PageRecordView r;
  char line[128];
  while (walker.Next(&r)) {
    std::string text = r.text ? std::string(r.text, r.text_length) : "";
    switch (r.type) {
      case '#': {
        auto* p = r.As<PagePageRecord>();
        std::snprintf(line, sizeof line, "# %d %d %d", p->number, static_cast<int>(p->width),
                      static_cast<int>(p->height));
        break;
      }
      case 'F': {
        auto* f = r.As<PageFontRecord>();
        std::snprintf(line, sizeof line, "F %d %c ", f->points, f->style ? f->style : '0');
        break;
      }
      case 'B': {
        auto* b = r.As<PageBoxRecord>();
        std::snprintf(line, sizeof line, "B %02X %d %d %d %d", b->sides, static_cast<int>(b->left),
                      static_cast<int>(b->top), static_cast<int>(b->right), static_cast<int>(b->bottom));
        break;
      }
      case 'T':
        std::snprintf(line, sizeof line, "T %c ", r.As<PageTextRecord>()->alignment);
        break;
      case 'H': {
        auto* h = r.As<PageHeadRecord>();
        std::snprintf(line, sizeof line, "H %d %d %d %d %d ", h->column, static_cast<int>(h->left),
                      static_cast<int>(h->top), static_cast<int>(h->right), static_cast<int>(h->bottom));
        break;
      }
      case 'L':
      case 'R': {
        auto* c = r.As<PageCellRecord>();
        std::snprintf(line, sizeof line, "%c %d %d %d ", r.type, c->column, static_cast<int>(c->top),
                      static_cast<int>(c->bottom));
        break;
      }
      default:
        std::snprintf(line, sizeof line, "%c", r.type);
        break;
    }
    lines.push_back(line + text);
  }
  if (walker.error()) {
    std::snprintf(line, sizeof line, "!%d@%u", walker.error(), static_cast<unsigned>(walker.error_offset()));
    lines.push_back(line);
  } else if (walker.offset() + 2 < bytes.size() && bytes[walker.offset() + 2] == 'E') {
    lines.push_back("E");
    size_t after = bytes.size() - walker.offset() - 3;
    if (after) lines.push_back(std::to_string(after) + " bytes after E");
  }
  return lines;
}
