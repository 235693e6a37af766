// The arrays this library made and has not erased. A script's handle is the
// array's address, but a script can pass any number (an array it erased
// already, a typo), so every export looks its handle up here first and
// treats an unknown one like 0: an erased array is never touched again.
#pragma once

class DimArray;

// Records a new array (null passes through); returns it.
DimArray* RememberArray(DimArray* array);
// The array when the handle names one that is alive, else null.
DimArray* LiveArray(DimArray* handle);
// Forgets the array and returns it for deletion, or null when the handle
// names none (so a second erase does nothing).
DimArray* ForgetArray(DimArray* handle);
