// Standard input, output and error as the program finds them at start.
//
// A launcher or service manager may start the program with some of file
// descriptors 0, 1 and 2 closed. The next file or socket opened then takes
// that number, and whatever is written to standard error (by Qt or by the
// program) lands in it: in the connection to the X server, for one.
#pragma once

namespace tellumo {

// Opens /dev/null on each of file descriptors 0, 1 and 2 that is closed, so
// that they stay reserved for the standard streams. False when one of them
// could not be opened; then nothing may be written to it and the program
// should stop. Does nothing on systems without such descriptors.
bool openStandardStreams();

} // namespace tellumo
