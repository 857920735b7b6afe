// qelvar-cli in traditional Chinese: --lang and QELVAR_LANG, a hand-checked
// zh-TW chart, whole batches free of simplified-only characters and shaped
// like their zh-CN twins, and Big5 output read back through iconv.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "convert_process.h"
#include "tests/lang/SimplifiedOnly.h"

namespace qelvar {
namespace {

using test::RunCli;
using test::RunShell;

const std::vector<std::string> kBase = {"cast", "2000-02-05", "--hour", "6",       "--minute",
                                        "0",    "--sex",      "0",      "--today", "2026-12-07"};

std::vector<std::string> With(std::vector<std::string> args, std::vector<std::string> more) {
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

std::vector<std::u32string> Lines(const std::string& utf8) {
    std::vector<std::u32string> lines(1);
    for (std::size_t i = 0; i < utf8.size();) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        const int len = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
        char32_t cp = len == 1 ? c : c & (0x3F >> (len - 1));
        for (int k = 1; k < len; ++k) cp = (cp << 6) | (utf8[i + k] & 0x3F);
        i += len;
        if (cp == U'\n')
            lines.emplace_back();
        else
            lines.back() += cp;
    }
    return lines;
}

std::string SimplifiedOnlyIn(const std::string& text) {
    std::string found;
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        const std::size_t len = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
        const std::string ch = text.substr(i, len);
        if (len > 1 && test::kSimplifiedOnly.find(ch) != std::string_view::npos) found += ch;
        i += len;
    }
    return found;
}

// A zh-TW output is its zh-CN twin character for character: the same lines
// of the same lengths, every ASCII character (digits, keys, frames) in place.
void ExpectTwins(const std::string& cn, const std::string& tw) {
    const auto a = Lines(cn), b = Lines(tw);
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        ASSERT_EQ(a[i].size(), b[i].size()) << "line " << i;
        for (std::size_t k = 0; k < a[i].size(); ++k) {
            if (a[i][k] < 0x80 || b[i][k] < 0x80) {
                ASSERT_EQ(a[i][k], b[i][k]) << "line " << i;
            }
        }
    }
}

TEST(Language, HandCheckedChartInTaiwanese) {
    const auto r = RunCli(With(kBase, {"--lang", "zh-TW"}));
    ASSERT_EQ(r.status, 0) << r.err;
    // Worked out by hand for 2000-02-05 午時, male: 庚辰 year (太陽祿 武曲權
    // 太陰科 天同忌), 命宮 in 申 with the body, 水二局, 子年斗君 at 午.
    for (const char* line : {
             "命局：水二局    子年斗君：午",
             "農曆：龍(庚辰)年正月初一",
             "命主廉貞    身主文昌",
             "太陽[祿]武曲[權]太陰[科]天同[忌]",
             "距離今天，你已經活了9802天！",
             "|博五指        命★身 甲|",
             "|飛天驛       遷移宮 戊|奏天攀       僕役宮 己|將白將       官祿宮 戊|小龍亡       "
             "田宅宮 丁|",
             "|天陰天天              |紫破天寡破天          |天台天天              |天紅",
             "|鉞煞哭廚              |微軍姚宿碎傷          |機輔才壽              |官鸞",
         })
        EXPECT_NE(r.out.find(line), std::string::npos) << line << "\n" << r.out;
    EXPECT_EQ(SimplifiedOnlyIn(r.out), "");
    // Hong Kong writes these terms alike.
    const auto hk = RunCli(With(kBase, {"--lang", "zh-HK"}));
    EXPECT_EQ(hk.out, r.out);
}

TEST(Language, TheSwitchAndItsDefault) {
    const auto cn = RunCli(kBase);
    ASSERT_EQ(cn.status, 0);
    EXPECT_EQ(RunCli(With(kBase, {"--lang", "zh-CN"})).out, cn.out);
    const auto tw = RunCli(With(kBase, {"--lang", "zh-TW"}));
    EXPECT_NE(tw.out, cn.out);
    const std::string args = test::Quoted(kBase);
    EXPECT_EQ(RunShell("QELVAR_LANG=zh-TW exec \"$CLI\"" + args).out, tw.out);
    EXPECT_EQ(RunShell("QELVAR_LANG=zh-TW exec \"$CLI\"" + args + " --lang zh-CN").out, cn.out);
    for (const char* bad : {"zh_TW", "zh-SG", "en"}) {
        const auto r = RunCli(With(kBase, {"--lang", bad}));
        EXPECT_EQ(r.status, 2) << bad;
        EXPECT_NE(r.err.find("--lang"), std::string::npos);
        EXPECT_EQ(
            RunShell(std::string("QELVAR_LANG=") + test::ShellQuote(bad) + " exec \"$CLI\"" + args)
                .status,
            2)
            << bad;
    }
    const auto convert = RunCli({"convert", "--lunar", "--leap", "2020-04-01", "--lang", "zh-TW"});
    EXPECT_NE(convert.out.find("lunarText: 鼠(庚子)年閏四月初一"), std::string::npos);
}

// Casts over the whole range with periods, text and JSON: no simplified-only
// character, and each output the twin of its zh-CN one.
TEST(Language, WholeBatchesInTraditional) {
    std::string input;
    for (int i = 0; i < 150; ++i) {
        char line[96];
        std::snprintf(line, sizeof line, "%d-%02d-%02d %d %d %d at %d-06-15 %d\n", 1901 + i,
                      1 + i % 12, 1 + (i * 7) % 28, i % 13, (i * 5) % 12, i % 2,
                      std::min(2050, 1901 + i + 1 + i % 60), (i * 3) % 13);
        input += line;
    }
    for (const char* format : {"text", "json"}) {
        const auto cn = RunCli({"cast", "--format", format, "--today", "2026-12-07", "-"}, input);
        const auto tw = RunCli(
            {"cast", "--format", format, "--today", "2026-12-07", "--lang", "zh-TW", "-"}, input);
        ASSERT_EQ(tw.status, cn.status) << tw.err;
        EXPECT_EQ(SimplifiedOnlyIn(tw.out), "") << format;
        ExpectTwins(cn.out, tw.out);
    }
}

std::string Replaced(std::string text) {
    for (std::size_t p = text.find("⑤"); p != std::string::npos; p = text.find("⑤"))
        text.replace(p, std::string_view("⑤").size(), "５");
    return text;
}

TEST(Language, Big5RoundTripsThroughIconv) {
    for (const char* lang : {"zh-TW", "zh-HK"}) {
        const std::string args = test::Quoted(With(kBase, {"--lang", lang, "--at", "2026-12-07"}));
        const auto utf8 = RunShell("exec \"$CLI\"" + args);
        const auto big5 = RunShell("\"$CLI\"" + args + " --encoding big5 | iconv -f BIG5 -t UTF-8");
        ASSERT_EQ(utf8.status, 0);
        ASSERT_EQ(big5.status, 0) << big5.err;
        // Big5 has no circled digits: the five pillars' ⑤ comes back as ５.
        EXPECT_EQ(big5.out, Replaced(utf8.out)) << lang;
        const auto json = RunShell("\"$CLI\"" + args + " --format json --encoding big5" +
                                   " | iconv -f BIG5 -t UTF-8");
        EXPECT_EQ(json.out, Replaced(RunShell("exec \"$CLI\"" + args + " --format json").out));
    }
    // Simplified characters have no Big5 code: status 3 and a message.
    const auto cn = RunCli(With(kBase, {"--encoding", "big5"}));
    EXPECT_EQ(cn.status, 3);
    EXPECT_NE(cn.err.find("cannot be written in Big5"), std::string::npos);
}

}  // namespace
}  // namespace qelvar
