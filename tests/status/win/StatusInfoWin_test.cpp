// The Windows half of CStatusInfo: the HTML flag from the real registry and
// the offline check against the real spooler.
#include <windows.h>
#include <winspool.h>

#include "common/base/UniqueHandle.h"
#include "core/status/StatusInfoWin.h"
#include "tests/status/win/StatusWinTestUtil.h"

namespace {

// HKEY_CLASSES_ROOT of this process points at an empty key inside the
// scratch HKEY_CURRENT_USER while the object lives.
class ScratchClassesRoot {
public:
    ScratchClassesRoot() {
        if (!m_user.Active() || RegCreateKeyExA(HKEY_CURRENT_USER, "Classes", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                                m_key.put(), nullptr) != ERROR_SUCCESS)
            return;
        m_bActive = RegOverridePredefKey(HKEY_CLASSES_ROOT, m_key.get()) == ERROR_SUCCESS;
    }
    ~ScratchClassesRoot() {
        if (m_bActive) RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
    }
    ScratchClassesRoot(const ScratchClassesRoot&) = delete;
    ScratchClassesRoot& operator=(const ScratchClassesRoot&) = delete;

    bool Active() const { return m_bActive; }
    bool AddClass(const char* pszName) {
        UniqueHKey key;
        return RegCreateKeyExA(m_key.get(), pszName, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.put(), nullptr) ==
               ERROR_SUCCESS;
    }

private:
    ScratchCurrentUser m_user;
    UniqueHKey m_key;
    bool m_bActive = false;
};

TEST(StatusInfoWin, HtmlFlagFollowsTheHtmClass) {
    ScratchClassesRoot classes;
    ASSERT_TRUE(classes.Active());
    CStatusInfo info;
    EXPECT_EQ(info.GetHtmlFlag(), 0);
    EXPECT_EQ(info.SetDataFile("C:\\models\\PX.INI"), 1);
    EXPECT_EQ(info.DataFile(), "C:\\models\\PX.INI");
    EXPECT_EQ(info.GetHtmlFlag(), 0) << "no .HTM class";
    ASSERT_TRUE(classes.AddClass(".htm"));
    EXPECT_EQ(info.SetDataFile(nullptr), 1);
    EXPECT_EQ(info.DataFile(), "");
    EXPECT_EQ(info.GetHtmlFlag(), 1) << "the class name is compared without case";
}

class OfflineTest : public StatusPrinterTest {
protected:
    // Sets or clears the printer's work-offline attribute through the
    // spooler, as the printer's queue window does.
    static bool SetWorkOffline(const std::string& strPrinter, bool bOffline) {
        return EditPrinterInfo(strPrinter, [&](PRINTER_INFO_2A& info) {
            info.Attributes = bOffline ? info.Attributes | PRINTER_ATTRIBUTE_WORK_OFFLINE
                                       : info.Attributes & ~PRINTER_ATTRIBUTE_WORK_OFFLINE;
        });
    }
};

TEST_F(OfflineTest, CheckPrinterOfflineReadsTheSpoolersAttribute) {
    const char* pszPrinter = Printer().Name().c_str();
    EXPECT_EQ(CStatusInfo::CheckPrinterOffline(pszPrinter), 0);
    ASSERT_TRUE(SetWorkOffline(Printer().Name(), true));
    EXPECT_EQ(CStatusInfo::CheckPrinterOffline(pszPrinter), 1);
    ASSERT_TRUE(SetWorkOffline(Printer().Name(), false));
    EXPECT_EQ(CStatusInfo::CheckPrinterOffline(pszPrinter), 0);
    EXPECT_EQ(CStatusInfo::CheckPrinterOffline("PLX no such printer"), 0);
    EXPECT_EQ(CStatusInfo::CheckPrinterOffline(""), 0);
    EXPECT_EQ(CStatusInfo::CheckPrinterOffline(nullptr), 0);
}

}  // namespace
