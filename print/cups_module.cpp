#include "cups_module.h"

#include <QFileInfo>
#include <QLibrary>
#include <QString>

#include <utility>

namespace {

constexpr QStringView MissingFile = u"The file \"%1\" is missing.";
constexpr QStringView NotLoaded = u"The file \"%1\" could not be loaded (%2).";

// Loads the module at the first sheet and keeps it (the queue's code must
// outlive every sheet), and has it make a queue for each sheet.
class CupsModule final : public SheetDestination
{
public:
    explicit CupsModule(const QString &file) : m_file(file) {}

    Outcome begin(QPainter &painter, const QString &documentName) override
    {
        QLibrary module(m_file); // never unloaded
        const auto make = reinterpret_cast<decltype(&nicMakeCupsQueue)>(module.resolve(MakeCupsQueueSymbol));
        if (!make) {
            return {Failure::PrintingPartMissing,
                    {},
                    QFileInfo::exists(m_file) ? NotLoaded.toString().arg(m_file, module.errorString())
                                              : MissingFile.toString().arg(m_file)};
        }
        make(m_queue);
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
    std::unique_ptr<SheetDestination> m_queue; // the sheet's under way
};

} // namespace

std::unique_ptr<SheetDestination> CupsQueueFromModule(const QString &file)
{
    return std::make_unique<CupsModule>(file);
}
