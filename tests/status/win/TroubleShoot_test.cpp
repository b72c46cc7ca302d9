// Trouble-shooting help of a status: the data file's TSS switch, the
// printer's command channel on the simulated printer, the utility module
// stand-ins of the sample package and its resource module's guides.
#include "core/status/TroubleShoot.h"

#include <windows.h>

#include <string>

#include "core/status/PrinterStatus.h"
#include "core/status/StatusInfoWin.h"
#include "tests/status/win/StatusWinTestUtil.h"

namespace {

constexpr uint32_t kCommandChannel = 0x10000005;

// Channels the simulated printer offers.
constexpr char kLocal[] = "0x10000005:0x0007";
constexpr char kNetwork[] = "0x10000005:0x8007";
constexpr char kStatusOnly[] = "0x00000004:0x0004";

// Utility modules of the sample package.
constexpr char kFullUtility[] = "PLXUTIL.DLL";
constexpr char kNoSupportCheck[] = "PLXUTILN.DLL";  // lacks UtIsSupportType
constexpr char kSupportCheckOnly[] = "PLXUTILS.DLL";
constexpr char kMissingUtility[] = "PLXNONE.DLL";

// Statuses by what their rows carry.
constexpr int kInkOut = 2;         // utility mode 0, TSS 1
constexpr int kInkLow = 20;        // utility mode 1, TSS 1
constexpr int kPaperJam = 6;       // utility mode 1, TSS 2
constexpr int kState08 = 19;       // utility mode 0, TSS 1
constexpr int kPrinterError = 14;  // no utility mode, TSS 0

// Language section lines.
constexpr char kTssOn[] = "TSS001=1\r\nTSS002=1";
constexpr char kTssOff[] = "TSS001=0\r\nTSS002=0";

// What UtIsSupportType answers.
constexpr char kSupported[] = "SupportType.0=1\r\nSupportType.4=1";
constexpr char kUnsupported[] = "SupportType.0=0\r\nSupportType.4=0";
constexpr char kFaults[] = "SupportType.0=1\r\nRaise=1";

// Guides of the sample resource modules.
constexpr uint32_t kCartridgeGuide = 11011;
constexpr uint32_t kPaperJamGuide = 11012;

struct Case {
    const char* name;
    int statusNo;
    const char* tss;
    const char* utility;  // null: the data file names none
    const char* channels;
    int setupUtility;
    const char* answers;
    uint32_t type;
    uint16_t slot;
    uint32_t resourceId;
    int supportCalls;
};

class TroubleShootTest : public StatusPrinterTest {
protected:
    void TearDown() override { GetProcessContext().m_model.iSetupUtility = 0; }

    // The simulated printer with its channels and its utility's answers for
    // this printer and driver.
    void Scenario(const char* pszChannels, const std::string& strAnswers) {
        ASSERT_TRUE(m_sim.SetScenario(SimPrinterSection(Printer().Name(), pszChannels, "MDL:PX-ST;", "") +
                                      "[Utility." + Printer().Name() + "]\r\nDriver=" + Printer().Driver() +
                                      "\r\n" + strAnswers + "\r\n"));
        m_sim.ResetCounters();
    }

    std::string DataFile(const char* pszUtility, const char* pszTss) {
        return Printer().UseDataFile(pszUtility ? std::string("UTILITY=") + pszUtility : "", pszTss);
    }

    static TroubleShootInfo Decide(const CStatusInfo& info, int iStatusNo) {
        TroubleShootInfo trouble;
        const auto status = info.CreateStatusObject(kCommandChannel, nullptr, 0, iStatusNo, 0, 0);
        EXPECT_NE(status, nullptr);
        if (!status) return trouble;
        const uint32_t dwType = status->GetTroubleShootInfo(&trouble);
        EXPECT_EQ(dwType, trouble.Type);
        return trouble;
    }
};

TEST_F(TroubleShootTest, DecidesByDataFileChannelUtilityAndGuides) {
    const Case kCases[] = {
        {"TSS switch off: none, with every export", kInkOut, kTssOff, kFullUtility, kLocal, 0, kSupported,
         kTroubleNone, 0, 0, 0},
        {"no TSS key: none", kInkOut, "", kFullUtility, kLocal, 0, kSupported, kTroubleNone, 0, 0, 0},
        {"local, supported: ink replacement utility", kInkOut, kTssOn, kFullUtility, kLocal, 0, kSupported,
         kTroubleInkUtility, 0, 0, 1},
        {"local, unsupported: window with the row's mode", kInkLow, kTssOn, kFullUtility, kLocal, 0, kUnsupported,
         kTroubleInkWindow, 1, 0, 1},
        {"local, utility cannot tell: ink replacement utility", kInkOut, kTssOn, kNoSupportCheck, kLocal, 0,
         kUnsupported, kTroubleInkUtility, 0, 0, 0},
        {"network: window, utility not asked", kInkLow, kTssOn, kFullUtility, kNetwork, 0, kSupported,
         kTroubleInkWindow, 1, 0, 0},
        {"no command channel: not local", kInkOut, kTssOn, kFullUtility, kStatusOnly, 0, kSupported,
         kTroubleInkWindow, 0, 0, 0},
        {"set-up switch on: set-up utility", kState08, kTssOn, kFullUtility, kLocal, 1, kUnsupported,
         kTroubleSetupUtility, 0, 0, 0},
        {"set-up switch off: ink route", kState08, kTssOn, kFullUtility, kLocal, 0, kSupported, kTroubleInkUtility,
         0, 0, 1},
        {"set-up switch on, network: window", kState08, kTssOn, kFullUtility, kNetwork, 1, kSupported,
         kTroubleInkWindow, 0, 0, 0},
        {"set-up switch on, no set-up function: guide", kState08, kTssOn, kSupportCheckOnly, kLocal, 1, kSupported,
         kTroubleGuide, 0, kCartridgeGuide, 0},
        {"paper jam supported: paper-jam window", kPaperJam, kTssOn, kFullUtility, kLocal, 0, kSupported,
         kTroublePaperJamWindow, 0, 0, 1},
        {"paper jam supported over the network", kPaperJam, kTssOn, kFullUtility, kNetwork, 0, kSupported,
         kTroublePaperJamWindow, 0, 0, 1},
        {"paper jam unsupported: guide", kPaperJam, kTssOn, kFullUtility, kLocal, 0, kUnsupported, kTroubleGuide, 0,
         kPaperJamGuide, 1},
        {"paper jam, utility cannot tell: guide", kPaperJam, kTssOn, kNoSupportCheck, kLocal, 0, kSupported,
         kTroubleGuide, 0, kPaperJamGuide, 0},
        {"utility missing: guide", kInkOut, kTssOn, kMissingUtility, kLocal, 0, kSupported, kTroubleGuide, 0,
         kCartridgeGuide, 0},
        {"no utility named: guide", kInkOut, kTssOn, nullptr, kLocal, 0, kSupported, kTroubleGuide, 0,
         kCartridgeGuide, 0},
        {"utility offers no function: guide", kInkOut, kTssOn, kSupportCheckOnly, kLocal, 0, kSupported,
         kTroubleGuide, 0, kCartridgeGuide, 1},
        {"utility faults: guide", kInkOut, kTssOn, kFullUtility, kLocal, 0, kFaults, kTroubleGuide, 0,
         kCartridgeGuide, 1},
        {"no utility mode and no guide: none", kPrinterError, "TSS000=1", kFullUtility, kLocal, 0, kSupported,
         kTroubleNone, 0, 0, 0},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        Scenario(c.channels, c.answers);
        CContextStatusInfo info;
        info.SetDataFile(DataFile(c.utility, c.tss).c_str());
        GetProcessContext().m_model.iSetupUtility = c.setupUtility;
        const TroubleShootInfo trouble = Decide(info, c.statusNo);
        EXPECT_EQ(trouble.Type, c.type);
        EXPECT_EQ(trouble.Slot, c.slot);
        EXPECT_EQ(trouble.ResourceId, c.resourceId);
        EXPECT_EQ(m_sim.Counters().lCalls[kSimUtIsSupportType], c.supportCalls);
        if (c.utility) {
            EXPECT_EQ(GetModuleHandleA(c.utility), nullptr) << "the utility stays loaded";
        }
    }
}

TEST_F(TroubleShootTest, NoHelpWithoutADataFileOrItsLanguageSection) {
    Scenario(kLocal, kSupported);
    const std::string strDataFile = DataFile(kFullUtility, kTssOn);
    CContextStatusInfo info;
    EXPECT_EQ(Decide(info, kInkOut).Type, kTroubleNone);
    info.SetDataFile(strDataFile.c_str());
    EXPECT_EQ(Decide(info, kInkOut).Type, kTroubleInkUtility);
    EXPECT_EQ(info.SetDataFile(nullptr), 1);
    EXPECT_EQ(info.DataFile(), "");
    EXPECT_EQ(Decide(info, kInkOut).Type, kTroubleNone);
    // A switch in a section no language line names is not read.
    const TempFolder folder("tssnolang");
    const std::string strNoLanguage = folder.File("NOLANG.INI");
    ASSERT_TRUE(WriteTextFile(strNoLanguage, "[ENU]\r\nResDll=PLXRES_E.DLL\r\nTSS001=1\r\n"));
    info.SetDataFile(strNoLanguage.c_str());
    EXPECT_EQ(Decide(info, kInkOut).Type, kTroubleNone);
}

TEST_F(TroubleShootTest, GuideOfTheContextsResourceModule) {
    // The German sample module has the guides as well; a module that does
    // not load has none.
    Scenario(kLocal, kSupported);
    struct Module {
        std::string path;
        uint32_t type;
    };
    const Module kModules[] = {
        {Printer().PackageModule("PLXRES_D.DLL"), kTroubleGuide},
        {Printer().PackageModule("PLXNONE.DLL"), kTroubleNone},
    };
    for (const Module& m : kModules) {
        SCOPED_TRACE(m.path);
        CContextStatusInfo info;
        info.SetDataFile(Printer().UseDataFile("UTILITY=PLXNONE.DLL", kTssOn, m.path.c_str()).c_str());
        EXPECT_EQ(Decide(info, kPaperJam).Type, m.type);
    }
}

}  // namespace
