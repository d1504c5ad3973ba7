#pragma once

#include <QDialog>

namespace arrowplan {

// frmAbout: shown without waiting by the About menu and only hidden by its
// OK button, so the next About shows the same box again. A window of its
// own, not a child of the main window, which the job card disables.
class AboutBox : public QDialog {
    Q_OBJECT

  public:
    AboutBox();
};

} // namespace arrowplan
