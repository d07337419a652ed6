#pragma once

#include <atomic>
#include <charconv>
#include <mutex>
#include <string>
#include <vector>

#include "core/file_io.h"
#include "library/picture_loader.h"

namespace vaticor::testing {

// Reads "WxH" from a picture file and gives a picture of that size whose
// top-left pixel holds the number after the size ("200x350 7"), so tests
// can tell which file was loaded. Counts what it was asked; safe on several
// threads at once, as the picture workers call it.
class FakePictureLoader : public PictureLoader {
 public:
  std::unique_ptr<Picture> Load(const std::string& path, PictureFormat,
                                PictureSize target) override {
    ++loads;
    {
      std::lock_guard lock(mutex_);
      lastTarget_ = target;
      loadedPaths_.push_back(path);
    }
    auto parsed = Parse(path);
    if (!parsed) return nullptr;
    auto picture = std::make_unique<Picture>(parsed->size.width, parsed->size.height);
    picture->setPixel(0, 0, parsed->tag);
    return picture;
  }
  std::optional<PictureSize> Measure(const std::string& path, PictureFormat) override {
    ++measures;
    auto parsed = Parse(path);
    if (!parsed) return std::nullopt;
    return parsed->size;
  }

  static std::string Content(int w, int h, int tag) {
    return std::to_string(w) + "x" + std::to_string(h) + " " + std::to_string(tag);
  }
  static std::uint32_t Tag(const Picture& p) { return p.pixel(0, 0); }

  PictureSize LastTarget() const {
    std::lock_guard lock(mutex_);
    return lastTarget_;
  }

  // The files asked for, in the order their loads began.
  std::vector<std::string> LoadedPaths() const {
    std::lock_guard lock(mutex_);
    return loadedPaths_;
  }

  std::atomic<int> loads = 0;
  std::atomic<int> measures = 0;

 private:
  mutable std::mutex mutex_;
  PictureSize lastTarget_;
  std::vector<std::string> loadedPaths_;
  struct Parsed {
    PictureSize size;
    std::uint32_t tag = 0;
  };
  static std::optional<Parsed> Parse(const std::string& path) {
    auto bytes = ReadFileBytes(path);
    if (!bytes) return std::nullopt;
    Parsed p;
    const char* s = bytes->data();
    const char* end = s + bytes->size();
    auto r = std::from_chars(s, end, p.size.width);
    if (r.ec != std::errc() || r.ptr == end || *r.ptr != 'x') return std::nullopt;
    r = std::from_chars(r.ptr + 1, end, p.size.height);
    if (r.ec != std::errc()) return std::nullopt;
    if (r.ptr != end && *r.ptr == ' ') std::from_chars(r.ptr + 1, end, p.tag);
    if (p.size.empty()) return std::nullopt;
    return p;
  }
};

}  // namespace vaticor::testing
