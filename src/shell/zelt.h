#pragma once

namespace zelt {

// The program's entry procedure: shows the main window, working in the executable's folder with
// the system locale's rules. Returns the program's exit status.
int runProgram(int argc, char** argv);

} // namespace zelt
