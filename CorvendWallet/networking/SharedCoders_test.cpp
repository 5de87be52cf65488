#include "CorvendWallet/networking/SharedCoders.hpp"

#include <gtest/gtest.h>

#include <boost/describe.hpp>
#include <optional>
#include <string>

#include "platform/json/DecodingError.hpp"

namespace corvend {
namespace {

struct Attachment {
    std::string name;
    platform::Data bytes;
    std::optional<platform::Data> thumbnail;
};
BOOST_DESCRIBE_STRUCT(Attachment, (), (name, bytes, thumbnail))

TEST(SharedCodersTest, BytesTravelAsBase64) {
    const Attachment attachment{"scan", platform::Data(std::string("\x00\xff\x10 ok", 6)),
                                platform::Data("")};
    const auto body = sharedRequestEncoder().encode(attachment);
    EXPECT_EQ(body.view(), R"({"name":"scan","bytes":"AP8QIG9r","thumbnail":""})");

    const auto back = sharedResponseDecoder().decode<Attachment>(body);
    EXPECT_EQ(back.bytes, attachment.bytes);
    EXPECT_EQ(back.thumbnail, attachment.thumbnail);

    try {
        sharedResponseDecoder().decode<Attachment>(R"({"name":"scan","bytes":"AP8QIG9"})");
        FAIL() << "took text that is not Base64";
    } catch (const platform::DecodingError& error) {
        EXPECT_EQ(error.kind(), platform::DecodingError::Kind::dataCorrupted);
        EXPECT_EQ(platform::describeCodingPath(error.codingPath()), "bytes");
    }
}

}  // namespace
}  // namespace corvend
