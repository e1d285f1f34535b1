// Test helpers: a scratch directory that removes itself, and whole-file I/O.
#pragma once

#include <set>
#include <string>

class TempDir {
public:
    TempDir();  // a new empty directory under the temporary directory
    ~TempDir(); // removes it with everything in it
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return path; }
    std::string operator/(const std::string& name) const { return path + "\\" + name; }

private:
    std::string path;
};

bool FileExists(const std::string& path);
// The file's bytes; throws std::runtime_error when it can't be read.
std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
// Removes a file or a directory tree; missing is fine.
void RemoveTree(const std::string& path);
// The names that `pattern` ("dir\\*", "dir\\*.json*") finds, but "." and "..".
std::set<std::string> Names(const std::string& pattern);
