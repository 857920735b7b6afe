// Failure reasons shown in the desktop program's dialogs.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include "io/ErrorText.h"

namespace qelvar {
namespace {

TEST(ChineseErrorText, CommonSaveFailuresAreTranslated) {
    for (const int error :
         {EACCES, ENOSPC, EROFS, ENOENT, ENAMETOOLONG, EISDIR, EEXIST, EDQUOT, EIO}) {
        const std::string text = ChineseErrorText(error);
        EXPECT_NE(text, std::strerror(error)) << error;
        EXPECT_GE(static_cast<unsigned char>(text.front()), 0xE4u) << error << ": " << text;
    }
}

TEST(ChineseErrorText, OthersFallBackToTheSystemsText) {
    for (const int error : {ETXTBSY, EMFILE, 9999}) {
        // strerror's text for an unknown number lives only until its next call.
        const std::string text = ChineseErrorText(error);
        EXPECT_EQ(text, std::string(std::strerror(error))) << error;
    }
}

}  // namespace
}  // namespace qelvar
