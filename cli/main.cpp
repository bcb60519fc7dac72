// zemtra-cli: runs Zemtra's jobs without a display, for build systems and scripts.
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "base/error.h"
#include "cli/cli_jobs.h"
#include "cli/cli_options.h"

namespace {

int Run(const std::vector<std::string>& args) {
    using namespace zemtra::cli;
    const Request r = ParseCommandLine(args);
    if (r.command == "help") {
        std::cout << HelpText();
        return 0;
    }
    if (r.command == "version") {
        std::cout << "zemtra-cli " << ZEMTRA_VERSION << "\n";
        return 0;
    }
    // A bad [Glyphs] entry of --project is named and skipped; the command goes on.
    for (const std::string& warning : r.warnings) {
        std::cerr << "zemtra-cli: warning: " << warning << "\n";
    }
    const bool takesFiles = r.command == "export" || r.command == "c-source" ||
                            r.command == "specimen" ||
                            (r.command == "project" && r.subcommand == "save");
    if (!r.charsFrom.empty() && !takesFiles) {
        throw UsageError("--chars-from: only export, c-source, specimen and project save take it");
    }
    WarnAboutStandInFace(r);
    if (r.command == "c-source") return RunCSource(r, std::cout);
    if (r.command == "show") return RunShow(r, std::cout);
    if (r.command == "library") return RunLibrary(r);
    if (r.command == "export") return RunExport(r);
    if (r.command == "project") return RunProject(r);
    if (r.command == "decode") return RunDecode(r, std::cout);
    if (r.command == "scan-order") return RunScanOrder(r);
    if (r.command == "specimen") return RunSpecimen(r);
    if (r.command == "edit") return RunEdit(r, std::cout);
    throw UsageError("unknown command \"" + r.command + "\" (see --help)");
}

}  // namespace

int main(int argc, char** argv) {
    // Qt's image readers print their complaints about damaged files; the command line says
    // itself what is wrong with a picture, in one line. A rule the user sets stays in force.
    // (libpng itself still prints "libpng error: ..." for a damaged PNG.)
    ::setenv("QT_LOGGING_RULES", "qt.gui.imageio*=false", 0);
    std::vector<std::string> args(argv + 1, argv + argc);
    try {
        return Run(args);
    } catch (const zemtra::cli::UsageError& e) {
        std::cerr << "zemtra-cli: " << e.what() << "\n";
        return 2;
    } catch (const zemtra::UserError& e) {
        std::cerr << "zemtra-cli: " << e.what() << "\n";
        return 1;
    } catch (const std::exception& e) {
        std::cerr << "zemtra-cli: internal error: " << e.what() << "\n";
        return 1;
    }
}
