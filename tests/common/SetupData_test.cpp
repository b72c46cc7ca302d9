#include "common/datafile/SetupData.h"

#include <gtest/gtest.h>

namespace {

constexpr char kKey[] = "Software\\KAVRO\\PLX3\\Driver\\Test";

SetupDataEnv Env(OsFamily family, uint32_t dwMajor, uint32_t dwMinor) {
    SetupDataEnv env;
    env.family = family;
    env.dwMajor = dwMajor;
    env.dwMinor = dwMinor;
    env.strDriverDir = "C:\\DRV";
    env.strSystemDir = "C:\\WINDOWS\\system32";
    return env;
}

const SetupDataEnv kXp = Env(OsFamily::WinNt, 5, 1);

std::string File(const std::string& strEntries) {
    return "; comment line\r\n[Version]\r\nREGPATH=0,0,0,0,0,0,0,\"HKEY_LOCAL_MACHINE\\Software\\Other\",OTH\r\n"
           "[Install]\r\n"
           "REGPATH=0,0,0,0,0,0,0,\"HKEY_LOCAL_MACHINE\\Software\\KAVRO\\PLX3\\Driver\\Test\",DRV   ; the key\r\n" +
           strEntries;
}

struct StringCase {
    const char* pszName;
    std::string strEntries;
    std::optional<std::string> expected;
};

TEST(SetupData, StringValues) {
    const StringCase kCases[] = {
        {"quoted text", "REGENTER=DRV,\"Value\",\"QBAPI4.DLL\"\r\n", "QBAPI4.DLL"},
        {"quoted text with comma", "REGENTER=DRV,\"Value\",\"a,b\"\r\n", "a,b"},
        {"doubled quote stands for one", "REGENTER=DRV,\"Value\",\"say \"\"hi\"\"\"\r\n", "say \"hi\""},
        {"DRIVERDIR alone", "REGENTER=DRV,\"Value\",DRIVERDIR\r\n", "C:\\DRV"},
        {"driverdir alone in lower case", "REGENTER=DRV,\"Value\",driverdir\r\n", "C:\\DRV"},
        {"SYSTEMDIR alone", "REGENTER=DRV,\"Value\",SYSTEMDIR\r\n", "C:\\WINDOWS\\system32"},
        {"DRIVERDIR joined", "REGENTER=DRV,\"Value\",DRIVERDIR+\"\\PX.INI\"\r\n", "C:\\DRV\\PX.INI"},
        {"joined text trimmed", "REGENTER=DRV,\"Value\",SYSTEMDIR+\"  \\x.dll \"\r\n", "C:\\WINDOWS\\system32\\x.dll"},
        {"text before the word ignored", "REGENTER=DRV,\"Value\",xyDRIVERDIR+\"\\a\"\r\n", "C:\\DRV\\a"},
        {"joined with the word in lower case dropped", "REGENTER=DRV,\"Value\",driverdir+\"\\a\"\r\n", std::nullopt},
        {"word without + dropped", "REGENTER=DRV,\"Value\",DRIVERDIR\"\\a\"\r\n", std::nullopt},
        {"empty quoted text dropped", "REGENTER=DRV,\"Value\",\"\"\r\n", std::nullopt},
        {"number is not a string", "REGENTER=DRV,\"Value\",16\r\n", std::nullopt},
        {"value name compared without case", "REGENTER=DRV,\"VALUE\",\"x\"\r\n", "x"},
        {"other key identifier not found", "REGENTER=OTH,\"Value\",\"x\"\r\n", std::nullopt},
        {"comment cut from the line", "REGENTER=DRV,\"Value\",\"x\" ; note\r\n", "x"},
        {"section ends at next section", "[Strings]\r\nREGENTER=DRV,\"Value\",\"x\"\r\n", std::nullopt},
        {"later neighbour with the same name counts",
         "REGENTER=DRV,\"Value\",\"first\",ALL\r\nREGENTER=DRV,\"Value\",\"second\",WIN2KLATER\r\n", "second"},
        {"first of two apart counts",
         "REGENTER=DRV,\"Value\",\"first\"\r\nREGENTER=DRV,\"Other\",\"x\"\r\nREGENTER=DRV,\"Value\",\"second\"\r\n",
         "first"},
        {"entry for 9x ignored on NT", "REGENTER=DRV,\"Value\",\"9x\",WIN9X\r\n", std::nullopt},
        {"one of several conditions holds", "REGENTER=DRV,\"Value\",\"nt\",WIN9X,WINNT\r\n", "nt"},
        {"64-bit build entry ignored", "REGENTER=DRV,\"Value\",\"x\",BUILD64\r\n", std::nullopt},
        {"line without fields", "REGENTER=\r\n", std::nullopt},
        {"truncated quote", "REGENTER=DRV,\"Value\",\"unterminated\r\n", std::nullopt},
    };
    for (const StringCase& c : kCases) {
        SCOPED_TRACE(c.pszName);
        const SetupData data = SetupData::Parse(File(c.strEntries), kXp);
        EXPECT_EQ(data.FindString(kKey, "Value"), c.expected);
    }
}

TEST(SetupData, NumberValues) {
    const struct {
        const char* pszData;
        std::optional<int32_t> expected;
    } kCases[] = {
        {"16", 16}, {"0x10", 16}, {"0X1f", 31}, {"0", 0}, {"0xFFFFFFFF", -1}, {"12abc", std::nullopt},
        {"", std::nullopt}, {"\"16\"", std::nullopt},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.pszData);
        const SetupData data = SetupData::Parse(File(std::string("REGENTER=DRV,\"N\",") + c.pszData + "\r\n"), kXp);
        EXPECT_EQ(data.FindNumber(kKey, "N"), c.expected);
    }
}

TEST(SetupData, NeighbourRuleFollowsTheSystem) {
    const std::string strFile =
        File("REGENTER=DRV,\"Value\",\"first\",ALL\r\nREGENTER=DRV,\"Value\",\"second\",WIN2KLATER\r\n");
    EXPECT_EQ(SetupData::Parse(strFile, Env(OsFamily::WinNt, 5, 0)).FindString(kKey, "Value"), "first");
    EXPECT_EQ(SetupData::Parse(strFile, Env(OsFamily::WinNt, 6, 1)).FindString(kKey, "Value"), "second");
}

TEST(SetupData, Conditions) {
    const struct {
        const char* pszCondition;
        bool bWin98, bNt4, bWin2000, bXp;
    } kCases[] = {
        {"ALL", true, true, true, true},         {"", true, true, true, true},
        {"win9x", true, false, false, false},    {"WINNT", false, true, true, true},
        {"WINNT40", false, true, false, false},  {"WIN2000", false, false, true, true},
        {"WIN2KLATER", false, false, false, true}, {"BUILD32", true, true, true, true},
        {"BUILD64", false, false, false, false}, {"WINXP", false, false, false, false},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.pszCondition);
        EXPECT_EQ(SetupConditionHolds(c.pszCondition, Env(OsFamily::Win9x, 4, 10)), c.bWin98);
        EXPECT_EQ(SetupConditionHolds(c.pszCondition, Env(OsFamily::WinNt, 4, 0)), c.bNt4);
        EXPECT_EQ(SetupConditionHolds(c.pszCondition, Env(OsFamily::WinNt, 5, 0)), c.bWin2000);
        EXPECT_EQ(SetupConditionHolds(c.pszCondition, Env(OsFamily::WinNt, 5, 1)), c.bXp);
    }
}

TEST(SetupData, UnknownDriverFolderKeepsNoValue) {
    SetupDataEnv env = kXp;
    env.strDriverDir.clear();
    const SetupData data = SetupData::Parse(File("REGENTER=DRV,\"Value\",\"x\"\r\n"), env);
    EXPECT_TRUE(data.Values().empty());
    EXPECT_TRUE(data.Empty());
}

TEST(SetupData, KeyPathsNeedTheMachineRoot) {
    const SetupData data = SetupData::Parse(
        "[install]\nREGPATH=0,0,0,0,0,0,0,\"HKEY_CURRENT_USER\\Software\\X\",CU\n"
        "REGPATH=0,0,0,0,0,0,0,,EMPTY\nREGPATH=0,0,0,0,0,0,0,\"HKEY_LOCAL_MACHINE\\Software\\Y\",\n"
        "REGPATH=1,2,3,4,5,6,7,\"HKEY_LOCAL_MACHINE\\Software\\Z\",Z\n",
        kXp);
    ASSERT_EQ(data.Keys().size(), 1u);
    EXPECT_EQ(data.Keys()[0].strPath, "Software\\Z");
    EXPECT_EQ(data.Keys()[0].strId, "Z");
}

TEST(SetupData, MalformedInputFindsNothing) {
    const std::string strGood = File("REGENTER=DRV,\"Value\",\"x\"\r\n");
    for (size_t cut = 0; cut < strGood.size(); ++cut) {
        const SetupData data = SetupData::Parse(std::string_view(strGood.data(), cut), kXp);
        const auto value = data.FindString(kKey, "Value");
        EXPECT_TRUE(!value || *value == "x") << "cut at " << cut;
    }
    EXPECT_TRUE(SetupData::Parse(std::string("\0\0[\0]\n=\n,,,\"\"\"", 16), kXp).Empty());
}

TEST(SetupSplitFields, QuotedFieldsKeepCommas) {
    const auto fields = SetupSplitFields(" DRV , \"a,b\" ,, \"x\"\"y\" ");
    ASSERT_EQ(fields.size(), 4u);
    EXPECT_EQ(fields[0], "DRV");
    EXPECT_EQ(fields[1], "\"a,b\"");
    EXPECT_EQ(fields[2], "");
    EXPECT_EQ(fields[3], "\"x\"y\"");
}

}  // namespace
