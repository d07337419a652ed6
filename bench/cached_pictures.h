#pragma once

// The program's picture loader for a benchmark: the decks' files through
// a display-size cache in a temporary folder, empty (cold) until filled.
#include <filesystem>
#include <random>
#include <string>

#include "library/picture_cache.h"
#include "library/taro_decks.h"
#include "platform/codecs/jpeg_picture_codec.h"
#include "platform/file_picture_loader.h"

namespace vaticor::bench {

class CachedPictures {
 public:
  CachedPictures()
      : folder_(std::filesystem::temp_directory_path() /
                ("vaticor-bench-cache-" + std::to_string(std::random_device{}()))),
        loader(files, codec, folder_.string()) {}
  ~CachedPictures() { std::filesystem::remove_all(folder_); }
  CachedPictures(const CachedPictures&) = delete;
  CachedPictures& operator=(const CachedPictures&) = delete;

  // Makes the copies of every card of the current deck for a 1024 x 768
  // screen, as the program does in the background after a selection.
  void FillCurrentDeck(TTaroDecks& decks) {
    for (const PictureFile& file : decks.GetCardPictureFiles()) {
      loader.Fill(file.path, file.format, {1024, 768});
    }
  }

  FilePictureLoader files;
  JpegPictureCodec codec;

 private:
  std::filesystem::path folder_;

 public:
  CachedPictureLoader loader;
};

}  // namespace vaticor::bench
