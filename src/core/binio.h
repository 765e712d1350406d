// Little-endian reading and writing of the game's binary files. Every file the
// game reads goes through ByteReader: explicit offsets, every size checked before
// the read, never a struct laid over file bytes.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

class ByteReader {
public:
  ByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  explicit ByteReader(const std::vector<uint8_t>& v) : data_(v.data()), size_(v.size()) {}

  size_t Size() const { return size_; }
  const uint8_t* Data() const { return data_; }
  // True when `count` bytes starting at `offset` lie inside the buffer (no overflow).
  bool Has(size_t offset, size_t count) const { return offset <= size_ && count <= size_ - offset; }

  // Readers return 0 for bytes outside the buffer; callers check Has() first
  // where a short file must be reported.
  uint8_t U8(size_t off) const { return Has(off, 1) ? data_[off] : 0; }
  uint16_t U16(size_t off) const {
    return Has(off, 2) ? static_cast<uint16_t>(data_[off] | (data_[off + 1] << 8)) : 0;
  }
  uint32_t U32(size_t off) const {
    if (!Has(off, 4)) return 0;
    return static_cast<uint32_t>(data_[off]) | (static_cast<uint32_t>(data_[off + 1]) << 8) |
           (static_cast<uint32_t>(data_[off + 2]) << 16) | (static_cast<uint32_t>(data_[off + 3]) << 24);
  }
  int32_t I32(size_t off) const { return static_cast<int32_t>(U32(off)); }
  float F32(size_t off) const {
    uint32_t bits = U32(off);
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
  }
  // Copies `count` bytes to `out`; false (and nothing copied) when they are not all there.
  bool Bytes(size_t off, void* out, size_t count) const {
    if (!Has(off, count)) return false;
    if (count) std::memcpy(out, data_ + off, count);
    return true;
  }

private:
  const uint8_t* data_;
  size_t size_;
};

class ByteWriter {
public:
  explicit ByteWriter(size_t size) : bytes_(size, 0) {}
  void U8(size_t off, uint8_t v) { Put(off, &v, 1); }
  void U16(size_t off, uint16_t v) {
    uint8_t b[2] = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8)};
    Put(off, b, 2);
  }
  void U32(size_t off, uint32_t v) {
    uint8_t b[4] = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v >> 16),
                    static_cast<uint8_t>(v >> 24)};
    Put(off, b, 4);
  }
  void I32(size_t off, int32_t v) { U32(off, static_cast<uint32_t>(v)); }
  void F32(size_t off, float f) {
    uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    U32(off, bits);
  }
  void Bytes(size_t off, const void* src, size_t count) { Put(off, src, count); }
  const std::vector<uint8_t>& Result() const { return bytes_; }
  std::vector<uint8_t>& Result() { return bytes_; }

private:
  // Writes outside the fixed size grow the buffer: writers describe whole records,
  // so this only happens for variable-length files such as models.
  void Put(size_t off, const void* src, size_t count) {
    if (off + count > bytes_.size()) bytes_.resize(off + count, 0);
    if (count) std::memcpy(bytes_.data() + off, src, count);
  }
  std::vector<uint8_t> bytes_;
};
