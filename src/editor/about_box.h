#pragma once

#include <QDialog>

namespace arrowplan {

// frmAbout: shown without waiting by the About menu and only hidden by its
// OK button, so the next About shows the same box again.
class AboutBox : public QDialog {
    Q_OBJECT

  public:
    explicit AboutBox(QWidget* parent);
};

} // namespace arrowplan
