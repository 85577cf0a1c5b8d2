// Owners and views of the runtime's blocks. A block handed to the program is
// owned by exactly one of Text, Bytes or TextArray, which frees it through
// FreeMemory; views never free. Constants are used through views, never copied.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace rt {

// Owns a GBK text block, or nothing (the empty text).
class Text {
 public:
  Text() = default;
  static Text adopt(char* block) { return Text(block); }
  Text(Text&& other) noexcept : block_(other.release()) {}
  Text& operator=(Text&& other) noexcept;
  Text(const Text&) = delete;
  Text& operator=(const Text&) = delete;
  ~Text();

  const char* c_str() const { return block_ != nullptr ? block_ : ""; }
  std::string_view view() const { return c_str(); }
  size_t size() const { return view().size(); }
  bool empty() const { return block_ == nullptr || block_[0] == '\0'; }
  // The block itself, for output buffers; null for the empty text.
  char* data() const { return block_; }
  char* release();

 private:
  explicit Text(char* block) : block_(block) {}
  char* block_ = nullptr;
};

// A text the caller does not own: a constant, a literal or an owner's block.
class TextView {
 public:
  constexpr TextView() = default;
  constexpr TextView(const char* text) : text_(text) {}  // NOLINT(google-explicit-constructor)
  TextView(const Text& text) : text_(text.data()) {}     // NOLINT(google-explicit-constructor)

  const char* c_str() const { return text_ != nullptr ? text_ : ""; }
  std::string_view view() const { return c_str(); }
  size_t size() const { return view().size(); }
  bool empty() const { return text_ == nullptr || text_[0] == '\0'; }
  // The pointer as given, possibly null.
  const char* get() const { return text_; }

 private:
  const char* text_ = nullptr;
};

// Owns a byte-set block {u32 1, u32 length, bytes}, or nothing (the empty set).
class Bytes {
 public:
  Bytes() = default;
  static Bytes adopt(void* block) { return Bytes(block); }
  Bytes(Bytes&& other) noexcept : block_(other.release()) {}
  Bytes& operator=(Bytes&& other) noexcept;
  Bytes(const Bytes&) = delete;
  Bytes& operator=(const Bytes&) = delete;
  ~Bytes();

  // The data bytes; null for the empty set.
  uint8_t* data() const;
  size_t size() const;
  bool empty() const { return size() == 0; }
  std::span<const uint8_t> span() const { return {data(), size()}; }
  void* block() const { return block_; }
  void* release();

 private:
  explicit Bytes(void* block) : block_(block) {}
  void* block_ = nullptr;
};

// A byte set the caller does not own (a constant, or an owner's block).
class BytesView {
 public:
  constexpr BytesView() = default;
  explicit constexpr BytesView(const void* block) : block_(block) {}
  BytesView(const Bytes& bytes) : block_(bytes.block()) {}  // NOLINT(google-explicit-constructor)

  const uint8_t* data() const;
  size_t size() const;
  bool empty() const { return size() == 0; }
  std::span<const uint8_t> span() const { return {data(), size()}; }
  const void* block() const { return block_; }

 private:
  const void* block_ = nullptr;
};

// Owns a one-dimensional array of owned texts {u32 1, u32 n, n text pointers}:
// frees every piece, then the array.
class TextArray {
 public:
  TextArray() = default;
  static TextArray adopt(void* block) { return TextArray(block); }
  TextArray(TextArray&& other) noexcept : block_(other.release()) {}
  TextArray& operator=(TextArray&& other) noexcept;
  TextArray(const TextArray&) = delete;
  TextArray& operator=(const TextArray&) = delete;
  ~TextArray();

  size_t size() const;
  // Counted from 0. An index past the end is runtime error 1.
  TextView operator[](size_t index) const;
  void* block() const { return block_; }
  void* release();

 private:
  explicit TextArray(void* block) : block_(block) {}
  void reset();
  void* block_ = nullptr;
};

}  // namespace rt
