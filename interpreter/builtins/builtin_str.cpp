// STR: a value's text, plain or by a script's format.
#include <cstdlib>
#include <cstring>

#include "builtin_entries.h"
#include "long_blanks.h"
#include "crt_format.h"
#include "str_format_check.h"
#include "text_helpers.h"

namespace {

// What the formatter can write beyond the format and a STRING's text: a
// width of 999, a precision of 99 and the 309 digits of the largest REAL.
const size_t kFormatSlack = 1500;

// The formatted text of a LONG, REAL or STRING value into buffer (size
// bytes); false (112) when the format is not one the value can take.
bool FormatValue(BuiltinFrame& f, const VARIABLE& value, char* format, char* buffer,
                 size_t size) {
  format[0] = '%';  // a leading '#' is a '%' that asks for grouping
  FormatKind kind = value.type == VAL_LONG   ? FormatKind::Long
                    : value.type == VAL_REAL ? FormatKind::Real
                                             : FormatKind::Text;
  if (!IsSafeFormat(format, kind)) return f.Fail(kBuiltinSyntax);
  if (kind == FormatKind::Long)
    CrtFormat(buffer, size, format, static_cast<long>(value.lng));
  else if (kind == FormatKind::Real)
    CrtFormat(buffer, size, format, value.real);
  else
    CrtFormat(buffer, size, format, TextOf(value));
  return true;
}

// The whole text before it is cut to the room.
bool FormatInto(BuiltinFrame& f, const VARIABLE& value, const char* format, char* buffer,
                size_t size) {
  bool group = format[0] == '#';
  if (value.type == VAL_MONEY) {
    char money[kMoneyTextSize];
    if (format[1] == '4')
      MoneyToTextExact(money, value.money);
    else
      MoneyToText(money, value.money);
    CopyText(buffer, size, money);
  } else if (value.type != VAL_BOOL) {  // BOOL: the empty text
    char* own = _strdup(format);
    if (!own) return true;  // no memory for the result: the empty text
    bool ok = FormatValue(f, value, own, buffer, size);
    std::free(own);
    if (!ok) return false;
    if (value.type == VAL_STRING) {
      SqueezeAllBlanks(buffer);
      return true;
    }
    RemoveAllBlanks(buffer);
  }
  if (group) GroupThousands(buffer, size, ' ');
  return true;
}

bool ConvertToText(BuiltinFrame& f) {
  VARIABLE* value = f.Pop();
  if (!value) return false;
  f.Result().TYPE(VAL_STRING);
  VARIABLE::Error = 0;
  f.Result().ConvertFrom(*value);
  return f.CheckValueError();
}

}  // namespace

bool RunStr(BuiltinFrame& f) {
  if (f.Count() == 1) return ConvertToText(f);
  VARIABLE* formatValue = f.Pop(VAL_STRING);
  if (!formatValue) return false;
  if (!formatValue->text || !formatValue->text[0]) return f.Fail(kBuiltinBadType);
  const char* format = formatValue->text;
  VARIABLE* value = f.Pop();
  if (!value) return false;
  size_t formatLength = std::strlen(format), textLength = 0, room;
  switch (value->type) {
    case VAL_LONG:
    case VAL_REAL:
    case VAL_MONEY: room = formatLength + 27; break;
    case VAL_STRING:
      textLength = std::strlen(TextOf(*value));
      room = formatLength + textLength;
      break;
    case VAL_BOOL: room = formatLength + 1; break;
    default: return f.Fail(kBuiltinBadType);
  }
  if (value->type != VAL_MONEY && format[0] != '%' && format[0] != '#')
    return f.Fail(kBuiltinSyntax);
  // The text is made whole (grouping may lengthen it by a third), then cut
  // to the room: the formatter never writes past its buffer.
  size_t plain = formatLength + textLength + kFormatSlack;
  size_t size = plain + plain / 3 + 2;
  char* buffer = static_cast<char*>(std::calloc(size, 1));
  if (!buffer) return f.SetText("", 0);
  bool ok = FormatInto(f, *value, format, buffer, size);
  if (ok) {
    size_t length = std::strlen(buffer);
    f.SetText(buffer, length < room ? length : room);
  }
  std::free(buffer);
  return ok;
}
