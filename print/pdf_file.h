#pragma once

// A sheet saved as a PDF file, on the paper of the user's locale, replacing
// what the file held. The file is written only whole, through a temporary
// file beside it, so a full disk or a folder that cannot be written is
// reported and the file is left as it was. The outcome names the file.

#include "sheet_delivery.h"

#include <QString>

#include <memory>

class MemoryPdf;

class PdfFile final : public SheetDelivery
{
public:
    explicit PdfFile(const QString &file);
    ~PdfFile() override;

    PdfFile(const PdfFile &) = delete;
    PdfFile &operator=(const PdfFile &) = delete;

    Outcome open(const QString &documentName) override;
    QPagedPaintDevice *page() override;
    Outcome deliver() override;
    void drop() override;

private:
    Outcome outcome(Failure failure = Failure::None) const;

    const QString m_file;
    std::unique_ptr<MemoryPdf> m_pdf;
};
