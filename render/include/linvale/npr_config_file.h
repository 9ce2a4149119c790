// A style file opened by name: each operation is one private-profile call on
// that file, so nothing is held open between calls.
#pragma once

#include <linvale/export.h>

class LINVALE_API NprConfigFile {
public:
  // Texts read land in buffers of this many characters.
  static constexpr unsigned long BufferSize = 260;

  // A name of 260 characters or more is not kept: reads then give the
  // defaults and writes fail.
  explicit NprConfigFile(const char* fileName);

  const char* GetFileName() const;

  // The value (or `defaultValue` when missing) into `out`, which holds
  // BufferSize characters; returns the number of characters copied.
  int GetString(const char* section, const char* key, char* out, const char* defaultValue) const;
  // The value read as a decimal number (atoi) into `*out`; returns the
  // number of characters read, counting the default's when missing.
  int GetUInt(const char* section, const char* key, unsigned* out, unsigned defaultValue) const;
  // Nonzero when the file was written.
  int WriteString(const char* section, const char* key, const char* value) const;
  int WriteUInt(const char* section, const char* key, unsigned value) const;
  // Written with "%u", as WriteUInt.
  int WriteInt(const char* section, const char* key, int value) const;

private:
  char mFileName[BufferSize];
};
