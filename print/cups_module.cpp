#include "cups_module.h"

#include <QFileInfo>
#include <QLibrary>

namespace {

constexpr QStringView MissingFile = u"The file \"%1\" is missing.";
constexpr QStringView NotLoaded = u"The file \"%1\" could not be loaded (%2).";

} // namespace

CupsModule::CupsModule(const QString &file) : m_file(file) {}

CupsModule::~CupsModule() = default;

SheetDelivery::Outcome CupsModule::load()
{
    Outcome failed{Failure::PrintingPartMissing, {}, {}};
    if (!QFileInfo::exists(m_file)) {
        failed.reason = MissingFile.toString().arg(m_file);
        return failed;
    }
    // Never unloaded: the queue's code must outlive every sheet.
    QLibrary module(m_file);
    const auto make = reinterpret_cast<decltype(&nicMakeCupsQueue)>(module.resolve(MakeCupsQueueSymbol));
    if (!make) {
        failed.reason = NotLoaded.toString().arg(m_file, module.errorString());
        return failed;
    }
    make(m_queue);
    return {};
}

SheetDelivery::Outcome CupsModule::open(const QString &documentName)
{
    if (!m_queue) {
        const Outcome loaded = load();
        if (!loaded.succeeded())
            return loaded;
    }
    return m_queue->open(documentName);
}

QPagedPaintDevice *CupsModule::page()
{
    return m_queue ? m_queue->page() : nullptr;
}

bool CupsModule::pageFailed() const
{
    return m_queue && m_queue->pageFailed();
}

SheetDelivery::Failure CupsModule::startFailure() const
{
    return m_queue ? m_queue->startFailure() : Failure::PrintingPartMissing;
}

SheetDelivery::Outcome CupsModule::deliver()
{
    return m_queue ? m_queue->deliver() : Outcome{Failure::PrintingPartMissing, {}, {}};
}

void CupsModule::drop()
{
    if (m_queue)
        m_queue->drop();
}
