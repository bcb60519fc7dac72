// The window's job thread.
#include "app/job_runner.h"

#include <QCoreApplication>
#include <chrono>

namespace zemtra {

JobRunner::~JobRunner() {
    StopAndWait();
}

bool JobRunner::Start(std::function<void()> job) {
    if (running_.load()) return false;
    if (thread_.joinable()) thread_.join();  // an ended job whose thread is not joined yet
    stop_.Reset();
    running_.store(true);
    thread_ = std::thread([this, job = std::move(job)] {
        job();
        Send([this] { emit finished(); });
        PostTo(this, [this] { JoinEnded(); });
        running_.store(false);  // the last touch of the runner
    });
    return true;
}

void JobRunner::StopAndWait() {
    while (running_.load()) {
        stop_.Request();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    if (thread_.joinable()) thread_.join();
}

void JobRunner::JoinEnded() {
    // Only a job that is past its last step: it has nothing left to do but return.
    if (!running_.load() && thread_.joinable()) thread_.join();
}

void JobRunner::Sink::SetRange(int minimum, int maximum) {
    runner_->Send([r = runner_, minimum, maximum] { emit r->rangeChanged(minimum, maximum); });
}

void JobRunner::Sink::SetPosition(int position) {
    runner_->Send([r = runner_, position] { emit r->positionChanged(position); });
}

}  // namespace zemtra
