#include "form_export.h"

#include <cstdio>
#include <vector>

#include "buffer_records.h"

namespace selvy {

namespace {

std::string Text(const BYTE* data, const PageRecord& record, int offset) {
  RecordText text = TextOf(data, record, offset);
  return std::string(text.text, text.length);
}

std::string Numbers(std::initializer_list<int32_t> values) {
  std::string line;
  char number[16];
  for (int32_t value : values) {
    snprintf(number, sizeof number, "%d", static_cast<int>(value));
    if (!line.empty()) line += ',';
    line += number;
  }
  return line;
}

std::string BoxSides(BYTE sides) {
  static const char kLetters[] = "LTRB";
  std::string text;
  for (int side = 0; side < 4; ++side)
    if ((sides >> (6 - 2 * side)) & 3) {
      text += kLetters[side];
      text += 'S';
    }
  return text.empty() ? text : " " + text;
}

}  // namespace

bool ExportFormText(const BYTE* data, int32_t length, std::string* text) {
  if (!StartsWithPage(data, length)) return false;
  std::string out;
  // The heads of the current group, by their records' offsets.
  std::vector<int32_t> heads;
  bool groupEnded = false;
  for (PageRecord r = RecordAt(data, length, 0);; r = NextRecord(data, length, r)) {
    const BYTE* at = data + r.offset;
    switch (r.type) {
      case kPageRecord:
        out += "PAGE " + Numbers({at[field::kPageNumber], Int32At(at, field::kPageWidth),
                                  Int32At(at, field::kPageHeight), Int32At(at, field::kCharWidth),
                                  Int32At(at, field::kLineHeight)});
        heads.clear();
        break;
      case kBoxRecord:
        out += "BOX " + Numbers({Int32At(at, field::kBoxLeft), Int32At(at, field::kBoxTop),
                                 Int32At(at, field::kBoxRight), Int32At(at, field::kBoxBottom)}) +
               BoxSides(at[field::kSides]);
        break;
      case kFontRecord:
        out += "FONT " + Text(data, r, field::kFace) + "," + Numbers({at[field::kPoints]});
        if (at[field::kStyle] == 'B') out += ",Bold";
        if (at[field::kStyle] == 'I') out += ",Italic";
        break;
      case kTextRecord: {
        char alignment = static_cast<char>(at[field::kAlignment]);
        out += std::string("TEXT ") + (alignment == 'C' ? "CENTER" : alignment == 'R' ? "RIGHT" : "LEFT") +
               " {" + Text(data, r, field::kText) + "}";
        break;
      }
      case kHeadRecord:
        if (groupEnded) heads.clear();
        groupEnded = false;
        heads.push_back(r.offset);
        out += "HEAD " + Numbers({at[field::kHeadColumn], Int32At(at, field::kHeadLeft),
                                  Int32At(at, field::kHeadTop), Int32At(at, field::kHeadRight),
                                  Int32At(at, field::kHeadBottom)}) +
               "," + Text(data, r, field::kTitle);
        break;
      case kCellRecord:
      case kFooterRecord: {
        int32_t left = 0, right = 0;
        if (!groupEnded)
          for (int32_t head : heads)
            if (data[head + field::kHeadColumn] == at[field::kCellColumn]) {
              left = Int32At(data + head, field::kHeadLeft);
              right = Int32At(data + head, field::kHeadRight);
              break;
            }
        out += "LINE " + Numbers({left, Int32At(at, field::kCellTop), right, Int32At(at, field::kCellBottom)}) +
               "," + Text(data, r, field::kCellText);
        break;
      }
      case kGridRecord:
        out += "GRID " + Numbers({Int32At(at, 3), Int32At(at, 7), Int32At(at, 11), Int32At(at, 15),
                                  Int32At(at, 19), Int32At(at, 23)});
        groupEnded = true;
        break;
      case kEndRecord:
        out += "END\r\n";
        *text = out;
        return true;
      default:
        continue;  // a type of no line
    }
    out += "\r\n";
  }
}

}  // namespace selvy
