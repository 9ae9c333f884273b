#include "startup_failure.h"

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

using namespace Qt::StringLiterals;

void failStartup(const QString &reason)
{
    std::fprintf(stderr, "nic-decoder: cannot start: %s\n", qPrintable(reason));
    std::fflush(stderr);
#ifdef Q_OS_WIN
    const QString text = u"The program cannot start: "_s + reason;
    const QString title = QCoreApplication::applicationName();
    MessageBoxW(nullptr, reinterpret_cast<const wchar_t *>(text.utf16()),
                reinterpret_cast<const wchar_t *>(title.utf16()), MB_OK | MB_ICONERROR);
#endif
    // Nothing is left to tidy up: no window exists yet, nothing is saved.
    std::_Exit(EXIT_FAILURE);
}

QString startupFailureReason(const QString &qtMessage)
{
    // Qt's own words, without its advice.
    const qsizetype advice = qtMessage.indexOf(u"Reinstalling"_s);
    const QString qtWords = (advice < 0 ? qtMessage : qtMessage.left(advice)).trimmed();
    if (!qtMessage.contains(u"platform plugin"_s))
        return qtWords;
#ifdef Q_OS_WIN
    // The installed layout: bin\qt.conf names the plugins folder beside bin\.
    return u"Qt's Windows platform plugin could not be loaded; plugins\\platforms\\qwindows.dll belongs in "
           "the folder above nic-decoder.exe's, as the qt.conf beside nic-decoder.exe says."_s;
#else
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return u"no desktop to show the window on (is DISPLAY or WAYLAND_DISPLAY set?)"_s;
    // A desktop is named: it cannot be reached, or the plugin that reaches
    // it (or a library of the plugin's) is missing; Qt said which above.
    return u"the desktop named by DISPLAY or WAYLAND_DISPLAY could not be opened. "_s + qtWords;
#endif
}
