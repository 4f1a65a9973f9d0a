#include "engine/world/ObjectListIterator.h"

namespace mo {

ObjectListIterator::ObjectListIterator(const ObjectList* p_l) : index(0), p_list(p_l) {}

void ObjectListIterator::setList(const ObjectList* p_l) {
  p_list = p_l;
  index = 0;
}

void ObjectListIterator::first() { index = 0; }

void ObjectListIterator::next() {
  if (p_list && index < p_list->count) index++;
}

bool ObjectListIterator::isDone() const { return !p_list || index >= p_list->count; }

Object* ObjectListIterator::currentObject() const {
  return isDone() ? nullptr : p_list->at(index);
}

}  // namespace mo
