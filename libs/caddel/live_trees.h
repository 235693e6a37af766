// The record trees this library made and has not closed. A script's handle
// is the tree's address, but a script can pass any number (a tree it closed
// already, a typo), so every export looks its handle up here first and
// treats an unknown one like 0: a closed tree is never touched again.
#pragma once
#include <windows.h>

#include <cstdint>

struct RecordTree;

// Records a new tree (null passes through); returns it.
RecordTree* RememberTree(RecordTree* tree);
// The tree when the handle names one that is alive, else null.
RecordTree* LiveTree(uint32_t handle);
// The owner window of the tree the handle names, null when it names none.
HWND LiveTreeOwner(uint32_t handle);
// Forgets the tree; false when the handle names none.
bool ForgetTree(RecordTree* tree);
