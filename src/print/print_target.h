#pragma once

#include <QPrinter>
#include <QString>

namespace arrowplan {

// The reports, each printed as documents of its own.
enum class DocumentKind { cards, list, costs, chart, risk, floats };

// Where the printed documents go, one after the other: each report asks for
// the printer of its next document.
class PrintTarget {
  public:
    virtual ~PrintTarget() = default;
    virtual QPrinter& startDocument(DocumentKind kind) = 0;
};

// The printer the user chose. When it prints to a file, each document gets
// a file of its own: the first the chosen name, the next ones that name with
// "-2", "-3", ... before the extension, so no document overwrites another.
class ChosenPrinter : public PrintTarget {
  public:
    explicit ChosenPrinter(QPrinter& printer)
        : printer_(printer), fileName_(printer.outputFileName()) {}
    QPrinter& startDocument(DocumentKind kind) override;
    // The files of the second and later of so many documents that are
    // there already (the printer dialog asks about the first).
    QStringList filesToReplace(int documents) const;

  private:
    QPrinter& printer_;
    QString fileName_;
    int documents_ = 0;
};

// PDF files named after a prefix and the report: PREFIX-cards-1.pdf,
// PREFIX-cards-2.pdf, PREFIX-list.pdf, PREFIX-costs.pdf, PREFIX-chart.pdf,
// PREFIX-risk.pdf and PREFIX-floats.pdf.
class PdfFiles : public PrintTarget {
  public:
    explicit PdfFiles(QString prefix);
    QPrinter& startDocument(DocumentKind kind) override;
    const QStringList& written() const { return written_; }

  private:
    QString prefix_;
    QPrinter printer_;
    int cards_ = 0;
    QStringList written_;
};

// name-2.pdf for name.pdf and the second document.
QString numberedFileName(const QString& fileName, int number);

} // namespace arrowplan
