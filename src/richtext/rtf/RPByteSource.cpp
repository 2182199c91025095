#include "richtext/rtf/RPByteSource.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

size_t TRPMemoryByteSource::Read(uint8_t* Buffer, size_t Count) {
  const size_t N = std::min(Count, FData.size() - FPosition);
  if (N > 0)
    std::memcpy(Buffer, FData.data() + FPosition, N);
  FPosition += N;
  return N;
}

void TRPMemoryByteSource::Seek(int64_t Position) {
  FPosition =
      static_cast<size_t>(std::clamp<int64_t>(Position, 0, static_cast<int64_t>(FPosition)));
}

TRPFileByteSource::TRPFileByteSource(const std::string& FileName) {
  FHandle = ::open(FileName.c_str(), O_RDONLY | O_CLOEXEC);
  if (FHandle < 0)
    return;
  struct stat Info {};
  // Only regular files have a size to read up to; a directory or a device is refused.
  if (::fstat(FHandle, &Info) != 0 || !S_ISREG(Info.st_mode)) {
    ::close(FHandle);
    FHandle = -1;
    return;
  }
  FSize = static_cast<int64_t>(Info.st_size);
}

TRPFileByteSource::~TRPFileByteSource() {
  if (FHandle >= 0)
    ::close(FHandle);
}

size_t TRPFileByteSource::Read(uint8_t* Buffer, size_t Count) {
  size_t Done = 0;
  while (FHandle >= 0 && Done < Count && FPosition < FSize) {
    const ssize_t N = ::read(FHandle, Buffer + Done, Count - Done);
    if (N < 0 && errno == EINTR)
      continue;
    // A file that shrank while being read simply ends early.
    if (N <= 0)
      break;
    Done += static_cast<size_t>(N);
    FPosition += N;
  }
  return Done;
}

void TRPFileByteSource::Seek(int64_t Position) {
  Position = std::clamp<int64_t>(Position, 0, FPosition);
  if (FHandle >= 0 && ::lseek(FHandle, static_cast<off_t>(Position), SEEK_SET) == Position)
    FPosition = Position;
}
