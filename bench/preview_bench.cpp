// RefreshPreview of the real main window (offscreen): render the selected character and paint
// the grid and thumbnail into the cached image, at 16 x 16 and 256 x 256 dots. And selecting a
// Chinese character that the project's face (Arial, a Latin face) lacks, so that a linked face
// draws it: the first selection of a new process, and selections after it.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <filesystem>
#include <string>

#include "app/zemtra_dialog.h"

namespace {

QApplication& Application() {
    static int argc = 1;
    static char name[] = "zemtra_bench";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication application(argc, argv);
    return application;
}

// Setting.ini of the benchmark's window goes to a folder of its own, removed afterwards.
class BenchHome {
  public:
    BenchHome() {
        std::string pattern = (std::filesystem::temp_directory_path() / "zemtra-bench-XXXXXX");
        if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
        ::setenv("ZEMTRA_HOME", path_.c_str(), 1);
    }
    ~BenchHome() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    BenchHome(const BenchHome&) = delete;
    BenchHome& operator=(const BenchHome&) = delete;

  private:
    std::filesystem::path path_;
};

// Message boxes answered at once: a benchmark has nobody to click.
zemtra::UiHooks QuietHooks() {
    zemtra::UiHooks hooks = zemtra::DefaultUiHooks();
    hooks.messageBox = [](QWidget*, QMessageBox::Icon, const QString&, const QString&) {};
    return hooks;
}

// The text typed into the window's text field and "Add" pressed; the character list.
QListWidget* AddText(zemtra::CZemtraDlg& dialog, const QString& text) {
    qobject_cast<QPlainTextEdit*>(dialog.Control(1003))->setPlainText(text);
    dialog.accept();  // "Add", which selects the last item
    return qobject_cast<QListWidget*>(dialog.Control(1002));
}

void BM_RefreshPreview(benchmark::State& state) {
    Application();
    BenchHome home;
    zemtra::CZemtraDlg dialog(QuietHooks());
    const QString side = QString::number(state.range(0));
    qobject_cast<QLineEdit*>(dialog.Control(1006))->setText(side);
    qobject_cast<QLineEdit*>(dialog.Control(1007))->setText(side);
    AddText(dialog, QStringLiteral("W"));
    for (auto _ : state) dialog.RefreshPreview();
    state.SetLabel(side.toStdString() + " x " + side.toStdString() + " dots");
}
BENCHMARK(BM_RefreshPreview)->Arg(16)->Arg(256)->Unit(benchmark::kMillisecond);

// The first selection of a process: fontconfig and the font engine start cold. Each iteration
// runs this program again with ZEMTRA_BENCH_SELECT_ONCE set; that run makes a window with
// "A你好" in its list, selects A, then times selecting 你, the first character it draws through
// a linked face, and prints the microseconds.
void BM_SelectLinkedCharacterFirstTime(benchmark::State& state) {
    std::error_code ec;
    const std::string self = std::filesystem::read_symlink("/proc/self/exe", ec).string();
    const std::string command = "ZEMTRA_BENCH_SELECT_ONCE=1 '" + self + "' 2>/dev/null";
    for (auto _ : state) {
        FILE* child = ::popen(command.c_str(), "r");
        double micros = -1;
        if (child != nullptr) {
            if (std::fscanf(child, "%lf", &micros) != 1) micros = -1;
            ::pclose(child);
        }
        if (micros < 0) {
            state.SkipWithError("the child run printed no time");
            break;
        }
        state.SetIterationTime(micros / 1e6);
    }
}
BENCHMARK(BM_SelectLinkedCharacterFirstTime)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

// One window, selections going back and forth between 你 and 好 once both were drawn.
void BM_SelectLinkedCharacterAgain(benchmark::State& state) {
    Application();
    BenchHome home;
    zemtra::CZemtraDlg dialog(QuietHooks());
    QListWidget* list = AddText(dialog, QString::fromUtf8("你好"));
    list->setCurrentRow(0);
    int row = 0;
    for (auto _ : state) {
        row = 1 - row;
        list->setCurrentRow(row);
    }
}
BENCHMARK(BM_SelectLinkedCharacterAgain)->Unit(benchmark::kMillisecond);

}  // namespace

// The child run of BM_SelectLinkedCharacterFirstTime, before the benchmarks' main.
[[maybe_unused]] static const bool selectOnce = [] {
    if (std::getenv("ZEMTRA_BENCH_SELECT_ONCE") == nullptr) return false;
    ::unsetenv("ZEMTRA_BENCH_SELECT_ONCE");
    Application();
    BenchHome home;
    zemtra::CZemtraDlg dialog(QuietHooks());
    // "Add" selects the last item, 好: select A, a Latin one, first.
    QListWidget* list = AddText(dialog, QString::fromUtf8("A你好"));
    list->setCurrentRow(0);
    const auto start = std::chrono::steady_clock::now();
    list->setCurrentRow(1);
    const std::chrono::duration<double, std::micro> took = std::chrono::steady_clock::now() - start;
    std::printf("%.1f\n", took.count());
    std::fflush(stdout);
    std::_Exit(0);
}();
