#pragma once
#include <gtest/gtest.h>

#include <X11/Xlib.h>

#include <memory>

#include "TXvfb.h"

// Tests against a private X server, one per test suite, with a connection of their own for each
// test. The server is this one rather than the end-to-end tests' because that one ignores every
// X error, which would hide the errors the code under test must trap itself.
class XServerTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() { FServer = std::make_unique<TXvfb>(); }
  static void TearDownTestSuite() { FServer.reset(); }
  void SetUp() override {
    ASSERT_TRUE(FServer->Running()) << "Xvfb did not start";
    FDisplay = XOpenDisplay(nullptr);
    ASSERT_NE(FDisplay, nullptr);
    FRoot = DefaultRootWindow(FDisplay);
  }
  void TearDown() override {
    if (FDisplay) XCloseDisplay(FDisplay);
  }

  static inline std::unique_ptr<TXvfb> FServer;
  Display* FDisplay = nullptr;
  Window FRoot = None;
};
