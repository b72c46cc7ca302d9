// The status object's texts from the real resource modules of the sample
// package and from the model data file, and the notification item count.
#include <windows.h>

#include <string>
#include <vector>

#include "common/registry/RegistryKey.h"
#include "core/status/PrinterStatus.h"
#include "core/status/StatusInfoWin.h"
#include "sim/installer/DriverInstall.h"
#include "tests/status/StatusReplySamples.h"
#include "tests/status/win/StatusWinTestUtil.h"

namespace {

constexpr uint32_t kCommandChannel = 0x10000005;
constexpr uint32_t kNoChannel = 0;

class StatusTextTest : public StatusPrinterTest {
protected:
    static std::unique_ptr<CPrinterStatus> Status(uint32_t dwChannel, int iForced) {
        return CStatusInfo().CreateStatusObject(dwChannel, nullptr, 0, iForced, 0, 0);
    }
    static std::unique_ptr<CPrinterStatus> StatusOfReply(std::string_view fields) {
        const Bytes reply = TextReply(fields);
        return CStatusInfo().CreateStatusObject(kCommandChannel, reply.data(), reply.size(), 0, 0, 0);
    }
};

TEST_F(StatusTextTest, MessageTextsOfTheRow) {
    struct Case {
        uint32_t channel;
        int statusNo;
        const char* resourceModule;  // null: the data file's module
        const char* message;
    };
    const Case kCases[] = {
        {kCommandChannel, 1, nullptr, "Ready"},
        {kCommandChannel, 6, nullptr, "Paper jam"},
        {kCommandChannel, 59, nullptr, "Offline"},
        {kNoChannel, 1000, nullptr, "No status"},
        {kCommandChannel, 1, "PLXRES_D.DLL", "Bereit"},
        {kCommandChannel, 1, "PLXNONE.DLL", ""},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.statusNo << " " << (c.resourceModule ? c.resourceModule : ""));
        const std::string strModule = c.resourceModule ? Printer().PackageModule(c.resourceModule) : std::string();
        Printer().UseDataFile("", "", c.resourceModule ? strModule.c_str() : nullptr);
        const auto status = Status(c.channel, c.statusNo);
        ASSERT_NE(status, nullptr);
        std::string strText = "poison";
        EXPECT_EQ(status->GetMessageText(strText), static_cast<int>(strlen(c.message)));
        EXPECT_EQ(strText, c.message);
    }
}

TEST_F(StatusTextTest, SubMessageListsTheAffectedCartridges) {
    Printer().UseDataFile("", "");
    // Names the slot's cartridge by its ink code, so the record is seen.
    std::vector<size_t> asked;
    const StatusCartridgeTextFn cartridgeText = [&](const StatusRecord& record, size_t nSlot) {
        asked.push_back(nSlot);
        return nSlot == 2 ? std::string() : "Ink " + std::to_string(record.InkCode[nSlot] & 0xFF);
    };
    struct Case {
        const char* name;
        const char* reply;
        const char* text;
        std::vector<size_t> asked;
    };
    const Case kCases[] = {
        {"ink out in slot 1", "ST:00;ER:05;IQ:5A005A5A;INK:0103,0204,0305,0401;",
         "Ink is out. Replace these cartridges:\r\nInk 4\r\n", {1}},
        {"slots in order, one without a text", "ST:00;ER:05;IQ:00000000;INK:0103,0204,0305,0401;",
         "Ink is out. Replace these cartridges:\r\nInk 3\r\nInk 4\r\nInk 1\r\n", {0, 1, 2, 3}},
        {"a message of its own", "ST:04;IQ:5A5A5A5A;", "The printer is ready to print.", {}},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        asked.clear();
        const auto status = StatusOfReply(c.reply);
        ASSERT_NE(status, nullptr);
        std::string strText;
        EXPECT_EQ(status->GetSubMessage(strText, cartridgeText), static_cast<int>(strlen(c.text)));
        EXPECT_EQ(strText, c.text);
        EXPECT_EQ(asked, c.asked);
    }
    // Without cartridge texts the list stays empty.
    std::string strText;
    EXPECT_GT(StatusOfReply(kCases[0].reply)->GetSubMessage(strText, nullptr), 0);
    EXPECT_EQ(strText, "Ink is out. Replace these cartridges:\r\n");
}

TEST_F(StatusTextTest, SubMessageWithoutItsString) {
    Printer().UseDataFile("", "", Printer().PackageModule("PLXNONE.DLL").c_str());
    std::string strText = "poison";
    int nCalls = 0;
    const StatusCartridgeTextFn cartridgeText = [&](const StatusRecord&, size_t) {
        ++nCalls;
        return std::string("Ink");
    };
    EXPECT_EQ(StatusOfReply("ST:00;ER:05;IQ:00000000;")->GetSubMessage(strText, cartridgeText), 0);
    EXPECT_EQ(strText, "");
    EXPECT_EQ(nCalls, 0);
}

TEST_F(StatusTextTest, InkStatusURLFromModelSwitchesAndCountry) {
    constexpr char kAddress[] = "https://ink.kavro.example/status?count=4&i1=90&i2=60&i3=0&i4=NA";
    constexpr char kHeader[] = "https://www.kavro.example/go?model=PX%20ST&country=";
    struct Case {
        const char* name;
        const char* modelLines;
        const char* nation;  // null: not set
        int mode;
        std::string url;
    };
    const Case kCases[] = {
        {"address not enabled", "", nullptr, 1, ""},
        {"enabled only by 1", "EnableStatUrl=2", nullptr, 0, ""},
        {"address", "EnableStatUrl=1", nullptr, 0, kAddress},
        {"mode 1 without the header switch", "EnableStatUrl=1", nullptr, 1, kAddress},
        {"header with model and country", "EnableStatUrl=1\r\nEnableStUrlHdr=1\r\nIOURLMDL=PX%20ST", "81", 1,
         std::string(kHeader) + "81&to=" + kAddress},
        {"no country set: 0", "EnableStatUrl=1\r\nEnableStUrlHdr=1\r\nIOURLMDL=PX%20ST", nullptr, 1,
         std::string(kHeader) + "0&to=" + kAddress},
        {"mode 0 takes no header", "EnableStatUrl=1\r\nEnableStUrlHdr=1\r\nIOURLMDL=PX%20ST", "81", 0, kAddress},
        {"header switch alone", "EnableStUrlHdr=1\r\nIOURLMDL=PX%20ST", "81", 1, ""},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        RegistryKey geo(HKEY_CURRENT_USER, "Control Panel\\International\\Geo", true);
        if (c.nation) {
            geo.SetString("Nation", c.nation);
        } else {
            geo.DeleteValue("Nation");
        }
        Printer().UseDataFile(c.modelLines, "");
        const auto status = StatusOfReply("ST:04;IQ:5A3C00NA;");
        ASSERT_NE(status, nullptr);
        EXPECT_EQ(status->GetInkStatusURL(c.mode), c.url);
    }
}

TEST_F(StatusTextTest, NotifyItemCountOfTheResourceModule) {
    Printer().UseDataFile("", "");
    EXPECT_EQ(GetNotifyItemCount(), 4);
    Printer().UseDataFile("", "", Printer().PackageModule("PLXNONE.DLL").c_str());
    EXPECT_EQ(GetNotifyItemCount(), 0);
}

}  // namespace

namespace {

// The context's own classifier and cartridge texts, on the sample printer
// with its package's data file, VIF file and resource module.
class ContextStatusTest : public StatusPrinterTest {
protected:
    void SetUp() override {
        StatusPrinterTest::SetUp();
        ASSERT_EQ(GetProcessContext().m_baseInfo.SetPrinterInformation(kSamplePrinter, kSampleDriver, "FILE:",
                                                                       "PX-100", nullptr, nullptr, nullptr),
                  CBaseInfo::kComplete);
    }
    void TearDown() override { GetProcessContext().m_model = ModelSettings(); }

    static std::unique_ptr<CPrinterStatus> Classify(std::string_view fields) {
        const Bytes reply = TextReply(fields);
        return CContextStatusInfo().CreateStatusObject(kCommandChannel, reply.data(), reply.size(), 0, 0, 0);
    }
};

constexpr char kMagentaOut[] = "ST:00;ER:05;IQ:5A005A5A;INK:0003,0004,0005,0001;";

TEST_F(ContextStatusTest, DetailMessageNamesTheSlotsCartridge) {
    const auto status = Classify(kMagentaOut);
    ASSERT_NE(status, nullptr);
    std::string strText;
    EXPECT_GT(status->GetSubMessage(strText, ContextCartridgeText()), 0);
    EXPECT_EQ(strText, "Ink is out. Replace these cartridges:\r\nMagenta: KI-21M/KI-21XLM\r\n");
}

TEST_F(ContextStatusTest, ClassifiesWithTheModelsInkColourCount) {
    // With one ink colour the empty second slot is not looked at: a plain
    // printer error instead of "ink out".
    const struct {
        int iInkColors;
        int32_t lStatusNo;
    } kCases[] = {{4, 2}, {1, 9}};
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.iInkColors);
        GetProcessContext().m_model.iInkColorNum = c.iInkColors;
        const auto status = Classify(kMagentaOut);
        ASSERT_NE(status, nullptr);
        EXPECT_EQ(status->GetRow().StatusNo, c.lStatusNo);
    }
}

}  // namespace
