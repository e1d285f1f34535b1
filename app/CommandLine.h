// What the command line may ask for; everything else on it is ignored.
#pragma once

// Whether `commandLine` (WinMain's, without the program name; may be null)
// holds /nodriver or -nodriver, in any case, as a word of its own.
bool AsksForNoDriver(const char* commandLine);
