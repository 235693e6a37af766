// The DDE built-ins of the window interpreter: ADVISE on the server's links,
// DDEOPEN, DDESEND, DDERECEIVE and DDECLOSE on the calling thread's client.
#include <string>

#include "dde_client.h"
#include "dde_server.h"
#include "window_builtin_entries.h"
#include "window_interpreter.h"

bool RunAdvise(WindowBuiltinFrame& f) {
  if (!f.Pop()) return false;  // not used
  f.Result().SetBool(IsAdvised(f.Interpreter().ScriptWindow) ? 1 : 0);
  return true;
}

bool RunDdeOpen(WindowBuiltinFrame& f) {
  const char* topic;
  const char* service;
  if (!f.PopText(topic) || !f.PopText(service)) return false;
  f.Result().SetLong(static_cast<int32_t>(DdeOpen(service, topic)));
  return true;
}

bool RunDdeSend(WindowBuiltinFrame& f) {
  const char* command;
  int32_t conversation;
  if (!f.PopText(command) || !f.PopLong(conversation)) return false;
  f.Result().SetBool(DdeSend(static_cast<uint32_t>(conversation), command) ? 1 : 0);
  return true;
}

bool RunDdeReceive(WindowBuiltinFrame& f) {
  const char* item;
  int32_t conversation;
  if (!f.PopText(item) || !f.PopLong(conversation)) return false;
  std::string text;
  if (DdeReceive(static_cast<uint32_t>(conversation), item, text)) f.SetText(text.c_str());
  return true;  // no answer leaves the result NULL
}

bool RunDdeClose(WindowBuiltinFrame& f) {
  int32_t conversation;
  if (!f.PopLong(conversation)) return false;
  f.Result().SetBool(DdeClose(static_cast<uint32_t>(conversation)) ? 1 : 0);
  return true;
}
