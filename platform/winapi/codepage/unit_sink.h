// Where a conversion puts its units: only counted (a size query), written
// into memory known to hold the whole result, or written while they fit.
// The conversions are templates over the sink, so each case compiles to a
// loop without the checks it does not need.
#pragma once

#include <cstddef>
#include <span>

namespace winapi::codepage {

template <typename Unit>
class CountingSink {
 public:
  void put(Unit) { ++size_; }
  void add(size_t count) { size_ += count; }
  size_t size() const { return size_; }

 private:
  size_t size_ = 0;
};

template <typename Unit, bool kChecked>
class WritingSink {
 public:
  explicit WritingSink(std::span<Unit> target)
      : out_(target.data()), capacity_(target.size()), size_(0) {}
  void put(Unit unit) {
    if (!kChecked || size_ < capacity_) {
      out_[size_] = unit;
    }
    ++size_;
  }
  // Where the next unit goes, for loops that write several at once
  // (unchecked sinks only), and the units they wrote.
  Unit* next() const { return out_ + size_; }
  void add(size_t count) { size_ += count; }
  size_t size() const { return size_; }

 private:
  Unit* out_;
  size_t capacity_;
  size_t size_;
};

// Runs `convert(sink)` with the sink `target` calls for: an empty target
// counts, one of at least `worst_case` units is written without checks.
template <typename Unit, typename Convert>
auto with_sink(std::span<Unit> target, size_t worst_case, const Convert& convert) {
  if (target.empty()) {
    CountingSink<Unit> sink;
    return convert(sink);
  }
  if (target.size() >= worst_case) {
    WritingSink<Unit, false> sink(target);
    return convert(sink);
  }
  WritingSink<Unit, true> sink(target);
  return convert(sink);
}

}  // namespace winapi::codepage
