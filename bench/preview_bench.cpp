// RefreshPreview of the real main window (offscreen): render the selected character and paint
// the grid and thumbnail into the cached image, at 16 x 16 and 256 x 256 dots.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QApplication>
#include <QLineEdit>
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

void BM_RefreshPreview(benchmark::State& state) {
    Application();
    BenchHome home;
    zemtra::UiHooks hooks = zemtra::DefaultUiHooks();
    hooks.messageBox = [](QWidget*, QMessageBox::Icon, const QString&, const QString&) {};
    zemtra::CZemtraDlg dialog(hooks);
    const QString side = QString::number(state.range(0));
    qobject_cast<QLineEdit*>(dialog.Control(1006))->setText(side);
    qobject_cast<QLineEdit*>(dialog.Control(1007))->setText(side);
    qobject_cast<QPlainTextEdit*>(dialog.Control(1003))->setPlainText(QStringLiteral("W"));
    dialog.accept();  // "Add"
    for (auto _ : state) dialog.RefreshPreview();
    state.SetLabel(side.toStdString() + " x " + side.toStdString() + " dots");
}
BENCHMARK(BM_RefreshPreview)->Arg(16)->Arg(256)->Unit(benchmark::kMillisecond);

}  // namespace
