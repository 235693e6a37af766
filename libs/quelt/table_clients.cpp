// The clients of a shared table, kept in registration order behind the
// list head, whose word counts them.
#include <vector>

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

BOOL Table::HasClient(const TableClient* client) const {
  for (const TableClient* c = clients.link; c; c = c->link)
    if (c == client) return TRUE;
  return FALSE;
}

void Table::NotifyClients(uint32_t code, uint32_t number) {
  // The round walks a copy: clients may leave (or join) from inside Notify.
  TableClient* few[16];
  std::vector<TableClient*> many;
  TableClient** round = few;
  const uint16_t registered = ClientCount();
  if (registered > 16) {
    many.resize(registered);
    round = many.data();
  }
  uint16_t n = 0;
  for (TableClient* c = clients.link; c && n < registered; c = c->link) round[n++] = c;
  ++rounds;
  uint32_t sum = 0;
  for (uint16_t i = 0; i < n; ++i)
    if (HasClient(round[i])) sum += round[i]->Notify(code, number);
  (void)sum;  // the answers are added up and not used
  --rounds;
}
