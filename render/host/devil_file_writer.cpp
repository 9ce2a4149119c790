#include "devil_file_writer.h"

#include <algorithm>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace linvale::host {
namespace {

// DevIL opens its output by name and keeps no context for its callbacks, so
// the writer of the save in progress is found here. DevIL's image state is
// process-wide too: saves never overlap.
DevilFileWriter* gActiveWriter = nullptr;

}  // namespace

DevilFileWriter::DevilFileWriter(const std::string& path) : mFile(std::fopen(path.c_str(), "wbe")) {
  if (mFile == nullptr) {
    mError = errno;
    return;
  }
  gActiveWriter = this;
  ilSetWrite(Open, Close, Put, Seek, Tell, Write);
}

DevilFileWriter::~DevilFileWriter() {
  if (gActiveWriter == this) {
    ilResetWrite();
    gActiveWriter = nullptr;
  }
}

int DevilFileWriter::Finish() {
  if (mFile == nullptr) {
    return mError != 0 ? mError : EBADF;
  }
  if (std::fflush(mFile.get()) != 0) {
    Note(errno);
  }
  // Some file systems only find out at write-back that the space is gone.
  const int descriptor = fileno(mFile.get());
  if (fsync(descriptor) != 0) {
    Note(errno);
  }
  struct stat status {};
  if (fstat(descriptor, &status) != 0) {
    Note(errno);
  } else if (static_cast<std::uint64_t>(status.st_size) < mEnd) {
    Note(EIO);
  } else if (status.st_size == 0) {
    Note(ENODATA);
  }
  if (std::fclose(mFile.release()) != 0) {
    Note(errno);
  }
  return mError;
}

void DevilFileWriter::Note(int error) {
  if (mError == 0) {
    mError = error != 0 ? error : EIO;
  }
}

void DevilFileWriter::Advance(std::uint64_t bytes) {
  mPosition += bytes;
  mEnd = std::max(mEnd, mPosition);
}

ILHANDLE ILAPIENTRY DevilFileWriter::Open(ILconst_string /*name*/) { return gActiveWriter; }

// The file is closed by Finish, after everything has been checked.
void ILAPIENTRY DevilFileWriter::Close(ILHANDLE /*handle*/) {}

ILint ILAPIENTRY DevilFileWriter::Put(ILubyte byte, ILHANDLE handle) {
  auto* writer = static_cast<DevilFileWriter*>(handle);
  const int result = std::fputc(byte, writer->mFile.get());
  if (result == EOF) {
    writer->Note(errno);
  } else {
    writer->Advance(1);
  }
  return result;
}

ILint ILAPIENTRY DevilFileWriter::Seek(ILHANDLE handle, ILint offset, ILint origin) {
  auto* writer = static_cast<DevilFileWriter*>(handle);
  const int result = std::fseek(writer->mFile.get(), offset, origin);
  const long position = std::ftell(writer->mFile.get());
  if (result != 0 || position < 0) {
    writer->Note(errno);
  } else {
    writer->mPosition = static_cast<std::uint64_t>(position);
  }
  return result;
}

ILint ILAPIENTRY DevilFileWriter::Tell(ILHANDLE handle) {
  return static_cast<ILint>(static_cast<DevilFileWriter*>(handle)->mPosition);
}

ILint ILAPIENTRY DevilFileWriter::Write(const void* data, ILuint size, ILuint count, ILHANDLE handle) {
  // DevIL writes empty blocks through a null pointer, which fwrite must not
  // see; nothing is written, and nothing went wrong.
  if (size == 0 || count == 0) {
    return 0;
  }
  auto* writer = static_cast<DevilFileWriter*>(handle);
  const std::size_t written = std::fwrite(data, size, count, writer->mFile.get());
  if (written < count) {
    writer->Note(errno);
  }
  writer->Advance(static_cast<std::uint64_t>(written) * size);
  return static_cast<ILint>(written);
}

}  // namespace linvale::host
