#pragma once

#include <string>
#include <string_view>

namespace arrowplan {

// A job title is always exactly 14 characters: a shorter text is padded with
// blanks on the right, a longer one is cut. A title never set is 14 blanks,
// and NUL characters become blanks, so neither the listing nor the file can
// carry them.
class JobTitle {
  public:
    static constexpr std::size_t width = 14;

    JobTitle() : JobTitle(std::string_view{}) {}
    explicit JobTitle(std::string_view text);

    const std::string& text() const { return text_; }
    // The title without the blanks that pad it, for a spreadsheet or a script.
    std::string trimmed() const { return text_.substr(0, text_.find_last_not_of(' ') + 1); }
    bool operator==(const JobTitle&) const = default;

  private:
    std::string text_;
};

// The text padded with blanks on the right, or cut, to exactly width characters.
std::string paddedToWidth(std::string_view text, std::size_t width);

} // namespace arrowplan
