// The jobs of zemtra-cli: each turns a parsed request into calls on the core and writes the
// result. They return the process exit code.
#pragma once

#include <iosfwd>

#include "cli/cli_options.h"

namespace zemtra::cli {

// One warning line on standard error when the commands that draw with the font would draw with
// another face than the one named (no installed face has the name): the run goes on.
void WarnAboutStandInFace(const Request& r);

int RunCSource(const Request& r, std::ostream& out);
int RunShow(const Request& r, std::ostream& out);
int RunLibrary(const Request& r);
int RunExport(const Request& r);
int RunProject(const Request& r);
int RunDecode(const Request& r, std::ostream& out);
int RunScanOrder(const Request& r);
int RunSpecimen(const Request& r);
int RunEdit(const Request& r, std::ostream& out);

}  // namespace zemtra::cli
