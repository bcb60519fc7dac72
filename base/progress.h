// How a long job reports progress and learns that it should stop, without knowing who listens.
#pragma once

#include <atomic>

namespace zemtra {

// Receives the progress bar's range and position, as the generation workers send them.
class ProgressSink {
  public:
    virtual ~ProgressSink() = default;
    virtual void SetRange(int minimum, int maximum) = 0;
    virtual void SetPosition(int position) = 0;
};

// A run flag shared between the job and whoever may ask it to stop.
class StopFlag {
  public:
    void Request() noexcept { stop_.store(true, std::memory_order_relaxed); }
    void Reset() noexcept { stop_.store(false, std::memory_order_relaxed); }
    bool Requested() const noexcept { return stop_.load(std::memory_order_relaxed); }

  private:
    std::atomic<bool> stop_{false};
};

}  // namespace zemtra
