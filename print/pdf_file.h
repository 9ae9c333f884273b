#pragma once

// A sheet saved as a PDF file, on the paper of the user's locale, replacing
// what the file held. The file is written only whole, through a temporary
// file beside it, so a full disk or a folder that cannot be written is
// reported and the file is left as it was. The outcome names the file.

#include "sheet_destination.h"

#include <QString>

#include <memory>

class QPageSize;
class QPdfWriter;
class QSaveFile;

// Readies a PDF page the way Qt's printer support lays one out, on the paper given.
void SetUpPdfPage(QPdfWriter &page, const QPageSize &paper, const QString &title);
// The paper of the user's locale: Letter where US measures are used, A4 elsewhere.
QPageSize LocalePaper();

class PdfFile final : public SheetDestination
{
public:
    explicit PdfFile(const QString &file);
    ~PdfFile() override;

    Outcome begin(QPainter &painter, const QString &documentName) override;
    Outcome finish(QPainter &painter) override;
    void drop(QPainter &painter) override;

private:
    const QString m_fileName;
    // While a sheet is drawn; the page writes into the file, so it goes first.
    std::unique_ptr<QSaveFile> m_file;
    std::unique_ptr<QPdfWriter> m_page;
};
