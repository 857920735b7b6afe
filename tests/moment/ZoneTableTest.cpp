// Every zone of the system's tzdata against Python's zoneinfo: each
// transition from 1900 to 2100 (the second before it and the second it
// begins) and 1,000 random instants per zone, from the table that
// tools/gen_zone_table.py writes (its header says how the standard offset is
// derived; the UTC offset and the daylight-saving flag are zoneinfo's own).
// Then clock times worked out from the published rules of the zones where a
// closing rule, a negative or half-hour saving or a skipped day matter.
#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "moment/BirthMoment.h"
#include "moment/TimeZone.h"

namespace qelvar {
namespace {

using std::chrono::seconds;
using std::chrono::sys_seconds;

constexpr std::string_view kCodes =
    "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

std::uint64_t SplitMix64(std::uint64_t& state) {
    state += 0x9E3779B97F4A7C15ULL;
    std::uint64_t z = state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

std::string SystemTzdataVersion() {
    const char* dir = std::getenv("TZDIR");
    std::ifstream in(std::string(dir && *dir ? dir : "/usr/share/zoneinfo") + "/tzdata.zi");
    std::string line;
    std::getline(in, line);  // "# version 2025b"
    return line.starts_with("# version ") ? line.substr(10) : std::string();
}

std::vector<std::string> GunzipLines(const std::string& path) {
    std::vector<std::string> lines;
    gzFile file = gzopen(path.c_str(), "rb");
    if (!file) return lines;
    std::string text;
    char buffer[1 << 16];
    for (int n; (n = gzread(file, buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<std::size_t>(n));
    gzclose(file);
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(std::move(line));
    return lines;
}

// The committed table, or one written now when the system's tzdata is of
// another version than the one it was made from.
std::vector<std::string> AnswerTable(std::string& note) {
    const std::string committed = QELVAR_SOURCE_DIR "/tests/moment/data/zone_answers.txt.gz";
    std::vector<std::string> lines = GunzipLines(committed);
    const std::string system = SystemTzdataVersion();
    if (lines.size() < 3 || lines[2] == "V " + system) return lines;
    const std::string fresh =
        (std::filesystem::temp_directory_path() / "qelvar-zone-answers.txt.gz").string();
    const std::string command = "python3 " QELVAR_SOURCE_DIR "/tools/gen_zone_table.py " + fresh;
    note = "the table is for tzdata " + lines[2].substr(2) + ", the system has " + system;
    if (std::system(command.c_str()) != 0) return {};
    note += "; compared with a table written now by tools/gen_zone_table.py";
    return GunzipLines(fresh);
}

std::string Utc(std::int64_t t) {
    const auto days = std::chrono::floor<std::chrono::days>(sys_seconds{seconds{t}});
    const std::chrono::year_month_day date{days};
    const long inDay = (sys_seconds{seconds{t}} - days).count();  // [0, 86399]
    char buf[48];
    std::snprintf(buf, sizeof buf, "%04d-%02u-%02u %02ld:%02ld:%02ld UTC", int(date.year()),
                  unsigned(date.month()), unsigned(date.day()), inDay / 3600, inDay / 60 % 60,
                  inDay % 60);
    return buf;
}

std::string Text(const ZoneOffsets& o) {
    return std::to_string(o.utcOffset.count()) + "," + std::to_string(o.standardOffset.count()) +
           "," + (o.dst ? "1" : "0");
}

// Compares one zone's answers; returns the number of mismatches and records
// the first.
int CheckZone(const std::string& name, const std::vector<ZoneOffsets>& codes,
              const std::string& steps, const std::string& randoms, std::uint64_t& state,
              std::int64_t first, std::int64_t end, std::string& firstMismatch) {
    const auto zone = TimeZone::Find(name);
    if (!zone) {
        firstMismatch = name + ": not found";
        return 1;
    }
    int mismatches = 0;
    const auto check = [&](std::int64_t t, char code, const char* what) {
        const ZoneOffsets expected = codes.at(kCodes.find(code));
        const ZoneOffsets got = zone->OffsetsAt(sys_seconds{seconds{t}});
        if (got == expected) return;
        if (mismatches++ == 0) {
            firstMismatch = name + " at " + Utc(t) + " (" + what + "): expected " + Text(expected) +
                            ", got " + Text(got);
        }
    };
    std::istringstream in(steps);
    std::string word;
    in >> word;
    char before = word.at(0);
    std::int64_t t = first;
    check(first, before, "start of the range");
    while (in >> word) {
        const auto colon = word.find(':');
        t += std::stoll(word.substr(0, colon));
        const char after = word.at(colon + 1);
        check(t - 1, before, "second before a transition");
        check(t, after, "transition");
        before = after;
    }
    for (const char code : randoms) {
        const auto span = static_cast<std::uint64_t>(end - first);
        check(first + static_cast<std::int64_t>(SplitMix64(state) % span), code, "random instant");
    }
    return mismatches;
}

TEST(ZoneTable, EveryZoneAgreesWithZoneinfoFrom1900To2100) {
    std::string note;
    const std::vector<std::string> lines = AnswerTable(note);
    if (!note.empty()) std::cout << "[ note     ] " << note << '\n';
    ASSERT_GT(lines.size(), 3u) << "no table of answers; " << note;
    std::uint64_t state = 0;
    std::int64_t first = 0, end = 0;
    std::size_t perZone = 0;
    std::string name;
    std::vector<ZoneOffsets> codes;
    std::string steps;
    int zones = 0, failedZones = 0;
    long answers = 0;
    for (const std::string& line : lines) {
        if (line.starts_with("S ")) {
            std::istringstream(line.substr(2)) >> state >> perZone >> first >> end;
        } else if (line.starts_with("Z ")) {
            name = line.substr(2);
        } else if (line.starts_with("C ")) {
            codes.clear();
            std::istringstream in(line.substr(2));
            for (std::string triple; in >> triple;) {
                long utc = 0, standard = 0;
                int dst = 0;
                char comma = 0;
                std::istringstream(triple) >> utc >> comma >> standard >> comma >> dst;
                codes.push_back({seconds{utc}, seconds{standard}, dst != 0});
            }
        } else if (line.starts_with("T ")) {
            steps = line.substr(2);
        } else if (line.starts_with("R ")) {
            const std::string randoms = line.substr(2);
            ASSERT_EQ(randoms.size(), perZone) << name;
            std::string firstMismatch;
            const int bad =
                CheckZone(name, codes, steps, randoms, state, first, end, firstMismatch);
            ++zones;
            answers += static_cast<long>(perZone + 2 * std::count(steps.begin(), steps.end(), ':'));
            if (bad > 0) {
                ++failedZones;
                ADD_FAILURE() << bad << " mismatches; the first: " << firstMismatch;
            }
        }
    }
    EXPECT_GT(zones, 300) << "every zone of tzdata";
    EXPECT_EQ(failedZones, 0);
    std::cout << "[ checked  ] " << answers << " answers in " << zones << " zones\n";
}

struct KnownClock {
    const char* what;
    const char* zone;
    ClockTime clock;
    int utcOffsetMinutes;  // clock minus UTC
    int standardMinutes;   // standard time minus UTC
    bool dst;
};

// From the zones' published rules: New York keeps -5 h with +1 h from the
// second Sunday of March to the first Sunday of November; Ireland +0 in
// winter, +1 h from the last Sunday of March to the last Sunday of October;
// Morocco +1 h except during Ramadan (2024: 10 March to 14 April) with
// standard time +0; Lord Howe Island +10:30 and half an hour saved from the
// first Sunday of October to the first Sunday of April; Samoa -11 h standard
// time with an hour saved in its summer until 29 December 2011, then +13 h.
const KnownClock kKnownClocks[] = {
    {"New York summer 2040, from the closing rule",
     "America/New_York",
     {2040, 7, 1, 13, 30},
     -240,
     -300,
     true},
    {"New York winter 2040", "America/New_York", {2040, 1, 15, 13, 30}, -300, -300, false},
    {"New York just after the 2040 change",
     "America/New_York",
     {2040, 3, 11, 3, 0},
     -240,
     -300,
     true},
    {"Dublin winter", "Europe/Dublin", {2024, 1, 15, 12, 0}, 0, 0, false},
    {"Dublin summer", "Europe/Dublin", {2024, 7, 15, 12, 0}, 60, 0, true},
    {"Dublin summer 2060", "Europe/Dublin", {2060, 7, 15, 12, 0}, 60, 0, true},
    {"Casablanca summer", "Africa/Casablanca", {2024, 7, 1, 12, 0}, 60, 0, true},
    {"Casablanca in Ramadan", "Africa/Casablanca", {2024, 3, 20, 12, 0}, 0, 0, false},
    {"Lord Howe summer", "Australia/Lord_Howe", {2024, 1, 15, 12, 0}, 660, 630, true},
    {"Lord Howe winter", "Australia/Lord_Howe", {2024, 7, 15, 12, 0}, 630, 630, false},
    {"Lord Howe summer 2090", "Australia/Lord_Howe", {2090, 1, 15, 12, 0}, 660, 630, true},
    {"Samoa the day before the skipped day",
     "Pacific/Apia",
     {2011, 12, 29, 12, 0},
     -600,
     -660,
     true},
    {"Samoa the day after the skipped day", "Pacific/Apia", {2011, 12, 31, 12, 0}, 840, 780, true},
};

TEST(ZoneTable, ClockTimesFromPublishedRules) {
    for (const KnownClock& c : kKnownClocks) {
        BirthMoment m;
        m.clock = c.clock;
        m.zone = c.zone;
        const MomentResult result = ResolveMoment(m);
        ASSERT_TRUE(result.ok()) << c.what << ": " << result.message;
        const MomentResolution& r = *result.resolution;
        EXPECT_EQ(r.utcOffset, seconds{c.utcOffsetMinutes * 60}) << c.what;
        EXPECT_EQ(r.standardOffset, seconds{c.standardMinutes * 60}) << c.what;
        EXPECT_EQ(r.dst, c.dst) << c.what;
    }
}

struct SkippedClock {
    const char* what;
    const char* zone;
    ClockTime clock;
    const char* gap;  // as the message gives it
};

TEST(ZoneTable, SkippedClockTimesAreRefused) {
    const SkippedClock rows[] = {
        {"New York's skipped hour of 2040",
         "America/New_York",
         {2040, 3, 11, 2, 30},
         "from 02:00 to 03:00"},
        {"Lord Howe's skipped half hour of 2030",
         "Australia/Lord_Howe",
         {2030, 10, 6, 2, 15},
         "from 02:00 to 02:30"},
        {"Samoa's skipped day",
         "Pacific/Apia",
         {2011, 12, 30, 12, 0},
         "from 2011-12-30 00:00 to 2011-12-31 00:00"},
    };
    for (const SkippedClock& row : rows) {
        BirthMoment m;
        m.clock = row.clock;
        m.zone = row.zone;
        const MomentResult result = ResolveMoment(m);
        EXPECT_FALSE(result.ok()) << row.what;
        EXPECT_EQ(result.error, MomentError::NonexistentTime) << row.what;
        EXPECT_NE(result.message.find(row.gap), std::string::npos)
            << row.what << ": " << result.message;
    }
}

TEST(ZoneTable, DaylightSavingChoiceUsesTheStandardOffsetOfTheZone) {
    // Dublin's clock said to show standard time in summer is +00:00; said to
    // keep daylight saving in winter, +01:00.
    BirthMoment m;
    m.zone = "Europe/Dublin";
    m.clock = {2024, 7, 15, 12, 0};
    m.dst = DstChoice::Off;
    EXPECT_EQ(ResolveMoment(m).resolution->utcOffset, seconds{0});
    m.clock = {2024, 1, 15, 12, 0};
    m.dst = DstChoice::On;
    EXPECT_EQ(ResolveMoment(m).resolution->utcOffset, seconds{3600});
}

TEST(ZoneTable, OnlyNamesTzdataListsAreZones) {
    for (const char* name : {"Asia/Shanghai", "UTC", "Asia/Chongqing", "US/Eastern"})
        EXPECT_TRUE(TimeZone::Find(name)) << name;
    for (const char* name : {"", "Fixed/UTC+08:00", "localtime", "/etc/passwd", "../zoneinfo/UTC",
                             "file:/usr/share/zoneinfo/UTC", "posixrules", "Mars/Olympus"})
        EXPECT_FALSE(TimeZone::Find(name)) << name;
}

}  // namespace
}  // namespace qelvar
