#pragma once

#include <cstddef>
#include <cstdint>

namespace arrowplan {

// Everything the program does with a file it loads, on any bytes at all: read
// it; when it reads, write it back and read that again (which must work),
// schedule it, list it and draw it. Aborts on a broken promise; the
// sanitizers catch the rest.
void probeProjectFile(const std::uint8_t* data, std::size_t size);

} // namespace arrowplan
