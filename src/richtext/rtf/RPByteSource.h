// Where the RTF reader takes its bytes from: a block of memory or a file. Sizes and
// positions are 64-bit, so files beyond 2 GB read like any other.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class IRPByteSource {
public:
  virtual ~IRPByteSource() = default;
  // The number of bytes the source holds, fixed for the life of a read.
  virtual int64_t Size() const = 0;
  // Bytes read so far.
  virtual int64_t Position() const = 0;
  // Reads up to Count bytes; fewer only at the end of the source.
  virtual size_t Read(uint8_t* Buffer, size_t Count) = 0;
  // Goes back to a position read before (0 <= Position <= Position()), so that bytes
  // looked at ahead can be read again.
  virtual void Seek(int64_t Position) = 0;
};

// Reads a block of memory the caller keeps alive.
class TRPMemoryByteSource final : public IRPByteSource {
public:
  explicit TRPMemoryByteSource(std::string_view Data) : FData(Data) {}
  int64_t Size() const override { return static_cast<int64_t>(FData.size()); }
  int64_t Position() const override { return static_cast<int64_t>(FPosition); }
  size_t Read(uint8_t* Buffer, size_t Count) override;
  void Seek(int64_t Position) override;

private:
  std::string_view FData;
  size_t FPosition = 0;
};

// Reads a file opened read-only; IsOpen tells whether the open succeeded.
class TRPFileByteSource final : public IRPByteSource {
public:
  explicit TRPFileByteSource(const std::string& FileName);
  ~TRPFileByteSource() override;
  TRPFileByteSource(const TRPFileByteSource&) = delete;
  TRPFileByteSource& operator=(const TRPFileByteSource&) = delete;

  bool IsOpen() const { return FHandle >= 0; }
  int64_t Size() const override { return FSize; }
  int64_t Position() const override { return FPosition; }
  size_t Read(uint8_t* Buffer, size_t Count) override;
  void Seek(int64_t Position) override;

private:
  int FHandle = -1;
  int64_t FSize = 0;
  int64_t FPosition = 0;
};
