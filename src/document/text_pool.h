#pragma once

#include <memory>
#include <string>
#include <unordered_map>

namespace arrowplan {

// A text the history keeps: shared, so that a description that appears in
// many steps (every Delete moves every later one) is stored once.
using KeptText = std::shared_ptr<const std::string>;

// Hands out one shared copy of each distinct text still in use. The pool
// holds its texts weakly, by their hash, so a text nobody keeps is freed.
class TextPool {
  public:
    KeptText keep(const std::string& text);

  private:
    // Forgets the texts nobody holds any more, once the map has doubled.
    void prune();

    std::unordered_multimap<std::size_t, std::weak_ptr<const std::string>> texts_;
    std::size_t pruneAt_ = 64;
};

} // namespace arrowplan
