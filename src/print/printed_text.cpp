#include "print/printed_text.h"

#include "model/number_text.h"
#include "schedule/cpm.h"

namespace arrowplan {

namespace {

const std::string cardIndent(20, ' ');
const std::string listIndent(8, ' ');
constexpr int sheetTopLines = 7;
constexpr int listTopLines = 5;
constexpr int cardsPerSheet = 3;
constexpr std::size_t descriptionLines = 11;
constexpr std::size_t costLinesPerPage = 50;

const char* payText(std::int16_t mode) {
    switch (mode) {
    case payEvenly:
        return "Pay evenly each week";
    case payAtStart:
        return "Pay at start of job";
    case payHalfAndHalf:
        return "Pay 50% @start,50% @finish";
    case payAtEnd:
        return "Pay at end of job";
    default:
        return "";
    }
}

std::vector<std::string> textLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        lines.push_back(text.substr(start, end - start));
    }
    lines.push_back(text.substr(start));
    return lines;
}

template <typename Number> std::string field(Number value, std::size_t width) {
    return rightAligned(plainText(value), width);
}

} // namespace

std::vector<std::string> jobCardLines(const Project& project, int k, bool suppressCosts,
                                      const CurrencyFormat& format) {
    const Currency from = project.edgeFrom[k];
    const Currency to = project.edgeTo[k];
    const Currency early = project.earlyTime[nodeSlot(from)];
    const Currency late = project.lateTime[nodeSlot(to)];
    const Currency slack = late - early - duration(project, k);

    std::vector<std::string> lines;
    lines.push_back(cardIndent + "Title: " + project.jobTitle[k].text() + "      Done?: " +
                    (project.jobDone[k] == 1 ? "Yes " : "No  ") + "ID#:" + field(k, 4));
    lines.emplace_back();
    std::string job = cardIndent + "Job:" + field(from, 3) + "," + field(to, 3) +
                      "  Duration:" + field(project.edgeWeight[k], 3);
    std::string times =
        cardIndent + "Early Start:" + field(early, 4) + "  Delay:" + field(project.jobDelay[k], 4);
    if (!suppressCosts) {
        job += std::string("  Payment:") + payText(project.jobPayMode[k]);
        times += " Amount: " + currencyText(project.jobAmount[k], format);
    }
    lines.push_back(job);
    lines.push_back(times);
    lines.push_back(cardIndent + "Late Finish:" + field(late, 4) + "  Slack:" + field(slack, 4) +
                    " Actual Time:" + field(project.jobActualTime[k], 4));
    lines.push_back(cardIndent + "Job Description/Contact Information");
    lines.emplace_back(" ");
    std::vector<std::string> notes = textLines(project.jobNotes[k]);
    notes.resize(descriptionLines, " ");
    for (const std::string& note : notes) {
        lines.push_back(cardIndent + note);
    }
    lines.emplace_back(9, ' ');
    lines.emplace_back(9, ' ');
    return lines;
}

std::vector<PrintedDocument> jobCardDocuments(const Project& project, bool suppressCosts,
                                              const CurrencyFormat& format) {
    const std::vector<std::string> sheetTop(sheetTopLines);
    std::vector<PrintedDocument> documents{{{sheetTop}}};
    for (int k = 1; k <= project.edgeCount; ++k) {
        std::vector<std::string>& page = documents.back().pages.back();
        for (std::string& line : jobCardLines(project, k, suppressCosts, format)) {
            page.push_back(std::move(line));
        }
        if (k % cardsPerSheet == 0) {
            documents.push_back({{sheetTop}});
        }
    }
    return documents;
}

PrintedDocument listingDocument(const std::vector<std::string>& lines) {
    std::vector<std::string> page(listTopLines);
    for (const std::string& line : lines) {
        page.push_back(listIndent + line);
    }
    return {{page}};
}

PrintedDocument costDocument(const std::vector<std::string>& lines) {
    PrintedDocument document;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i % costLinesPerPage == 0) {
            document.pages.emplace_back(listTopLines);
        }
        document.pages.back().push_back(listIndent + lines[i]);
    }
    if (document.pages.empty()) {
        document.pages.emplace_back(listTopLines);
    }
    return document;
}

} // namespace arrowplan
