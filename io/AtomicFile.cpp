#include "io/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <utility>

namespace qelvar {

namespace {

// The temporary file's name; mkstemp replaces the six X's.
constexpr char kTemporaryName[] = ".qelvar-XXXXXX";
// Links followed before giving up, as the kernel's own limit.
constexpr int kMaxLinkHops = 40;

// The folder part of `path` including its final slash; empty for a bare name.
std::string FolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string{} : path.substr(0, slash + 1);
}

// Follows symbolic links from `path` to the file they finally name (which
// need not exist yet); 0 or an errno value.
int FollowLinks(std::string path, std::string& finalPath) {
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            finalPath = std::move(path);  // a missing file is reported by the caller
            return 0;
        }
        std::string target(PATH_MAX, '\0');
        const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
        if (n < 0) return errno;
        if (static_cast<std::size_t>(n) >= target.size()) return ENAMETOOLONG;
        target.resize(static_cast<std::size_t>(n));
        path = target.starts_with('/') ? target : FolderOf(path) + target;
    }
    return ELOOP;
}

// The process's file-creation mask, read without changing it where possible.
mode_t CurrentUmask() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("Umask:")) {
            return static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8) & 0777);
        }
    }
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return mask;
}

// Whether the user may replace the regular file `path`: 0 or an errno value.
int CheckWritable(const std::string& path, const struct stat& st) {
    if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) return errno;
    // The superuser passes every access check; a file with no write bit at
    // all is still treated as protected.
    if (::geteuid() == 0 && (st.st_mode & 0222) == 0) return EACCES;
    return 0;
}

// Gives the new file the old one's owner, group and permission bits (without
// setuid, setgid and sticky), or 0666 less the umask for a new file.  Best
// effort: a file system that refuses leaves the private mode 0600.
void SetPermissions(int fd, const struct stat* old) {
    if (!old) {
        (void)::fchmod(fd, 0666 & ~CurrentUmask());
        return;
    }
    // Only root may give a file away: for anyone else the replacement is
    // owned by whoever saved it.
    if (old->st_uid != ::geteuid() || old->st_gid != ::getegid()) {
        [[maybe_unused]] const int refused = ::fchown(fd, old->st_uid, old->st_gid);
    }
    (void)::fchmod(fd, old->st_mode & 0777);
}

int WriteAll(int fd, std::span<const std::byte> data) {
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (n == 0) return EIO;
        data = data.subspan(static_cast<std::size_t>(n));
    }
    return 0;
}

// Makes the rename itself durable; a folder that cannot be synced is no error.
void SyncFolder(const std::string& path) {
    const std::string folder = FolderOf(path);
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    (void)::fsync(fd);
    ::close(fd);
}

}  // namespace

AtomicWriteResult AtomicWriteResultFor(int error) {
    if (error == 0) return {true, 0, {}};
    return {false, error, std::strerror(error)};
}

AtomicWriteResult WriteFileAtomically(const std::string& path, std::span<const std::byte> data) {
    AtomicFile file(path);
    if (auto r = file.Open(); !r.ok) return r;
    if (auto r = file.Write(data); !r.ok) return r;
    return file.Commit();
}

AtomicFile::AtomicFile(std::string path) : m_path(std::move(path)) {}

AtomicFile::~AtomicFile() {
    Discard();
}

AtomicWriteResult AtomicFile::Open() {
    if (m_fd >= 0) return AtomicWriteResultFor(EBUSY);
    if (m_path.empty()) return AtomicWriteResultFor(ENOENT);

    // A terminal, pipe or device cannot be replaced: write into it.
    struct stat st {};
    if (::stat(m_path.c_str(), &st) == 0 && !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode)) {
        m_fd = ::open(m_path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
        m_direct = m_fd >= 0;
        return AtomicWriteResultFor(m_fd >= 0 ? 0 : errno);
    }

    if (const int err = FollowLinks(m_path, m_finalPath); err != 0)
        return AtomicWriteResultFor(err);
    const bool exists = ::stat(m_finalPath.c_str(), &st) == 0;
    if (!exists && errno != ENOENT) return AtomicWriteResultFor(errno);
    if ((exists && S_ISDIR(st.st_mode)) || m_finalPath.ends_with('/')) {
        return AtomicWriteResultFor(EISDIR);
    }
    if (exists) {
        if (const int err = CheckWritable(m_finalPath, st); err != 0) {
            return AtomicWriteResultFor(err);
        }
    }

    std::string temp = FolderOf(m_finalPath) + kTemporaryName;
    m_fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (m_fd < 0) return AtomicWriteResultFor(errno);
    m_tempPath = std::move(temp);
    SetPermissions(m_fd, exists ? &st : nullptr);
    return AtomicWriteResultFor(0);
}

AtomicWriteResult AtomicFile::Write(std::span<const std::byte> data) {
    if (m_fd < 0) return AtomicWriteResultFor(EBADF);
    if (const int err = WriteAll(m_fd, data); err != 0) return Fail(err);
    return AtomicWriteResultFor(0);
}

AtomicWriteResult AtomicFile::Commit() {
    if (m_fd < 0) return AtomicWriteResultFor(EBADF);
    // A pipe or terminal cannot be synced; a regular file must be.
    if (!m_direct && ::fsync(m_fd) != 0) return Fail(errno);
    const int fd = std::exchange(m_fd, -1);
    if (::close(fd) != 0) return Fail(errno);
    if (!m_direct) {
        if (::rename(m_tempPath.c_str(), m_finalPath.c_str()) != 0) return Fail(errno);
        m_tempPath.clear();
        SyncFolder(m_finalPath);
    }
    m_direct = false;
    return AtomicWriteResultFor(0);
}

void AtomicFile::Discard() {
    if (m_fd >= 0) ::close(std::exchange(m_fd, -1));
    if (!m_tempPath.empty()) ::unlink(m_tempPath.c_str());
    m_tempPath.clear();
    m_direct = false;
}

AtomicWriteResult AtomicFile::Fail(int error) {
    Discard();
    return AtomicWriteResultFor(error);
}

}  // namespace qelvar
