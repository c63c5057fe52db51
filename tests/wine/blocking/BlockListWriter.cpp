// A second copy of the program as far as the block list goes: blocks and
// releases commands of its own, one change after the other, so a test can run
// two of them at once and see that neither undoes the other's changes.
//   blocklist_writer <tag> <count>
#include <cstdlib>
#include <string>

#include "blocking/BlockList.h"

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    const std::string tag = argv[1];
    const int count = std::atoi(argv[2]);
    LoadBlockList();
    int failures = 0;
    for (int i = 0; i < count; ++i) {
        const std::string command = "C:\\" + tag + "\\" + std::to_string(i) + ".exe";
        // Every fourth change releases the command blocked just before it.
        const BlockListChange change =
            (i % 4 == 3) ? Unblock("C:\\" + tag + "\\" + std::to_string(i - 1) + ".exe") : Block(command);
        if (!change.accepted || !change.saved) ++failures;
    }
    return failures == 0 ? 0 : 1;
}
