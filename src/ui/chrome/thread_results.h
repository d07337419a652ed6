#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <mutex>

namespace vaticor {

// Brings what work on another thread found back to a window's thread.
//
// Work that may wait for a disk (a folder on a slow or network mount, a big
// copy) runs off the window's thread so the window keeps answering; it hands
// its results to a ResultPost, which runs them on the receiver's thread in
// the order posted. A receiver that is gone by then gets nothing, however
// long the work took: a thread blocked in the kernel for minutes may post
// after its window closed, or never.
//
// Shared between the window and its threads (std::shared_ptr); Post may be
// called from any thread, Close only from the receiver's.
class ResultPost : public std::enable_shared_from_this<ResultPost> {
 public:
  // `receiver` lives on the thread results are to run on.
  static std::shared_ptr<ResultPost> For(QObject* receiver);

  // Runs `deliver` on the receiver's thread, soon, unless the post is closed
  // by then. Never runs it on the calling thread, even the receiver's.
  void Post(std::function<void()> deliver);

  // From now on nothing posted runs, what was posted before included. The
  // receiver calls it before it goes (its destructor), so no result sees a
  // half-destroyed window.
  void Close();
  bool Closed() const;

  explicit ResultPost(QObject* receiver) : receiver_(receiver) {}

 private:
  mutable std::mutex mutex_;
  QObject* receiver_;  // null once closed
};

}  // namespace vaticor
