#include "command_line_answer.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

#include <cstdio>
#include <cstdlib>

#ifdef Q_OS_WIN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#endif

namespace {

#ifdef Q_OS_WIN
// Standard output handed down as anything but a console: a pipe, a file, NUL.
// Asked of the handle itself: Wine hands a program started from Linux its
// pipes without saying so in the start-up information, as Windows would.
HANDLE redirectedOutput()
{
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    if (output == nullptr || output == INVALID_HANDLE_VALUE || GetFileType(output) == FILE_TYPE_UNKNOWN)
        return nullptr;
    DWORD mode = 0;
    return GetConsoleMode(output, &mode) ? nullptr : output;
}

void writeBytes(HANDLE output, const QByteArray &bytes)
{
    DWORD written = 0;
    WriteFile(output, bytes.constData(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

// The console of the process that started this one (cmd, PowerShell), as
// UTF-16, so no code page changes a letter; false where there is none.
// Wine attaches a program to its parent's console by itself, where Windows
// leaves a program with a window without one.
bool writeToParentConsole(const QString &text)
{
    if (!AttachConsole(ATTACH_PARENT_PROCESS) && GetLastError() != ERROR_ACCESS_DENIED)
        return false;
    const HANDLE console = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                       nullptr, OPEN_EXISTING, 0, nullptr);
    if (console == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    WriteConsoleW(console, text.utf16(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(console);
    return true;
}
#endif

} // namespace

void answerCommandLine(const QString &text)
{
#ifdef Q_OS_WIN
    if (const HANDLE output = redirectedOutput())
        writeBytes(output, text.toLocal8Bit());
    else if (!writeToParentConsole(text))
        MessageBoxW(nullptr, reinterpret_cast<const wchar_t *>(text.utf16()),
                    reinterpret_cast<const wchar_t *>(QCoreApplication::applicationName().utf16()),
                    MB_OK | MB_ICONINFORMATION | MB_SETFOREGROUND);
#else
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
#endif
    std::fflush(stdout);
    std::exit(EXIT_SUCCESS);
}
