#include "entries/XmlLiteTree.h"

#include <windows.h>

#include <objidl.h>
#include <shlwapi.h>
#include <xmllite.h>

#include "system/Utf8.h"

namespace {

using CreateXmlReaderFn = HRESULT(WINAPI*)(REFIID, void**, IMalloc*);

CreateXmlReaderFn XmlReaderFactory() {
    static const CreateXmlReaderFn factory = [] {
        HMODULE module = LoadLibraryW(L"xmllite.dll");
        return module ? reinterpret_cast<CreateXmlReaderFn>(
                            reinterpret_cast<void*>(GetProcAddress(module, "CreateXmlReader")))
                      : nullptr;
    }();
    return factory;
}

template <typename T>
struct Released {
    T* p = nullptr;
    ~Released() {
        if (p) p->Release();
    }
};

std::string LocalName(IXmlReader* reader) {
    const WCHAR* name = nullptr;
    UINT length = 0;
    if (FAILED(reader->GetLocalName(&name, &length)) || !name) return std::string();
    return Utf8FromWide(std::wstring_view(name, length));
}

std::string Value(IXmlReader* reader) {
    const WCHAR* value = nullptr;
    UINT length = 0;
    if (FAILED(reader->GetValue(&value, &length)) || !value) return std::string();
    return Utf8FromWide(std::wstring_view(value, length));
}

bool ReadTree(IStream* stream, XmlLiteNode& root) {
    const CreateXmlReaderFn create = XmlReaderFactory();
    if (!create) return false;
    Released<IXmlReader> reader;
    if (FAILED(create(__uuidof(IXmlReader), reinterpret_cast<void**>(&reader.p), nullptr))) return false;
    reader.p->SetProperty(XmlReaderProperty_DtdProcessing, DtdProcessing_Prohibit);
    if (FAILED(reader.p->SetInput(stream))) return false;

    // The path of open elements; the document's element is the first.
    std::vector<XmlLiteNode*> open;
    bool rootSeen = false;
    XmlNodeType type;
    HRESULT hr;
    while ((hr = reader.p->Read(&type)) == S_OK) {
        switch (type) {
            case XmlNodeType_Element: {
                XmlLiteNode* node;
                if (open.empty()) {
                    if (rootSeen) return false;
                    rootSeen = true;
                    root = XmlLiteNode();
                    node = &root;
                } else {
                    open.back()->children.emplace_back();
                    node = &open.back()->children.back();
                }
                node->name = LocalName(reader.p);
                const bool empty = reader.p->IsEmptyElement() != FALSE;
                for (HRESULT at = reader.p->MoveToFirstAttribute(); at == S_OK; at = reader.p->MoveToNextAttribute()) {
                    if (reader.p->IsDefault()) continue;
                    node->attributes.emplace_back(LocalName(reader.p), Value(reader.p));
                }
                // An empty element has no end, so it never becomes the open one.
                if (!empty) open.push_back(node);
                break;
            }
            case XmlNodeType_EndElement:
                if (open.empty()) return false;
                open.pop_back();
                break;
            case XmlNodeType_Text:
            case XmlNodeType_CDATA:
                if (!open.empty()) open.back()->text += Value(reader.p);
                break;
            default:
                break;
        }
    }
    return hr == S_FALSE && rootSeen && open.empty();
}

}  // namespace

const XmlLiteNode* XmlLiteNode::Child(const std::string& local) const {
    for (const XmlLiteNode& child : children) {
        if (child.name == local) return &child;
    }
    return nullptr;
}

std::string XmlLiteNode::Attribute(const std::string& local) const {
    for (const auto& [attribute, value] : attributes) {
        if (attribute == local) return value;
    }
    return std::string();
}

std::string XmlLiteNode::ChildText(const std::string& local, const std::string& fallback) const {
    const XmlLiteNode* child = Child(local);
    return child ? child->text : fallback;
}

bool ReadXmlLiteText(const std::wstring& xml, XmlLiteNode& root) {
    // The byte order mark tells XmlLite the text is UTF-16 whatever its
    // declaration names (the Task Scheduler hands out UTF-16 that says so).
    std::wstring marked;
    marked.reserve(xml.size() + 1);
    if (xml.empty() || xml[0] != 0xFEFF) marked.push_back(static_cast<wchar_t>(0xFEFF));
    marked += xml;
    Released<IStream> stream;
    stream.p = SHCreateMemStream(reinterpret_cast<const BYTE*>(marked.data()),
                                 static_cast<UINT>(marked.size() * sizeof(wchar_t)));
    if (!stream.p) return false;
    return ReadTree(stream.p, root);
}

bool ReadXmlLiteFile(const std::string& path, XmlLiteNode& root) {
    Released<IStream> stream;
    if (FAILED(SHCreateStreamOnFileEx(WideFromUtf8(path).c_str(), STGM_READ | STGM_SHARE_DENY_WRITE,
                                      FILE_ATTRIBUTE_NORMAL, FALSE, nullptr, &stream.p))) {
        return false;
    }
    return ReadTree(stream.p, root);
}
