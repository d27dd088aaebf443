// The lookup of an event in a class's table and the tables of its bases.

#include "platform/EventTable.h"

namespace platform {

const TEventEntry* TEventTable::Find(TEventKind kind, int id, unsigned code) const {
  for (const TEventTable* table = this; table != nullptr; table = table->Base) {
    for (const TEventEntry& entry : table->Entries) {
      if (entry.Kind != kind) continue;
      if (kind == TEventKind::Command && entry.Id != id) continue;
      if (kind == TEventKind::Notify && (entry.Id != id || entry.Code != code)) continue;
      return &entry;
    }
  }
  return nullptr;
}

}  // namespace platform
