// The GUI tests' main(): one QApplication (offscreen unless a platform is chosen), then gtest.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <string>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // A runtime folder of this process's own: the temporary output file lives there, and CTest
    // runs the tests side by side, each test case a process of its own.
    std::string runtime = (std::filesystem::temp_directory_path() / "zemtra-gui-XXXXXX").string();
    const bool ownRuntime = ::mkdtemp(runtime.data()) != nullptr;
    if (ownRuntime) ::setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    int result = 0;
    {
        QApplication application(argc, argv);
        ::testing::InitGoogleTest(&argc, argv);
        result = RUN_ALL_TESTS();
    }
    if (ownRuntime) {
        std::error_code ignored;
        std::filesystem::remove_all(runtime, ignored);
    }
    return result;
}
