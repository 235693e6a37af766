// Quelt.dll's exports: tables opened by name and shared by in-process
// clients. Every argument and result is one 32-bit word, standard Windows
// calling convention, undecorated names. A table handle is opaque; names
// are upper-cased in the caller's buffer (a temporary table's generated name
// is written back: MAX_PATH bytes).
#pragma once
#include <windows.h>

#include "quelt.h"

#ifdef QUELT_BUILD
#define QUELT_API extern "C" __declspec(dllexport)
#else
#define QUELT_API extern "C" __declspec(dllimport)
#endif

QUELT_API Table* WINAPI QUELT_Open(char* name, TableClient* client);
QUELT_API Table* WINAPI QUELT_Create(char* name, void* header, TableClient* client);
QUELT_API DWORD WINAPI QUELT_Close(Table* table, TableClient* client);
QUELT_API DWORD WINAPI QUELT_GetHead(Table* table, void* buffer, DWORD size);
QUELT_API DWORD WINAPI QUELT_FindField(Table* table, char* name, FieldInfo* info);
QUELT_API DWORD WINAPI QUELT_GetRec(Table* table, DWORD n, void* buffer);
QUELT_API DWORD WINAPI QUELT_PutRec(Table* table, DWORD n, void* buffer);
QUELT_API DWORD WINAPI QUELT_NewRec(Table* table, void* buffer);
QUELT_API DWORD WINAPI QUELT_Append(Table* table, void* buffer);
QUELT_API DWORD WINAPI QUELT_Delete(Table* table, DWORD n);
QUELT_API BOOL WINAPI QUELT_Truncate(Table* table, DWORD n);
QUELT_API BOOL WINAPI QUELT_Lock(Table* table, BOOL on);
QUELT_API BOOL WINAPI QUELT_Load(Table* table, BOOL on);
QUELT_API DWORD WINAPI QUELT_Flush(Table* table, BOOL on);
QUELT_API DWORD WINAPI QUELT_Coder(Table* table, DWORD flags);
QUELT_API DWORD WINAPI QUELT_RdMemo(Table* table, char* buffer, DWORD size);
QUELT_API DWORD WINAPI QUELT_WrMemo(Table* table, char* text, DWORD length);
QUELT_API DWORD WINAPI QUELT_GetLastError(Table* table);
QUELT_API int WINAPI QUELT_ErrorTxt(int id, char* buffer, DWORD size);
QUELT_API int WINAPI QUELT_ErrorBox(HWND owner, int id, char* prefix);
