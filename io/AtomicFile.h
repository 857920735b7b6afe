#pragma once
// Writing a file so that it either appears whole or not at all.
//
// The path is resolved by the kernel (its protections of links and files in
// shared folders, fs.protected_symlinks and fs.protected_regular, apply):
// - a regular file, or none yet: the bytes go to a temporary file in the
//   folder of the file the path finally names, ".qelvar-XXXXXX" (six random
//   characters) so that one left behind by a killed process is
//   recognisable; it is flushed and synced, then renamed over that file.
//   Any failure removes the temporary file, leaves an existing target as it
//   was and reports the system's error number.  A symbolic link stays a
//   link; a dangling one is given its file.
// - anything else (a terminal, a pipe, /dev/null) is written in place.  A
//   name of one of this process's own descriptors (/dev/stdout, /dev/stderr,
//   /proc/self/fd/N, /dev/fd/N) is written through that descriptor, so a
//   shell's "> file" or ">> file" is honoured rather than the file replaced.
//
// Replacing an existing file:
// - a file the user may not write to is refused with EACCES, as opening it
//   for writing would be.  The superuser may open any file, so for root a
//   file with no write bit at all (e.g. 0444) counts as protected and is
//   refused too: replacing it would silently undo a deliberate protection.
// - in a folder anyone may write to that has the sticky bit (/tmp), a file
//   or a symbolic link owned by someone other than the user and the folder's
//   owner is refused with EACCES and `rule` saying which: another user could
//   have planted it to have the user overwrite or give away a file.
// - the new file keeps the old one's permission bits except setuid, setgid
//   and sticky, its access control list and extended attributes, and (where
//   the system allows) its owner and group; a list or attribute that cannot
//   be copied fails the write rather than being dropped.
// A new file gets 0666 less the process's umask.

#include <cstddef>
#include <span>
#include <string>

namespace qelvar {

// Why a write was refused beyond the system's own checks.
enum class WriteRule {
    None,
    OtherUsersFile,  // a file of another user in a shared (sticky, world-writable) folder
    OtherUsersLink,  // a symbolic link of another user in such a folder
};

struct AtomicWriteResult {
    bool ok = false;
    int error = 0;        // errno value; 0 when ok
    std::string message;  // the system's text for `error`, or the rule; empty when ok
    WriteRule rule = WriteRule::None;
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
    AtomicWriteResult OpenTemporary(int oldFd);

    std::string m_path;       // as given
    std::string m_finalPath;  // the file the kernel resolved the path to
    std::string m_tempPath;
    std::string m_placeholder;  // a file created through a dangling link, until Commit
    int m_fd = -1;
    bool m_direct = false;  // writing straight into a non-regular file
};

}  // namespace qelvar
