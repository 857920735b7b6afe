#include "cli/Encoding.h"

#include <iconv.h>

#include <algorithm>
#include <cctype>

namespace qelvar::cli {

namespace {

std::string Lower(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

// One iconv descriptor, closed when it goes out of scope.
class IconvHandle {
public:
    IconvHandle(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~IconvHandle() {
        if (ok()) iconv_close(m_cd);
    }
    IconvHandle(const IconvHandle&) = delete;
    IconvHandle& operator=(const IconvHandle&) = delete;
    bool ok() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return m_cd; }

private:
    iconv_t m_cd;
};

// `utf8` through an open descriptor; empty when a character cannot be
// converted.
std::optional<std::string> Convert(const IconvHandle& handle, std::string_view utf8);

}  // namespace

std::optional<Encoding> ParseEncoding(std::string_view name) {
    const std::string n = Lower(name);
    if (n == "utf-8" || n == "utf8") return Encoding::Utf8;
    if (n == "gbk" || n == "cp936") return Encoding::Gbk;
    if (n == "big5" || n == "cp950") return Encoding::Big5;
    return std::nullopt;
}

namespace {

std::optional<std::string> Convert(const IconvHandle& handle, std::string_view utf8) {
    if (!handle.ok()) return std::nullopt;
    iconv(handle.get(), nullptr, nullptr, nullptr, nullptr);  // reset the shift state

    std::string out(utf8.size() + 4, '\0');  // GBK and Big5 never need more bytes than UTF-8
    char* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    char* dst = out.data();
    std::size_t outLeft = out.size();
    if (iconv(handle.get(), &in, &inLeft, &dst, &outLeft) == static_cast<std::size_t>(-1)) {
        return std::nullopt;
    }
    out.resize(out.size() - outLeft);
    return out;
}

}  // namespace

std::optional<std::string> Utf8ToGbk(std::string_view utf8) {
    static const IconvHandle handle("CP936", "UTF-8");
    return Convert(handle, utf8);
}

std::optional<std::string> Utf8ToBig5(std::string_view utf8) {
    static const IconvHandle handle("BIG5", "UTF-8");
    // The five-pillar line's ⑤ has no Big5 code; the full-width ５ takes
    // its place and its two columns.
    constexpr std::string_view kCircledFive = "⑤", kWideFive = "５";
    std::string text(utf8);
    for (std::size_t p = text.find(kCircledFive); p != std::string::npos;
         p = text.find(kCircledFive, p + kWideFive.size()))
        text.replace(p, kCircledFive.size(), kWideFive);
    return Convert(handle, text);
}

std::string_view EncodingName(Encoding encoding) {
    switch (encoding) {
        case Encoding::Gbk:
            return "GBK";
        case Encoding::Big5:
            return "Big5";
        case Encoding::Utf8:
            break;
    }
    return "UTF-8";
}

std::optional<std::string> Encode(std::string_view utf8, Encoding encoding) {
    switch (encoding) {
        case Encoding::Gbk:
            return Utf8ToGbk(utf8);
        case Encoding::Big5:
            return Utf8ToBig5(utf8);
        case Encoding::Utf8:
            break;
    }
    return std::string(utf8);
}

}  // namespace qelvar::cli
