#pragma once

// A sheet printer that prints nothing and writes down each finished line,
// laid out in the character reckoning (column 1 first, one column per
// character or space) with the font it was printed in. Like the real printer it keeps its font from one sheet to the
// next, and it can be told what endDocument answers, to stand in for a
// printer that fails. It counts every call, for a test that must see the
// printer left alone. Bound to no test framework: a sheet that tabs
// backwards, which one string of columns cannot show, ends the test.

#include "sheet_printer.h"

#include <QList>
#include <QString>
#include <QtGlobal>

struct FontState
{
    double points = 0; // 0: the printer's own size, never set
    bool bold = false;
    bool italic = false;
    bool underline = false;

    friend bool operator==(const FontState &, const FontState &) = default;
};

struct RecordedLine
{
    QString text;
    FontState font; // in force at its first text, or when it ended if it has none
};

class RecordingSheetPrinter final : public SheetPrinter
{
public:
    QList<RecordedLine> lines; // of all sheets, in order
    int sheetsEnded = 0;
    qsizetype linesWhenLastEnded = 0;
    Outcome answer; // what endDocument hands back
    QString documentName;
    int calls = 0; // of every kind

    void setDocumentName(const QString &name) override
    {
        ++calls;
        documentName = name;
    }

    void setFontSize(double points) override
    {
        ++calls;
        m_font.points = points;
    }
    void setBold(bool on) override
    {
        ++calls;
        m_font.bold = on;
    }
    void setItalic(bool on) override
    {
        ++calls;
        m_font.italic = on;
    }
    void setUnderline(bool on) override
    {
        ++calls;
        m_font.underline = on;
    }

    void printLine(const QList<PrintItem> &items, LineEnd end) override
    {
        ++calls;
        for (const PrintItem &item : items) {
            switch (item.kind) {
            case PrintItem::Kind::Tab:
                if (m_line.text.size() >= item.count)
                    qFatal("the sheet tabs back to column %d", item.count);
                m_line.text = m_line.text.leftJustified(item.count - 1, u' ');
                break;
            case PrintItem::Kind::Spaces:
                m_line.text += QString(item.count, u' ');
                break;
            case PrintItem::Kind::Text:
                if (!m_hasText)
                    m_line.font = m_font;
                m_hasText = true;
                m_line.text += item.text;
                break;
            }
        }
        if (end != LineEnd::LeftOpen)
            finishLine();
    }

    void printEmptyLine() override
    {
        ++calls;
        finishLine();
    }

    Outcome endDocument() override
    {
        ++calls;
        ++sheetsEnded;
        linesWhenLastEnded = lines.size();
        return answer;
    }

    // The lines of one sheet, when every sheet had the same number of lines.
    QList<RecordedLine> sheet(int index, int linesPerSheet) const
    {
        return lines.mid(index * linesPerSheet, linesPerSheet);
    }

private:
    void finishLine()
    {
        if (!m_hasText)
            m_line.font = m_font;
        lines << m_line;
        m_line = {};
        m_hasText = false;
    }

    FontState m_font;
    RecordedLine m_line;
    bool m_hasText = false;
};
