// Puzzlebin: reads no arguments and no configuration; shows the main form until it is
// closed.
#include "app/Main.h"

#include "app/ProgramRun.h"

int main(int argc, char** argv) { return RunPuzzlebin(&argc, &argv, MainFormDescription()); }
