#include "common/datafile/SetupData.h"

#include <cctype>
#include <cstdlib>

namespace {

constexpr std::string_view kSection = "Install";
constexpr std::string_view kRegPath = "REGPATH";
constexpr std::string_view kRegEnter = "REGENTER";
constexpr std::string_view kMachineRoot = "HKEY_LOCAL_MACHINE\\";
constexpr std::string_view kDriverDir = "DRIVERDIR";
constexpr std::string_view kSystemDir = "SYSTEMDIR";

// Field positions of the two line kinds.
constexpr size_t kRegPathKeyPath = 7;
constexpr size_t kRegPathKeyId = 8;
constexpr size_t kRegEnterKeyId = 0;
constexpr size_t kRegEnterName = 1;
constexpr size_t kRegEnterData = 2;
constexpr size_t kRegEnterFirstCondition = 3;

bool EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

std::string_view Trim(std::string_view s) {
    const char* kBlanks = " \t\r\n";
    const size_t first = s.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    const size_t last = s.find_last_not_of(kBlanks);
    return s.substr(first, last - first + 1);
}

std::string_view StripComment(std::string_view line) {
    const size_t semi = line.find(';');
    return semi == std::string_view::npos ? line : line.substr(0, semi);
}

bool IsSectionHeader(std::string_view line) {
    return line.size() >= 2 && line.front() == '[' && line.back() == ']';
}

bool IsQuoted(std::string_view s) { return s.size() >= 2 && s.front() == '"' && s.back() == '"'; }

std::string_view Unquote(std::string_view s) { return IsQuoted(s) ? s.substr(1, s.size() - 2) : s; }

std::optional<int32_t> ParseNumber(std::string_view s) {
    if (s.empty()) return std::nullopt;
    int base = 10;
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        base = 16;
        s.remove_prefix(2);
    }
    const std::string text(s);
    char* pEnd = nullptr;
    const unsigned long long value = std::strtoull(text.c_str(), &pEnd, base);
    if (pEnd == text.c_str() || *pEnd != '\0' || text[0] == '-' || text[0] == '+') return std::nullopt;
    return static_cast<int32_t>(static_cast<uint32_t>(value));
}

// String data: the DRIVERDIR / SYSTEMDIR forms and quoted texts. An empty
// result means the entry is dropped.
std::string ResolveString(std::string_view data, const SetupDataEnv& env) {
    if (EqualNoCase(data, kDriverDir)) return env.strDriverDir;
    if (EqualNoCase(data, kSystemDir)) return env.strSystemDir;
    for (std::string_view word : {kDriverDir, kSystemDir}) {
        const size_t at = data.find(word);
        if (at == std::string_view::npos) continue;
        std::string_view rest = data.substr(at + word.size());
        if (rest.empty() || rest.front() != '+') return {};
        rest.remove_prefix(1);
        if (!IsQuoted(rest)) return {};
        const std::string_view text = Trim(Unquote(rest));
        if (text.empty()) return {};
        const std::string& folder = word == kDriverDir ? env.strDriverDir : env.strSystemDir;
        return folder + std::string(text);
    }
    if (IsQuoted(data)) return std::string(Unquote(data));
    return {};
}

bool IsStringData(std::string_view data) {
    return IsQuoted(data) || EqualNoCase(data, kDriverDir) || EqualNoCase(data, kSystemDir) ||
           data.find(kDriverDir) != std::string_view::npos || data.find(kSystemDir) != std::string_view::npos;
}

bool EntryApplies(const std::vector<std::string>& fields, const SetupDataEnv& env) {
    if (fields.size() <= kRegEnterFirstCondition) return true;
    for (size_t i = kRegEnterFirstCondition; i < fields.size(); ++i) {
        if (SetupConditionHolds(fields[i], env)) return true;
    }
    return false;
}

std::optional<SetupValue> MakeValue(const std::vector<std::string>& fields, const SetupDataEnv& env) {
    if (fields.size() <= kRegEnterData || !EntryApplies(fields, env)) return std::nullopt;
    SetupValue value;
    value.strKeyId = fields[kRegEnterKeyId];
    value.strName = std::string(Unquote(fields[kRegEnterName]));
    const std::string_view data = Trim(fields[kRegEnterData]);
    if (IsStringData(data)) {
        value.type = SetupValue::String;
        value.strText = ResolveString(data, env);
        if (value.strText.empty()) return std::nullopt;
    } else {
        const auto number = ParseNumber(data);
        if (!number) return std::nullopt;
        value.type = SetupValue::Number;
        value.iNumber = *number;
    }
    return value;
}

}  // namespace

std::vector<std::string> SetupSplitFields(std::string_view value) {
    // Quotes are kept around a quoted field so the data's type can still be
    // told from them; "" inside quotes stands for one quote.
    std::vector<std::string> fields;
    std::string current;
    bool bInQuotes = false;
    for (size_t i = 0; i < value.size(); ++i) {
        const char ch = value[i];
        if (bInQuotes) {
            if (ch == '"' && i + 1 < value.size() && value[i + 1] == '"') {
                current += '"';
                ++i;
            } else {
                if (ch == '"') bInQuotes = false;
                current += ch;
            }
        } else if (ch == ',') {
            fields.emplace_back(Trim(current));
            current.clear();
        } else {
            if (ch == '"' && Trim(current).empty()) bInQuotes = true;
            current += ch;
        }
    }
    fields.emplace_back(Trim(current));
    return fields;
}

bool SetupConditionHolds(std::string_view condition, const SetupDataEnv& env) {
    condition = Trim(condition);
    const bool bNt = env.family == OsFamily::WinNt;
    if (condition.empty() || EqualNoCase(condition, "ALL") || EqualNoCase(condition, "BUILD32")) return true;
    if (EqualNoCase(condition, "WIN9X")) return !bNt;
    if (EqualNoCase(condition, "WINNT")) return bNt;
    if (EqualNoCase(condition, "WINNT40")) return bNt && env.dwMajor == 4;
    if (EqualNoCase(condition, "WIN2000")) return bNt && env.dwMajor >= 5;
    if (EqualNoCase(condition, "WIN2KLATER")) return bNt && (env.dwMajor > 5 || (env.dwMajor == 5 && env.dwMinor >= 1));
    return false;
}

SetupData SetupData::Parse(std::string_view text, const SetupDataEnv& env) {
    SetupData data;
    bool bInSection = false;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = Trim(StripComment(text.substr(pos, end - pos)));
        pos = end + 1;
        if (line.empty()) continue;
        if (IsSectionHeader(line)) {
            bInSection = EqualNoCase(line.substr(1, line.size() - 2), kSection);
            continue;
        }
        const size_t eq = line.find('=');
        if (!bInSection || eq == std::string_view::npos) continue;
        const std::string_view key = Trim(line.substr(0, eq));
        const std::vector<std::string> fields = SetupSplitFields(Trim(line.substr(eq + 1)));
        if (EqualNoCase(key, kRegPath)) {
            if (fields.size() <= kRegPathKeyId) continue;
            const std::string_view path = Unquote(fields[kRegPathKeyPath]);
            const std::string& id = fields[kRegPathKeyId];
            const size_t root = path.find(kMachineRoot);
            if (path.empty() || id.empty() || root == std::string_view::npos) continue;
            data.m_keys.push_back({id, std::string(path.substr(root + kMachineRoot.size()))});
        } else if (EqualNoCase(key, kRegEnter)) {
            if (env.strDriverDir.empty()) continue;
            auto value = MakeValue(fields, env);
            if (!value) continue;
            // Of two neighbours naming the same value, the later one counts.
            if (!data.m_values.empty() && data.m_values.back().strKeyId == value->strKeyId &&
                data.m_values.back().strName == value->strName)
                data.m_values.pop_back();
            data.m_values.push_back(std::move(*value));
        }
    }
    return data;
}

const SetupValue* SetupData::Find(std::string_view keyPath, std::string_view valueName) const {
    for (const SetupKey& key : m_keys) {
        if (!EqualNoCase(key.strPath, keyPath)) continue;
        for (const SetupValue& value : m_values) {
            if (EqualNoCase(value.strKeyId, key.strId) && EqualNoCase(value.strName, valueName)) return &value;
        }
        return nullptr;
    }
    return nullptr;
}

std::optional<std::string> SetupData::FindString(std::string_view keyPath, std::string_view valueName) const {
    const SetupValue* value = Find(keyPath, valueName);
    if (!value || value->type != SetupValue::String) return std::nullopt;
    return value->strText;
}

std::optional<int32_t> SetupData::FindNumber(std::string_view keyPath, std::string_view valueName) const {
    const SetupValue* value = Find(keyPath, valueName);
    if (!value || value->type != SetupValue::Number) return std::nullopt;
    return value->iNumber;
}
