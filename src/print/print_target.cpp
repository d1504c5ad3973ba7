#include "print/print_target.h"

#include <QFileInfo>

namespace arrowplan {

QString numberedFileName(const QString& fileName, int number) {
    const QFileInfo info(fileName);
    const QString suffix = info.suffix();
    const QString stem = suffix.isEmpty() ? fileName : fileName.chopped(suffix.size() + 1);
    return stem + "-" + QString::number(number) + (suffix.isEmpty() ? "" : "." + suffix);
}

QPrinter& ChosenPrinter::startDocument(DocumentKind) {
    ++documents_;
    if (!fileName_.isEmpty()) {
        printer_.setOutputFileName(documents_ == 1 ? fileName_
                                                   : numberedFileName(fileName_, documents_));
    }
    return printer_;
}

QStringList ChosenPrinter::filesToReplace(int documents) const {
    QStringList existing;
    for (int number = 2; !fileName_.isEmpty() && number <= documents; ++number) {
        if (const QString name = numberedFileName(fileName_, number); QFileInfo::exists(name)) {
            existing << name;
        }
    }
    return existing;
}

PdfFiles::PdfFiles(QString prefix)
    : prefix_(std::move(prefix)), printer_(QPrinter::HighResolution) {
    printer_.setOutputFormat(QPrinter::PdfFormat);
}

QPrinter& PdfFiles::startDocument(DocumentKind kind) {
    static constexpr const char* kindNames[] = {"cards", "list", "costs",
                                                "chart", "risk", "floats"};
    QString name = prefix_ + "-" + kindNames[static_cast<int>(kind)];
    if (kind == DocumentKind::cards) {
        name += "-" + QString::number(++cards_); // a file for each sheet
    }

    name += ".pdf";
    printer_.setOutputFileName(name);
    written_ << name;
    return printer_;
}

} // namespace arrowplan
