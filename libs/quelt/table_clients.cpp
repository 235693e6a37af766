// The clients of a shared table, kept in registration order behind the
// list head, whose word counts them.
#include "quelt.h"

void Table::AddClient(TableClient* client) {
  client->link = nullptr;
  TableClient* last = &clients;
  while (last->link) last = last->link;
  last->link = client;
  ++clients.word;
}

BOOL Table::RemoveClient(TableClient* client) {
  for (TableClient* p = &clients; p->link; p = p->link) {
    if (p->link == client) {
      p->link = client->link;
      client->link = nullptr;
      --clients.word;
      return TRUE;
    }
  }
  return FALSE;
}

void Table::NotifyClients(uint32_t code, uint32_t number) {
  uint32_t sum = 0;
  for (TableClient* c = clients.link; c; c = c->link) sum += c->Notify(code, number);
  (void)sum;  // the answers are added up and not used
}
