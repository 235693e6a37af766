// The two assignments: Assign (the source's type wins) and ConvertFrom (the
// target's type wins).
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "blank_helpers.h"
#include "crt_format.h"
#include "date_time.h"
#include "text_watch.h"
#include "value_internal.h"

using namespace value_internal;

namespace {

void Mismatch() { VARIABLE::Error = kErrorTypeMismatch; }

// STRING target: the text form of the source.
void ConvertToString(VARIABLE& v, const VARIABLE& s) {
  char local[kValueTextSize];
  switch (s.type) {
    case VAL_LONG:
      CrtFormat(local, sizeof local, "%ld", static_cast<long>(s.lng));
      StoreText(v, local);
      break;
    case VAL_REAL:
      StoreText(v, VARIABLE::RealToText(s.real, local));
      break;
    case VAL_MONEY:
      MoneyToText(local, s.money);
      StoreText(v, local);
      break;
    case VAL_STRING:
      StoreText(v, s.text);
      break;
    case VAL_TIME:
      StoreText(v, TimeValueToText(s, local));
      break;
    case VAL_GUID:
      StoreText(v, GuidToText(s.guid, local));
      break;
    case VAL_NULL:
      ForgetTextLength(&v);
      if (v.text) v.text[0] = '\0';
      break;
    default:
      Mismatch();
      break;
  }
}

// TIME from a text: compact date, then the time after the first blank. The
// text is normalised in a copy so the source keeps its own text.
void TimeFromText(VARIABLE& v, const char* source) {
  v.time.date = 0;
  v.time.seconds = 0;
  if (!source) return;
  std::string copy(source);
  SqueezeBlanks(&copy[0], static_cast<unsigned>(copy.size() + 1));
  v.time.date = ParseCompactDate(copy.c_str());
  const char* blank = std::strchr(copy.c_str(), ' ');
  if (blank) v.time.seconds = ParseTimeLoose(blank + 1);
}

void GuidFromText(VARIABLE& v, const char* source) {
  WCHAR wide[40] = {0};
  if (source) {
    // At most 39 characters: longer texts are no GUID anyway.
    int length = static_cast<int>(std::min<size_t>(std::strlen(source), 39));
    MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, source, length, wide, 39);
  }
  GUID parsed = {};
  CLSIDFromString(wide, &parsed);
  v.guid = parsed;
}

void Convert(VARIABLE& v, const VARIABLE& s) {
  switch (v.type) {
    case VAL_LONG:
      switch (s.type) {
        case VAL_LONG: v.lng = s.lng; break;
        case VAL_REAL: v.lng = static_cast<int32_t>(s.real); break;
        case VAL_MONEY: v.lng = MoneyToLong(s.money); break;
        case VAL_STRING: if (s.text) v.lng = std::atol(s.text); break;
        case VAL_NULL: v.lng = 0; break;
        case VAL_BOOL: v.lng = s.lng != 0; break;
        case VAL_IMAGE: v.lng = static_cast<int32_t>(reinterpret_cast<uintptr_t>(s.image.handle)); break;
        case VAL_TIME: v.lng = s.time.date; break;
        default: Mismatch(); break;
      }
      break;
    case VAL_REAL:
      switch (s.type) {
        case VAL_LONG: v.real = s.lng; break;
        case VAL_REAL: v.real = s.real; break;
        case VAL_MONEY: v.real = MoneyToReal(s.money); break;
        case VAL_STRING: if (s.text) v.real = std::atof(s.text); break;
        case VAL_NULL: v.real = 0.0; break;
        default: Mismatch(); break;
      }
      break;
    case VAL_STRING:
      ConvertToString(v, s);
      break;
    case VAL_BOOL:
      switch (s.type) {
        case VAL_LONG: v.lng = s.lng != 0; break;
        case VAL_REAL: v.lng = s.real != 0.0; break;
        case VAL_BOOL: v.lng = s.lng; break;
        case VAL_STRING: v.lng = s.text && _stricmp(s.text, "TRUE") == 0; break;
        case VAL_NULL: v.lng = 0; break;
        default: Mismatch(); break;
      }
      break;
    case VAL_POINTER:
      if (s.type == VAL_POINTER)
        v.target = s.target;
      else if (s.type == VAL_NULL)
        v.target = nullptr;
      else
        Mismatch();
      break;
    case VAL_VARIABLE:
      break;
    case VAL_OBJECT:
      if (s.type == VAL_OBJECT)
        v.object = s.object;
      else
        Mismatch();
      break;
    case VAL_MONEY:
      switch (s.type) {
        case VAL_LONG: v.money = LongToMoney(s.lng); break;
        case VAL_REAL: v.money = RealToMoney(s.real); break;
        case VAL_MONEY: v.money = s.money; break;
        case VAL_STRING: {
          MONEY m = 0;
          if (s.text) TextToMoney(s.text, &m);
          v.money = m;
          break;
        }
        case VAL_NULL: v.money = 0; break;
        default: Mismatch(); break;
      }
      break;
    case VAL_DISPATCH:
      if (s.type == VAL_DISPATCH)
        StoreDispatch(v, s.dispatch.pointer, s.dispatch.name);
      else
        Mismatch();
      break;
    case VAL_IMAGE:
      if (s.type == VAL_IMAGE) {
        v.image = s.image;
      } else if (s.type == VAL_LONG) {
        HGLOBAL handle = reinterpret_cast<HGLOBAL>(static_cast<intptr_t>(s.lng));
        SIZE_T size = handle ? GlobalSize(handle) : 0;
        if (size != 0) {
          v.image.handle = handle;
          v.image.size = static_cast<uint32_t>(size);
        }
      } else {
        Mismatch();
      }
      break;
    case VAL_TIME:
      if (s.type == VAL_TIME) {
        v.time = s.time;
      } else if (s.type == VAL_LONG) {
        if (s.lng == 0 || IsValidDate(s.lng)) {
          v.time.date = s.lng;
          v.time.seconds = 0;
        } else {
          Mismatch();
        }
      } else if (s.type == VAL_STRING) {
        TimeFromText(v, s.text);
      } else {
        Mismatch();
      }
      break;
    case VAL_GUID:
      if (s.type == VAL_GUID)
        v.guid = s.guid;
      else if (s.type == VAL_LONG)
        std::memset(v.raw, 0, sizeof v.raw);
      else if (s.type == VAL_STRING)
        GuidFromText(v, s.text);
      else
        Mismatch();
      break;
    default:
      break;
  }
}

}  // namespace

VARIABLE& VARIABLE::Assign(const VARIABLE& source) {
  if (&source != this) {
    if (type != source.type) TYPE(source.type);
    if (type == VAL_STRING) {
      if (source.text) StoreText(*this, source.text);
    } else if (type == VAL_DISPATCH) {
      StoreDispatch(*this, source.dispatch.pointer, source.dispatch.name);
    } else {
      CopyFixedPayload(*this, source);
    }
  }
  NotifyCopied(*this);
  return *this;
}

VARIABLE& VARIABLE::ConvertFrom(const VARIABLE& source) {
  if (type == VAL_NULL) {
    if (source.type == VAL_NULL) return *this;
    type = source.type;  // payload still zero
  }
  if (&source != this) Convert(*this, source);
  NotifyCopied(*this);
  return *this;
}
