#pragma once

// Runs the launcher on Linux inside the QApplication that the caller made: reads ./kitbem.cfg,
// shows the purple window, starts the installer and the read-me, and returns the exit code (0)
// once the window has been destroyed or closed.
int RunLauncher();
