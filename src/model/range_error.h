#pragma once

#include <stdexcept>
#include <string>

namespace arrowplan {

// Thrown when an index outside the tables' 0..100 is about to be used. The
// event-handler boundary turns it into a message and ends only the command.
class RangeError : public std::out_of_range {
  public:
    using std::out_of_range::out_of_range;
};

} // namespace arrowplan
