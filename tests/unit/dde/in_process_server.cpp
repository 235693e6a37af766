#include "in_process_server.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "host_globals.h"
#include "host_test_support.h"
#include "script_run.h"
#include "start_script.h"
#include "window_interpreter.h"

namespace dde_test {

void InProcessServer::StartServer(const char* file, const char* text, const char* ready) {
  host_test::OpenTestFrame();
  ASSERT_TRUE(FrameWindow);
  window = StartScript(nullptr, host_test::WriteScript(file, text).c_str());
  ASSERT_TRUE(window);
  host_test::PumpUntil([&] { return Variable(ready) != nullptr; }, 3000);
  ASSERT_TRUE(Variable(ready));
}

void InProcessServer::TearDown() { host_test::CloseTestFrame(); }

VARIABLE* InProcessServer::Variable(const char* name) {
  WindowInterpreter* interpreter = InterpreterOf(window);
  if (!interpreter) return nullptr;
  const char* bracket = std::strchr(name, '(');
  if (!bracket) return interpreter->Variables().Find(name);
  int row = 0, col = 0;
  std::sscanf(bracket, "(%d,%d)", &row, &col);
  return interpreter->Variables().FindElement(std::string(name, bracket).c_str(), row, col);
}

}  // namespace dde_test
