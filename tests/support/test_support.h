// Small helpers shared by the test folders: test data paths, scratch folders, file bytes,
// matrices as text, shell quoting.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "base/dot_matrix.h"

namespace zemtra::test {

// A file under tests/data.
std::filesystem::path DataPath(std::string_view name);

// The whole content of a file; empty when it cannot be read.
std::string ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, std::string_view bytes);

// The matrix as text: a line per row, '#' lit and '.' unlit.
std::string MatrixRows(const DotMatrix& m);

// s in single quotes for a shell command line.
inline std::string ShellQuote(const std::string& s) {
    std::string quoted = "'";
    for (char c : s) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// A fresh folder of its own, removed with everything in it when the object goes.
class ScratchDir {
  public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

  private:
    std::filesystem::path path_;
};

// Compares bytes with a golden file under tests/data; with ZEMTRA_UPDATE_GOLDEN=1 set, rewrites
// the golden file instead. Gives an empty string on a match, else a description of the first
// difference.
std::string CompareWithGolden(std::string_view golden, std::string_view actual);

}  // namespace zemtra::test
