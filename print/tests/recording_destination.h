#pragma once

// A destination that prints nothing: it records each sheet drawn on it, as
// the texts drawn line by line, and ends it with what the test chose. It can
// keep the print system busy for a while before the sheet begins or while
// it takes the sheet, as a slow or stopped scheduler does, and say that a
// window of its own is open for the user. The printer and the PDF files of one print service write into
// one log.

#include "sheet_destination.h"

#include <QFont>
#include <QList>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QStringList>

#include <atomic>
#include <chrono>
#include <climits>
#include <map>
#include <memory>
#include <thread>

struct RecordedSheet
{
    QString file; // where it was saved; empty for the printer
    QString documentName;
    QList<QStringList> lines; // the texts drawn on each line with text, top to bottom, left to right
    QList<double> baselines;  // of those lines, in the page's dots from its top
    QFont titleFont;          // the first text's
};

// A page that keeps the texts drawn on it, by their baselines.
class TextPage final : public QPaintDevice
{
public:
    QPaintEngine *paintEngine() const override { return &m_engine; }

    QList<double> baselines() const
    {
        QList<double> baselines;
        for (const auto &[baseline, texts] : m_engine.texts)
            baselines << baseline;
        return baselines;
    }
    QFont firstFont() const { return m_engine.firstFont; }

    QList<QStringList> lines() const
    {
        QList<QStringList> lines;
        for (const auto &[baseline, texts] : m_engine.texts) {
            QStringList line;
            for (const auto &[left, text] : texts)
                line << text;
            lines << line;
        }
        return lines;
    }

protected:
    // A4 at 1200 dots per inch, as the program's PDF pages.
    int metric(PaintDeviceMetric metric) const override
    {
        constexpr int Dpi = 1200;
        switch (metric) {
        case PdmWidth:
            return 9921;
        case PdmHeight:
            return 14031;
        case PdmWidthMM:
            return 210;
        case PdmHeightMM:
            return 297;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return Dpi;
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return INT_MAX;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        default:
            // Those of later Qt versions (6.8's encoded pixel ratio): Qt's own answer.
            return QPaintDevice::metric(metric);
        }
    }

private:
    class Engine final : public QPaintEngine
    {
    public:
        Engine() : QPaintEngine(AllFeatures) {}

        bool begin(QPaintDevice *) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState &) override {}
        void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
        // Lines (underlines) and shapes draw nothing; without these Qt's own
        // forms of them call one another for ever.
        using QPaintEngine::drawPolygon;
        void drawPolygon(const QPointF *, int, PolygonDrawMode) override {}
        void drawPath(const QPainterPath &) override {}
        void drawTextItem(const QPointF &at, const QTextItem &item) override
        {
            if (texts.empty())
                firstFont = item.font();
            texts[at.y()][at.x()] += item.text();
        }
        Type type() const override { return User; }

        std::map<double, std::map<double, QString>> texts; // by baseline, then by left edge
        QFont firstFont;
    };

    mutable Engine m_engine;
};

class RecordingDestination final : public SheetDestination
{
public:
    // What the test chooses and what it reads, for all the destinations of one service.
    struct Log
    {
        QList<RecordedSheet> sheets; // each sheet that ended, in order; read once its press has ended
        std::atomic<int> begun = 0;  // sheets the print system was asked to take, ended or not
        Outcome answer;              // how each sheet on the printer ends
        QStringList failingFiles;    // files a sheet cannot be saved in
        // How long each sheet on the printer keeps the print system busy
        // before it begins, and while it takes the drawn sheet.
        std::chrono::milliseconds hold{0};
        std::chrono::milliseconds holdTaking{0};
        std::atomic<bool> asksTheUser = false; // the printer's own window is open throughout
    };

    explicit RecordingDestination(Log &log, const QString &file = {}) : m_log(log), m_file(file) {}

    Outcome begin(QPainter &painter, const QString &documentName) override
    {
        ++m_log.begun;
        if (m_file.isEmpty())
            std::this_thread::sleep_for(m_log.hold);
        m_page = std::make_unique<TextPage>();
        m_documentName = documentName;
        painter.begin(m_page.get());
        return {};
    }
    Outcome finish(QPainter &painter) override
    {
        painter.end();
        if (m_file.isEmpty())
            std::this_thread::sleep_for(m_log.holdTaking);
        m_log.sheets.append({m_file, m_documentName, m_page->lines(), m_page->baselines(), m_page->firstFont()});
        if (m_file.isEmpty())
            return m_log.answer;
        Outcome saved;
        saved.printerName = m_file;
        if (m_log.failingFiles.contains(m_file))
            saved.failure = Failure::CannotStart;
        return saved;
    }
    void drop(QPainter &painter) override { painter.end(); }
    bool asksTheUser() const override { return m_log.asksTheUser; }

private:
    Log &m_log;
    const QString m_file;
    std::unique_ptr<TextPage> m_page;
    QString m_documentName;
};

// The date stamp's line as the sheet shows it.
inline QString stampOf(const RecordedSheet &sheet)
{
    for (const QStringList &line : sheet.lines) {
        if (line.constFirst().startsWith(u"Above detail process"))
            return line.join(QString());
    }
    return {};
}

// The values of the sheet's six detail lines, top to bottom: the texts
// after each label's colon (IdNo, DateOB, HDateOB, DayOB, Sex, Age).
inline QStringList detailValues(const RecordedSheet &sheet)
{
    QStringList values;
    for (const QStringList &line : sheet.lines) {
        if (line.size() >= 2 && line.at(1) == u':')
            values << QStringList(line.mid(2)).join(QString());
    }
    return values;
}
