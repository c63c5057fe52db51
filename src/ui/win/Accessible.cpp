#include "ui/win/Accessible.h"

#include <commctrl.h>
#include <oleacc.h>

#include "system/Utf8.h"
#include "ui/win/WideText.h"

namespace ui {

namespace {

AccessibleActionWords& ActionWords() {
    static AccessibleActionWords words;
    return words;
}

// Whether the control still lives; a reader may hold the object longer.
struct ServedControl {
    HWND control;
    std::shared_ptr<AccessibleSource> source;
    std::shared_ptr<bool> alive = std::make_shared<bool>(true);
};

bool ChildOf(const VARIANT& child, long& id) {
    if (child.vt != VT_I4) return false;
    id = child.lVal;
    return true;
}

HRESULT ReturnText(const std::string& text, BSTR* out) {
    if (!out) return E_INVALIDARG;
    const std::wstring wide = WideFromUtf8(text);
    *out = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

class ServedAccessible final : public IAccessible {
public:
    ServedAccessible(HWND control, std::shared_ptr<AccessibleSource> source, std::shared_ptr<bool> alive,
                     IAccessible* standard)
        : control_(control), source_(std::move(source)), alive_(std::move(alive)), standard_(standard) {}
    ~ServedAccessible() {
        if (standard_) standard_->Release();
    }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, __uuidof(IAccessible))) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    // IDispatch: the standard object's type information serves the same interface.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        return standard_ ? standard_->GetTypeInfoCount(count) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
        return standard_ ? standard_->GetTypeInfo(index, locale, info) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override {
        return standard_ ? standard_->GetIDsOfNames(iid, names, count, locale, ids) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        if (!Alive()) return RPC_E_DISCONNECTED;
        return standard_ ? standard_->get_accParent(parent) : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        if (!count) return E_POINTER;
        if (!Alive()) return RPC_E_DISCONNECTED;
        if (source_->ChildCount() > 0 || !standard_) {
            *count = source_->ChildCount();
            return S_OK;
        }
        return standard_->get_accChildCount(count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (!Alive()) return RPC_E_DISCONNECTED;
        long id = 0;
        if (!ChildOf(child, id)) return E_INVALIDARG;
        if (id == CHILDID_SELF) {
            AddRef();
            *out = this;
            return S_OK;
        }
        // The lines are simple elements: the reader asks this object about them.
        if (source_->ChildCount() > 0) return id <= source_->ChildCount() && id > 0 ? S_FALSE : E_INVALIDARG;
        return standard_ ? standard_->get_accChild(child, out) : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* out) override {
        return Text(child, out, &AccessibleFacts::name, &IAccessible::get_accName);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* out) override {
        return Text(child, out, &AccessibleFacts::value, &IAccessible::get_accValue);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* out) override {
        return Text(child, out, &AccessibleFacts::description, &IAccessible::get_accDescription);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* out) override {
        return Text(child, out, &AccessibleFacts::keyboardShortcut, &IAccessible::get_accKeyboardShortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* out) override {
        return Number(child, out, &AccessibleFacts::role, &IAccessible::get_accRole);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* out) override {
        return Number(child, out, &AccessibleFacts::state, &IAccessible::get_accState);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        long id = 0;
        if (!Alive()) return RPC_E_DISCONNECTED;
        if (!ChildOf(child, id)) return E_INVALIDARG;
        return id == CHILDID_SELF && standard_ ? standard_->get_accHelp(child, out) : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
        long id = 0;
        if (!Alive()) return RPC_E_DISCONNECTED;
        if (!ChildOf(child, id)) return E_INVALIDARG;
        if (id == CHILDID_SELF && standard_) return standard_->get_accHelpTopic(file, child, topic);
        if (file) *file = nullptr;
        if (topic) *topic = 0;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* out) override {
        if (!out) return E_POINTER;
        VariantInit(out);
        if (!Alive()) return RPC_E_DISCONNECTED;
        if (source_->ChildCount() > 0 || !standard_) {
            if (GetFocus() != control_) return S_FALSE;
            out->vt = VT_I4;
            out->lVal = source_->FocusedChild();
            return S_OK;
        }
        return standard_->get_accFocus(out);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* out) override {
        if (!out) return E_POINTER;
        VariantInit(out);
        if (!Alive()) return RPC_E_DISCONNECTED;
        if (source_->ChildCount() > 0) {
            const long selected = source_->FocusedChild();
            if (selected <= 0) return S_FALSE;
            out->vt = VT_I4;
            out->lVal = selected;
            return S_OK;
        }
        return standard_ ? standard_->get_accSelection(out) : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        long id = 0;
        if (!Alive()) return RPC_E_DISCONNECTED;
        if (!ChildOf(child, id) || !Known(id)) return E_INVALIDARG;
        const std::string action = source_->DefaultAction(id);
        if (!action.empty()) return ReturnText(action, out);
        return id == CHILDID_SELF && standard_ ? standard_->get_accDefaultAction(child, out) : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        long id = 0;
        if (!Alive()) return RPC_E_DISCONNECTED;
        if (!ChildOf(child, id) || !Known(id)) return E_INVALIDARG;
        constexpr long kAll = SELFLAG_TAKEFOCUS | SELFLAG_TAKESELECTION | SELFLAG_EXTENDSELECTION |
                              SELFLAG_ADDSELECTION | SELFLAG_REMOVESELECTION;
        const auto both = [flags](long a, long b) { return (flags & a) && (flags & b); };
        // Flags the contract knows nothing of, or combinations it forbids.
        if ((flags & ~kAll) != 0 || both(SELFLAG_ADDSELECTION, SELFLAG_REMOVESELECTION) ||
            both(SELFLAG_TAKESELECTION, SELFLAG_ADDSELECTION | SELFLAG_REMOVESELECTION | SELFLAG_EXTENDSELECTION)) {
            return E_INVALIDARG;
        }
        if (flags == SELFLAG_NONE) return S_OK;
        const HRESULT result = source_->Select(flags, id);
        if (result != DISP_E_MEMBERNOTFOUND || id != CHILDID_SELF) return result;
        // The control itself: it takes the focus as a click or Tab gives it.
        if (flags != SELFLAG_TAKEFOCUS) return standard_ ? standard_->accSelect(flags, child) : result;
        if (!IsWindowVisible(control_) || !IsWindowEnabled(control_)) return S_FALSE;
        SetFocus(control_);
        return GetFocus() == control_ ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
        if (!left || !top || !width || !height) return E_POINTER;
        long id = 0;
        if (!Alive()) return RPC_E_DISCONNECTED;
        if (!ChildOf(child, id)) return E_INVALIDARG;
        RECT rect{};
        if (id == CHILDID_SELF) {
            if (standard_ && SUCCEEDED(standard_->accLocation(left, top, width, height, child))) return S_OK;
            GetWindowRect(control_, &rect);
        } else if (!source_->ChildRect(id, rect)) {
            return E_INVALIDARG;
        }
        *left = rect.left;
        *top = rect.top;
        *width = rect.right - rect.left;
        *height = rect.bottom - rect.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* out) override {
        if (!out) return E_POINTER;
        VariantInit(out);
        long id = 0;
        if (!Alive()) return RPC_E_DISCONNECTED;
        if (!ChildOf(start, id)) return E_INVALIDARG;
        const long count = source_->ChildCount();
        if (count == 0) return standard_ ? standard_->accNavigate(direction, start, out) : S_FALSE;
        long to = 0;
        if (id == CHILDID_SELF) {
            if (direction == NAVDIR_FIRSTCHILD) to = 1;
            if (direction == NAVDIR_LASTCHILD) to = count;
            if (to == 0) return standard_ ? standard_->accNavigate(direction, start, out) : S_FALSE;
        } else {
            if (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN) to = id + 1;
            if (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP) to = id - 1;
        }
        if (to < 1 || to > count) return S_FALSE;
        out->vt = VT_I4;
        out->lVal = to;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* out) override {
        if (!out) return E_POINTER;
        VariantInit(out);
        if (!Alive()) return RPC_E_DISCONNECTED;
        RECT rect{};
        GetWindowRect(control_, &rect);
        const POINT point{x, y};
        if (!PtInRect(&rect, point)) return S_FALSE;
        out->vt = VT_I4;
        out->lVal = source_->ChildCount() > 0 ? source_->ChildAt(point) : CHILDID_SELF;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        long id = 0;
        if (!Alive()) return RPC_E_DISCONNECTED;
        if (!ChildOf(child, id) || !Known(id)) return E_INVALIDARG;
        const HRESULT result = source_->DoDefaultAction(id);
        if (result != DISP_E_MEMBERNOTFOUND || id != CHILDID_SELF || !standard_) return result;
        return standard_->accDoDefaultAction(child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    bool Alive() const { return *alive_ && IsWindow(control_); }

    bool Known(long id) const { return id == CHILDID_SELF || (id > 0 && id <= source_->ChildCount()); }

    HRESULT Text(const VARIANT& child, BSTR* out, std::string AccessibleFacts::*field,
                 HRESULT (STDMETHODCALLTYPE IAccessible::*standard)(VARIANT, BSTR*)) {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (!Alive()) return RPC_E_DISCONNECTED;
        long id = 0;
        if (!ChildOf(child, id) || !Known(id)) return E_INVALIDARG;
        const std::string text = source_->Describe(id).*field;
        if (!text.empty()) return ReturnText(text, out);
        if (id == CHILDID_SELF && standard_) return (standard_->*standard)(child, out);
        return S_FALSE;
    }

    HRESULT Number(const VARIANT& child, VARIANT* out, long AccessibleFacts::*field,
                   HRESULT (STDMETHODCALLTYPE IAccessible::*standard)(VARIANT, VARIANT*)) {
        if (!out) return E_POINTER;
        VariantInit(out);
        if (!Alive()) return RPC_E_DISCONNECTED;
        long id = 0;
        if (!ChildOf(child, id) || !Known(id)) return E_INVALIDARG;
        const long number = source_->Describe(id).*field;
        if (number != 0 || id != CHILDID_SELF || !standard_) {
            out->vt = VT_I4;
            out->lVal = number;
            return S_OK;
        }
        return (standard_->*standard)(child, out);
    }

    LONG references_ = 1;
    HWND control_;
    std::shared_ptr<AccessibleSource> source_;
    std::shared_ptr<bool> alive_;
    IAccessible* standard_;
};

constexpr UINT_PTR kSubclassId = 0x41434331;  // one subclass per served control
const wchar_t kServedProperty[] = L"BootmarshalAccessible";

// oleacc.dll is loaded when a reader first asks, not at every start of the program.
struct Oleacc {
    using CreateStdFn = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
    using LresultFn = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
    CreateStdFn createStd = nullptr;
    LresultFn lresult = nullptr;
    Oleacc() {
        if (HMODULE dll = LoadLibraryW(L"oleacc.dll")) {
            createStd = reinterpret_cast<CreateStdFn>(
                reinterpret_cast<void*>(GetProcAddress(dll, "CreateStdAccessibleObject")));
            lresult = reinterpret_cast<LresultFn>(reinterpret_cast<void*>(GetProcAddress(dll, "LresultFromObject")));
        }
    }
};

const Oleacc& OleaccFunctions() {
    static const Oleacc functions;
    return functions;
}

LRESULT CALLBACK ServingProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto* served = reinterpret_cast<ServedControl*>(data);
    if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == static_cast<LONG>(OBJID_CLIENT)) {
        const Oleacc& oleacc = OleaccFunctions();
        if (!oleacc.lresult) return DefSubclassProc(control, message, wParam, lParam);
        IAccessible* standard = nullptr;
        if (!oleacc.createStd || FAILED(oleacc.createStd(control, OBJID_CLIENT, __uuidof(IAccessible),
                                                         reinterpret_cast<void**>(&standard)))) {
            standard = nullptr;
        }
        auto* object = new ServedAccessible(control, served->source, served->alive, standard);
        const LRESULT result = oleacc.lresult(__uuidof(IAccessible), wParam, object);
        // LresultFromObject holds its own reference for the reader.
        object->Release();
        return result;
    }
    if (message == WM_NCDESTROY) {
        *served->alive = false;
        RemoveWindowSubclass(control, ServingProc, kSubclassId);
        RemovePropW(control, kServedProperty);
        const LRESULT result = DefSubclassProc(control, message, wParam, lParam);
        delete served;
        return result;
    }
    return DefSubclassProc(control, message, wParam, lParam);
}

long CommonState(HWND control) {
    long state = 0;
    if (!IsWindowVisible(control)) state |= STATE_SYSTEM_INVISIBLE;
    if (!IsWindowEnabled(control)) {
        state |= STATE_SYSTEM_UNAVAILABLE;
    } else if (GetWindowLongPtrW(control, GWL_STYLE) & WS_TABSTOP || GetFocus() == control) {
        state |= STATE_SYSTEM_FOCUSABLE;
    }
    if (GetFocus() == control) state |= STATE_SYSTEM_FOCUSED;
    return state;
}

class Button final : public AccessibleSource {
public:
    Button(HWND button, long role, std::function<long()> extraState)
        : button_(button), role_(role), extraState_(std::move(extraState)) {}
    AccessibleFacts Describe(long) const override {
        AccessibleFacts facts;
        const std::string caption = WindowTextOf(button_);
        facts.name = ShownCaption(caption);
        facts.keyboardShortcut = AccessKeyOf(caption);
        facts.role = role_;
        // Every button takes the focus by click or arrow key, Tab stop or not.
        facts.state = CommonState(button_) | (IsWindowEnabled(button_) ? STATE_SYSTEM_FOCUSABLE : 0);
        if (SendMessageW(button_, BM_GETSTATE, 0, 0) & BST_PUSHED) facts.state |= STATE_SYSTEM_PRESSED;
        if (extraState_) facts.state |= extraState_();
        return facts;
    }
    // The verbs the platform's own proxies use for these roles.
    std::string DefaultAction(long) const override {
        if (role_ == ROLE_SYSTEM_CHECKBUTTON) {
            return SendMessageW(button_, BM_GETCHECK, 0, 0) == BST_CHECKED ? ActionWords().uncheck
                                                                           : ActionWords().check;
        }
        return role_ == ROLE_SYSTEM_PAGETAB ? ActionWords().switchTab : ActionWords().press;
    }
    HRESULT DoDefaultAction(long) override {
        if (!IsWindowVisible(button_) || !IsWindowEnabled(button_)) return E_FAIL;
        // Clicked as the pointer clicks it, after the reader's call has returned:
        // a command may open a modal window.
        return PostMessageW(button_, BM_CLICK, 0, 0) ? S_OK : E_FAIL;
    }

private:
    HWND button_;
    long role_;
    std::function<long()> extraState_;
};

// Text the user reads and cannot change. Without a caption it is named by what
// it shows (a label, a group box); with one, the caption names it (without a
// closing colon) and what it shows is its value.
class ReadOnlyText final : public AccessibleSource {
public:
    ReadOnlyText(HWND text, long role, HWND caption) : text_(text), role_(role), caption_(caption) {}
    AccessibleFacts Describe(long) const override {
        AccessibleFacts facts;
        const std::string text = WindowTextOf(text_);
        if (caption_) {
            facts.name = ShownCaption(WindowTextOf(caption_));
            while (!facts.name.empty() && (facts.name.back() == ':' || facts.name.back() == ' ')) facts.name.pop_back();
            facts.value = text;
        } else {
            const bool noPrefix =
                role_ == ROLE_SYSTEM_STATICTEXT && (GetWindowLongPtrW(text_, GWL_STYLE) & SS_NOPREFIX);
            facts.name = noPrefix ? text : ShownCaption(text);
        }
        facts.role = role_;
        facts.state = CommonState(text_) | STATE_SYSTEM_READONLY;
        return facts;
    }

private:
    HWND text_;
    long role_;
    HWND caption_;
};

class List final : public AccessibleSource {
public:
    List(HWND list, HWND caption, std::function<AccessibleFacts(int)> describeLine)
        : list_(list), caption_(caption), describeLine_(std::move(describeLine)) {}
    long ChildCount() const override {
        const LRESULT count = SendMessageW(list_, LB_GETCOUNT, 0, 0);
        return count > 0 ? static_cast<long>(count) : 0;
    }
    AccessibleFacts Describe(long child) const override {
        if (child == CHILDID_SELF) {
            AccessibleFacts facts;
            facts.name = ShownCaption(WindowTextOf(caption_));
            facts.role = ROLE_SYSTEM_LIST;
            facts.state = CommonState(list_);
            return facts;
        }
        const int line = static_cast<int>(child - 1);
        AccessibleFacts facts = describeLine_(line);
        facts.role = ROLE_SYSTEM_LISTITEM;
        facts.state |= STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
        const LRESULT selected = SendMessageW(list_, LB_GETCURSEL, 0, 0);
        if (selected == line) {
            facts.state |= STATE_SYSTEM_SELECTED;
            if (GetFocus() == list_) facts.state |= STATE_SYSTEM_FOCUSED;
        }
        RECT rect{};
        if (!ChildRect(child, rect)) facts.state |= STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN;
        return facts;
    }
    bool ChildRect(long child, RECT& screen) const override {
        RECT line{};
        if (SendMessageW(list_, LB_GETITEMRECT, static_cast<WPARAM>(child - 1), reinterpret_cast<LPARAM>(&line)) ==
            LB_ERR) {
            return false;
        }
        RECT client{};
        GetClientRect(list_, &client);
        RECT shown{};
        if (!IntersectRect(&shown, &line, &client)) return false;
        MapWindowPoints(list_, nullptr, reinterpret_cast<POINT*>(&line), 2);
        screen = line;
        return true;
    }
    long ChildAt(POINT screen) const override {
        POINT point = screen;
        ScreenToClient(list_, &point);
        const LRESULT hit = SendMessageW(list_, LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y));
        if (HIWORD(hit) != 0) return CHILDID_SELF;
        return static_cast<long>(LOWORD(hit)) + 1;
    }
    long FocusedChild() const override {
        const LRESULT selected = SendMessageW(list_, LB_GETCURSEL, 0, 0);
        return selected >= 0 ? static_cast<long>(selected) + 1 : CHILDID_SELF;
    }
    std::string DefaultAction(long child) const override {
        return child == CHILDID_SELF ? std::string() : ActionWords().doubleClick;
    }
    HRESULT DoDefaultAction(long child) override {
        if (child == CHILDID_SELF) return DISP_E_MEMBERNOTFOUND;
        if (!IsWindowEnabled(list_)) return E_FAIL;
        // As a double click does: the line selected, then opened.
        SelectLine(static_cast<int>(child - 1));
        return PostMessageW(GetParent(list_), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list_), LBN_DBLCLK),
                            reinterpret_cast<LPARAM>(list_))
                   ? S_OK
                   : E_FAIL;
    }
    HRESULT Select(long flags, long child) override {
        if (child == CHILDID_SELF) return DISP_E_MEMBERNOTFOUND;
        // One line at a time: nothing to add, take away or extend.
        if (flags & (SELFLAG_EXTENDSELECTION | SELFLAG_ADDSELECTION | SELFLAG_REMOVESELECTION)) return E_INVALIDARG;
        const int line = static_cast<int>(child - 1);
        if (flags & SELFLAG_TAKESELECTION) SelectLine(line);
        if (flags & SELFLAG_TAKEFOCUS) {
            // The focused line of a list of one selection is the selected one.
            if (SendMessageW(list_, LB_GETCURSEL, 0, 0) != line) return S_FALSE;
            SetFocus(list_);
        }
        return SendMessageW(list_, LB_GETCURSEL, 0, 0) == line ? S_OK : S_FALSE;
    }

private:
    // Selects the line and tells the list's window, as a click on it does.
    void SelectLine(int line) const {
        if (SendMessageW(list_, LB_GETCURSEL, 0, 0) == line) return;
        SendMessageW(list_, LB_SETCURSEL, static_cast<WPARAM>(line), 0);
        SendMessageW(GetParent(list_), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list_), LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list_));
    }

    HWND list_;
    HWND caption_;
    std::function<AccessibleFacts(int)> describeLine_;
};

}  // namespace

void SetAccessibleActionWords(const AccessibleActionWords& words) { ActionWords() = words; }

std::string ShownCaption(const std::string& caption) {
    std::string shown;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) ++i;
        shown += caption[i];
    }
    return shown;
}

std::string AccessKeyOf(const std::string& caption) {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        const char key = caption[i + 1];
        if ((key >= 'a' && key <= 'z') || (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) {
            return std::string("Alt+") + static_cast<char>(key >= 'a' && key <= 'z' ? key - 'a' + 'A' : key);
        }
        return std::string();
    }
    return std::string();
}

void ServeAccessible(HWND control, std::shared_ptr<AccessibleSource> source) {
    if (!control || !source) return;
    auto* served = new ServedControl{control, std::move(source)};
    if (auto* old = static_cast<ServedControl*>(GetPropW(control, kServedProperty))) {
        // Served already: the newer source replaces the older one.
        *old->alive = false;
        delete old;
    }
    if (!SetWindowSubclass(control, ServingProc, kSubclassId, reinterpret_cast<DWORD_PTR>(served))) {
        RemovePropW(control, kServedProperty);
        delete served;
        return;
    }
    SetPropW(control, kServedProperty, served);
}

std::shared_ptr<AccessibleSource> ButtonSource(HWND button, long role, std::function<long()> extraState) {
    return std::make_shared<Button>(button, role, std::move(extraState));
}

std::shared_ptr<AccessibleSource> LabelSource(HWND label, long role) {
    return std::make_shared<ReadOnlyText>(label, role, nullptr);
}

std::shared_ptr<AccessibleSource> CaptionedTextSource(HWND text, HWND caption) {
    return std::make_shared<ReadOnlyText>(text, ROLE_SYSTEM_STATICTEXT, caption);
}

std::shared_ptr<AccessibleSource> ListSource(HWND list, HWND caption,
                                             std::function<AccessibleFacts(int line)> describeLine) {
    return std::make_shared<List>(list, caption, std::move(describeLine));
}

}  // namespace ui
