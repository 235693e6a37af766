// The text form of each value type.
#include <cmath>
#include <cstring>

#include "crt_format.h"
#include "date_time.h"
#include "text_helpers.h"
#include "value_internal.h"

namespace value_internal {

char* GuidToText(const GUID& guid, char* buffer) {
  WCHAR wide[40] = {0};
  GUID copy = guid;  // the record's GUID is not aligned
  StringFromGUID2(copy, wide, 40);
  WideCharToMultiByte(CP_ACP, 0, wide, -1, buffer, 40, nullptr, nullptr);
  buffer[39] = '\0';
  return buffer;
}

char* TimeValueToText(const VARIABLE& v, char* buffer) {
  DateTimeToText(v.time.date, v.time.seconds, buffer);
  return buffer;
}

}  // namespace value_internal

using namespace value_internal;

char* VARIABLE::RealToText(double x, char* buffer) {
  double magnitude = std::fabs(x);
  const char* format = magnitude >= 0.01 && magnitude <= 2147483647.0 ? "%f" : "%E";
  CrtFormat(buffer, kRealTextSize, format, x);
  return buffer;
}

char* VARIABLE::GetText(char* buffer, size_t size, int exact) const {
  if (!buffer || size == 0) return buffer;
  std::memset(buffer, 0, size);
  if (type == VAL_STRING) {
    if (text) CopyText(buffer, size, text);
    return buffer;
  }
  char local[kValueTextSize] = {0};
  switch (type) {
    case VAL_NULL:
      std::strcpy(local, "0");
      break;
    case VAL_LONG:
      CrtFormat(local, sizeof local, "%ld", static_cast<long>(lng));
      break;
    case VAL_REAL:
      RealToText(real, local);
      break;
    case VAL_BOOL:
      std::strcpy(local, lng ? "TRUE" : "FALSE");
      break;
    case VAL_POINTER:
      CrtFormat(local, sizeof local, "%p(%s)", static_cast<void*>(target),
                TypeName(target ? target->type : 0u));
      break;
    case VAL_OBJECT:
      CrtFormat(local, sizeof local, "%s!%p", object.module ? object.module : "",
                reinterpret_cast<void*>(static_cast<uintptr_t>(object.handle)));
      break;
    case VAL_MONEY:
      if (exact)
        MoneyToTextExact(local, money);
      else
        MoneyToText(local, money);
      break;
    case VAL_DISPATCH:
      CrtFormat(local, sizeof local, "%p", static_cast<void*>(dispatch.pointer));
      break;
    case VAL_IMAGE:
      CrtFormat(local, sizeof local, "%p(%d)", static_cast<void*>(image.handle), static_cast<int>(image.size));
      break;
    case VAL_TIME:
      TimeValueToText(*this, local);
      break;
    case VAL_GUID:
      GuidToText(guid, local);
      break;
    default:  // VARIABLE and unknown codes: the empty text
      break;
  }
  CopyText(buffer, size, local);
  return buffer;
}
