#pragma once

#include "model/currency_text.h"
#include "model/project.h"

#include <string>
#include <vector>

namespace arrowplan {

// A text report as it goes to the printer: one printer document, its pages
// as the report breaks them, each page its lines from the top. A page that
// runs past the paper goes on on a new sheet by itself.
struct PrintedDocument {
    std::vector<std::vector<std::string>> pages;
    bool operator==(const PrintedDocument&) const = default;
};

// The job cards for sheets of three 3x5 index cards: every sheet is a
// document of its own, starting with 7 empty lines; each card is 20 lines.
// After every third card a new sheet begins, so three cards make two
// documents, the second only the empty lines. Without costs, the payment
// and the amount are left off.
std::vector<PrintedDocument> jobCardDocuments(const Project& project, bool suppressCosts,
                                              const CurrencyFormat& format);

// The 20 lines of job k's card.
std::vector<std::string> jobCardLines(const Project& project, int k, bool suppressCosts,
                                      const CurrencyFormat& format);

// The list box's lines as a document: 5 empty lines, then every line behind
// 8 blanks, on as many sheets as it takes.
PrintedDocument listingDocument(const std::vector<std::string>& lines);

// The weekly costs: like the listing, but a new page with 5 empty lines of
// its own before every 50th line.
PrintedDocument costDocument(const std::vector<std::string>& lines);

} // namespace arrowplan
