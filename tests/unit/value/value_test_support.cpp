#include "value_test_support.h"

#include <cstdlib>
#include <cstring>

std::vector<VARIABLE*> g_updates;

void VariableUpdated(VARIABLE* v) { g_updates.push_back(v); }

namespace {
VARIABLE g_target;
}

VARIABLE Make(const std::string& spec) {
  VARIABLE v;
  const char* rest = spec.c_str() + 1;
  switch (spec[0]) {
    case 'L': v.type = VAL_LONG; v.lng = std::atol(rest); break;
    case 'R': v.type = VAL_REAL; v.real = std::atof(rest); break;
    case 'S':
      v.type = VAL_STRING;
      if (spec.size() > 1) v = rest + 1;
      break;
    case 'B': v.type = VAL_BOOL; v.lng = std::atol(rest); break;
    case 'M': v.type = VAL_MONEY; v.money = _atoi64(rest); break;
    case 'T':
      v.type = VAL_TIME;
      v.time.date = std::atol(rest);
      v.time.seconds = std::atol(std::strchr(rest, ',') + 1);
      break;
    case 'P': v.type = VAL_POINTER; v.target = &g_target; break;
    case 'O': v.type = VAL_OBJECT; v.object.handle = 16; break;
    case 'D': v.type = VAL_DISPATCH; break;
    case 'I': v.type = VAL_IMAGE; break;
    case 'G': v.type = VAL_GUID; break;
    case 'V': v.type = VAL_VARIABLE; break;
    default: break;
  }
  return v;
}

std::string Text(const VARIABLE& v, int exact) {
  char buffer[256];
  return v.GetText(buffer, sizeof buffer, exact);
}

std::string Describe(const VARIABLE& v) {
  std::string letter(1, v.type <= VAL_GUID ? "NLRSBPVOMDITG"[v.type] : '?');
  if (VARIABLE::Error) return letter + "!" + std::to_string(VARIABLE::Error);
  return letter + " " + Text(v);
}

VARIABLE MakeDispatch(CountingDispatch* d, const char* name) {
  VARIABLE v;
  v.type = VAL_DISPATCH;
  d->AddRef();
  v.dispatch.pointer = d;
  v.dispatch.name = name ? _strdup(name) : nullptr;
  return v;
}
