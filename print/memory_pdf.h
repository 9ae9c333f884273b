#pragma once

// A sheet drawn as a PDF in memory, on the paper given, the way Qt's printer
// support would lay out a PDF page. Only the whole of it is ever handed on
// (to a file or a queue), so a write that fails halfway is seen and nothing
// half-written is sent or left as the user's file.

#include <QByteArray>

#include <memory>

class QBuffer;
class QPageSize;
class QPagedPaintDevice;
class QPdfWriter;
class QString;

class MemoryPdf
{
public:
    MemoryPdf(const QPageSize &paper, const QString &title);
    ~MemoryPdf();

    MemoryPdf(const MemoryPdf &) = delete;
    MemoryPdf &operator=(const MemoryPdf &) = delete;

    QPagedPaintDevice *page() const;
    // The PDF, once painting on the page has ended.
    QByteArray bytes() const;

    // The paper of the user's locale: Letter where US measures are used, A4 elsewhere.
    static QPageSize localePaper();

private:
    std::unique_ptr<QBuffer> m_buffer;
    std::unique_ptr<QPdfWriter> m_writer; // writes into m_buffer, so it goes first
};
