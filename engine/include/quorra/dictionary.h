// Named objects, each held with one reference. Names of at most 63 wide
// characters are compared case-sensitively; the first match wins.
#pragma once

#include <quorra/array.h>
#include <quorra/export.h>
#include <quorra/object.h>

namespace Npr {

class QUORRA_API Dictionary : public Object {
public:
  static constexpr unsigned nameCapacity = 64;

  struct Entry {
    wchar_t name[nameCapacity];
    Interface* object;  // null: a vacant entry
  };

  Dictionary() = default;
  // Gives back the references the entries hold.
  ~Dictionary() override;
  // Entries hold references; a copy would give them back twice.
  Dictionary(const Dictionary&) = delete;
  Dictionary& operator=(const Dictionary&) = delete;

  // False when the name is present, too long, or the object cannot be
  // taken; otherwise stored in the first vacant entry or a new last one.
  virtual bool add(const wchar_t* name, Interface* object);
  // Takes the object; overwrites an entry of that name (releasing what it
  // held) and returns true, or appends a new entry and returns false.
  virtual bool set(const wchar_t* name, Interface* object);
  // Empties the first entry of that name, releasing its object.
  virtual bool remove(const wchar_t* name);
  virtual bool has(const wchar_t* name) const;
  // The named object with one reference taken for the caller, or null.
  virtual Interface* take(const wchar_t* name) const;

  // Entries in use and vacant ones, for inspection.
  unsigned entryCount() const { return mEntries.length(); }

  using Object::take;

private:
  bool find(const wchar_t* name, unsigned& index) const;
  bool store(const wchar_t* name, Interface* object);

  Array<Entry, MemoryDynBuffer<Entry>, 8> mEntries;
};

}  // namespace Npr
