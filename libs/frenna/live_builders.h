// The menu builders this library made and has not closed. A script's handle
// is the builder's address, but a script can pass any number (a builder it
// closed, a typo), so every export looks its handle up here first and
// treats an unknown one like 0.
#pragma once
#include <cstdint>

class MenuBuilder;

// Records a new builder; false when it cannot be recorded.
bool RememberBuilder(MenuBuilder* builder);
// The builder when the handle names a live one, else null.
MenuBuilder* LiveBuilder(uintptr_t handle);
// Forgets the builder and returns it for deletion (null when unknown).
MenuBuilder* ForgetBuilder(uintptr_t handle);
