#pragma once

// Writes `size` bytes to fileName in one go, creating the file or replacing
// its content. Answers 1 on success; on failure 0, with `size` set to the
// bytes that reached the file (which keeps them). Never throws.
int WriteBuffer(const char* fileName, unsigned char* data, unsigned long& size);
