// Small questions about file-system paths.
#pragma once

#include <string>

// Folder part of a path, empty when it has none.
std::string FolderOfPath(const std::string& strPath);
// True when a file or folder of that name exists (a file search finds it).
bool PathExists(const std::string& strPath);
// True when a file, not a folder, of that name exists.
bool IsExistingFile(const std::string& strPath);
