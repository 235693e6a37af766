// page_dump FILE: lists a page file record by record, one line each, with
// the walker's reader rules; a damaged file ends the list with message 11
// and the offset of the record at fault (exit code 1).
#include <cstdio>
#include <vector>

#include "page_file.h"

namespace {

void PrintText(const PageRecordView& r) {
  std::printf(" \"");
  for (size_t i = 0; i < r.text_length; ++i) {
    const unsigned char ch = static_cast<unsigned char>(r.text[i]);
    if (ch == '\n') std::printf("\\n");
    else if (ch < 0x20) std::printf("\\x%02X", ch);
    else std::putchar(ch);
  }
  std::printf("\"");
}

void PrintRecord(const PageRecordView& r) {
  std::printf("%6lu %c %5lu", static_cast<unsigned long>(r.offset), r.type, static_cast<unsigned long>(r.length));
  switch (r.type) {
    case kPageRecordPage: {
      const PagePageRecord* p = r.As<PagePageRecord>();
      std::printf(" page %u %ldx%ld char %ld line %ld", p->number, static_cast<long>(p->width),
                  static_cast<long>(p->height), static_cast<long>(p->char_width), static_cast<long>(p->line_height));
      break;
    }
    case kPageRecordBox: {
      const PageBoxRecord* b = r.As<PageBoxRecord>();
      std::printf(" sides %02X %ld,%ld-%ld,%ld", b->sides, static_cast<long>(b->left), static_cast<long>(b->top),
                  static_cast<long>(b->right), static_cast<long>(b->bottom));
      break;
    }
    case kPageRecordFont: {
      const PageFontRecord* f = r.As<PageFontRecord>();
      std::printf(" %u pt style %c", f->points, f->style ? f->style : '-');
      PrintText(r);
      break;
    }
    case kPageRecordText:
      std::printf(" %c", r.As<PageTextRecord>()->alignment);
      PrintText(r);
      break;
    case kPageRecordHead: {
      const PageHeadRecord* h = r.As<PageHeadRecord>();
      std::printf(" column %u %ld,%ld-%ld,%ld", h->column, static_cast<long>(h->left), static_cast<long>(h->top),
                  static_cast<long>(h->right), static_cast<long>(h->bottom));
      PrintText(r);
      break;
    }
    case kPageRecordCell:
    case kPageRecordFooter: {
      const PageCellRecord* c = r.As<PageCellRecord>();
      std::printf(" column %u flags %04X %ld-%ld", c->column, c->flags, static_cast<long>(c->top),
                  static_cast<long>(c->bottom));
      PrintText(r);
      break;
    }
    default:
      break;
  }
  std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: page_dump FILE\n");
    return 2;
  }
  FILE* f = std::fopen(argv[1], "rb");
  if (!f) {
    std::fprintf(stderr, "page_dump: cannot open %s\n", argv[1]);
    return 2;
  }
  std::vector<unsigned char> bytes;
  unsigned char chunk[65536];
  for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, f)) > 0;) bytes.insert(bytes.end(), chunk, chunk + n);
  std::fclose(f);
  PageRecordWalker walker(bytes.data(), bytes.size());
  PageRecordView record;
  while (walker.Next(&record)) PrintRecord(record);
  if (walker.error()) {
    std::printf("message %d at offset %lu\n", walker.error(), static_cast<unsigned long>(walker.error_offset()));
    return 1;
  }
  std::printf("%6lu end\n", static_cast<unsigned long>(walker.offset()));
  return 0;
}
