#include "inspectors.h"

#include <commctrl.h>

#include "dispatch_members.h"
#include "host_resources.h"
#include "library_binder.h"
#include "value_editor.h"
#include "variable_list.h"
#include "variable_table.h"

namespace {

const int kRowNameSize = 48;
const size_t kEditedValueLimit = 64;
const int kValueColumn = 2;

// Both inspectors close with either button and change nothing.
bool EndsOnButton(HWND dialog, UINT message, WPARAM wParam) {
  if (message != WM_COMMAND) return false;
  WORD id = LOWORD(wParam);
  if (id != IDOK && id != IDCANCEL) return false;
  EndDialog(dialog, id);
  return true;
}

INT_PTR CALLBACK ObjectInspectorProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    const VARIABLE* object = reinterpret_cast<const VARIABLE*>(lParam);
    if (object->object.module) {
      SetWindowTextA(dialog, object->object.module);
      ListModuleDeclarations(GetDlgItem(dialog, kDialogSourceList), object->object.module);
    }
    return TRUE;
  }
  return EndsOnButton(dialog, message, wParam) ? TRUE : FALSE;
}

INT_PTR CALLBACK DispatchInspectorProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    const VARIABLE* object = reinterpret_cast<const VARIABLE*>(lParam);
    // An object made by CreateObject has no name: the caption stays.
    if (object->dispatch.name && object->dispatch.name[0])
      SetWindowTextA(dialog, object->dispatch.name);
    HWND list = GetDlgItem(dialog, kDialogMemberList);
    SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    FillDispatchMembers(list, *object);
    return TRUE;
  }
  return EndsOnButton(dialog, message, wParam) ? TRUE : FALSE;
}

HINSTANCE InstanceOf(HWND dialog) {
  return reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE));
}

void ShowRowValue(HWND listView, int row, VARIABLE* value) {
  std::string text = ListValueText(*value, kEditedValueLimit);
  LVITEMA cell{};
  cell.iSubItem = kValueColumn;
  cell.pszText = const_cast<char*>(text.c_str());
  SendMessageA(listView, LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
  LVITEMA data{};
  data.mask = LVIF_PARAM;
  data.iItem = row;
  data.lParam = reinterpret_cast<LPARAM>(value);
  SendMessageA(listView, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&data));
}

}  // namespace

INT_PTR OpenInspector(HWND dialog, HWND listView, VariableTable& variables) {
  int row = static_cast<int>(SendMessageA(listView, LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                          LVNI_SELECTED));
  if (row < 0) return -1;
  char name[kRowNameSize] = "";
  LVITEMA cell{};
  cell.iSubItem = 0;
  cell.pszText = name;
  cell.cchTextMax = sizeof name;
  SendMessageA(listView, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
  // A handler may have erased or resized an array since the list was made.
  VARIABLE* value = FindListedVariable(variables, name);
  if (!value) return -1;

  HINSTANCE instance = InstanceOf(dialog);
  LPARAM record = reinterpret_cast<LPARAM>(value);
  switch (value->type) {
    case VAL_OBJECT:
      return DialogBoxParamA(instance, MAKEINTRESOURCEA(kObjectDialog), dialog, ObjectInspectorProc, record);
    case VAL_DISPATCH:
      return DialogBoxParamA(instance, MAKEINTRESOURCEA(kDispatchDialog), dialog, DispatchInspectorProc,
                             record);
    default: {
      INT_PTR result = EditValue(instance, dialog, *value);
      if (result == 1) ShowRowValue(listView, row, value);
      return result;
    }
  }
}
