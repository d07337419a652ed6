#include "ui/reading_entry/card_thumbnails.h"

#include <QGuiApplication>

#include "platform/picture_image.h"
#include "ui/chrome/thread_results.h"

namespace vaticor {

CardThumbnails::CardThumbnails(ProgramState& state, QObject* parent)
    : QObject(parent), state_(state), post_(ResultPost::For(this)) {}

CardThumbnails::~CardThumbnails() { post_->Close(); }

void CardThumbnails::Clear() {
  ++generation_;
  pictures_.clear();
  asked_.clear();
}

QImage CardThumbnails::Of(std::int32_t position) {
  const auto found = pictures_.find(position);
  if (found != pictures_.end()) return found->second;
  if (!asked_.insert(position).second) return {};
  std::optional<PictureFile> file;
  try {
    file = state_.TaroDecks.GetCardPictureFile(position);
  } catch (const std::exception&) {
    // A picture of a kind no decoder reads: the suggestion shows its name alone.
  }
  if (!file) return {};
  const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
  const PictureSize target{static_cast<int>(kWidth * ratio), static_cast<int>(kHeight * ratio)};
  state_.PictureWork.Submit(
      PictureWorkers::JobFor(*file, target), rank_++,
      [post = post_, this, position, generation = generation_](std::unique_ptr<Picture> picture) {
        if (!picture) return;
        QImage image = ToQImage(*picture);
        post->Post([this, position, generation, image = std::move(image)] {
          if (generation != generation_) return;  // another deck meanwhile
          pictures_[position] = image;
          emit ready(position);
        });
      });
  return {};
}

}  // namespace vaticor
