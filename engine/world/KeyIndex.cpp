#include "engine/world/KeyIndex.h"

namespace mo {

namespace {

const std::size_t FIRST_SIZE = 16;

}  // namespace

const std::uint64_t KeyIndex::EMPTY_KEY;

KeyIndex::KeyIndex() : count(0) {}

std::size_t KeyIndex::home(std::uint64_t key) const {
  // Addresses share their low bits (alignment) and cells their high
  // ones; a multiplicative mix spreads both over the table.
  const std::uint64_t mixed = (key ^ (key >> 29)) * 0x9E3779B97F4A7C15ull;
  return static_cast<std::size_t>(mixed >> 17) & (slots.size() - 1);
}

int* KeyIndex::find(std::uint64_t key) {
  return const_cast<int*>(static_cast<const KeyIndex*>(this)->find(key));
}

const int* KeyIndex::find(std::uint64_t key) const {
  if (slots.empty()) return nullptr;
  const std::size_t mask = slots.size() - 1;
  for (std::size_t i = home(key);; i = (i + 1) & mask) {
    const Slot& slot = slots[i];
    if (slot.key == key) return &slot.value;
    if (slot.key == EMPTY_KEY) return nullptr;
  }
}

void KeyIndex::grow() {
  std::vector<Slot> old;
  old.swap(slots);
  slots.assign(old.empty() ? FIRST_SIZE : old.size() * 2, Slot{EMPTY_KEY, 0});
  count = 0;
  for (const Slot& slot : old) {
    if (slot.key != EMPTY_KEY) put(slot.key, slot.value);
  }
}

void KeyIndex::put(std::uint64_t key, int value) {
  // At most half full, so that probes stay short.
  if (static_cast<std::size_t>(count + 1) * 2 > slots.size()) grow();
  const std::size_t mask = slots.size() - 1;
  for (std::size_t i = home(key);; i = (i + 1) & mask) {
    Slot& slot = slots[i];
    if (slot.key == key) {
      slot.value = value;
      return;
    }
    if (slot.key == EMPTY_KEY) {
      slot = Slot{key, value};
      count++;
      return;
    }
  }
}

void KeyIndex::erase(std::uint64_t key) {
  if (slots.empty()) return;
  const std::size_t mask = slots.size() - 1;
  std::size_t hole = home(key);
  while (slots[hole].key != key) {
    if (slots[hole].key == EMPTY_KEY) return;
    hole = (hole + 1) & mask;
  }
  // Backward shift: later keys of the same probe run move up into the
  // hole, so that no tombstones are needed.
  for (std::size_t i = (hole + 1) & mask; slots[i].key != EMPTY_KEY; i = (i + 1) & mask) {
    const std::size_t want = home(slots[i].key);
    const bool stays = hole < i ? (want > hole && want <= i) : (want > hole || want <= i);
    if (stays) continue;
    slots[hole] = slots[i];
    hole = i;
  }
  slots[hole].key = EMPTY_KEY;
  count--;
}

void KeyIndex::clear() {
  for (Slot& slot : slots) slot.key = EMPTY_KEY;
  count = 0;
}

}  // namespace mo
