// Registry isolation for tests: HKEY_CURRENT_USER of this process points at
// an empty key of its own while the object lives, so a test neither sees
// nor disturbs the user's settings or other test processes. Undone, and the
// key deleted, at the end.
#pragma once

#include <string>

#include "common/base/UniqueHandle.h"

class ScratchCurrentUser {
public:
    ScratchCurrentUser();
    ~ScratchCurrentUser();
    ScratchCurrentUser(const ScratchCurrentUser&) = delete;
    ScratchCurrentUser& operator=(const ScratchCurrentUser&) = delete;

    bool Active() const { return m_bActive; }

private:
    std::string m_strPath;  // under the real HKEY_CURRENT_USER
    UniqueHKey m_key;
    bool m_bActive = false;
};
