// The font library job. Glyphs are rendered on every core in blocks of consecutive codes; one
// writer puts the blocks into the file strictly in walk order, so the bytes are those of a
// one-by-one walk. A bounded window of blocks keeps memory flat whatever the range.
#include "output/font_library.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

#include "base/code_page.h"
#include "base/code_rectangle.h"
#include "base/error.h"
#include "base/scan_order.h"
#include "raster/glyph_renderer.h"

namespace zemtra {
namespace {

// One code's record, produced by a worker.
struct Block {
    std::vector<uint8_t> records;  // count x R
    std::vector<uint8_t> hasCharacter;
    int64_t first = 0;     // walk index of the first code
    int64_t count = 0;     // codes in the block
    int64_t finished = 0;  // codes done (all of them unless stopped)
    bool ready = false;
};

void PackRecord(GlyphRenderer& renderer, const ProjectSettings& s, std::u16string_view ch,
                DotMatrix& matrix, uint8_t* record) {
    renderer.RenderDotMatrix(s, ch, &matrix);
    const auto words = PackGlyph(matrix, ScanModeOf(s), LibraryPackingBits(s));
    for (size_t i = 0; i < words.size(); ++i) record[i] = static_cast<uint8_t>(words[i]);
}

// Buffers contiguous writes; a write elsewhere flushes first, so the file sees the walk order.
class RecordFile {
  public:
    explicit RecordFile(const std::filesystem::path& path) : path_(path) {
        fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd_ < 0) Fail(Msg::WhyCannotCreateIt);
    }
    ~RecordFile() {
        if (fd_ >= 0) ::close(fd_);
    }
    // Every record is written with the same size, so the records on disk can be counted.
    void WriteAt(int64_t offset, const uint8_t* data, size_t size) {
        if (offset != start_ + static_cast<int64_t>(buffer_.size()) || buffer_.size() > kFlushAt) {
            Flush();
            start_ = offset;
        }
        recordSize_ = size;
        buffer_.insert(buffer_.end(), data, data + size);
    }
    void Close() {
        Flush();
        const int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0) Fail(Msg::WhyClosingFailed);
    }
    // Records whose every byte reached the file.
    int64_t RecordsOnDisk() const { return recordsOnDisk_; }

  private:
    static constexpr size_t kFlushAt = 1 << 20;

    void Flush() {
        size_t done = 0;
        while (done < buffer_.size()) {
            const ssize_t n = ::pwrite(fd_, buffer_.data() + done, buffer_.size() - done,
                                       start_ + static_cast<int64_t>(done));
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                const int error = n < 0 ? errno : ENOSPC;
                DropTornRecord(done);
                errno = error;
                Fail(Msg::WhyWritingFailed);
            }
            done += static_cast<size_t>(n);
        }
        if (recordSize_ > 0) recordsOnDisk_ += static_cast<int64_t>(buffer_.size() / recordSize_);
        start_ += static_cast<int64_t>(buffer_.size());
        buffer_.clear();
    }
    // A write that stopped inside a record at the end of the file (a full disk) leaves only
    // whole records behind.
    void DropTornRecord(size_t done) {
        buffer_.clear();
        if (recordSize_ == 0) return;
        recordsOnDisk_ += static_cast<int64_t>(done / recordSize_);
        const int64_t end = start_ + static_cast<int64_t>(done);
        const auto torn = static_cast<int64_t>(done % recordSize_);
        struct stat st {};
        if (torn == 0 || ::fstat(fd_, &st) != 0 || st.st_size > end) return;
        // When even this fails the torn tail stays; the count above still holds.
        if (::ftruncate(fd_, static_cast<off_t>(end - torn)) != 0) return;
    }
    [[noreturn]] void Fail(Msg why) {
        throw UserError(
            Message{Msg::ErrWriteLibrary, {path_.string(), Message{why}, std::strerror(errno)}});
    }

    std::filesystem::path path_;
    int fd_ = -1;
    int64_t start_ = 0;
    size_t recordSize_ = 0;
    int64_t recordsOnDisk_ = 0;
    std::vector<uint8_t> buffer_;
};

class LibraryBuilder {
  public:
    LibraryBuilder(const ProjectSettings& s, const LibraryOptions& o)
        : s_(s), o_(o), walk_(s), r_(LibraryRecordLength(s)) {}

    LibraryResult Run(const std::filesystem::path& target);

  private:
    bool StopRequested() const { return o_.stop != nullptr && o_.stop->Requested(); }
    void Work();
    void RenderBlock(Block& b, GlyphRenderer& renderer, DotMatrix& matrix);
    // Writes the block's finished codes; false when a stop was requested before one of them.
    bool WriteBlock(const Block& b, RecordFile& file, LibraryResult& result);
    // Flushes what was written before a failure and throws its message with the record count.
    [[noreturn]] void KeepWhatWasWritten(RecordFile& file, std::exception_ptr failure);

    const ProjectSettings& s_;
    const LibraryOptions& o_;
    CodeRectangle walk_;
    int64_t r_;
    int64_t perBlock_ = 1;
    int64_t blockCount_ = 0;
    std::vector<Block> ring_;

    std::mutex mutex_;
    std::condition_variable changed_;
    int64_t nextBlock_ = 0;  // next block a worker takes
    int64_t written_ = 0;    // blocks the writer is done with
    bool abort_ = false;
    std::exception_ptr failure_;

    std::vector<uint8_t> previous_;  // the record a code without a character repeats
    int lastPercent_ = -1;
};

void LibraryBuilder::RenderBlock(Block& b, GlyphRenderer& renderer, DotMatrix& matrix) {
    const int32_t kind = s_.CODEPAGE;
    for (int64_t k = 0; k < b.count; ++k) {
        if (StopRequested()) return;
        const std::u16string ch = CodeToCharacter(walk_.CodeAt(b.first + k), kind);
        b.hasCharacter[k] = !ch.empty();
        if (!ch.empty()) PackRecord(renderer, s_, ch, matrix, &b.records[k * r_]);
        b.finished = k + 1;
    }
}

void LibraryBuilder::Work() {
    GlyphRenderer renderer;
    DotMatrix matrix;
    for (;;) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] {
            return abort_ || nextBlock_ >= blockCount_ ||
                   nextBlock_ < written_ + static_cast<int64_t>(ring_.size());
        });
        if (abort_ || nextBlock_ >= blockCount_) return;
        const int64_t index = nextBlock_++;
        Block& b = ring_[index % ring_.size()];
        lock.unlock();

        b.first = index * perBlock_;
        b.count = std::min(perBlock_, walk_.Size() - b.first);
        b.finished = 0;
        try {
            RenderBlock(b, renderer, matrix);
        } catch (...) {
            lock.lock();
            if (!failure_) failure_ = std::current_exception();
            abort_ = true;
            changed_.notify_all();
            return;
        }
        lock.lock();
        b.ready = true;
        changed_.notify_all();
    }
}

bool LibraryBuilder::WriteBlock(const Block& b, RecordFile& file, LibraryResult& result) {
    for (int64_t k = 0; k < b.finished; ++k) {
        if (StopRequested()) return false;
        const int64_t index = b.first + k;
        if (b.hasCharacter[k]) {
            std::copy_n(&b.records[k * r_], r_, previous_.begin());
        }
        if (const auto record = LibraryRecordIndex(s_, walk_.CodeAt(index))) {
            file.WriteAt(*record * r_, previous_.data(), previous_.size());
            ++result.recordsWritten;
        }
        result.codesVisited = index + 1;
        const int percent = static_cast<int>(index * 100 / walk_.Size());
        if (o_.progress && percent != lastPercent_) o_.progress->SetPosition(percent);
        lastPercent_ = percent;
    }
    return true;
}

void LibraryBuilder::KeepWhatWasWritten(RecordFile& file, std::exception_ptr failure) {
    MessageArg why = Message{Msg::ErrLibraryNotBuilt};
    try {
        std::rethrow_exception(failure);
    } catch (const std::exception& e) {
        why = ErrorArg(e);
        // A reason without its full stop gets one, so that the next sentence follows it.
        const std::string english = e.what();
        if (!english.empty() && english.back() != '.') why = Message{Msg::SentenceEnd, {why}};
    } catch (...) {
    }
    try {
        file.Close();  // what was rendered before the failure goes to disk too
    } catch (const UserError&) {
    }
    throw UserError(
        Message{Msg::ErrRecordsKept, {std::move(why), std::to_string(file.RecordsOnDisk())}});
}

LibraryResult LibraryBuilder::Run(const std::filesystem::path& target) {
    LibraryResult result;
    RecordFile file(target);
    if (o_.progress) {
        o_.progress->SetRange(0, 100);
        o_.progress->SetPosition(0);
        lastPercent_ = 0;
    }
    // The record of an all-unlit matrix stands in before the first character.
    previous_.assign(static_cast<size_t>(r_), 0);
    {
        DotMatrix empty(MatrixWidth(s_), MatrixHeight(s_));
        const auto words = PackGlyph(empty, ScanModeOf(s_), LibraryPackingBits(s_));
        for (size_t i = 0; i < words.size(); ++i) previous_[i] = static_cast<uint8_t>(words[i]);
    }
    perBlock_ = std::clamp<int64_t>((int64_t{1} << 20) / r_, 1, 256);
    blockCount_ = (walk_.Size() + perBlock_ - 1) / perBlock_;
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const int threads = std::max(1, o_.threads > 0 ? o_.threads : static_cast<int>(cores));
    ring_.resize(static_cast<size_t>(threads) * 3);
    for (Block& b : ring_) {
        b.records.resize(static_cast<size_t>(perBlock_ * r_));
        b.hasCharacter.resize(static_cast<size_t>(perBlock_));
    }

    std::vector<std::thread> workers;
    for (int i = 0; i < threads && blockCount_ > 0; ++i) workers.emplace_back([this] { Work(); });
    std::exception_ptr writeFailure;
    try {
        for (;;) {
            Block* b;
            {
                std::unique_lock lock(mutex_);
                if (written_ >= blockCount_) break;
                b = &ring_[written_ % ring_.size()];
                changed_.wait(lock, [&] { return b->ready || abort_; });
                if (!b->ready) break;
            }
            const bool more = WriteBlock(*b, file, result) && b->finished == b->count;
            {
                std::lock_guard lock(mutex_);
                b->ready = false;
                ++written_;
                changed_.notify_all();
            }
            if (!more) break;  // stopped inside this block
        }
    } catch (...) {
        writeFailure = std::current_exception();
    }
    {
        std::lock_guard lock(mutex_);
        abort_ = true;
        changed_.notify_all();
    }
    for (auto& t : workers) t.join();
    if (failure_ || writeFailure) KeepWhatWasWritten(file, failure_ ? failure_ : writeFailure);
    try {
        file.Close();
    } catch (const UserError&) {
        KeepWhatWasWritten(file, std::current_exception());
    }
    result.stopped = result.codesVisited < walk_.Size();
    if (o_.progress) o_.progress->SetPosition(0);
    return result;
}

}  // namespace

int64_t LibraryRecordLength(const ProjectSettings& s) {
    return WordCount(ScanModeOf(s), MatrixWidth(s), MatrixHeight(s), LibraryPackingBits(s));
}

int64_t LibraryBaseSlot(int32_t kind, uint16_t from) {
    for (int lo = from & 0xFF; lo <= 0xFF; ++lo) {
        const auto slot = LibrarySlot(kind, static_cast<uint16_t>((from & 0xFF00) | lo));
        if (slot) return *slot;
    }
    return 0;
}

int LibraryPackingBits(const ProjectSettings& s) {
    return DataWidth(s.DATABIT) == 4 ? 4 : 8;
}

std::optional<int64_t> LibraryRecordIndex(const ProjectSettings& s, uint16_t code) {
    const std::optional<int64_t> walked = CodeRectangle(s).IndexOf(code);
    if (!walked) return std::nullopt;
    const int32_t kind = s.CODEPAGE;
    if (kind != static_cast<int32_t>(CodePageKind::Gbk) &&
        kind != static_cast<int32_t>(CodePageKind::Big5)) {
        return walked;
    }
    const std::optional<int64_t> slot = LibrarySlot(kind, code);
    if (!slot) return std::nullopt;
    return *slot - LibraryBaseSlot(kind, s.FROM);
}

std::optional<Message> LibrarySettingsProblem(const ProjectSettings& s) {
    if (auto why = RenderLimitError(s)) return why;
    if (LibraryRecordLength(s) <= 0) return Message{Msg::ErrNoScanMode};
    return std::nullopt;
}

LibraryResult BuildFontLibrary(const ProjectSettings& settings, const std::filesystem::path& target,
                               const LibraryOptions& options) {
    if (!HasDots(settings)) return {};
    if (auto why = LibrarySettingsProblem(settings)) throw UserError(*why);
    return LibraryBuilder(settings, options).Run(target);
}

namespace {

struct MapEntry {
    uint16_t character, code;
};

// The library's characters with their codes: every code of the rectangle that has a record and a
// character of one UTF-16 unit.
std::vector<MapEntry> LibraryMap(const ProjectSettings& s, int64_t& beyondBmp) {
    std::vector<MapEntry> entries;
    const CodeRectangle walk(s);
    beyondBmp = 0;
    for (int64_t i = 0; i < walk.Size(); ++i) {
        const uint16_t code = walk.CodeAt(i);
        if (!LibraryRecordIndex(s, code)) continue;
        const std::u16string ch = CodeToCharacter(code, s.CODEPAGE);
        if (ch.size() == 1 && (ch[0] < 0xD800 || ch[0] > 0xDFFF)) {
            entries.push_back({ch[0], code});
        } else if (!ch.empty()) {
            ++beyondBmp;
        }
    }
    // A character that two codes share keeps the lowest code, so a look-up is one answer.
    std::stable_sort(entries.begin(), entries.end(), [](const MapEntry& a, const MapEntry& b) {
        return a.character < b.character;
    });
    entries.erase(std::unique(entries.begin(), entries.end(),
                              [](const MapEntry& a, const MapEntry& b) {
                                  return a.character == b.character;
                              }),
                  entries.end());
    return entries;
}

std::string UnicodeMapText(const ProjectSettings& s, const std::string& name) {
    int64_t beyondBmp = 0;
    const std::vector<MapEntry> entries = LibraryMap(s, beyondBmp);
    std::string text = "\n/* The library's characters sorted by character, each with its code";
    if (beyondBmp > 0) {
        text += "; " + std::to_string(beyondBmp) + " beyond U+FFFF are left out";
    }
    text += ". */\nstatic const zf_map_entry " + name + "_unicode_map_entries[" +
            std::to_string(std::max<size_t>(entries.size(), 1)) + "] = {";
    char item[24];
    for (size_t i = 0; i < entries.size(); ++i) {
        text += i % 5 == 0 ? "\n    " : " ";
        std::snprintf(item, sizeof item, "{0x%04X, 0x%04X},", entries[i].character,
                      entries[i].code);
        text += item;
    }
    if (entries.empty()) text += "\n    {0, 0},";
    text += "\n};\nstatic const zf_unicode_map " + name + "_unicode_map = {" + name +
            "_unicode_map_entries, " + std::to_string(entries.size()) + "};\n";
    return text;
}

}  // namespace

std::string LibraryHeaderText(const ProjectSettings& s, std::string_view name, bool unicodeMap) {
    static constexpr const char* kCodePages[] = {"ZF_UNICODE", "ZF_MBCS", "ZF_GB2312", "ZF_GBK",
                                                 "ZF_BIG5"};
    static constexpr const char* kOrientations[] = {"ZF_ROW", "ZF_COLUMN", "ZF_ROW_COLUMN",
                                                    "ZF_COLUMN_ROW"};
    const auto hex = [](uint16_t code) {
        char text[8];
        std::snprintf(text, sizeof text, "0x%04X", code);
        return std::string(text);
    };
    const int32_t cp = s.CODEPAGE >= 0 && s.CODEPAGE <= 4 ? s.CODEPAGE : 0;
    const int32_t orient = s.ORIENT >= 0 && s.ORIENT <= 3 ? s.ORIENT : 0;
    const std::string n(name);
    return "/* " + n +
           ": a font library made by Zemtra, as runtime/zemtra_font.h reads it. */\n\n" +
           "#include \"zemtra_font.h\"\n\n" + "static const zf_library_info " + n + "_info = {\n" +
           "    .width = " + std::to_string(MatrixWidth(s)) + ",\n" +
           "    .height = " + std::to_string(MatrixHeight(s)) + ",\n" +
           "    .record_size = " + std::to_string(LibraryRecordLength(s)) + ",\n" +
           "    .code_page = " + kCodePages[cp] + ",\n" + "    .first_code = " + hex(s.FROM) +
           ",\n" + "    .last_code = " + hex(s.TO) + ",\n" +
           "    .orientation = " + kOrientations[orient] + ",\n" +
           "    .backward = " + (s.DIRECT == 1 ? "1" : "0") + ",\n" +
           "    .anode = " + (s.FORMAT == 1 ? "1" : "0") + ",\n" +
           "    .word_bits = " + std::to_string(LibraryPackingBits(s)) + ",\n};\n" +
           (unicodeMap ? UnicodeMapText(s, n) : std::string());
}

}  // namespace zemtra
