// Kernel memory services: unnamed file mappings (the pixels of large
// bitmaps live in one), views of them, and page-granular allocations.
// A file mapping is the only kernel object behind CloseHandle here.
#pragma once

#include <win32/base.h>

#define PAGE_NOACCESS 0x01
#define PAGE_READONLY 0x02
#define PAGE_READWRITE 0x04

#define FILE_MAP_WRITE 0x0002
#define FILE_MAP_READ 0x0004
#define FILE_MAP_ALL_ACCESS 0x000F001F

#define MEM_COMMIT 0x00001000
#define MEM_RESERVE 0x00002000
#define MEM_DECOMMIT 0x00004000
#define MEM_RELEASE 0x00008000

// Only unnamed mappings backed by memory (the page file, on Windows) exist:
// `file` must be INVALID_HANDLE_VALUE, `name` null and `protect`
// PAGE_READWRITE. The size is (sizeHigh << 32) | sizeLow and must not be 0.
// The mapping reads as zeros until written.
HANDLE CreateFileMappingA(HANDLE file, LPSECURITY_ATTRIBUTES attributes, DWORD protect, DWORD sizeHigh, DWORD sizeLow,
                          LPCSTR name);

// A view of `bytes` bytes (0: up to the end) from the given offset, which
// must be a multiple of 64 KiB (ERROR_MAPPED_ALIGNMENT otherwise). A view
// stays valid after the mapping's handle is closed, until it is unmapped.
LPVOID MapViewOfFile(HANDLE mapping, DWORD access, DWORD offsetHigh, DWORD offsetLow, SIZE_T bytes);
BOOL UnmapViewOfFile(LPCVOID baseAddress);

// Closes a file mapping handle; anything else fails with
// ERROR_INVALID_HANDLE.
BOOL CloseHandle(HANDLE object);

// Number of open kernel handles of the process (the current-process pseudo
// handle only).
BOOL GetProcessHandleCount(HANDLE process, DWORD* count);

// Reserves and commits a new region of zeroed read-write pages (`address`
// must be null, `type` include MEM_COMMIT, `protect` be PAGE_READWRITE).
LPVOID VirtualAlloc(LPVOID address, SIZE_T size, DWORD type, DWORD protect);

// Releases a whole region VirtualAlloc returned: `size` 0, MEM_RELEASE.
BOOL VirtualFree(LPVOID address, SIZE_T size, DWORD type);
