#include "dde_message.h"

#include <dde.h>

#include <cstring>

#include "variable.h"

void DdeValueText(const VARIABLE& value, char (&text)[kDdeValueTextSize]) {
  value.GetText(text, sizeof text, 1);
}

HGLOBAL MakeDataBlock(const char* text, uint16_t flags) {
  size_t length = std::strlen(text);
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE | GMEM_ZEROINIT, length + 6);
  if (!block) return nullptr;
  auto* bytes = static_cast<unsigned char*>(GlobalLock(block));
  if (!bytes) {
    GlobalFree(block);
    return nullptr;
  }
  uint16_t format = CF_TEXT;
  std::memcpy(bytes, &flags, 2);
  std::memcpy(bytes + 2, &format, 2);
  std::memcpy(bytes + 4, text, length + 1);
  GlobalUnlock(block);
  return block;
}

bool ReadAtomName(ATOM atom, char* name, int size) {
  if (!atom) return false;
  name[0] = '\0';
  return GlobalGetAtomNameA(atom, name, size) > 0;
}

namespace {

bool PostPacked(HWND client, UINT message, HWND sender, UINT_PTR low, UINT_PTR high) {
  LPARAM packed = PackDDElParam(message, low, high);
  if (PostMessageA(client, message, reinterpret_cast<WPARAM>(sender), packed)) return true;
  FreeDDElParam(message, packed);
  return false;
}

}  // namespace

void PostAck(HWND client, HWND sender, uint16_t status, ATOM atom) {
  if (!PostPacked(client, WM_DDE_ACK, sender, status, atom) && atom) GlobalDeleteAtom(atom);
}

void PostExecuteAck(HWND client, HWND sender, uint16_t status, HGLOBAL commands) {
  PostPacked(client, WM_DDE_ACK, sender, status, reinterpret_cast<UINT_PTR>(commands));
}

bool PostData(HWND client, HWND sender, HGLOBAL block, ATOM atom) {
  if (PostPacked(client, WM_DDE_DATA, sender, reinterpret_cast<UINT_PTR>(block), atom))
    return true;
  if (block) GlobalFree(block);
  if (atom) GlobalDeleteAtom(atom);
  return false;
}
