#pragma once

namespace zelt {

// The program's entry procedure: fills the shared messages, takes the system locale's rules and
// shows the main window. Returns the program's exit status.
int Main(int argc, char** argv);

} // namespace zelt
