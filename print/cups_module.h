#pragma once

// The CUPS queue, loaded from the program's own module at the first sheet.
// libcups and what it brings (Kerberos, GnuTLS, Avahi) weigh about a tenth
// of the program's memory at start, and most starts never print. Where the
// module is missing or will not load, every sheet ends as a failure that
// names the file; the program never ends or crashes for it. Once loaded the
// module stays for the rest of the program.

#include "sheet_delivery.h"

#include <QString>

#include <memory>

class CupsModule final : public SheetDelivery
{
public:
    // The module file, as the program's install step puts it.
    explicit CupsModule(const QString &file);
    ~CupsModule() override;

    CupsModule(const CupsModule &) = delete;
    CupsModule &operator=(const CupsModule &) = delete;

    Outcome open(const QString &documentName) override;
    QPagedPaintDevice *page() override;
    bool pageFailed() const override;
    Failure startFailure() const override;
    Outcome deliver() override;
    void drop() override;

private:
    Outcome load();

    QString m_file;
    std::unique_ptr<SheetDelivery> m_queue; // once the module is loaded
};

// The module's one entry, found by the name below: puts a new CUPS queue in
// the pointer given.
extern "C" void nicMakeCupsQueue(std::unique_ptr<SheetDelivery> &queue);
inline constexpr char MakeCupsQueueSymbol[] = "nicMakeCupsQueue";
