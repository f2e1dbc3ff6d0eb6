#pragma once
#include "simpty.h"

// Plays a device that is not an instrument but streams data of its own, a
// GPS logger behind a serial converter: a position sentence iHz times a
// second, whatever it is sent, and never an answer. Runs until killed.
int RunStreamSim(const SimPty& pty, int iHz);
