#pragma once

// The child process of the start-up benchmark: `kind` is "bare", "program" or "all". Builds,
// shows and paints that start-up, then returns the exit code.
int runStartupChild(const char *kind);
