// Files and folders that tests make and clean up.
#pragma once

#include <string>

// A new empty folder under the temporary folder, removed with its files.
class TempFolder {
public:
    explicit TempFolder(const std::string& strTag);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return m_strPath; }
    std::string File(const std::string& strName) const { return m_strPath + "\\" + strName; }

private:
    std::string m_strPath;
};

bool WriteTextFile(const std::string& strPath, const std::string& strText);
std::string ReadTextFile(const std::string& strPath);
// Folder of the running test program, where the stand-in libraries are.
std::string ProgramFolder();
bool FileExists(const std::string& strPath);
