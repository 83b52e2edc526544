#pragma once
// Starting the program: the same path for the executable, the tests and the benchmark.
class FormMain;

namespace Vistello {

// Before the application object exists: the gallery works in device pixels, so no high-DPI scaling;
// large blocks of memory (the pictures' decodes) go back to the system when they are freed.
void prepareProcess();

// Makes the main window and runs its start-up; shows it and starts its timer unless start-up
// ended the program (a second copy). Returns the shown window, or nullptr.
FormMain *start();

int run(int argc, char **argv);

} // namespace Vistello
