#pragma once

// A deck of 78 cards, each a 3000 x 5000 JPEG (LargeJpeg) unless asked
// otherwise, in a temporary program folder that goes with the object.
#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "large_jpeg.h"

namespace vaticor::bench {

class BigDeck {
 public:
  explicit BigDeck(int width = 3000, int height = 5000) {
    namespace fs = std::filesystem;
    root_ = fs::temp_directory_path() / ("vaticor-bench-" + std::to_string(std::random_device{}()));
    const fs::path deck = root_ / "Pictures Folder" / "Decks" / "big";
    fs::create_directories(deck);
    std::ofstream ini(deck / "deck.ini", std::ios::binary);
    ini << "[Deck]\r\nName=Big\r\nCards.Count=77\r\n[Files]\r\n";
    const std::string& jpeg = LargeJpeg(width, height);
    for (int n = 0; n < 78; ++n) {
      const std::string file = std::to_string(n) + ".jpg";
      ini << (n < 10 ? "Card0" : "Card") << n << "=" << file << "\r\n";
      std::ofstream(deck / file, std::ios::binary)
          .write(jpeg.data(), static_cast<std::streamsize>(jpeg.size()));
    }
    ini << "[Names]\r\n";
    for (int n = 0; n < 78; ++n) ini << (n < 10 ? "Card0" : "Card") << n << "=Card " << n << "\r\n";
    ini.close();
    fs::last_write_time(deck / "deck.ini",
                        fs::file_time_type::clock::now() - std::chrono::hours(1));
  }
  ~BigDeck() { std::filesystem::remove_all(root_); }
  BigDeck(const BigDeck&) = delete;
  BigDeck& operator=(const BigDeck&) = delete;
  std::string Path(const std::string& relative) const { return (root_ / relative).string(); }
  // The program folder the deck lies in.
  std::string Root() const { return root_.string(); }

 private:
  std::filesystem::path root_;
};

}  // namespace vaticor::bench
