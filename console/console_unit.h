// The console layer as a unit of the program: on start it takes the
// process's terminal (standard input and output) and binds the layer to it;
// before a report and at exit it puts the last frame on the screen and
// gives the terminal back as it was found.
#pragma once

#include "runtime/program.h"

namespace con {

extern const rt::Unit ConsoleUnit;

}  // namespace con
