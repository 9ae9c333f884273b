#pragma once

// A sheet saved as a PDF file, on the paper of the user's locale, replacing
// what the file held. The file is written only whole, through a temporary
// file beside it, so a full disk or a folder that cannot be written is
// reported and the file is left as it was. The outcome names the file.

#include "sheet_destination.h"

#include <QBuffer>
#include <QPdfWriter>
#include <QString>

#include <optional>

class QPageSize;

// A sheet drawn as a PDF in memory, on the paper given, the way Qt's printer
// support would lay out a PDF page. Only the whole of it is ever handed on
// (to a file or a CUPS queue), so nothing half-written is sent or kept.
struct MemoryPdf
{
    MemoryPdf(const QPageSize &paper, const QString &title);

    // The paper of the user's locale: Letter where US measures are used, A4 elsewhere.
    static QPageSize localePaper();

    QBuffer bytes;
    QPdfWriter page{&bytes};
};

class PdfFile final : public SheetDestination
{
public:
    explicit PdfFile(const QString &file);

    Outcome begin(QPainter &painter, const QString &documentName) override;
    Outcome finish(QPainter &painter) override;
    void drop(QPainter &painter) override;

private:
    Outcome outcome(Failure failure = Failure::None) const;

    const QString m_file;
    std::optional<MemoryPdf> m_pdf; // while a sheet is drawn
};
