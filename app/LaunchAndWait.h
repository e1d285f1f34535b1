#pragma once

#include <windows.h>

// Starts the program named by the first token of commandLine (new console,
// new process group, no inherited handles) and waits for it to end in
// one-second slices. With a non-zero timeLimit (ms) the wait gives up once
// the limit has passed at the end of a slice, terminating the process first
// when `terminate` is set. Returns the process's exit code (STILL_ACTIVE if
// it is left running), or 0xFFFFFFFF when it can't be started. The program
// starts in `currentDirectory`, or without one in ours.
DWORD LaunchAndWait(char* commandLine, WORD showCommand, DWORD timeLimit, int terminate,
                    const char* currentDirectory = nullptr);
