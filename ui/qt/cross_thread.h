// Calls from a worker into an object's thread through Qt's event queue, in the two forms the
// program uses: post (the caller goes on) and send (the caller waits, as SendMessage does).
// Qt's queue and the semaphore of a blocking call live in libraries ThreadSanitizer does not
// instrument, so it would see no order between what a worker wrote and what the window's
// thread then reads; in ThreadSanitizer builds these calls state that order themselves.
#pragma once

#include <QMetaObject>
#include <QObject>

#include <memory>
#include <utility>

#if defined(__SANITIZE_THREAD__)
#define ZEMTRA_TSAN 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define ZEMTRA_TSAN 1
#endif
#endif
#ifdef ZEMTRA_TSAN
#include <sanitizer/tsan_interface.h>
// In the runtime, not in its header: the calling thread's memory accesses go unrecorded.
extern "C" void __tsan_ignore_thread_begin();
extern "C" void __tsan_ignore_thread_end();
#endif

namespace zemtra {

namespace detail {

#ifdef ZEMTRA_TSAN
// The function with a token of its own: everything its caller did before posting happens
// before the function runs (or, never run, is destroyed) on the other thread, and what it did
// there happens before the caller's acquire after a blocking call.
template <typename F>
class HandedOver {
  public:
    HandedOver(std::shared_ptr<char> token, F f) : token_(std::move(token)), f_(std::move(f)) {}
    HandedOver(HandedOver&&) noexcept = default;
    HandedOver& operator=(HandedOver&&) = delete;
    ~HandedOver() {
        if (token_) __tsan_acquire(token_.get());
    }
    void operator()() {
        __tsan_acquire(token_.get());
        f_();
        __tsan_release(token_.get());
    }

  private:
    std::shared_ptr<char> token_;
    F f_;
};
#endif

template <typename F>
bool Invoke(QObject* target, F f, Qt::ConnectionType type) {
#ifdef ZEMTRA_TSAN
    const auto token = std::make_shared<char>();
    __tsan_release(token.get());
    // Qt moves the function into its event after the release; those writes are Qt's own
    // hand-over and are read only after the acquire, so the detector skips them.
    __tsan_ignore_thread_begin();
    const bool invoked =
        QMetaObject::invokeMethod(target, HandedOver<F>(token, std::move(f)), type);
    __tsan_ignore_thread_end();
    if (type == Qt::BlockingQueuedConnection) __tsan_acquire(token.get());
    return invoked;
#else
    return QMetaObject::invokeMethod(target, std::move(f), type);
#endif
}

}  // namespace detail

// Runs f on target's thread later; false when it cannot be queued.
template <typename F>
bool PostTo(QObject* target, F f) {
    return detail::Invoke(target, std::move(f), Qt::QueuedConnection);
}

// Runs f on target's thread and waits until it has run. Never from target's own thread.
template <typename F>
bool SendTo(QObject* target, F f) {
    return detail::Invoke(target, std::move(f), Qt::BlockingQueuedConnection);
}

}  // namespace zemtra
