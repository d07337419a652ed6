#include "ui/chrome/card_image.h"

#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>
#include <new>

#include "core/text_layout.h"
#include "platform/picture_image.h"
#include "ui/chrome/accessible_controls.h"
#include "ui/chrome/commands.h"

namespace vaticor {

TCardImage::TCardImage(QWidget* parent) : QWidget(parent), post_(ResultPost::For(this)) {
  setCursor(Qt::PointingHandCursor);
  setContextMenuPolicy(Qt::CustomContextMenu);
  sharpen_.setSingleShot(true);
  sharpen_.setInterval(kSharpenDelayMs);
  ConnectCommand(&sharpen_, &QTimer::timeout, this, [this] {
    if (shown_ && HasPicture() && decodedFor_ != DisplaySize()) Request(0, true);
  });
}

TCardImage::~TCardImage() { post_->Close(); }

void TCardImage::SetPicture(QImage picture) { SetPicture(std::move(picture), DisplaySize()); }

void TCardImage::SetPicture(QImage picture, QSize decodedFor) {
  picture_ = std::move(picture);
  decodedFor_ = decodedFor;
  update();
}

QRect TCardImage::PictureRect() const {
  if (picture_.isNull()) return {};
  // In device-independent pixels: the picture's proportions fitted into the
  // image, centred (a picture is never distorted).
  const PictureSize fitted =
      FitProportions({picture_.width(), picture_.height()}, {width(), height()});
  return {(width() - fitted.width) / 2, (height() - fitted.height) / 2, fitted.width,
          fitted.height};
}

void TCardImage::ClearPicture() {
  picture_ = QImage();
  update();
}

QSize TCardImage::DisplaySize() const {
  const qreal ratio = devicePixelRatioF();
  return {qMax(1, qRound(width() * ratio)), qMax(1, qRound(height() * ratio))};
}

namespace {

// A decoded card as the image shows it; safe on any thread.
QImage ShownImage(const vaticor::Picture& picture, bool turned) {
  return ToQImage(turned ? *MakeReversedPicture(picture) : picture);
}

}  // namespace

void TCardImage::SetPictureSource(PictureSource source, PictureWorkers& workers) {
  source_ = std::move(source);
  workers_ = &workers;
}

void TCardImage::ShowCard(std::int32_t card, bool turned, bool decodeLater) {
  if (decodeLater) {
    ++generation_;
    sharpen_.stop();
    shown_ = ShownCard{card, turned};
    pending_ = true;
    awaited_ = false;
    return;
  }
  const Showing showing{this, card, turned, std::nullopt};
  ShowCardsTogether({&showing, 1});
}

void TCardImage::ShowCardsTogether(std::span<const Showing> showings) {
  std::vector<PictureWorkers::Job> jobs;
  std::vector<TCardImage*> images;
  std::vector<QSize> sizes;
  PictureWorkers* workers = nullptr;
  // The pictures of the images asked so far, put up even when a later
  // lookup raises.
  auto decodeAndPresent = [&] {
    if (jobs.empty()) return;
    std::vector<std::unique_ptr<vaticor::Picture>> pictures = workers->DecodeAll(jobs);
    for (std::size_t i = 0; i < images.size(); ++i) {
      images[i]->Present(std::move(pictures[i]), sizes[i]);
    }
  };
  try {
    for (const Showing& showing : showings) {
      TCardImage& image = *showing.image;
      if (showing.number) image.SetNumber(*showing.number);
      ++image.generation_;
      image.sharpen_.stop();
      image.shown_ = ShownCard{showing.card, showing.turned};
      image.pending_ = false;
      image.awaited_ = false;
      std::optional<PictureWorkers::Job> job = image.JobForShownCard();
      if (!job) {
        image.ClearPicture();
        continue;
      }
      workers = image.workers_;
      sizes.emplace_back(job->target.width, job->target.height);
      jobs.push_back(std::move(*job));
      images.push_back(&image);
    }
  } catch (...) {
    decodeAndPresent();
    throw;
  }
  decodeAndPresent();
}

bool TCardImage::RequestPendingPicture(double rank) {
  if (!pending_) return false;
  pending_ = false;
  awaited_ = true;
  Request(rank, false);
  return true;
}

void TCardImage::ForgetCard() {
  ++generation_;
  sharpen_.stop();
  pending_ = false;
  awaited_ = false;
  shown_.reset();
  ClearPicture();
}

std::optional<PictureWorkers::Job> TCardImage::JobForShownCard() {
  if (!shown_ || !source_ || !workers_) return std::nullopt;
  std::optional<PictureFile> file = source_(shown_->card);
  if (!file) return std::nullopt;
  const QSize size = DisplaySize();
  return PictureWorkers::JobFor(*file, {size.width(), size.height()});
}

void TCardImage::Present(std::unique_ptr<vaticor::Picture> picture, QSize decodedFor) {
  if (!picture) {
    ClearPicture();
    return;
  }
  SetPicture(ShownImage(*picture, shown_ && shown_->turned), decodedFor);
}

void TCardImage::Request(double rank, bool keepWhenMissing) {
  std::optional<PictureWorkers::Job> job;
  try {
    job = JobForShownCard();
  } catch (...) {
    awaited_ = false;
    throw;
  }
  if (!job) {
    awaited_ = false;
    if (!keepWhenMissing) ClearPicture();
    return;
  }
  const std::uint64_t generation = ++generation_;
  const bool turned = shown_->turned;
  const QSize decodedFor(job->target.width, job->target.height);
  workers_->Submit(std::move(*job), rank,
                   [post = post_, generation, turned, keepWhenMissing, decodedFor,
                    self = this](std::unique_ptr<vaticor::Picture> picture) {
                     // Turned and converted here, so the window's thread only puts it up.
                     QImage image;
                     try {
                       if (picture) image = ShownImage(*picture, turned);
                     } catch (const std::bad_alloc&) {
                       image = QImage();
                     }
                     post->Post([self, generation, keepWhenMissing, decodedFor,
                                 image = std::move(image)]() mutable {
                       if (generation != self->generation_)
                         return;  // re-dealt or forgotten meanwhile
                       self->awaited_ = false;
                       if (image.isNull()) {
                         if (!keepWhenMissing) self->ClearPicture();
                         return;
                       }
                       self->SetPicture(std::move(image), decodedFor);
                     });
                   });
}

void TCardImage::SetFace(std::int64_t number, std::string meaning) {
  if (faceNumber_ == number && faceMeaning_ == meaning) return;
  faceNumber_ = number;
  faceMeaning_ = std::move(meaning);
  update();
}

std::vector<std::string> TCardImage::FaceLines() const {
  if (!faceNumber_ || HasPicture() || AwaitsPicture()) return {};
  const QFontMetrics metrics = fontMetrics();
  return PositionFaceLines(*faceNumber_, faceMeaning_, width() - 2 * kFaceMargin,
                           height() - 2 * kFaceMargin, metrics.height(),
                           [&metrics](std::string_view line) {
                             return metrics.horizontalAdvance(QString::fromUtf8(
                                 line.data(), static_cast<qsizetype>(line.size())));
                           });
}

void TCardImage::paintEvent(QPaintEvent*) {
  if (picture_.isNull()) {
    const std::vector<std::string> lines = FaceLines();
    if (lines.empty()) return;
    QPainter painter(this);
    painter.setClipRect(rect());
    const int lineHeight = fontMetrics().height();
    int top = kFaceMargin;
    for (const std::string& line : lines) {
      // Drawn as plain text: nothing in a file's text is markup.
      painter.drawText(QRect(kFaceMargin, top, width() - 2 * kFaceMargin, lineHeight),
                       Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                       QString::fromStdString(line));
      top += lineHeight;
    }
    return;
  }
  QPainter painter(this);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(PictureRect(), picture_);
}

void TCardImage::mousePressEvent(QMouseEvent* event) {
  pressed_ = event->button() == Qt::LeftButton;
  QWidget::mousePressEvent(event);
}

void TCardImage::mouseReleaseEvent(QMouseEvent* event) {
  const bool click =
      pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
  pressed_ = false;
  if (click) emit clicked();
}

void TCardImage::connectNotify(const QMetaMethod& signal) {
  if (signal == QMetaMethod::fromSignal(&TCardImage::clicked)) {
    MakeAccessibleButton(this, [this] { emit clicked(); });
  }
}

void TCardImage::resizeEvent(QResizeEvent*) {
  // What is held is stretched meanwhile; a sharp one when the size rests.
  if (shown_ && HasPicture() && decodedFor_ != DisplaySize()) sharpen_.start();
}

}  // namespace vaticor
