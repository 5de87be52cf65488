#pragma once

#include <gtest/gtest.h>

#include "platform/async/MainQueue.hpp"
#include "tests/support/ThemeFixture.hpp"

namespace corvend::components::testing {

// A test of views: it runs on the main thread, with the test theme configured.
class ThemedTest : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::MainQueue::shared().drain();
        configureTheme();
    }
};

}  // namespace corvend::components::testing
