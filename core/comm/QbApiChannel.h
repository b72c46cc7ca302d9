// One channel of the bidirectional library for one printer: picks a channel
// the library offers with the capabilities asked for, opens it and passes
// its handle to the calls that need one.
#pragma once

#include <cstdint>
#include <string>

#include "core/comm/QbApi.h"

class CQbApiChannel : public CQbApi {
public:
    // With a channel given, selects it at once.
    CQbApiChannel(int iNameKind, const char* pszName, uint32_t dwChannel, uint16_t wModeBits);
    ~CQbApiChannel() override;

    // 1 selected, 0 not offered with those bits, -1 already open or no
    // channel list.
    int SelectChannel(uint32_t dwChannel, uint16_t wModeBits);
    // The handle, or 0 when nothing is selected.
    int OpenChannel();
    void Close();
    // 1 when a channel list is available.
    int QBGetAvailableChannel();

    int QBGetStatus(void* pReply, int* piSize);
    int QBSend(const void* pData, int cbData);
    int QBReceive(void* pBuffer, int* piSize, int iTimeoutMs);
    int QBReceiveCancel();

    uint32_t SelectedChannel() const { return m_bSelected ? m_dwSelChannel : 0; }
    uint16_t SelectedMode() const { return m_bSelected && m_dwSelChannel ? static_cast<uint16_t>(m_dwSelMode) : 0; }
    int Handle() const { return m_hChannel < 0 ? 0 : m_hChannel; }
    int IsSelected() const { return m_bSelected; }
    bool IsOpen() const { return m_hChannel >= 0; }
    int NameKind() const { return m_iNameKind; }
    const std::string& Name() const { return m_strName; }

    // Status channels in the order they are tried; 0 ends the table.
    static uint32_t EnumStatusChannel(int iIndex);

protected:
    int m_iNameKind;
    std::string m_strName;
    int m_bSelected = 0;
    uint32_t m_dwSelChannel = 0;
    uint32_t m_dwSelMode = 0;
    int m_hChannel = -1;
};
