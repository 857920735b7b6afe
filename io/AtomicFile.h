#pragma once
// Writing a file so that it either appears whole or not at all.
//
// The bytes go to a temporary file in the target's folder, named
// ".qelvar-XXXXXX" (six random characters) so that one left behind by a killed
// process is recognisable; it is flushed and synced, then renamed over the
// target.  Any failure removes the temporary file, leaves an existing target
// as it was and reports the system's error number.
//
// Replacing an existing file:
// - a file the user may not write to is refused with EACCES, as opening it
//   for writing would be.  The superuser may open any file, so for root a
//   file with no write bit at all (e.g. 0444) counts as protected and is
//   refused too: replacing it would silently undo a deliberate protection.
// - a symbolic link is followed: the file it points at is replaced (its
//   temporary file lives in that file's folder) and the link stays a link.
// - the new file keeps the old one's permission bits except setuid, setgid
//   and sticky, and (where the system allows) its owner and group.
// - an existing target that is not a regular file (a terminal, a pipe,
//   /dev/null) cannot be replaced and is written directly.
// A new file gets 0666 less the process's umask.

#include <cstddef>
#include <span>
#include <string>

namespace qelvar {

struct AtomicWriteResult {
    bool ok = false;
    int error = 0;        // errno value; 0 when ok
    std::string message;  // the system's text for `error`; empty when ok
};

// The result for `error` (0 gives success).
AtomicWriteResult AtomicWriteResultFor(int error);

// Writes `data` as the whole new content of `path`.
AtomicWriteResult WriteFileAtomically(const std::string& path, std::span<const std::byte> data);

// The same write in pieces, for content produced as it is written:
// Open, Write any number of times, Commit.  Destroying the object before a
// successful Commit removes the temporary file.
class AtomicFile {
public:
    explicit AtomicFile(std::string path);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    AtomicWriteResult Open();
    AtomicWriteResult Write(std::span<const std::byte> data);
    AtomicWriteResult Commit();
    // Removes the temporary file; the target is left as it was.
    void Discard();

    // The temporary file's path while one is open (empty otherwise).
    const std::string& TemporaryPath() const { return m_tempPath; }

private:
    AtomicWriteResult Fail(int error);

    std::string m_path;       // as given
    std::string m_finalPath;  // after following symbolic links
    std::string m_tempPath;
    int m_fd = -1;
    bool m_direct = false;  // writing straight into a non-regular file
};

}  // namespace qelvar
