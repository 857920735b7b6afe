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

}  // namespace

std::optional<Encoding> ParseEncoding(std::string_view name) {
    const std::string n = Lower(name);
    if (n == "utf-8" || n == "utf8") return Encoding::Utf8;
    if (n == "gbk" || n == "cp936") return Encoding::Gbk;
    return std::nullopt;
}

std::optional<std::string> Utf8ToGbk(std::string_view utf8) {
    static const IconvHandle handle("CP936", "UTF-8");
    if (!handle.ok()) return std::nullopt;
    iconv(handle.get(), nullptr, nullptr, nullptr, nullptr);  // reset the shift state

    std::string out(utf8.size() + 4, '\0');  // GBK never needs more bytes than UTF-8
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

std::optional<std::string> Encode(std::string_view utf8, Encoding encoding) {
    if (encoding == Encoding::Gbk) return Utf8ToGbk(utf8);
    return std::string(utf8);
}

}  // namespace qelvar::cli
