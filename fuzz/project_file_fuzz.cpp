// libFuzzer's entry: every input is a .cpm file the user might load.

#include "project_file_probe.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    arrowplan::probeProjectFile(data, size);
    return 0;
}
