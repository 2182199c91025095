// File helpers of the entry catalogue: the scan of the entries directory and
// the lookup of an article by its file name.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Full paths (directory + "/" + name) of the regular files below `dir` whose names
// match `filter`. With `recurse`, every subdirectory's files come before its parent's;
// within one directory, entries are taken in byte order of their names. Directories
// whose names start with "." are not entered; a directory reached twice (through a
// link) is entered once. A missing or unreadable directory contributes nothing.
std::vector<std::string> GetFilesInDir(const std::string& dir, const std::string& filter,
                                       bool recurse);

// Wildcard match ("*" any run, "?" any one byte), ASCII letters without regard to case.
bool MatchesFilter(std::string_view Name, std::string_view Filter);

// The file name of a path: what follows its last "/" or "\".
std::string_view ExtractEntryName(std::string_view Path);

// Equality with ASCII letters "A".."Z" folded to lower case; other bytes compare as they are.
bool SameTextAscii(std::string_view A, std::string_view B);

// Index of the first path in Paths whose file name equals Name (ASCII case folded), or -1.
int FindFileByName(const std::vector<std::string>& Paths, std::string_view Name);
