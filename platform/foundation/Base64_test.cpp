#include "platform/foundation/Base64.hpp"

#include <gtest/gtest.h>

#include <string>

namespace corvend::platform::base64 {
namespace {

TEST(Base64Test, EncodesAndDecodesTheVectorsOfRFC4648) {
    const std::pair<std::string, std::string> vectors[] = {
        {"", ""},
        {"f", "Zg=="},
        {"fo", "Zm8="},
        {"foo", "Zm9v"},
        {"foob", "Zm9vYg=="},
        {"fooba", "Zm9vYmE="},
        {"foobar", "Zm9vYmFy"},
        // NUL, bytes beyond ASCII, and the alphabet's last two characters.
        {std::string("\xfb\xef\xbe\xff\xff\xff\x00", 7), "++++////AA=="}};
    for (const auto& [bytes, text] : vectors) {
        EXPECT_EQ(encode(bytes), text);
        EXPECT_EQ(decode(text), bytes) << text;
    }
}

TEST(Base64Test, RefusesTextThatIsNotCanonical) {
    for (const char* text : {"Zg=", "Zm9", "Zm9v\n", "Zm 9v", "Zm9-", "Zm9_",
                             "Z===", "Zg==Zg==", "Zm=v", "=Zm9", "Zh==", "Zm9=", "===="}) {
        EXPECT_EQ(decode(text), std::nullopt) << text;
    }
}

}  // namespace
}  // namespace corvend::platform::base64
