#include "graphics/sorted_list.h"

CSortedList::~CSortedList() { Clear(); }

void CSortedList::Insert(void* item, std::uint16_t key) {
  Node* node = new Node{item, key, nullptr, nullptr};
  ++count;
  if (head == nullptr) {
    head = tail = node;
    return;
  }
  if (key < head->key) {
    node->next = head;
    head->previous = node;
    head = node;
    return;
  }
  Node* at = head;
  while (at->next != nullptr && at->next->key < key) at = at->next;
  node->previous = at;
  node->next = at->next;
  if (at->next != nullptr) {
    at->next->previous = node;
  } else {
    tail = node;
  }
  at->next = node;
}

bool CSortedList::Remove(void* item) {
  for (Node* node = head; node != nullptr; node = node->next) {
    if (node->item != item) continue;
    if (node->previous != nullptr) {
      node->previous->next = node->next;
    } else {
      head = node->next;
    }
    if (node->next != nullptr) {
      node->next->previous = node->previous;
    } else {
      tail = node->previous;
    }
    // An iteration in progress goes on from the neighbour.
    if (cursor == node) cursor = node->previous;
    delete node;
    --count;
    return true;
  }
  return false;
}

void* CSortedList::Get(int index) const {
  if (index < 0) return nullptr;
  Node* node = head;
  for (int i = 0; i < index && node != nullptr; ++i) node = node->next;
  return node != nullptr ? node->item : nullptr;
}

bool CSortedList::Contains(const void* item) const {
  for (Node* node = head; node != nullptr; node = node->next) {
    if (node->item == item) return true;
  }
  return false;
}

void* CSortedList::First() {
  cursor = head;
  return cursor != nullptr ? cursor->item : nullptr;
}

void* CSortedList::Next() {
  if (cursor != nullptr) cursor = cursor->next;
  return cursor != nullptr ? cursor->item : nullptr;
}

void* CSortedList::Last() {
  cursor = tail;
  return cursor != nullptr ? cursor->item : nullptr;
}

void* CSortedList::Previous() {
  if (cursor != nullptr) cursor = cursor->previous;
  return cursor != nullptr ? cursor->item : nullptr;
}

void CSortedList::Clear() {
  Node* node = head;
  while (node != nullptr) {
    Node* next = node->next;
    delete node;
    node = next;
  }
  head = tail = cursor = nullptr;
  count = 0;
}
