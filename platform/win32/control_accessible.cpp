// The object wraps the standard one CreateStdAccessibleObject makes for the
// window and answers itself only for the control as a whole (CHILDID_SELF).
// It keeps the facts, shared with the form, so that a reader holding it past
// the form's end reads what it read last, never freed memory. oleacc is
// loaded on the first question: most runs meet no screen reader.
#include "platform/win32/control_accessible.h"

#include <windows.h>
#include <oleacc.h>

#include <atomic>
#include <cwchar>
#include <new>
#include <utility>

#include "platform/win32/ole_library.h"
#include "platform/win32/win32_support.h"

namespace brumelis {

namespace {

using CreateStandardCall = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
using LresultFromObjectCall = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
using AllocStringCall = BSTR(WINAPI*)(const OLECHAR*);

struct Oleacc {
    CreateStandardCall createStandard;
    LresultFromObjectCall lresultFromObject;
    AllocStringCall allocString;
};

// Handing an object to another process needs OLE on this thread.
const Oleacc& LoadOleacc() {
    static const Oleacc oleacc = [] {
        InitializeOle();
        return Oleacc{OleEntry<CreateStandardCall>(L"oleacc.dll", "CreateStdAccessibleObject"),
                      OleEntry<LresultFromObjectCall>(L"oleacc.dll", "LresultFromObject"),
                      OleEntry<AllocStringCall>(L"oleaut32.dll", "SysAllocString")};
    }();
    return oleacc;
}

bool IsSelf(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

HRESULT ReturnText(const wchar_t* text, BSTR* out) {
    if (out == nullptr) return E_POINTER;
    *out = LoadOleacc().allocString(text);
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

class ControlAccessible final : public IAccessible {
public:
    // Takes over the reference to `standard`.
    ControlAccessible(HWND hwnd, IAccessible* standard,
                      std::shared_ptr<const AccessibleFacts> facts)
        : hwnd_(hwnd), standard_(standard), facts_(std::move(facts)) {}
    ControlAccessible(const ControlAccessible&) = delete;
    ControlAccessible& operator=(const ControlAccessible&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) return E_POINTER;
        if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) ||
            iid == __uuidof(IAccessible)) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        return standard_->GetTypeInfoCount(count);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
        return standard_->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override {
        return standard_->GetIDsOfNames(iid, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                     DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                     UINT* argument) override {
        return standard_->Invoke(id, iid, locale, flags, parameters, result, exception, argument);
    }

    // A button's name is its caption as drawn, without the mnemonic's mark.
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!IsSelf(child)) return standard_->get_accName(child, name);
        if (!facts_->name.empty()) return ReturnText(Wide(facts_->name), name);
        wchar_t text[64] = L"";
        ::GetWindowTextW(hwnd_, text, ARRAYSIZE(text));
        if (wchar_t* mark = std::wcschr(text, L'&'))
            std::wmemmove(mark, mark + 1, std::wcslen(mark));
        return ReturnText(text, name);
    }
    // As a trackbar's: the number alone, which UI Automation reads as a range.
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        if (!IsSelf(child) || facts_->value < 0) return standard_->get_accValue(child, value);
        // user32's formatting: the C library's would bring its printf along.
        wchar_t text[16];
        ::wsprintfW(text, L"%d", facts_->value);
        return ReturnText(text, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        if (!IsSelf(child) || facts_->description.empty())
            return standard_->get_accDescription(child, description);
        return ReturnText(Wide(facts_->description), description);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        if (!IsSelf(child)) return standard_->get_accRole(child, role);
        if (role == nullptr) return E_POINTER;
        role->vt = VT_I4;
        role->lVal = facts_->role;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        if (!IsSelf(child) || facts_->action.empty())
            return standard_->get_accDefaultAction(child, action);
        return ReturnText(Wide(facts_->action), action);
    }
    // The click the button would send, posted: the reader's call returns
    // at once and the handlers run from the message loop as for a click.
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        if (!IsSelf(child) || facts_->action.empty()) return standard_->accDoDefaultAction(child);
        const HWND parent = ::GetParent(hwnd_);
        if (!::IsWindowEnabled(hwnd_) || !::IsWindowEnabled(::GetAncestor(hwnd_, GA_ROOT)))
            return E_FAIL;
        const WPARAM command = MAKEWPARAM(::GetDlgCtrlID(hwnd_), BN_CLICKED);
        return ::PostMessageW(parent, WM_COMMAND, command, reinterpret_cast<LPARAM>(hwnd_))
                   ? S_OK
                   : E_FAIL;
    }

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return standard_->get_accParent(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        return standard_->get_accChildCount(count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        return standard_->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return standard_->get_accState(child, state);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return standard_->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
        return standard_->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        return standard_->get_accKeyboardShortcut(child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
        return standard_->get_accFocus(child);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
        return standard_->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
        return standard_->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) override {
        return standard_->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
        return standard_->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG left, LONG top, VARIANT* child) override {
        return standard_->accHitTest(left, top, child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
        return standard_->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return standard_->put_accValue(child, value);
    }

private:
    ~ControlAccessible() { standard_->Release(); }

    std::atomic<ULONG> references_{1};
    HWND hwnd_;
    IAccessible* standard_;
    std::shared_ptr<const AccessibleFacts> facts_;
};

}  // namespace

LRESULT AnswerGetObject(HWND hwnd, WPARAM flags, LPARAM objectId,
                        const std::shared_ptr<const AccessibleFacts>& facts) noexcept {
    // The identifier is a 32-bit value, whatever the width of LPARAM.
    if (static_cast<LONG>(static_cast<DWORD>(objectId)) != OBJID_CLIENT || !facts) return 0;
    try {
        const Oleacc& oleacc = LoadOleacc();
        void* standard = nullptr;
        if (FAILED(oleacc.createStandard(hwnd, OBJID_CLIENT, __uuidof(IAccessible), &standard)))
            return 0;
        auto* object =
            new (std::nothrow) ControlAccessible(hwnd, static_cast<IAccessible*>(standard), facts);
        if (object == nullptr) {
            static_cast<IAccessible*>(standard)->Release();
            return 0;
        }
        // The answer holds its own reference until the reader takes it.
        const LRESULT answer = oleacc.lresultFromObject(__uuidof(IAccessible), flags, object);
        object->Release();
        return answer < 0 ? 0 : answer;
    } catch (const SystemRefusal&) {
        return 0;
    }
}

void NotifyValueChanged(HWND hwnd) {
    ::NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, hwnd, OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace brumelis
