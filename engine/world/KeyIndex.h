#ifndef MO_KEY_INDEX_H
#define MO_KEY_INDEX_H

#include <cstddef>
#include <cstdint>
#include <vector>

namespace mo {

/// A hash table from 64-bit keys (object addresses, packed grid cells)
/// to int values, for the lists that must find an entry without walking
/// them. Open addressing with linear probing: no allocation per entry.
/// The key EMPTY_KEY cannot be stored.
class KeyIndex {
 public:
  static const std::uint64_t EMPTY_KEY = ~static_cast<std::uint64_t>(0);

  KeyIndex();

  /// The value stored for key, or nullptr when there is none. The
  /// pointer is valid until the next put() or erase().
  int* find(std::uint64_t key);
  const int* find(std::uint64_t key) const;

  /// Stores value for key, replacing an earlier one.
  void put(std::uint64_t key, int value);

  /// Forgets key; nothing happens when it is not stored.
  void erase(std::uint64_t key);

  /// Forgets every key; the table keeps its size.
  void clear();

  /// The number of keys stored.
  int getCount() const { return count; }

 private:
  struct Slot {
    std::uint64_t key;
    int value;
  };

  std::size_t home(std::uint64_t key) const;
  void grow();

  std::vector<Slot> slots;
  int count;
};

/// The key of an object address.
inline std::uint64_t keyOf(const void* p) {
  return static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(p));
}

}  // namespace mo

#endif
