// What the file writer does with targets that are not a plain file of the
// user: links and files another user planted in a shared folder (with the
// kernel's fs.protected_* switches on and off), pipes, terminals and the
// process's own descriptors, and a file whose access control list and
// extended attributes must survive its replacement.
#include <acl/libacl.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/acl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <thread>

#include "io/AtomicFile.h"
#include "io/ErrorText.h"

namespace qelvar {
namespace {

namespace fs = std::filesystem;

constexpr uid_t kOtherUser = 65534;  // nobody

std::span<const std::byte> Bytes(const std::string& text) {
    return std::as_bytes(std::span(text.data(), text.size()));
}

std::string Contents(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void Put(const fs::path& p, const std::string& text) {
    std::ofstream(p, std::ios::binary) << text;
}

struct stat Lstat(const fs::path& p) {
    struct stat st {};
    EXPECT_EQ(::lstat(p.c_str(), &st), 0) << p;
    return st;
}

// Runs `body` as the other user in a child process; its exit status.
int AsOtherUser(const std::function<int()>& body) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgid(kOtherUser) != 0 || ::setuid(kOtherUser) != 0) ::_exit(100);
        ::_exit(body());
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 200;
}

// Sets a switch under /proc/sys for the life of the object.
class KernelSwitch {
public:
    explicit KernelSwitch(std::string path) : m_path(std::move(path)) {
        std::ifstream(m_path) >> m_old;
    }
    ~KernelSwitch() {
        if (!m_old.empty()) Set(m_old);
    }
    bool Set(const std::string& value) {
        std::ofstream out(m_path);
        out << value << '\n';
        out.close();
        std::string now;
        std::ifstream(m_path) >> now;
        return out.good() && now == value;
    }

private:
    std::string m_path;
    std::string m_old;
};

class TargetTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string templ = (fs::temp_directory_path() / "qelvar-targets-XXXXXX").string();
        ASSERT_NE(::mkdtemp(templ.data()), nullptr);
        m_dir = templ;
        ASSERT_EQ(::chmod(m_dir.c_str(), 0755), 0);
    }
    void TearDown() override { fs::remove_all(m_dir); }
    fs::path m_dir;
};

struct SharedRow {
    const char* behaviour;
    // Prepares the shared folder; returns the path written to.
    std::function<fs::path(const fs::path& shared, const fs::path& victim)> plant;
    WriteRule rule;  // None: the write goes ahead
};

TEST_F(TargetTest, SharedFoldersRefuseWhatAnotherUserPlanted) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs the superuser to act as another user";
    const SharedRow rows[] = {
        {"another user's link to the user's file",
         [](const fs::path& shared, const fs::path& victim) {
             EXPECT_EQ(AsOtherUser(
                           [&] { return ::symlink(victim.c_str(), (shared / "out.png").c_str()); }),
                       0);
             return shared / "out.png";
         },
         WriteRule::OtherUsersLink},
        {"another user's link to a file that does not exist yet",
         [](const fs::path& shared, const fs::path& victim) {
             const fs::path fresh = victim.parent_path() / "fresh";
             EXPECT_EQ(AsOtherUser(
                           [&] { return ::symlink(fresh.c_str(), (shared / "out.png").c_str()); }),
                       0);
             return shared / "out.png";
         },
         WriteRule::OtherUsersLink},
        {"another user's link to a folder, on the way to the user's file",
         [](const fs::path& shared, const fs::path& victim) {
             EXPECT_EQ(AsOtherUser([&] {
                           return ::symlink(victim.parent_path().c_str(), (shared / "dir").c_str());
                       }),
                       0);
             return shared / "dir" / victim.filename();
         },
         WriteRule::OtherUsersLink},
        {"another user's file",
         [](const fs::path& shared, const fs::path&) {
             EXPECT_EQ(AsOtherUser([&] {
                           const int fd =
                               ::open((shared / "out.png").c_str(), O_WRONLY | O_CREAT, 0666);
                           return fd >= 0 && ::write(fd, "theirs", 6) == 6 ? 0 : 1;
                       }),
                       0);
             return shared / "out.png";
         },
         WriteRule::OtherUsersFile},
        {"the user's own file",
         [](const fs::path& shared, const fs::path&) {
             Put(shared / "out.png", "mine");
             return shared / "out.png";
         },
         WriteRule::None},
        {"the user's own link",
         [](const fs::path& shared, const fs::path& victim) {
             fs::create_symlink(victim, shared / "out.png");
             return shared / "out.png";
         },
         WriteRule::None},
    };
    KernelSwitch links("/proc/sys/fs/protected_symlinks");
    KernelSwitch files("/proc/sys/fs/protected_regular");
    std::vector<std::string> settings = {"0", "1"};
    if (!links.Set("1") || !files.Set("1")) {
        std::cout << "[ skipped  ] the fs.protected_* switches cannot be set here: only their "
                     "current values are tried\n";
        settings = {""};
    }
    for (const std::string& setting : settings) {
        if (!setting.empty()) {
            ASSERT_TRUE(links.Set(setting));
            ASSERT_TRUE(files.Set(setting == "1" ? "2" : "0"));
        }
        for (const SharedRow& row : rows) {
            const std::string what = std::string(row.behaviour) + ", fs.protected_* " + setting;
            fs::remove_all(m_dir);
            fs::create_directories(m_dir / "shared");
            ASSERT_EQ(::chmod(m_dir.c_str(), 0755), 0);
            ASSERT_EQ(::chmod((m_dir / "shared").c_str(), 01777), 0);
            const fs::path victim = m_dir / "victim";
            Put(victim, "secret");
            const fs::path target = row.plant(m_dir / "shared", victim);
            const fs::path planted = fs::directory_iterator(m_dir / "shared")->path();
            const auto before = Lstat(planted);
            const AtomicWriteResult r = WriteFileAtomically(target, Bytes("new"));
            if (row.rule == WriteRule::None) {
                EXPECT_TRUE(r.ok) << what << ": " << r.message;
                continue;
            }
            EXPECT_FALSE(r.ok) << what;
            EXPECT_EQ(r.error, EACCES) << what;
            EXPECT_EQ(r.rule, row.rule) << what;
            EXPECT_NE(r.message.find("another user"), std::string::npos)
                << what << ": " << r.message;
            EXPECT_NE(ChineseErrorText(r).find("共享文件夹"), std::string::npos) << what;
            EXPECT_EQ(Contents(victim), "secret") << what;
            EXPECT_FALSE(fs::exists(m_dir / "fresh")) << what;
            const auto after = Lstat(planted);
            EXPECT_EQ(after.st_ino, before.st_ino) << what;
            EXPECT_EQ(after.st_uid, kOtherUser) << what;
            EXPECT_EQ(std::distance(fs::directory_iterator(m_dir / "shared"), {}), 1) << what;
        }
    }
}

// Writes `text` to `name` in a child whose descriptor `fd` is `file`,
// opened with `flags`; the child's exit status (0: written).
int WriteThroughDescriptor(const fs::path& file, int flags, int fd, const std::string& name,
                           const std::string& text) {
    const pid_t child = ::fork();
    if (child == 0) {
        const int opened = ::open(file.c_str(), flags);
        if (opened < 0 || ::dup2(opened, fd) < 0) ::_exit(100);
        const AtomicWriteResult r = WriteFileAtomically(name, Bytes(text));
        ::_exit(r.ok ? 0 : r.error);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 200;
}

struct DescriptorRow {
    const char* name;
    int fd;
    int flags;
    const char* expected;  // the log afterwards
};

TEST_F(TargetTest, OwnDescriptorsAreWrittenAsTheShellOpenedThem) {
    const DescriptorRow rows[] = {
        {"/dev/stdout", 1, O_WRONLY | O_APPEND, "log\npng"},
        {"/dev/stderr", 2, O_WRONLY | O_APPEND, "log\npng"},
        {"/proc/self/fd/7", 7, O_WRONLY | O_APPEND, "log\npng"},
        {"/dev/fd/7", 7, O_WRONLY | O_APPEND, "log\npng"},
        {"/dev/stdout", 1, O_WRONLY,
         "pngline"},  // "> log" after the shell emptied it: from the start
    };
    for (const DescriptorRow& row : rows) {
        const fs::path log = m_dir / "log";
        Put(log, std::string(row.expected) == "pngline" ? "logline" : "log\n");
        const ino_t inode = Lstat(log).st_ino;
        EXPECT_EQ(WriteThroughDescriptor(log, row.flags, row.fd, row.name, "png"), 0) << row.name;
        EXPECT_EQ(Contents(log), row.expected) << row.name;
        EXPECT_EQ(Lstat(log).st_ino, inode) << row.name << ": the same file, not a replacement";
        EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), {}), 1) << row.name;
    }
}

TEST_F(TargetTest, PipesTerminalsAndDevicesAreWrittenInPlace) {
    // A named pipe, read by another thread.
    const fs::path fifo = m_dir / "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string received;
    std::thread reader([&] { received = Contents(fifo); });
    const AtomicWriteResult piped = WriteFileAtomically(fifo, Bytes("through the pipe"));
    reader.join();
    EXPECT_TRUE(piped.ok) << piped.message;
    EXPECT_EQ(received, "through the pipe");
    EXPECT_TRUE(S_ISFIFO(Lstat(fifo).st_mode));
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), {}), 1) << "no temporary file";

    // A terminal: the bytes arrive at the other end.
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master), 0);
    ASSERT_EQ(::unlockpt(master), 0);
    const std::string terminal = ::ptsname(master);
    const AtomicWriteResult typed = WriteFileAtomically(terminal, Bytes("to the terminal"));
    EXPECT_TRUE(typed.ok) << typed.message;
    char buffer[64] = {};
    EXPECT_EQ(::read(master, buffer, sizeof buffer), 15);
    EXPECT_STREQ(buffer, "to the terminal");
    ::close(master);

    // /dev/null stays a device.
    EXPECT_TRUE(WriteFileAtomically("/dev/null", Bytes("gone")).ok);
    EXPECT_TRUE(S_ISCHR(Lstat("/dev/null").st_mode));
}

std::string AclText(const fs::path& p) {
    acl_t acl = ::acl_get_file(p.c_str(), ACL_TYPE_ACCESS);
    if (!acl) return {};
    char* text = ::acl_to_any_text(acl, nullptr, ',', TEXT_NUMERIC_IDS);
    std::string result = text ? text : "";
    ::acl_free(text);
    ::acl_free(acl);
    return result;
}

TEST_F(TargetTest, AReplacedFileKeepsItsAccessListAndAttributes) {
    const fs::path target = m_dir / "chart.png";
    Put(target, "old");
    acl_t acl = ::acl_from_text("u::rw-,u:65534:r--,g::---,m::r--,o::---");
    ASSERT_NE(acl, nullptr);
    const int aclSet = ::acl_set_file(target.c_str(), ACL_TYPE_ACCESS, acl);
    ::acl_free(acl);
    if (aclSet != 0) GTEST_SKIP() << "no access control lists here: " << std::strerror(errno);
    const std::string listed = AclText(target);
    const bool attributes = ::setxattr(target.c_str(), "user.origin", "camera", 6, 0) == 0;
    if (!attributes)
        std::cout << "[ skipped  ] no user attributes here: " << std::strerror(errno) << '\n';

    const AtomicWriteResult r = WriteFileAtomically(target, Bytes("new"));
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(Contents(target), "new");
    EXPECT_EQ(AclText(target), listed);
    EXPECT_EQ(Lstat(target).st_mode & 0777, 0640u) << "the group bits show the mask, no wider";
    if (attributes) {
        char value[16] = {};
        EXPECT_EQ(::getxattr(target.c_str(), "user.origin", value, sizeof value), 6);
        EXPECT_STREQ(value, "camera");
    }
}

TEST_F(TargetTest, AFolderDefaultListDoesNotOpenAReplacedFile) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs the superuser to act as another user";
    const fs::path target = m_dir / "chart.png";
    Put(target, "old");
    ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
    // Made after the file: the folder gives the other user everything in
    // files created from now on, as far as their mode allows.
    acl_t folder = ::acl_from_text("u::rwx,u:65534:rwx,g::r-x,m::rwx,o::r-x");
    ASSERT_NE(folder, nullptr);
    const int set = ::acl_set_file(m_dir.c_str(), ACL_TYPE_DEFAULT, folder);
    ::acl_free(folder);
    if (set != 0) GTEST_SKIP() << "no access control lists here: " << std::strerror(errno);
    ASSERT_NE(AsOtherUser([&] { return ::open(target.c_str(), O_RDONLY) < 0 ? 0 : 1; }), 1);

    const AtomicWriteResult r = WriteFileAtomically(target, Bytes("new"));
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(Lstat(target).st_mode & 0777, 0640u);
    EXPECT_EQ(AsOtherUser([&] { return ::open(target.c_str(), O_RDONLY) < 0 ? errno : 0; }), EACCES)
        << "the other user could not read the old file and cannot read the new one";
}

}  // namespace
}  // namespace qelvar
