#include "tests/e2e/accessible_reading.h"

#include <oleacc.h>

namespace brumelis::e2e {

namespace {

// A proxy of the toolbar's object needs COM on the driver's thread. The IID
// is the compiler's: MinGW's oleacc import library binds IID_IAccessible to
// a jump thunk, which asks for no interface at all (E_NOINTERFACE).
IAccessible* ClientObject(HWND window) {
    static const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (FAILED(com) || window == nullptr) return nullptr;
    void* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT),
                                          __uuidof(IAccessible), &object)))
        return nullptr;
    return static_cast<IAccessible*>(object);
}

VARIANT Self() {
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    return self;
}

template <typename Getter>
std::wstring Text(IAccessible* object, Getter getter) {
    BSTR text = nullptr;
    if (FAILED((object->*getter)(Self(), &text)) || text == nullptr) return L"";
    std::wstring copy(text, SysStringLen(text));
    SysFreeString(text);
    return copy;
}

// A callback of its own: stdcall on i686, which a lambda cannot be.
BOOL CALLBACK AddReading(HWND child, LPARAM list) {
    if (auto reading = ReadAccessible(child))
        reinterpret_cast<std::vector<AccessibleReading>*>(list)->push_back(*reading);
    return TRUE;
}

}  // namespace

std::optional<AccessibleReading> ReadAccessible(HWND window) {
    IAccessible* object = ClientObject(window);
    if (object == nullptr) return std::nullopt;
    AccessibleReading reading{window, Text(object, &IAccessible::get_accName),
                              Text(object, &IAccessible::get_accValue),
                              Text(object, &IAccessible::get_accDescription),
                              Text(object, &IAccessible::get_accDefaultAction)};
    VARIANT role{};
    const bool hasRole = SUCCEEDED(object->get_accRole(Self(), &role)) && role.vt == VT_I4;
    reading.role = role.lVal;
    VariantClear(&role);
    object->Release();
    if (!hasRole) return std::nullopt;
    return reading;
}

std::vector<AccessibleReading> ReadControls(HWND toolbar) {
    std::vector<AccessibleReading> readings;
    if (toolbar == nullptr) return readings;  // none, not every top-level window
    EnumChildWindows(toolbar, &AddReading, reinterpret_cast<LPARAM>(&readings));
    return readings;
}

bool DoDefaultAction(HWND window) {
    IAccessible* object = ClientObject(window);
    if (object == nullptr) return false;
    const bool done = SUCCEEDED(object->accDoDefaultAction(Self()));
    object->Release();
    return done;
}

}  // namespace brumelis::e2e
