// Compiled with the reader's namespace renamed: see CMakeLists.txt.
#include "tests/support/SecondPageReader.hpp"

#include "platform/web/WebPage.hpp"

namespace corvend::testing {

void readWithSecondCopy(std::string_view html, std::chrono::nanoseconds cpuTime) {
    using platform::web::WebPage;
    auto limits = WebPage::limitsFor(html.size());
    limits.cpuTime = cpuTime;
    WebPage::parse(*platform::URL::make("https://other.example/"), 200, html, limits);
}

}  // namespace corvend::testing
