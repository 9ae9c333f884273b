#pragma once

// The file --output names, written under a temporary name beside it and
// renamed onto it only once the run has succeeded: a run that fails leaves
// no half-written file, and the file that was there before stays whole.
// The temporary file is removed on every other way out. A symbolic link is
// written through to its target, and on POSIX the new file keeps the owner
// (where the system allows) and the permissions of the one it replaces.

#include <cstdio>
#include <string>

class ReplacingFile
{
public:
    explicit ReplacingFile(std::string destination);
    ~ReplacingFile();

    ReplacingFile(const ReplacingFile &) = delete;
    ReplacingFile &operator=(const ReplacingFile &) = delete;

    // Makes the temporary file, open for writing; false with error().
    bool create();
    std::FILE *stream() const { return m_stream; }
    // For a writer that opens the file by its name itself (the xlsx library):
    // the stream is closed first.
    const std::string &temporaryPath();
    // Closes the temporary file and renames it onto the destination; false
    // with error(), and then the temporary file is gone.
    bool commit();
    const std::string &error() const { return m_error; }

private:
    bool fail(const std::string &what);
    void discard();

    std::string m_destination;
    std::string m_target; // the file replaced: the destination, or where its links lead
    std::string m_temporary;
    std::FILE *m_stream = nullptr;
    bool m_created = false;
    std::string m_error;
};
