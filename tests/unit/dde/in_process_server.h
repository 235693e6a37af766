// The DDE server of this process for the tests: a frame of the host's
// classes with one script window (a WINDOW,HIDE script, so nothing is
// written to KORVEX.INI), whose file name is the DDE topic.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include "variable.h"

namespace dde_test {

class InProcessServer : public ::testing::Test {
 protected:
  // Opens the frame and starts the script; done once its variable named
  // ready exists (the body has run that far).
  void StartServer(const char* file, const char* text, const char* ready);
  void TearDown() override;

  // A variable of the window, or an element as NAME(row,col); null when
  // there is none.
  VARIABLE* Variable(const char* name);

  HWND window = nullptr;
};

}  // namespace dde_test
