// Starts another program (the built-in RUN for anything but a script).
#pragma once

// The exit code when waiting; 0 when started without waiting; 1 when the
// program could not be started (the system's text and the command line are
// shown in a message box).
unsigned long RunProgram(const char* commandLine, unsigned short showState, int wait);
