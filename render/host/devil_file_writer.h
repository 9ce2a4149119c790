// DevIL writes image files through stdio calls of its own and does not always
// notice when one of them fails, so a full disk or a file size limit can pass
// for a saved picture. While a DevilFileWriter lives, DevIL writes through it
// instead: into a file this object opened and owns, keeping the errno of the
// first write, seek or flush that failed.
#pragma once

#include <IL/il.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

namespace linvale::host {

class DevilFileWriter {
public:
  // Creates or empties `path`; check IsOpen before saving.
  explicit DevilFileWriter(const std::string& path);
  // Gives DevIL its own writer back and closes the file if Finish did not.
  ~DevilFileWriter();
  DevilFileWriter(const DevilFileWriter&) = delete;
  DevilFileWriter& operator=(const DevilFileWriter&) = delete;

  bool IsOpen() const { return mFile != nullptr; }
  // errno of the failed open, or of the first failed write so far.
  int Error() const { return mError; }
  // Flushes, syncs and closes the file and checks that it holds every byte
  // written. Returns 0, or the errno of the first failure; a file that came
  // out short without a reason gives EIO, one nothing was written to ENODATA.
  int Finish();

private:
  struct CloseFile {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };

  // The DevIL callbacks; the handle DevIL passes around is the writer.
  static ILHANDLE ILAPIENTRY Open(ILconst_string name);
  static void ILAPIENTRY Close(ILHANDLE handle);
  static ILint ILAPIENTRY Put(ILubyte byte, ILHANDLE handle);
  static ILint ILAPIENTRY Seek(ILHANDLE handle, ILint offset, ILint origin);
  static ILint ILAPIENTRY Tell(ILHANDLE handle);
  static ILint ILAPIENTRY Write(const void* data, ILuint size, ILuint count, ILHANDLE handle);

  void Note(int error);
  // Bookkeeping of the stream position, so that the byte-wise writes of
  // some encoders need no system call each.
  void Advance(std::uint64_t bytes);

  std::unique_ptr<std::FILE, CloseFile> mFile;
  int mError = 0;
  std::uint64_t mPosition = 0;
  std::uint64_t mEnd = 0;  // the furthest offset written to
};

}  // namespace linvale::host
