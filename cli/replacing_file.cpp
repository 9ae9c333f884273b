#include "replacing_file.h"

#include <cerrno>
#include <fcntl.h>
#include <system_error>
#include <utility>

#ifdef _WIN32
#include <io.h>
#include <sys/stat.h>
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

// Names tried for the temporary file before giving up: another run may
// write beside the same destination at the same time.
constexpr int NameTries = 100;

int createExclusive(const std::string &path)
{
#ifdef _WIN32
    return _open(path.c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY, _S_IREAD | _S_IWRITE);
#else
    // 0666 less the umask: the permissions any new file of the user gets.
    return ::open(path.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
#endif
}

std::FILE *streamOf(int descriptor)
{
#ifdef _WIN32
    return _fdopen(descriptor, "wb");
#else
    return fdopen(descriptor, "wb");
#endif
}

// Replaces the destination in one step where the system allows it.
bool replace(const std::string &from, const std::string &to)
{
#ifdef _WIN32
    // The program's code page is UTF-8 (its manifest), so the narrow names are too.
    if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    errno = GetLastError() == ERROR_ACCESS_DENIED ? EACCES : EIO;
    return false;
#else
    return std::rename(from.c_str(), to.c_str()) == 0;
#endif
}

std::string systemError()
{
    return std::generic_category().message(errno);
}

} // namespace

ReplacingFile::ReplacingFile(std::string destination) : m_destination(std::move(destination)) {}

ReplacingFile::~ReplacingFile()
{
    discard();
}

bool ReplacingFile::fail(const std::string &what)
{
    m_error = m_destination + ": " + what;
    discard();
    return false;
}

void ReplacingFile::discard()
{
    if (m_stream)
        std::fclose(m_stream);
    m_stream = nullptr;
    if (m_created)
        std::remove(m_temporary.c_str());
    m_created = false;
}

bool ReplacingFile::create()
{
    for (int attempt = 1; attempt <= NameTries; ++attempt) {
        m_temporary = m_destination + ".part" + std::to_string(attempt);
        const int descriptor = createExclusive(m_temporary);
        if (descriptor < 0) {
            if (errno == EEXIST)
                continue;
            return fail("cannot be written: " + systemError());
        }
        m_created = true;
        m_stream = streamOf(descriptor);
        if (!m_stream)
            return fail("cannot be written: " + systemError());
        return true;
    }
    return fail("cannot be written: no free name for a temporary file beside it");
}

const std::string &ReplacingFile::temporaryPath()
{
    if (m_stream)
        std::fclose(m_stream);
    m_stream = nullptr;
    return m_temporary;
}

bool ReplacingFile::commit()
{
    if (m_stream) {
        const bool closed = std::fclose(m_stream) == 0;
        m_stream = nullptr;
        if (!closed)
            return fail("could not be written: " + systemError());
    }
    if (!replace(m_temporary, m_destination))
        return fail("could not be put in place: " + systemError());
    m_created = false;
    return true;
}
