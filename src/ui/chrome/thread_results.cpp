#include "ui/chrome/thread_results.h"

#include <QMetaObject>

namespace vaticor {

std::shared_ptr<ResultPost> ResultPost::For(QObject* receiver) {
  return std::make_shared<ResultPost>(receiver);
}

void ResultPost::Post(std::function<void()> deliver) {
  // Held while posting: Close waits for it, so the receiver cannot go
  // between the check and the post. The queued call itself is dropped by
  // Qt if the receiver is deleted before it runs, and checks Closed for a
  // receiver that closed but lives on.
  std::lock_guard lock(mutex_);
  if (receiver_ == nullptr) return;
  QMetaObject::invokeMethod(
      receiver_,
      [self = shared_from_this(), deliver = std::move(deliver)] {
        if (!self->Closed()) deliver();
      },
      Qt::QueuedConnection);
}

void ResultPost::Close() {
  std::lock_guard lock(mutex_);
  receiver_ = nullptr;
}

bool ResultPost::Closed() const {
  std::lock_guard lock(mutex_);
  return receiver_ == nullptr;
}

}  // namespace vaticor
