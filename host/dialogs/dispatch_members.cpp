#include "dispatch_members.h"

#include <commctrl.h>
#include <oaidl.h>

#include <cstdio>
#include <string>

#include "variable.h"
#include "variable_list.h"

namespace {

const int kNameColumnChars = 20;
const int kTypeColumnChars = 8;
const size_t kNameLimit = 31;

std::string AnsiName(BSTR name) {
  if (!name) return std::string();
  int wide = static_cast<int>(SysStringLen(name));
  int n = WideCharToMultiByte(CP_ACP, 0, name, wide, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<size_t>(n > 0 ? n : 0), '\0');
  if (n > 0) WideCharToMultiByte(CP_ACP, 0, name, wide, &text[0], n, nullptr, nullptr);
  return text.substr(0, kNameLimit);
}

std::string KindText(const FUNCDESC& function) {
  const char* format;
  switch (function.invkind) {
    case INVOKE_PROPERTYGET: format = "Get(%d)"; break;
    case INVOKE_PROPERTYPUT: format = "Put(%d)"; break;
    case INVOKE_FUNC: format = "Method(%d)"; break;
    case INVOKE_PROPERTYPUTREF: format = "PutRef(%d)"; break;
    default: return "Unkonown";
  }
  char text[32];
  std::snprintf(text, sizeof text, format, static_cast<int>(function.cParams));
  return text;
}

void AddMember(HWND listView, int row, const std::string& name, const std::string& kind) {
  LVITEMA item{};
  item.mask = LVIF_TEXT;
  item.iItem = row;
  item.pszText = const_cast<char*>(name.c_str());
  int at = static_cast<int>(SendMessageA(listView, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
  if (at < 0) return;
  LVITEMA cell{};
  cell.iSubItem = 1;
  cell.pszText = const_cast<char*>(kind.c_str());
  SendMessageA(listView, LVM_SETITEMTEXTA, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(&cell));
}

}  // namespace

int FillDispatchMembers(HWND listView, const VARIABLE& value) {
  int unit = ListCharWidth(listView);
  AddListColumn(listView, 0, "Name", kNameColumnChars * unit);
  AddListColumn(listView, 1, "Type", kTypeColumnChars * unit);
  if (value.type != VAL_DISPATCH || !value.dispatch.pointer) return 0;

  ITypeInfo* info = nullptr;
  if (FAILED(value.dispatch.pointer->GetTypeInfo(0, LOCALE_SYSTEM_DEFAULT, &info)) || !info)
    return 0;
  int rows = 0;
  for (UINT index = 0;; ++index) {
    FUNCDESC* function = nullptr;
    if (FAILED(info->GetFuncDesc(index, &function)) || !function) break;
    BSTR name = nullptr;
    if (FAILED(info->GetDocumentation(function->memid, &name, nullptr, nullptr, nullptr)))
      name = nullptr;
    AddMember(listView, rows++, AnsiName(name), KindText(*function));
    SysFreeString(name);
    info->ReleaseFuncDesc(function);
  }
  info->Release();
  return rows;
}
