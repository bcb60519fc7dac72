// The window's one long job at a time: a thread of its own, progress as typed signals on the
// window's thread, a stop request, and the end. A job reaches the window only by blocking
// calls into the window's thread (Send), so whoever waits for a job keeps that thread's event
// loop running (StopAndWait).
#pragma once

#include <QObject>

#include <atomic>
#include <functional>
#include <thread>

#include "base/progress.h"
#include "ui/qt/cross_thread.h"

namespace zemtra {

class JobRunner : public QObject {
    Q_OBJECT

  public:
    // Made on the window's thread: Send runs there and the signals arrive there.
    JobRunner() = default;
    ~JobRunner() override;
    JobRunner(const JobRunner&) = delete;
    JobRunner& operator=(const JobRunner&) = delete;

    // From the moment Start is called until the job's last step; any thread may ask.
    bool Running() const { return running_.load(); }
    // The stop request the jobs read; reset by Start.
    StopFlag& Stop() { return stop_; }
    // Runs job on its own thread, the stop request reset first (so that an early request is not
    // lost). False, starting nothing, while another job runs.
    bool Start(std::function<void()> job);
    // On the job's thread: f runs on the window's thread, and the job waits for it.
    template <typename F>
    void Send(F f) {
        SendTo(this, std::move(f));
    }
    // On the job's thread: the progress sink whose calls arrive as the signals below.
    ProgressSink& Progress() { return progress_; }
    // On the window's thread: asks the job to stop and keeps the events going until it ended.
    void StopAndWait();

  signals:
    void rangeChanged(int minimum, int maximum);
    void positionChanged(int position);
    // On the window's thread, once the job has returned and before Running turns false.
    void finished();

  private:
    class Sink : public ProgressSink {
      public:
        explicit Sink(JobRunner* runner) : runner_(runner) {}
        void SetRange(int minimum, int maximum) override;
        void SetPosition(int position) override;

      private:
        JobRunner* runner_;
    };

    void JoinEnded();

    Sink progress_{this};
    StopFlag stop_;
    std::thread thread_;  // the window's thread only
    std::atomic<bool> running_{false};
};

}  // namespace zemtra
