// Results of other threads brought back to a window's thread.
// Test labels: threads
#include "ui/chrome/thread_results.h"

#include <gtest/gtest.h>

#include <QObject>
#include <QThread>
#include <algorithm>
#include <memory>
#include <thread>
#include <vector>

#include "support/qt/recorded_messages.h"

namespace vaticor {
namespace {

using testing::ProcessEventsUntil;

TEST(ResultPost, ResultsRunOnTheReceiversThreadInTheOrderPosted) {
  QObject receiver;
  const std::shared_ptr<ResultPost> post = ResultPost::For(&receiver);
  std::vector<int> order;
  std::vector<bool> onReceiversThread;
  std::thread worker([&post, &order, &onReceiversThread, &receiver] {
    for (int i = 0; i < 100; ++i) {
      post->Post([i, &order, &onReceiversThread, &receiver] {
        order.push_back(i);
        onReceiversThread.push_back(QThread::currentThread() == receiver.thread());
      });
    }
  });
  worker.join();
  EXPECT_TRUE(order.empty()) << "a result ran on the posting thread";
  ASSERT_TRUE(ProcessEventsUntil([&] { return order.size() == 100; }));
  for (int i = 0; i < 100; ++i) EXPECT_EQ(order[static_cast<std::size_t>(i)], i);
  EXPECT_EQ(std::count(onReceiversThread.begin(), onReceiversThread.end(), false), 0);
}

TEST(ResultPost, NothingRunsOnceClosedOrOnceTheReceiverIsGone) {
  int ran = 0;
  {
    QObject receiver;
    const std::shared_ptr<ResultPost> post = ResultPost::For(&receiver);
    post->Post([&ran] { ++ran; });  // posted before the close: dropped too
    post->Close();
    post->Post([&ran] { ++ran; });
    EXPECT_TRUE(post->Closed());
    ProcessEventsUntil([] { return false; }, 50);
  }
  EXPECT_EQ(ran, 0);

  std::shared_ptr<ResultPost> kept;
  {
    auto receiver = std::make_unique<QObject>();
    kept = ResultPost::For(receiver.get());
    kept->Post([&ran] { ++ran; });
    kept->Close();  // as a window does before it goes
  }
  // A thread that outlived its window posts into nothing.
  std::thread([kept, &ran] { kept->Post([&ran] { ++ran; }); }).join();
  ProcessEventsUntil([] { return false; }, 50);
  EXPECT_EQ(ran, 0);
}

}  // namespace
}  // namespace vaticor
