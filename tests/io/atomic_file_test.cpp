// The all-or-nothing file writer: new files, replaced files, refusals, a
// full file system and a process killed part way through a save.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <vector>

#include "io/AtomicFile.h"

namespace qelvar {
namespace {

namespace fs = std::filesystem;

std::span<const std::byte> Bytes(const std::string& text) {
    return std::as_bytes(std::span(text.data(), text.size()));
}

class AtomicWrite : public ::testing::Test {
protected:
    void SetUp() override {
        std::string templ = (fs::temp_directory_path() / "qelvar-io-XXXXXX").string();
        ASSERT_NE(::mkdtemp(templ.data()), nullptr);
        m_dir = templ;
        m_oldMask = ::umask(027);
    }
    void TearDown() override {
        ::umask(m_oldMask);
        fs::remove_all(m_dir);
    }
    static std::vector<std::string> Entries(const fs::path& dir) {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }
    static std::string Contents(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    static void Put(const fs::path& p, const std::string& text) {
        std::ofstream(p, std::ios::binary) << text;
    }
    static unsigned Mode(const fs::path& p) {
        struct stat st {};
        EXPECT_EQ(::lstat(p.c_str(), &st), 0) << p;
        return st.st_mode & 07777;
    }

    fs::path m_dir;
    mode_t m_oldMask = 0;
};

TEST_F(AtomicWrite, NewFileHoldsTheBytesWithModeFromTheUmask) {
    const fs::path target = m_dir / "new.bmp";
    const AtomicWriteResult r = WriteFileAtomically(target, Bytes("picture"));
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(r.error, 0);
    EXPECT_TRUE(r.message.empty());
    EXPECT_EQ(Contents(target), "picture");
    EXPECT_EQ(Mode(target), 0640u) << "0666 less umask 027";
    EXPECT_EQ(Entries(m_dir), std::vector<std::string>{"new.bmp"});
}

struct ModeRow {
    const char* behaviour;
    unsigned oldMode, newMode;
};

TEST_F(AtomicWrite, ReplacedFileKeepsItsModeWithoutSpecialBits) {
    const ModeRow rows[] = {
        {"setuid executable", 04755, 0755},  {"setgid shared file", 02775, 0775},
        {"sticky bit", 01644, 0644},         {"private file", 0600, 0600},
        {"group-readable file", 0640, 0640}, {"write bit for the group only", 0020, 0020},
    };
    for (const ModeRow& row : rows) {
        const fs::path target = m_dir / "shot.bmp";
        Put(target, std::string(5000, 'o'));
        ASSERT_EQ(::chmod(target.c_str(), row.oldMode), 0);
        const AtomicWriteResult r = WriteFileAtomically(target, Bytes("new"));
        ASSERT_TRUE(r.ok) << row.behaviour << ": " << r.message;
        EXPECT_EQ(Contents(target), "new") << row.behaviour;
        EXPECT_EQ(Mode(target), row.newMode) << row.behaviour;
        EXPECT_EQ(Entries(m_dir), std::vector<std::string>{"shot.bmp"}) << row.behaviour;
    }
}

struct RefusalRow {
    const char* behaviour;
    std::function<fs::path(const fs::path& dir)> prepare;  // returns the target
    int error;
};

TEST_F(AtomicWrite, RefusalsReportTheTrueReasonAndChangeNothing) {
    const RefusalRow rows[] = {
        {"write-protected file (0444), refused even for the superuser",
         [](const fs::path& d) {
             Put(d / "keep", "old");
             fs::permissions(d / "keep", fs::perms::owner_read | fs::perms::group_read |
                                             fs::perms::others_read);
             return d / "keep";
         },
         EACCES},
        {"a directory", [](const fs::path& d) { return d / "sub"; }, EISDIR},
        {"a name ending in a slash", [](const fs::path& d) { return d / "fresh/"; }, EISDIR},
        {"a folder that does not exist", [](const fs::path& d) { return d / "none" / "x.bmp"; },
         ENOENT},
        {"a file used as a folder", [](const fs::path& d) { return d / "keep" / "x.bmp"; },
         ENOTDIR},
        {"a 256-byte name, one more than the system allows",
         [](const fs::path& d) { return d / std::string(256, 'n'); }, ENAMETOOLONG},
        {"links pointing at each other",
         [](const fs::path& d) {
             fs::create_symlink("loop2", d / "loop1");
             fs::create_symlink("loop1", d / "loop2");
             return d / "loop1";
         },
         ELOOP},
        {"an empty name", [](const fs::path&) { return fs::path(); }, ENOENT},
        {"a device that reports a full disk", [](const fs::path&) { return fs::path("/dev/full"); },
         ENOSPC},
    };
    for (const RefusalRow& row : rows) {
        fs::remove_all(m_dir);
        fs::create_directories(m_dir / "sub");
        Put(m_dir / "keep", "old");
        Put(m_dir / "sub" / "inner", "inner");
        const fs::path target = row.prepare(m_dir);
        const auto before = Entries(m_dir);
        const AtomicWriteResult r = WriteFileAtomically(target, Bytes("new"));
        EXPECT_FALSE(r.ok) << row.behaviour;
        EXPECT_EQ(r.error, row.error) << row.behaviour << ": " << r.message;
        EXPECT_EQ(r.message, std::strerror(row.error)) << row.behaviour;
        EXPECT_EQ(Entries(m_dir), before) << row.behaviour;
        EXPECT_EQ(Entries(m_dir / "sub"), std::vector<std::string>{"inner"}) << row.behaviour;
        EXPECT_EQ(Contents(m_dir / "keep"), "old") << row.behaviour;
    }
}

TEST_F(AtomicWrite, AnotherUsersFileIsRefusedLikeAnOpenForWriting) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs the superuser to switch to another user";
    // A root-owned 0644 file in a folder anyone may write to: the folder would
    // let a rename replace it, the file itself does not allow writing.
    fs::permissions(m_dir, fs::perms::all);
    const fs::path target = m_dir / "roots.bmp";
    Put(target, "old");
    ASSERT_EQ(::chmod(target.c_str(), 0644), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(100);
        const AtomicWriteResult r = WriteFileAtomically(target, Bytes("new"));
        ::_exit(r.ok ? 101 : r.error);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), EACCES);
    EXPECT_EQ(Contents(target), "old");
    EXPECT_EQ(Entries(m_dir), std::vector<std::string>{"roots.bmp"});
}

TEST_F(AtomicWrite, NamesUpToTheSystemLimitWork) {
    for (const std::size_t length : {1u, 200u, 247u, 255u}) {
        const fs::path target = m_dir / std::string(length, 'n');
        Put(target, "old");
        const AtomicWriteResult r = WriteFileAtomically(target, Bytes("new"));
        ASSERT_TRUE(r.ok) << length << " bytes: " << r.message;
        EXPECT_EQ(Contents(target), "new") << length;
        fs::remove(target);
        EXPECT_TRUE(Entries(m_dir).empty()) << length;
    }
}

TEST_F(AtomicWrite, PlantedFilesWithTemporaryLookingNamesDoNotBlockASave) {
    const fs::path target = m_dir / "shot.bmp";
    // The old scheme's names for this process, and names in today's pattern.
    for (int n = 0; n < 100; ++n) {
        Put(m_dir / ("shot.bmp.~" + std::to_string(::getpid()) + "-" + std::to_string(n)), "x");
    }
    for (const char* name : {".qelvar-AAAAAA", ".qelvar-XXXXXX", ".qelvar-000000"}) {
        Put(m_dir / name, "planted");
    }
    const auto before = Entries(m_dir);
    for (int i = 0; i < 3; ++i) {
        const AtomicWriteResult r = WriteFileAtomically(target, Bytes("new"));
        ASSERT_TRUE(r.ok) << r.message;
    }
    EXPECT_EQ(Contents(target), "new");
    auto after = Entries(m_dir);
    after.erase(std::find(after.begin(), after.end(), "shot.bmp"));
    EXPECT_EQ(after, before) << "planted files untouched, no new ones";
    EXPECT_EQ(Contents(m_dir / ".qelvar-AAAAAA"), "planted");
}

struct LinkRow {
    const char* behaviour;
    std::string linkTarget;  // what the link holds
    fs::path finalFile;      // relative to the test folder
};

TEST_F(AtomicWrite, SymbolicLinksAreWrittenThrough) {
    const LinkRow rows[] = {
        {"relative link into another folder", "real/picture.bmp", "real/picture.bmp"},
        {"link to a link", "hop", "real/picture.bmp"},
        {"link to a file that does not exist yet", "real/fresh.bmp", "real/fresh.bmp"},
        {"absolute link", "ABS", "real/picture.bmp"},
    };
    for (const LinkRow& row : rows) {
        fs::remove_all(m_dir);
        fs::create_directories(m_dir / "real");
        Put(m_dir / "real" / "picture.bmp", "old");
        ASSERT_EQ(::chmod((m_dir / "real" / "picture.bmp").c_str(), 0604), 0);
        fs::create_symlink("real/picture.bmp", m_dir / "hop");
        const std::string holds =
            row.linkTarget == "ABS" ? (m_dir / "real" / "picture.bmp").string() : row.linkTarget;
        fs::create_symlink(holds, m_dir / "shot.bmp");

        const AtomicWriteResult r = WriteFileAtomically(m_dir / "shot.bmp", Bytes("new"));
        ASSERT_TRUE(r.ok) << row.behaviour << ": " << r.message;
        EXPECT_TRUE(fs::is_symlink(m_dir / "shot.bmp")) << row.behaviour;
        EXPECT_EQ(fs::read_symlink(m_dir / "shot.bmp"), holds) << row.behaviour;
        EXPECT_EQ(Contents(m_dir / row.finalFile), "new") << row.behaviour;
        if (row.finalFile == "real/picture.bmp") {
            EXPECT_EQ(Mode(m_dir / row.finalFile), 0604u) << row.behaviour;
        }
        EXPECT_EQ(Entries(m_dir), (std::vector<std::string>{"hop", "real", "shot.bmp"}))
            << row.behaviour;
        const auto real = Entries(m_dir / "real");
        EXPECT_TRUE(std::none_of(real.begin(), real.end(),
                                 [](const std::string& n) { return n.starts_with("."); }))
            << row.behaviour << ": no temporary file left";
    }
}

TEST_F(AtomicWrite, AWriteCutShortLeavesTheOldFileAndNoTemporary) {
    const fs::path target = m_dir / "shot.bmp";
    Put(target, "old picture");
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    auto* previous = ::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const AtomicWriteResult r = WriteFileAtomically(target, Bytes(std::string(100000, 'x')));
    ::setrlimit(RLIMIT_FSIZE, &old);
    ::signal(SIGXFSZ, previous);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, EFBIG);
    EXPECT_EQ(Contents(target), "old picture");
    EXPECT_EQ(Entries(m_dir), std::vector<std::string>{"shot.bmp"});
}

TEST_F(AtomicWrite, AFullFileSystemLeavesTheOldFileAndNoTemporary) {
    const fs::path mountPoint = m_dir / "small";
    fs::create_directory(mountPoint);
    if (::mount("tmpfs", mountPoint.c_str(), "tmpfs", 0, "size=64k") != 0) {
        GTEST_SKIP() << "cannot mount a small tmpfs here (" << std::strerror(errno)
                     << "); the full file system case is not run";
    }
    const fs::path target = mountPoint / "shot.bmp";
    Put(target, std::string(8000, 'o'));
    const AtomicWriteResult r = WriteFileAtomically(target, Bytes(std::string(200000, 'n')));
    const std::string kept = Contents(target);
    const auto entries = Entries(mountPoint);
    ::umount(mountPoint.c_str());
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, ENOSPC) << r.message;
    EXPECT_EQ(kept, std::string(8000, 'o'));
    EXPECT_EQ(entries, std::vector<std::string>{"shot.bmp"});
}

TEST_F(AtomicWrite, APieceByPieceWriteAppearsOnlyOnCommit) {
    const fs::path target = m_dir / "shot.bmp";
    Put(target, "old");
    {
        AtomicFile file(target);
        ASSERT_TRUE(file.Open().ok);
        ASSERT_TRUE(file.Write(Bytes("ne")).ok);
        ASSERT_TRUE(file.Write(Bytes("w")).ok);
        EXPECT_EQ(Contents(target), "old") << "not yet committed";
        ASSERT_TRUE(file.Commit().ok);
    }
    EXPECT_EQ(Contents(target), "new");
    {
        AtomicFile file(target);
        ASSERT_TRUE(file.Open().ok);
        ASSERT_TRUE(file.Write(Bytes("abandoned")).ok);
    }  // destroyed without Commit
    EXPECT_EQ(Contents(target), "new");
    EXPECT_EQ(Entries(m_dir), std::vector<std::string>{"shot.bmp"});
}

TEST_F(AtomicWrite, AKilledSaveLeavesARecognisableTemporaryAndTheOldFile) {
    const fs::path target = m_dir / "shot.bmp";
    Put(target, "old picture");
    constexpr std::size_t kWritten = 32u << 20;  // 32 MiB before the kill
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        AtomicFile file(target);
        const std::string chunk(1u << 20, 'n');
        bool ok = file.Open().ok;
        for (std::size_t done = 0; ok && done < kWritten; done += chunk.size()) {
            ok = file.Write(Bytes(chunk)).ok;
        }
        const char signal = ok ? 'y' : 'n';
        (void)::write(ready[1], &signal, 1);
        ::pause();  // more would follow; the parent kills us here
        ::_exit(0);
    }
    ::close(ready[1]);
    char signal = 0;
    ASSERT_EQ(::read(ready[0], &signal, 1), 1);
    ::close(ready[0]);
    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_EQ(signal, 'y');

    EXPECT_EQ(Contents(target), "old picture");
    const auto entries = Entries(m_dir);
    ASSERT_EQ(entries.size(), 2u);
    const std::string& left = entries[0];  // '.' sorts before 's'
    EXPECT_TRUE(left.starts_with(".qelvar-")) << left;
    EXPECT_EQ(left.size(), 14u) << left;
    EXPECT_EQ(fs::file_size(m_dir / left), kWritten);
}

}  // namespace
}  // namespace qelvar
