#pragma once

#include <map>
#include <string>

namespace vaticor {

// The interface texts of the current language, numbered 1000 to 1044. An
// entry that is empty means the window keeps its built-in Russian text.
class TLanguageTable {
 public:
  std::string Entry(int id) const {
    auto it = entries_.find(id);
    return it == entries_.end() ? std::string() : it->second;
  }
  void SetEntry(int id, std::string text) { entries_[id] = std::move(text); }
  void Clear() { entries_.clear(); }

 private:
  std::map<int, std::string> entries_;
};

}  // namespace vaticor
