// A doubly linked list of items ordered by a 16-bit key, ascending from head
// to tail. It never owns its items.
#pragma once

#include <cstdint>

class CSortedList {
 public:
  struct Node {
    void* item;
    std::uint16_t key;
    Node* next;
    Node* previous;
  };

  CSortedList() = default;
  virtual ~CSortedList();
  CSortedList(const CSortedList&) = delete;
  CSortedList& operator=(const CSortedList&) = delete;

  // A new item goes in front of the items with the same key, except when
  // the head has that key: then it goes right after the head.
  void Insert(void* item, std::uint16_t key);
  // Removes the first node holding the item; false when it is not there.
  bool Remove(void* item);
  // The item `index` nodes from the head; null past the end.
  void* Get(int index) const;
  bool Contains(const void* item) const;
  // Iteration; each stores its position in the cursor. Null at the end.
  void* First();
  void* Next();
  void* Last();
  void* Previous();
  void Clear();

  Node* head = nullptr;
  Node* tail = nullptr;
  Node* cursor = nullptr;
  std::uint16_t count = 0;
};
