#include "document/text_pool.h"

#include <algorithm>
#include <functional>

namespace arrowplan {

KeptText TextPool::keep(const std::string& text) {
    const std::size_t hash = std::hash<std::string>{}(text);
    const auto [first, last] = texts_.equal_range(hash);
    for (auto entry = first; entry != last; ++entry) {
        if (KeptText kept = entry->second.lock(); kept && *kept == text) {
            return kept;
        }
    }
    auto kept = std::make_shared<const std::string>(text);
    texts_.emplace(hash, kept);
    if (texts_.size() >= pruneAt_) {
        prune();
    }
    return kept;
}

void TextPool::prune() {
    std::erase_if(texts_, [](const auto& entry) { return entry.second.expired(); });
    pruneAt_ = std::max<std::size_t>(64, 2 * texts_.size());
}

} // namespace arrowplan
