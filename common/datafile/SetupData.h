// Parser of a driver's setup-data file: the "Install" section with its
// REGPATH (registry key) and REGENTER (registry value) lines. Pure code,
// no Windows headers, so it also builds natively for fuzzing.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class OsFamily { Win9x, WinNt };

// What the platform conditions and the DRIVERDIR/SYSTEMDIR forms depend on.
struct SetupDataEnv {
    OsFamily family = OsFamily::WinNt;
    uint32_t dwMajor = 5;
    uint32_t dwMinor = 1;
    std::string strDriverDir;  // empty: unknown, and then no value is kept
    std::string strSystemDir;
};

struct SetupKey {
    std::string strId;
    std::string strPath;  // the part after "HKEY_LOCAL_MACHINE\"
};

struct SetupValue {
    enum Type : int { String = 1, Number = 4 };
    std::string strKeyId;
    std::string strName;
    Type type = String;
    std::string strText;
    int32_t iNumber = 0;
};

class SetupData {
public:
    static SetupData Parse(std::string_view text, const SetupDataEnv& env);

    bool Empty() const { return m_keys.empty() || m_values.empty(); }
    std::optional<std::string> FindString(std::string_view keyPath, std::string_view valueName) const;
    std::optional<int32_t> FindNumber(std::string_view keyPath, std::string_view valueName) const;

    const std::vector<SetupKey>& Keys() const { return m_keys; }
    const std::vector<SetupValue>& Values() const { return m_values; }

private:
    const SetupValue* Find(std::string_view keyPath, std::string_view valueName) const;

    std::vector<SetupKey> m_keys;
    std::vector<SetupValue> m_values;
};

// Helpers of the file format, exposed for tests.
std::vector<std::string> SetupSplitFields(std::string_view value);
bool SetupConditionHolds(std::string_view condition, const SetupDataEnv& env);
