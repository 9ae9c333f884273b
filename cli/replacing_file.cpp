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
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// Names tried for the temporary file before giving up: another run may
// write beside the same destination at the same time.
constexpr int NameTries = 100;

#ifndef _WIN32
// Links followed before giving up, as the system itself does.
constexpr int MaxLinks = 40;
// A new file's permissions, which the umask narrows.
constexpr mode_t NewFileMode = 0666;
constexpr mode_t PermissionBits = 0777;
constexpr mode_t ModeBits = 07777;
#endif

// The file that the destination names: a symbolic link is followed to the
// file it points to, so that the file is replaced where it lies and the link
// stays. On Windows, where a link needs rights to make, the name is taken
// as it is.
std::string linkTarget(const std::string &destination)
{
#ifdef _WIN32
    return destination;
#else
    std::filesystem::path path(destination);
    std::error_code error;
    for (int link = 0; link < MaxLinks && std::filesystem::is_symlink(path, error); ++link) {
        const std::filesystem::path target = std::filesystem::read_symlink(path, error);
        if (error)
            break;
        // A relative link is read from the folder the link is in.
        path = path.parent_path() / target;
    }
    return path.string();
#endif
}

#ifndef _WIN32
void takeOwnerAndMode(int descriptor, const struct stat &replaced)
{
    if (fchown(descriptor, replaced.st_uid, replaced.st_gid) != 0) {
        // Only root may give a file away: for anyone else it stays theirs,
        // which is no reason to fail the run.
    }
    // After the owner, whose change may clear the set-ID bits. A file
    // system without permissions (a FAT stick) has none to keep.
    fchmod(descriptor, replaced.st_mode & ModeBits);
}
#endif

// A new file at path, open for writing. On POSIX it takes the owner and the
// permissions of the file it is to replace, when there is one, and is never
// more open than that file, not even before it is changed.
int createExclusive(const std::string &path, [[maybe_unused]] const std::string &toReplace)
{
#ifdef _WIN32
    return _open(path.c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY, _S_IREAD | _S_IWRITE);
#else
    struct stat replaced = {};
    const bool replacing = ::stat(toReplace.c_str(), &replaced) == 0;
    const int descriptor = ::open(path.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC,
                                  replacing ? replaced.st_mode & PermissionBits : NewFileMode);
    if (descriptor >= 0 && replacing)
        takeOwnerAndMode(descriptor, replaced);
    return descriptor;
#endif
}

// The descriptor is closed when no stream can be made of it.
std::FILE *streamOf(int descriptor)
{
#ifdef _WIN32
    std::FILE *stream = _fdopen(descriptor, "wb");
#else
    std::FILE *stream = fdopen(descriptor, "wb");
#endif
    if (!stream) {
        const int error = errno;
#ifdef _WIN32
        _close(descriptor);
#else
        ::close(descriptor);
#endif
        errno = error;
    }
    return stream;
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
    m_target = linkTarget(m_destination);
    for (int attempt = 1; attempt <= NameTries; ++attempt) {
        // Beside the file replaced, so that the rename stays on its file system.
        m_temporary = m_target + ".part" + std::to_string(attempt);
        const int descriptor = createExclusive(m_temporary, m_target);
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
    if (!replace(m_temporary, m_target))
        return fail("could not be put in place: " + systemError());
    m_created = false;
    return true;
}
