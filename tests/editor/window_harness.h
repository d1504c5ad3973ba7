#pragma once

#include "editor/main_window.h"
#include "platform/scripted_prompts.h"
#include "platform/twips.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace arrowplan::testing {

inline const QString examples = QStringLiteral(ARROWPLAN_EXAMPLES);

inline QByteArray contentsOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeFile(const QString& path, const QByteArray& contents) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size();
}

// One window on one project, as the program has them, with scripted prompts.
// With a recovery folder, the document keeps its recovery copy there.
struct Harness {
    ScriptedPrompts prompts;
    ProjectDocument document;
    Project& project = document.project();
    MainWindow window{document, prompts};
    int endings = 0;

    explicit Harness(const QString& recoveryFolder = {}) : document(prompts, recoveryFolder) {
        window.setEndProgram([this] { ++endings; });
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }
    QPushButton* button(const char* name) { return window.findChild<QPushButton*>(name); }
    QAction* action(const char* name) { return window.findChild<QAction*>(name); }
    // The card, the print options and the about box are windows of their
    // own, not children of the main window.
    static QWidget* windowNamed(const char* name) {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top->objectName() == name) {
                return top;
            }
        }
        return nullptr;
    }
    // The count buttons, once they show counts, show the project's.
    bool showsCounts() {
        return button("cmdNode")->text() == "Nodes=" + QString::number(project.nodeCount) &&
               button("cmdEdge")->text() == "Edges=" + QString::number(project.edgeCount);
    }
    QStringList listed() {
        QStringList lines;
        for (int i = 0; i < window.List1()->count(); ++i) {
            lines << window.List1()->item(i)->text();
        }
        return lines;
    }
    void load(const QString& path) {
        prompts.files << path;
        action("loa")->trigger();
    }
    // A press on the drawing surface at a point given in twips, as the mouse
    // gives it (a multiple of 15 lands exactly on a pixel).
    void press(double x, double y, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(window.centralWidget(), button, {}, QPoint(pixels(x), pixels(y)));
    }
    // The colour a point of the chart, given in twips, shows on the canvas.
    QColor at(double x, double y) { return window.canvasImage().pixelColor(pixels(x), pixels(y)); }
};

} // namespace arrowplan::testing
