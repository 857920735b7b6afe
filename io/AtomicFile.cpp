#include "io/AtomicFile.h"

#include <acl/libacl.h>
#include <fcntl.h>
#include <sys/acl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <utility>
#include <vector>

namespace qelvar {

namespace {

// The temporary file's name; mkstemp replaces the six X's.
constexpr char kTemporaryName[] = ".qelvar-XXXXXX";
// Links walked before giving up, as the kernel's own limit.
constexpr int kMaxLinkHops = 40;

// Closes a descriptor when it goes out of scope.
struct Descriptor {
    int fd = -1;
    explicit Descriptor(int f) : fd(f) {}
    ~Descriptor() {
        if (fd >= 0) ::close(fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
};

// The folder part of `path` including its final slash; empty for a bare name.
std::string FolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string{} : path.substr(0, slash + 1);
}

std::string NameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The target of the symbolic link `path`, relative ones taken from its folder.
std::optional<std::string> LinkTarget(const std::string& path) {
    std::string target(PATH_MAX, '\0');
    const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
    if (n < 0 || static_cast<std::size_t>(n) >= target.size()) return std::nullopt;
    target.resize(static_cast<std::size_t>(n));
    return target.starts_with('/') ? target : FolderOf(path) + target;
}

// The path the kernel resolved the open descriptor `fd` to.
std::optional<std::string> PathOf(int fd) {
    return LinkTarget("/proc/self/fd/" + std::to_string(fd));
}

// Whether `st` (a file or link in `folder`) belongs to another user in a
// shared folder: one anyone may write to, with the sticky bit.
bool OtherUsersInSharedFolder(const struct stat& st, const std::string& folder) {
    struct stat dir {};
    if (::stat(folder.empty() ? "." : folder.c_str(), &dir) != 0) return false;
    const bool shared = (dir.st_mode & S_ISVTX) != 0 && (dir.st_mode & S_IWOTH) != 0;
    return shared && st.st_uid != ::geteuid() && st.st_uid != dir.st_uid;
}

// Whether some component of `path` is a symbolic link of another user in a
// shared folder.
bool HasOtherUsersLink(const std::string& path) {
    for (std::size_t end = path.find('/', 1);; end = path.find('/', end + 1)) {
        const std::string prefix = path.substr(0, end);
        struct stat st {};
        if (::lstat(prefix.c_str(), &st) == 0 && S_ISLNK(st.st_mode) &&
            OtherUsersInSharedFolder(st, FolderOf(prefix)))
            return true;
        if (end == std::string::npos) return false;
    }
}

// The symbolic links `path` leads through, in its folders and at its end,
// each checked against the rule of shared folders.  The kernel applies the
// same rule when fs.protected_symlinks is on; this holds when it is off.
bool LeadsThroughOtherUsersLink(std::string path) {
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        if (HasOtherUsersLink(path)) return true;
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return false;
        const auto next = LinkTarget(path);
        if (!next) return false;
        path = *next;
    }
    return false;  // the kernel reports the loop
}

// When `path` names one of this process's descriptors (/dev/stdout,
// /proc/self/fd/N, /dev/fd/N, through links): that descriptor.
std::optional<int> OwnDescriptorNamed(std::string path) {
    const std::string ownFolder = "/proc/" + std::to_string(::getpid()) + "/fd";
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        const std::string folder = FolderOf(path);
        char* real = ::realpath(folder.empty() ? "." : folder.c_str(), nullptr);
        const bool inOwnFolder = real && ownFolder == real;
        std::free(real);
        const std::string name = NameOf(path);
        if (inOwnFolder && !name.empty() && name.size() < 10 &&
            name.find_first_not_of("0123456789") == std::string::npos) {
            return std::atoi(name.c_str());
        }
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return std::nullopt;
        const auto next = LinkTarget(path);
        if (!next) return std::nullopt;
        path = *next;
    }
    return std::nullopt;
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

struct CopyFailure {
    int error = 0;
    std::string what;  // what could not be kept
};

// Gives the new file `fd` the old file's owner, group, permission bits
// (without setuid, setgid and sticky) and access control list: the list is
// copied whole, so its mask and named entries are the old ones and the
// group bits are never widened (a list the new file inherited from its
// folder is replaced too).
CopyFailure CopyPermissions(int fd, int oldFd, const struct stat& old) {
    // Only root may give a file away: for anyone else the replacement is
    // owned by whoever saved it.
    if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) {
        [[maybe_unused]] const int refused = ::fchown(fd, old.st_uid, old.st_gid);
    }
    (void)::fchmod(fd, old.st_mode & 0777);
    acl_t acl = ::acl_get_fd(oldFd);
    if (!acl) return {};  // no lists on this file system: the mode is all there is
    const bool extended = ::acl_equiv_mode(acl, nullptr) != 0;
    const int set = ::acl_set_fd(fd, acl);
    const int error = errno;
    ::acl_free(acl);
    if (set != 0 && extended) return {error, "its access control list"};
    return {};
}

// Copies the extended attributes of `oldFd` to `fd` (the access control
// list, held as one, is copied with the permissions).
CopyFailure CopyAttributes(int fd, int oldFd) {
    ssize_t size = ::flistxattr(oldFd, nullptr, 0);
    if (size <= 0) return {};  // none, or none on this file system
    std::vector<char> names(static_cast<std::size_t>(size));
    size = ::flistxattr(oldFd, names.data(), names.size());
    if (size < 0) return {errno, "its extended attributes"};
    std::vector<char> value;
    for (std::size_t at = 0; at < static_cast<std::size_t>(size);) {
        const std::string name(names.data() + at);
        at += name.size() + 1;
        if (name == "system.posix_acl_access" || name == "system.posix_acl_default") continue;
        const ssize_t length = ::fgetxattr(oldFd, name.c_str(), nullptr, 0);
        value.resize(length > 0 ? static_cast<std::size_t>(length) : 1);
        const ssize_t got = length < 0 ? -1
                                       : ::fgetxattr(oldFd, name.c_str(), value.data(),
                                                     static_cast<std::size_t>(length));
        if (got < 0 ||
            ::fsetxattr(fd, name.c_str(), value.data(), static_cast<std::size_t>(got), 0) != 0) {
            return {errno, "its extended attribute " + name};
        }
    }
    return {};
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

AtomicWriteResult Refused(WriteRule rule) {
    AtomicWriteResult r = AtomicWriteResultFor(EACCES);
    r.rule = rule;
    r.message = rule == WriteRule::OtherUsersFile
                    ? "refusing to replace a file owned by another user in a shared folder "
                      "(sticky and writable by all)"
                    : "refusing to follow a symbolic link owned by another user in a shared "
                      "folder (sticky and writable by all)";
    return r;
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
    if (m_path.ends_with('/')) return AtomicWriteResultFor(EISDIR);
    if (LeadsThroughOtherUsersLink(m_path)) return Refused(WriteRule::OtherUsersLink);

    // The kernel resolves the path, its protection of links applying.
    const Descriptor target(::open(m_path.c_str(), O_PATH | O_CLOEXEC));
    if (target.fd < 0) {
        const int error = errno;
        struct stat link {};
        if (error != ENOENT) return AtomicWriteResultFor(error);
        if (::lstat(m_path.c_str(), &link) != 0) {  // a new file
            m_finalPath = m_path;
            return OpenTemporary(-1);
        }
        // A dangling link: the kernel creates the file it names, which the
        // temporary file then replaces (or which Discard removes).
        const Descriptor created(
            ::open(m_path.c_str(), O_WRONLY | O_CREAT | O_NOCTTY | O_CLOEXEC, 0600));
        if (created.fd < 0) return AtomicWriteResultFor(errno);
        const auto resolved = PathOf(created.fd);
        if (!resolved) return AtomicWriteResultFor(EIO);
        m_placeholder = m_finalPath = *resolved;
        return OpenTemporary(-1);
    }
    struct stat st {};
    if (::fstat(target.fd, &st) != 0) return AtomicWriteResultFor(errno);
    if (S_ISDIR(st.st_mode)) return AtomicWriteResultFor(EISDIR);

    // One of our own descriptors: write through it, as the shell opened it.
    if (const auto own = OwnDescriptorNamed(m_path)) {
        struct stat mine {};
        const int flags = ::fcntl(*own, F_GETFL);
        if (::fstat(*own, &mine) == 0 && mine.st_dev == st.st_dev && mine.st_ino == st.st_ino &&
            flags >= 0 && (flags & O_ACCMODE) != O_RDONLY) {
            m_fd = ::fcntl(*own, F_DUPFD_CLOEXEC, 0);
            m_direct = m_fd >= 0;
            return AtomicWriteResultFor(m_fd >= 0 ? 0 : errno);
        }
    }
    // A terminal, pipe or device cannot be replaced: write into it.
    if (!S_ISREG(st.st_mode)) {
        const std::string reopen = "/proc/self/fd/" + std::to_string(target.fd);
        m_fd = ::open(reopen.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
        m_direct = m_fd >= 0;
        return AtomicWriteResultFor(m_fd >= 0 ? 0 : errno);
    }

    const auto resolved = PathOf(target.fd);
    if (!resolved || !resolved->starts_with('/')) return AtomicWriteResultFor(ENOENT);
    m_finalPath = *resolved;
    if (OtherUsersInSharedFolder(st, FolderOf(m_finalPath)))
        return Refused(WriteRule::OtherUsersFile);
    // Opened for writing as a plain open would (its protection of files in
    // shared folders applying), without changing it; a running program
    // cannot be opened so, yet may be replaced.
    const Descriptor old(::open(m_path.c_str(), O_WRONLY | O_CREAT | O_NOCTTY | O_CLOEXEC, 0));
    if (old.fd < 0 && errno != ETXTBSY) return AtomicWriteResultFor(errno);
    if (const int err = CheckWritable(m_finalPath, st); err != 0) return AtomicWriteResultFor(err);
    const Descriptor readable(::open(m_finalPath.c_str(), O_RDONLY | O_NOCTTY | O_CLOEXEC));
    const int source = old.fd >= 0 ? old.fd : readable.fd;
    if (source < 0) return AtomicWriteResultFor(errno);
    return OpenTemporary(source);
}

AtomicWriteResult AtomicFile::OpenTemporary(int oldFd) {
    std::string temp = FolderOf(m_finalPath) + kTemporaryName;
    m_fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (m_fd < 0) {
        const int error = errno;
        Discard();
        return AtomicWriteResultFor(error);
    }
    m_tempPath = std::move(temp);
    if (oldFd < 0) {
        (void)::fchmod(m_fd, 0666 & ~CurrentUmask());
        return AtomicWriteResultFor(0);
    }
    struct stat old {};
    if (::fstat(oldFd, &old) != 0) return Fail(errno);
    CopyFailure failure = CopyPermissions(m_fd, oldFd, old);
    if (failure.error == 0) failure = CopyAttributes(m_fd, oldFd);
    if (failure.error == 0) return AtomicWriteResultFor(0);
    AtomicWriteResult r = Fail(failure.error);
    r.message = "cannot keep " + failure.what + ": " + r.message;
    return r;
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
        m_placeholder.clear();
        SyncFolder(m_finalPath);
    }
    m_direct = false;
    return AtomicWriteResultFor(0);
}

void AtomicFile::Discard() {
    if (m_fd >= 0) ::close(std::exchange(m_fd, -1));
    if (!m_tempPath.empty()) ::unlink(m_tempPath.c_str());
    if (!m_placeholder.empty()) ::unlink(m_placeholder.c_str());
    m_tempPath.clear();
    m_placeholder.clear();
    m_direct = false;
}

AtomicWriteResult AtomicFile::Fail(int error) {
    Discard();
    return AtomicWriteResultFor(error);
}

}  // namespace qelvar
