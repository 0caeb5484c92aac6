#include "controls/win32/HtmlPicture.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "base/TextCase.h"
#include "toolkit/win32/Handles.h"
#include "toolkit/win32/SystemLibrary.h"

namespace zelvora {

namespace {

constexpr int kHimetricPerInch = 2540;

}  // namespace

void TOlePicture::Clear()
{
    picture_.reset();
    data_.clear();
    width_ = height_ = 0;
}

void TOlePicture::LoadFromData(std::string data)
{
    Clear();
    UniqueGlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, std::max<std::size_t>(data.size(), 1)));
    if (!memory) throw EPictureError("Could not allocate memory for image");
    if (void* bytes = GlobalLock(memory.get())) {
        std::copy(data.begin(), data.end(), static_cast<char*>(bytes));
        GlobalUnlock(memory.get());
    } else {
        throw EPictureError("Could not allocate memory for image");
    }
    IStream* raw = nullptr;
    // The stream frees the memory from here on.
    auto* createStream =
        SystemFunction<decltype(CreateStreamOnHGlobal)>(L"ole32.dll", "CreateStreamOnHGlobal");
    auto* loadPicture = SystemFunction<decltype(OleLoadPicture)>(L"oleaut32.dll", "OleLoadPicture");
    if (!createStream || !loadPicture) throw EPictureError("No picture decoder");
    if (FAILED(createStream(memory.get(), TRUE, &raw))) throw EPictureError("Could not create image stream");
    memory.release();
    if (!raw) throw EPictureError("Empty image stream created");
    std::unique_ptr<IStream, Releaser> stream(raw);
    IPicture* picture = nullptr;
    const HRESULT hr = loadPicture(stream.get(), static_cast<LONG>(data.size()), FALSE, IID_IPicture,
                                   reinterpret_cast<void**>(&picture));
    if (hr == CTL_E_INVALIDPICTURE || hr == E_FAIL)
        throw EPictureError("Could not load image. Invalid format");
    if (FAILED(hr) || !picture) throw EPictureError("Could not load image");
    picture_.reset(picture);
    OLE_XSIZE_HIMETRIC w = 0;
    OLE_YSIZE_HIMETRIC h = 0;
    picture->get_Width(&w);
    picture->get_Height(&h);
    width_ = MulDiv(w, 96, kHimetricPerInch);
    height_ = MulDiv(h, 96, kHimetricPerInch);
    data_ = std::move(data);
}

void TOlePicture::LoadFromFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) throw EPictureError("Could not load image");
    LoadFromData(std::string(std::istreambuf_iterator<char>(in), {}));
}

void TOlePicture::LoadFromResource(HMODULE module, const std::string& name)
{
    if (!module) module = GetModuleHandleW(nullptr);
    const auto bytesOf = [&](LPCSTR type) -> std::string {
        HRSRC found = FindResourceA(module, name.c_str(), type);
        HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
        const void* bytes = loaded ? LockResource(loaded) : nullptr;
        return bytes ? std::string(static_cast<const char*>(bytes), SizeofResource(module, found))
                     : std::string();
    };
    std::string data = bytesOf(MAKEINTRESOURCEA(10));  // RT_RCDATA: a picture file as it is
    if (data.empty()) {
        // A bitmap resource lacks the file header the decoder expects.
        const std::string dib = bytesOf(MAKEINTRESOURCEA(2));  // RT_BITMAP
        if (dib.size() < sizeof(BITMAPINFOHEADER)) throw EPictureError("Could not load image");
        BITMAPINFOHEADER info;
        std::copy_n(dib.data(), sizeof info, reinterpret_cast<char*>(&info));
        DWORD colors = info.biClrUsed ? info.biClrUsed : (info.biBitCount <= 8 ? 1u << info.biBitCount : 0u);
        if (info.biCompression == BI_BITFIELDS) colors += 3;
        BITMAPFILEHEADER file{};
        file.bfType = 0x4D42;  // "BM"
        file.bfSize = static_cast<DWORD>(sizeof file + dib.size());
        file.bfOffBits = static_cast<DWORD>(sizeof file + info.biSize + colors * sizeof(RGBQUAD));
        data.assign(reinterpret_cast<const char*>(&file), sizeof file);
        data += dib;
    }
    LoadFromData(std::move(data));
}

void TOlePicture::Draw(HDC dc, const RECT& r) const
{
    if (!picture_) return;
    OLE_XSIZE_HIMETRIC w = 0;
    OLE_YSIZE_HIMETRIC h = 0;
    picture_->get_Width(&w);
    picture_->get_Height(&h);
    // The source rectangle runs bottom-up in HIMETRIC units.
    picture_->Render(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, 0, h, w, -h, nullptr);
}

const THTMLPicture* THTMLPictureCache::Find(const std::string& address)
{
    auto [slot, added] = pictures_.try_emplace(address);
    if (added) {
        slot->second = std::make_unique<THTMLPicture>();
        const std::string upper = UpperCase(address);
        try {
            if (upper.rfind("RES://", 0) == 0)
                slot->second->LoadFromResource(module_, address.substr(6));
            else if (upper.rfind("FILE://", 0) == 0)
                slot->second->LoadFromFile(address.substr(7));
        } catch (const EPictureError&) {
            // An address that cannot be shown stays remembered as empty: it is not tried on every paint.
        }
    }
    return slot->second->Empty() ? nullptr : slot->second.get();
}

const TClassInfo& TPictureContainer::StaticClassInfo()
{
    static const TClassInfo info("TPictureContainer", &TComponent::StaticClassInfo(), {});
    return info;
}

THTMLPicture& TPictureContainer::Add(const std::string& name)
{
    items_.emplace_back(UpperCase(name), std::make_unique<THTMLPicture>());
    return *items_.back().second;
}

const THTMLPicture* TPictureContainer::Find(const std::string& name) const
{
    const std::string upper = UpperCase(name);
    for (const auto& [itemName, picture] : items_)
        if (itemName == upper && !picture->Empty()) return picture.get();
    return nullptr;
}

}  // namespace zelvora
