#include "cups_module.h"

#include <QFileInfo>
#include <QLibrary>
#include <QString>

#include <utility>

namespace {

constexpr QStringView MissingFile = u"The file \"%1\" is missing.";
constexpr QStringView NotLoaded = u"The file \"%1\" could not be loaded (%2).";

// Loads the module at the first sheet, and has it make a queue for each.
class CupsModule final : public SheetDestination
{
public:
    explicit CupsModule(const QString &file) : m_file(file) {}

    Outcome begin(QPainter &painter, const QString &documentName) override
    {
        if (!m_make) {
            Outcome missing{Failure::PrintingPartMissing, {}, {}};
            if (!QFileInfo::exists(m_file)) {
                missing.reason = MissingFile.toString().arg(m_file);
                return missing;
            }
            // Never unloaded: the queue's code must outlive every sheet.
            QLibrary module(m_file);
            m_make = reinterpret_cast<decltype(&nicMakeCupsQueue)>(module.resolve(MakeCupsQueueSymbol));
            if (!m_make) {
                missing.reason = NotLoaded.toString().arg(m_file, module.errorString());
                return missing;
            }
        }
        m_make(m_queue);
        const Outcome begun = m_queue->begin(painter, documentName);
        if (!begun.succeeded())
            m_queue.reset();
        return begun;
    }

    // Only ever after a sheet began, so its queue is there.
    Outcome finish(QPainter &painter) override { return std::exchange(m_queue, {})->finish(painter); }
    void drop(QPainter &painter) override { std::exchange(m_queue, {})->drop(painter); }

private:
    const QString m_file;
    decltype(&nicMakeCupsQueue) m_make = nullptr;
    std::unique_ptr<SheetDestination> m_queue; // the sheet's under way
};

} // namespace

std::unique_ptr<SheetDestination> CupsQueueFromModule(const QString &file)
{
    return std::make_unique<CupsModule>(file);
}
