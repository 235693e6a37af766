// Test tool: exits with the code given as its first argument, after an
// optional delay in milliseconds given as the second.
#include <windows.h>

#include <cstdlib>

int main(int argc, char** argv) {
  if (argc > 2) Sleep(static_cast<DWORD>(std::atoi(argv[2])));
  return argc > 1 ? std::atoi(argv[1]) : 0;
}
