// A consumer built on the interface header alone (as the grid, tree, form
// and dialog-control libraries are): it calls each of the 28 slots of a
// record set it is handed and reports what they answered.
#include <cstdio>
#include <cstring>

#include "record_set_object.h"

extern "C" __declspec(dllexport) void WINAPI CallSlots(RecordSetObject* set, char* report,
                                                       int size) {
  char name[16] = "", text[64] = "", sort[64] = "";
  long r[28] = {};
  r[0] = set->SetCacheSize(7) == set;
  r[2] = set->RecordCount();
  r[1] = set->FetchPage(0);
  r[3] = set->GoToRecord(3);
  r[23] = set->GetFieldText(2, text, sizeof text);
  r[4] = set->NewRecord();
  r[5] = set->EditRecord(3);
  r[6] = set->InsertRecord();
  r[7] = set->UpdateRecord(3);
  r[8] = set->DeleteRecord(0);  // no record 0
  // (Seek probes records: record 1 is current after it.)
  r[9] = set->Seek("R", 1);
  r[10] = set->IsDeleted();
  r[11] = set->FieldIndex("NAME");
  r[12] = set->FieldName(2, name, sizeof name);
  r[13] = set->FieldCount();
  r[14] = set->FieldWidth(2, FALSE);
  r[15] = set->SetFieldWidth(99, 5);
  r[16] = set->FieldOption(1, 13);
  r[17] = set->FieldType(1);
  r[18] = set->GetSort(sort, sizeof sort);
  r[19] = set->SetSort(nullptr);
  r[20] = set->FieldEvent(1);
  FieldRequest request = {'T', 0, 0, nullptr};
  r[21] = set->FieldBuffer(1, &request);
  char byName[64] = "";
  r[22] = set->GetFieldTextByName("NAME", byName, sizeof byName);
  r[24] = set->PutFieldTextByName("NOSUCH", "x", 1);
  r[25] = set->PutFieldText(0, "x", 1);
  r[26] = set->GetFooter(1, nullptr, 0);
  r[27] = set->Transaction("NOSUCH") + 100;
  int n = std::snprintf(report, size, "%s|%s|%s|%s", name, text, byName, sort);
  for (int i = 0; i < 28 && n < size; ++i)
    n += std::snprintf(report + n, size - n, "%s%lx", i ? "," : "|", r[i]);
}
