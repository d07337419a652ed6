#pragma once

#include <QImage>
#include <QObject>
#include <cstdint>
#include <map>
#include <memory>
#include <set>

#include "ui/program_state.h"

namespace vaticor {

class ResultPost;

// Small pictures of the current deck's cards, for the suggestions of a card
// typed: each decoded once on the picture workers (from the picture cache's
// copy when there is one; JPEG's scaling makes a large picture cheap at
// this size), kept until the deck changes. The window's thread never
// decodes one.
class CardThumbnails : public QObject {
  Q_OBJECT
 public:
  static constexpr int kWidth = 24;  // logical pixels; the picture fitted inside
  static constexpr int kHeight = 40;

  CardThumbnails(ProgramState& state, QObject* parent);
  ~CardThumbnails() override;

  // The card's small picture; a null image while it is being decoded (it
  // is asked for then, and `ready` tells when it is there) or when the
  // deck has none for it.
  QImage Of(std::int32_t position);
  // The current deck changed: every picture is forgotten, late ones dropped.
  void Clear();

 signals:
  void ready(int position);

 private:
  ProgramState& state_;
  std::shared_ptr<ResultPost> post_;
  std::map<std::int32_t, QImage> pictures_;
  std::set<std::int32_t> asked_;
  std::uint64_t generation_ = 0;
  double rank_ = 0;  // in the order asked
};

}  // namespace vaticor
