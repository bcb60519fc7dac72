// Collecting an export's glyphs: the threads take chunks of the set from one counter, each with
// its own renderer (a FontEngine is not thread-safe), and fill the chunk's slots; the calling
// thread only reports progress and passes a stop on.
#include "raster/export_collect.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <map>
#include <mutex>
#include <thread>

namespace zemtra {
namespace {

// Small enough that two threads finish together, large enough that the counter is not busy.
constexpr size_t kChunk = 32;

struct Slot {
    bool drawn = false;
    ExportGlyph glyph;
    std::string source;
};

class Collector {
  public:
    Collector(const ProjectSettings& s, const std::vector<char32_t>& set, const ExportStyle& style)
        : s_(s), set_(set), style_(style), slots_(set.size()) {}

    void Work() {
        try {
            GlyphRenderer renderer;
            for (;;) {
                const size_t begin = next_.fetch_add(kChunk);
                if (begin >= set_.size()) break;
                const size_t end = std::min(set_.size(), begin + kChunk);
                for (size_t i = begin; i < end && !abort_.load(); ++i) {
                    Slot& slot = slots_[i];
                    slot.drawn =
                        RenderExportGlyph(renderer, s_, set_[i], style_, slot.glyph, &slot.source);
                }
                if (abort_.load()) break;
                done_.fetch_add(end - begin);
                changed_.notify_all();
            }
        } catch (...) {
            std::lock_guard lock(mutex_);
            if (!failure_) failure_ = std::current_exception();
            abort_.store(true);
        }
        std::lock_guard lock(mutex_);
        ++finished_;
        changed_.notify_all();
    }

    // Waits for the threads, reporting progress and passing a stop on; true when stopped.
    bool Watch(int threads, ProgressSink* progress, const StopFlag* stop) {
        int lastPercent = 0;
        std::unique_lock lock(mutex_);
        for (;;) {
            changed_.wait_for(lock, std::chrono::milliseconds(50));
            if (stop != nullptr && stop->Requested()) abort_.store(true);
            const int percent =
                static_cast<int>(done_.load() * 100 / std::max<size_t>(1, set_.size()));
            if (progress != nullptr && percent != lastPercent) {
                lock.unlock();
                progress->SetPosition(percent);
                lock.lock();
            }
            lastPercent = percent;
            if (finished_ == threads) break;
        }
        if (failure_) std::rethrow_exception(failure_);
        return abort_.load();
    }

    CollectedGlyphs Take(bool stopped) {
        CollectedGlyphs out;
        out.stopped = stopped;
        std::map<std::string, int64_t> counts;
        for (const Slot& slot : slots_) {
            if (slot.drawn) ++counts[slot.source];
        }
        for (auto& [name, glyphs] : counts) out.sources.push_back({name, glyphs});
        std::stable_sort(
            out.sources.begin(), out.sources.end(),
            [](const ExportSource& a, const ExportSource& b) { return a.glyphs > b.glyphs; });
        std::map<std::string, uint32_t> index;
        for (size_t i = 0; i < out.sources.size(); ++i) {
            index[out.sources[i].name] = static_cast<uint32_t>(i);
        }
        for (size_t i = 0; i < slots_.size(); ++i) {
            Slot& slot = slots_[i];
            if (!slot.drawn) {
                out.lacking.push_back(set_[i]);
                continue;
            }
            slot.glyph.source = index[slot.source];
            out.glyphs.push_back(std::move(slot.glyph));
        }
        return out;
    }

  private:
    const ProjectSettings& s_;
    const std::vector<char32_t>& set_;
    ExportStyle style_;
    std::vector<Slot> slots_;
    std::atomic<size_t> next_{0};
    std::atomic<size_t> done_{0};
    std::atomic<bool> abort_{false};
    std::mutex mutex_;
    std::condition_variable changed_;
    int finished_ = 0;
    std::exception_ptr failure_;
};

}  // namespace

CollectedGlyphs CollectExportGlyphs(const ProjectSettings& s, const std::vector<char32_t>& set,
                                    const ExportStyle& style, ProgressSink* progress,
                                    const StopFlag* stop, int threads) {
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const size_t wanted = threads > 0 ? static_cast<size_t>(threads) : cores;
    const int count =
        static_cast<int>(std::clamp<size_t>((set.size() + kChunk - 1) / kChunk, 1, wanted));
    Collector collector(s, set, style);
    std::vector<std::thread> workers;
    for (int i = 0; i < count; ++i) workers.emplace_back([&collector] { collector.Work(); });
    bool stopped = false;
    std::exception_ptr failure;
    try {
        stopped = collector.Watch(count, progress, stop);
    } catch (...) {
        failure = std::current_exception();
    }
    for (std::thread& t : workers) t.join();
    if (failure) std::rethrow_exception(failure);
    return collector.Take(stopped);
}

}  // namespace zemtra
