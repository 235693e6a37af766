#include "script_error_text.h"

#include "shared_variables.h"
#include "wennic.h"

namespace {

const size_t kMessageLimit = 79;
const uint32_t kAutomationException = 151;

}  // namespace

std::string ScriptErrorText(uint32_t number) {
  if (number == kAutomationException) {
    SharedVariablesGuard guard;
    // After a 151 without a description the bridge leaves NULL here.
    VARIABLE* text = SharedVariables().Find("$ERRTXT");
    if (text && text->type == VAL_STRING && text->text && text->text[0])
      return std::string(text->text).substr(0, kMessageLimit);
  }
  char buffer[kMessageLimit + 1] = "";
  ERRTXT(static_cast<int>(number), buffer, sizeof buffer);
  return buffer;
}
