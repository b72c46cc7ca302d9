// Owners of Windows handles, one type per release call. Not copyable,
// movable; get() to use, put() to fill through an out parameter,
// release() to give up ownership, reset() to close early.
#pragma once

#include <windows.h>
#include <winspool.h>

#include <utility>

template <typename Traits>
class UniqueResource {
public:
    using Handle = typename Traits::Handle;

    UniqueResource() = default;
    explicit UniqueResource(Handle h) : m_h(h) {}
    ~UniqueResource() { reset(); }
    UniqueResource(const UniqueResource&) = delete;
    UniqueResource& operator=(const UniqueResource&) = delete;
    UniqueResource(UniqueResource&& other) noexcept : m_h(other.release()) {}
    UniqueResource& operator=(UniqueResource&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }

    Handle get() const { return m_h; }
    explicit operator bool() const { return Traits::IsValid(m_h); }
    Handle* put() {
        reset();
        return &m_h;
    }
    Handle release() { return std::exchange(m_h, Traits::Empty()); }
    void reset(Handle h = Traits::Empty()) {
        if (Traits::IsValid(m_h)) Traits::Close(m_h);
        m_h = h;
    }

private:
    Handle m_h = Traits::Empty();
};

struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle Empty() { return nullptr; }
    // Kernel calls disagree on the empty value; both mean "no handle".
    static bool IsValid(Handle h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { CloseHandle(h); }
};

struct RegKeyTraits {
    using Handle = HKEY;
    static Handle Empty() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { RegCloseKey(h); }
};

struct ModuleTraits {
    using Handle = HMODULE;
    static Handle Empty() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { FreeLibrary(h); }
};

struct PrinterTraits {
    using Handle = HANDLE;
    static Handle Empty() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { ClosePrinter(h); }
};

struct FindFileTraits {
    using Handle = HANDLE;
    static Handle Empty() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(Handle h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { FindClose(h); }
};

using UniqueHandle = UniqueResource<KernelHandleTraits>;
using UniqueHKey = UniqueResource<RegKeyTraits>;
using UniqueHModule = UniqueResource<ModuleTraits>;
using UniquePrinter = UniqueResource<PrinterTraits>;
using UniqueFindFile = UniqueResource<FindFileTraits>;
