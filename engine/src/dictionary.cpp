#include <quorra/dictionary.h>

#include <cwchar>

namespace Npr {

namespace {

bool FitsEntry(const wchar_t* name) { return name != nullptr && std::wcslen(name) < Dictionary::nameCapacity; }

// A null object is refused like one that cannot be taken.
bool TakeOne(Interface* object) { return object != nullptr && object->take() != 0; }

Dictionary::Entry MakeEntry(const wchar_t* name, Interface* object) {
  Dictionary::Entry entry{};
  std::wcscpy(entry.name, name);
  entry.object = object;
  return entry;
}

}  // namespace

Dictionary::~Dictionary() {
  for (unsigned i = 0; i < mEntries.length(); ++i) {
    if (Interface* object = mEntries.at(i).object) {
      object->release();
    }
  }
}

bool Dictionary::find(const wchar_t* name, unsigned& index) const {
  if (name == nullptr) {
    return false;
  }
  for (unsigned i = 0; i < mEntries.length(); ++i) {
    const Entry& entry = mEntries.at(i);
    if (entry.object != nullptr && std::wcscmp(entry.name, name) == 0) {
      index = i;
      return true;
    }
  }
  return false;
}

bool Dictionary::has(const wchar_t* name) const {
  unsigned index = 0;
  return find(name, index);
}

// Into the first vacant entry, else a new one at the end.
bool Dictionary::store(const wchar_t* name, Interface* object) {
  const Entry entry = MakeEntry(name, object);
  for (unsigned i = 0; i < mEntries.length(); ++i) {
    if (mEntries.at(i).object == nullptr) {
      mEntries.setAt(i, entry);
      return true;
    }
  }
  return mEntries.append(entry) != static_cast<unsigned>(-1);
}

bool Dictionary::add(const wchar_t* name, Interface* object) {
  if (!FitsEntry(name) || has(name) || !TakeOne(object)) {
    return false;
  }
  if (!store(name, object)) {
    object->release();
    return false;
  }
  return true;
}

bool Dictionary::set(const wchar_t* name, Interface* object) {
  if (!FitsEntry(name) || !TakeOne(object)) {
    return false;
  }
  unsigned index = 0;
  if (find(name, index)) {
    Interface* previous = mEntries.at(index).object;
    mEntries.at(index).object = object;
    previous->release();
    return true;
  }
  if (!store(name, object)) {
    object->release();
  }
  return false;
}

bool Dictionary::remove(const wchar_t* name) {
  unsigned index = 0;
  if (!find(name, index)) {
    return false;
  }
  Interface* object = mEntries.at(index).object;
  mEntries.setAt(index, Entry{});
  object->release();
  return true;
}

Interface* Dictionary::take(const wchar_t* name) const {
  unsigned index = 0;
  if (!find(name, index)) {
    return nullptr;
  }
  Interface* object = mEntries.at(index).object;
  return object->take() != 0 ? object : nullptr;
}

}  // namespace Npr
