// Puzzlebin exactly as it is but without its skinned frame: the main form's description
// with the TspSkinForm component left out (the panels, strip and tabs stay skinned, the
// window gets the framework's plain frame). bench/startup.sh runs it beside the program to
// show what the skinned frame costs at start-up.
#include <cstdio>
#include <string>

#include "app/Main.h"
#include "app/ProgramRun.h"

int main(int argc, char** argv) {
    std::string description = MainFormDescription();
    const size_t begin = description.find("  object spSkinForm1: TspSkinForm\n");
    const size_t end = begin == std::string::npos ? begin : description.find("\n  end\n", begin);
    if (end == std::string::npos) {
        std::fprintf(stderr, "puzzlebin_unframed: the description holds no skinned frame\n");
        return 2;
    }
    description.erase(begin, end + 7 - begin);
    return RunPuzzlebin(&argc, &argv, description);
}
