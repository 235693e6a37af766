#include "resource_accel.h"
#include "locked_block.h"

#include <vector>

#include "resource_reader.h"

HACCEL CreateAcceleratorsData(const unsigned char* data, size_t size, int layout) {
  if (!data) return 0;
  const size_t entrySize = layout == kResourceLayout16 ? 5 : 8;
  const size_t count = size / entrySize;
  if (count == 0 || count > 0x7FFF) return 0;
  std::vector<ACCEL> table(count);
  for (size_t i = 0; i < count; ++i) {
    const unsigned char* e = data + i * entrySize;
    const size_t key = layout == kResourceLayout16 ? 1 : 2;
    // 0x80 only marks the table's last entry.
    table[i].fVirt = static_cast<BYTE>(e[0] & 0x7F);
    table[i].key = static_cast<WORD>(e[key] | (e[key + 1] << 8));
    table[i].cmd = static_cast<WORD>(e[key + 2] | (e[key + 3] << 8));
  }
  return CreateAcceleratorTable(table.data(), static_cast<int>(count));
}

HACCEL CreateAccelerators(HGLOBAL block, int layout) {
  return ReadLockedBlock<HACCEL>(block, [layout](const unsigned char* p, size_t size) {
    return CreateAcceleratorsData(p, size, layout);
  });
}
