#include "editor/about_box.h"

#include "editor/caption_button.h"
#include "platform/twips.h"
#include "platform/window_font.h"

#include <QLabel>
#include <QPushButton>

namespace arrowplan {

namespace {

constexpr Colour aboutBack = 0xF3E4D3;
constexpr Colour okBack = 0xFFFF00; // cyan

constexpr const char* credits =
    "Arrowplan draws critical-path charts of small projects: nodes are events, arrows are "
    "jobs. It works out the early and late times, the slack and the critical path, keeps a "
    "3x5 card for every job and a week-by-week cost table, and prints them all.";

} // namespace

AboutBox::AboutBox() {
    setObjectName("frmAbout");
    setWindowTitle("The Official About Box");
    setFont(windowFont());
    setFixedSize(twipsRect(0, 0, 5430, 1920).size());
    setStyleSheet(
        QString("QDialog, QLabel { background-color: %1; }").arg(toQColor(aboutBack).name()));

    auto* text = new QLabel(credits, this);
    text->setObjectName("Label1");
    text->setWordWrap(true);
    text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    text->setGeometry(twipsRect(120, 120, 5175, 1695));

    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("Command1");
    ok->setGeometry(twipsRect(600, 1560, 735, 255));
    ok->setStyleSheet(graphicalButtonStyle(okBack));
    ok->setDefault(true);
    ok->raise();
    connect(ok, &QPushButton::clicked, this, &QWidget::hide);
}

} // namespace arrowplan
