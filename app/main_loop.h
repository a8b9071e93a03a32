// The main loop: one wait of at most 10 ms, then the Start button flag, then the
// event of the pass, in a fixed order.
#pragma once

const unsigned MainLoopWaitMs = 10;

// Runs one pass; false once the loop has ended (the settings are saved by then).
bool RunMainLoopPass();
