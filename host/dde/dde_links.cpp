#include "dde_links.h"

#include <dde.h>

#include <string>
#include <utility>
#include <vector>

#include "dde_message.h"
#include "dde_server.h"
#include "script_run.h"
#include "variable.h"
#include "window_interpreter.h"

namespace {

// A record's link counter is 8 bits: one more link would wrap it to 0.
const unsigned kMostLinks = 255;

struct AdviseOptions {
  bool deferred;
  bool ackRequested;
};

// The options block of an ADVISE: at least its flag word and format.
bool ReadOptions(HGLOBAL block, AdviseOptions& options) {
  if (!block || GlobalSize(block) < sizeof(DDEADVISE)) return false;
  const DDEADVISE* advise = static_cast<const DDEADVISE*>(GlobalLock(block));
  if (!advise) return false;
  options.deferred = advise->fDeferUpd != 0;
  options.ackRequested = advise->fAckReq != 0;
  GlobalUnlock(block);
  return true;
}

// Links the named variable of window for the client; false when the name
// names none, the variable cannot take another link, or there is no
// conversation.
bool Link(HWND window, HWND client, const char* name, const AdviseOptions& options) {
  DdeItemName parsed;
  WindowInterpreter* interpreter = InterpreterOf(window);
  if (!interpreter || !ParseItemName(name, parsed)) return false;
  DdeAdviseItem link;
  link.deferred = options.deferred;
  link.ackRequested = options.ackRequested;
  link.window = window;
  lstrcpynA(link.name, name, sizeof link.name);
  link.item = GlobalAddAtomA(name);
  if (!link.item) return false;
  ATOM replaced = 0;
  AdviseOutcome outcome;
  {
    ItemAccess access(parsed);
    link.variable = FindItemVariable(interpreter->Variables(), parsed);
    if (!link.variable) {
      outcome = AdviseOutcome::kRefused;
    } else {
      outcome = AddAdviseLink(client, window, link, link.variable->links < kMostLinks, replaced);
      if (outcome == AdviseOutcome::kAdded) link.variable->Link(1);
    }
  }
  if (replaced) GlobalDeleteAtom(replaced);
  if (outcome == AdviseOutcome::kRefused) GlobalDeleteAtom(link.item);
  return outcome != AdviseOutcome::kRefused;
}

}  // namespace

void OnAdvise(HWND window, HWND client, LPARAM packed) {
  UINT_PTR low = 0, high = 0;
  UnpackDDElParam(WM_DDE_ADVISE, packed, &low, &high);
  FreeDDElParam(WM_DDE_ADVISE, packed);
  if (!HasConversation(client, window)) return;
  HGLOBAL block = reinterpret_cast<HGLOBAL>(low);
  ATOM atom = static_cast<ATOM>(high);
  AdviseOptions options;
  char name[kItemNameLength + 1];
  if (!ReadOptions(block, options) || !ReadAtomName(atom, name, sizeof name) ||
      !Link(window, client, name, options)) {
    PostAck(client, window, kAckNegative, atom);  // the block stays the client's
    return;
  }
  GlobalFree(block);
  PostAck(client, window, kAckPositive, atom);
}

void OnUnadvise(HWND window, HWND client, LPARAM lParam) {
  ATOM atom = HIWORD(lParam);
  DdeReleasedLink link;
  if (!atom || !RemoveAdviseLink(client, window, atom, link)) {
    PostAck(client, window, kAckNegative, atom);
    return;
  }
  ReleaseLink(InterpreterOf(window), link);
  PostAck(client, window, kAckPositive, atom);
}

void OnDataAck(HWND client, LPARAM packed) {
  UINT_PTR status = 0, item = 0;
  UnpackDDElParam(WM_DDE_ACK, packed, &status, &item);
  FreeDDElParam(WM_DDE_ACK, packed);
  ATOM atom = static_cast<ATOM>(item);
  HGLOBAL block = TakePendingData(client, atom);
  if (block && !(status & kAckPositive)) GlobalFree(block);
  if (atom) GlobalDeleteAtom(atom);
}

void ReleaseLink(WindowInterpreter* interpreter, const DdeReleasedLink& link) {
  DdeItemName parsed;
  if (interpreter && ParseItemName(link.name, parsed)) {
    ItemAccess access(parsed);
    if (FindItemVariable(interpreter->Variables(), parsed) == link.variable)
      link.variable->Link(0);
  }
  GlobalDeleteAtom(link.item);
}

void ReleaseLinks(WindowInterpreter* interpreter, const DdeClosedConversation& closed) {
  for (const DdeReleasedLink& link : closed.links) ReleaseLink(interpreter, link);
}

bool IsAdvised(HWND window) { return AnyLinkServedBy(window); }

namespace {

void PostToTargets(const char* text, const std::vector<DdeDataTarget>& targets) {
  for (const DdeDataTarget& target : targets) {
    HGLOBAL block = nullptr;
    if (!target.deferred) {
      block = MakeDataBlock(text, kDataRelease | (target.ackRequested ? kDataAckRequested : 0));
      if (!block) continue;
    }
    // The message takes a reference of its own: its receiver deletes it.
    ATOM atom = GlobalAddAtomA(target.name);
    if (!atom) {
      if (block) GlobalFree(block);
      continue;
    }
    bool awaitsAck = block && target.ackRequested;
    if (awaitsAck) AddPendingData(target.client, atom, block);
    if (!PostData(target.client, target.window, block, atom) && awaitsAck)
      DropPendingData(target.client, block);
  }
}

struct HeldData {
  std::string text;
  std::vector<DdeDataTarget> targets;
};

// Stores made by commands that this thread runs for clients, while they
// run (see HoldDataPosts).
thread_local unsigned t_holding = 0;
thread_local std::vector<HeldData>* t_held = nullptr;

}  // namespace

void HoldDataPosts() { ++t_holding; }

void ReleaseDataPosts() {
  if (t_holding == 0 || --t_holding != 0 || !t_held) return;
  std::vector<HeldData>* held = t_held;
  t_held = nullptr;
  for (const HeldData& data : *held) PostToTargets(data.text.c_str(), data.targets);
  delete held;
}

void VariableUpdated(VARIABLE* variable) {
  if (!variable) return;
  std::vector<DdeDataTarget> targets = DataTargetsOf(variable);
  if (targets.empty()) return;
  char text[kDdeValueTextSize];
  DdeValueText(*variable, text);
  if (t_holding == 0) {
    PostToTargets(text, targets);
    return;
  }
  if (!t_held) t_held = new std::vector<HeldData>;
  t_held->push_back(HeldData{text, std::move(targets)});
}
