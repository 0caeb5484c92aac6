#include "toolkit/win32/Clipboard.h"

#include <cstring>
#include <utility>

#include "toolkit/win32/PixelBuffer.h"

namespace zelvora {

namespace {

// Another program may hold the clipboard for a moment; a little patience before giving up.
constexpr int kOpenAttempts = 10;
constexpr DWORD kOpenPauseMs = 20;

UniqueGlobalMemory GlobalCopy(const void* bytes, std::size_t size)
{
    UniqueGlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, size));
    if (!memory) return memory;
    void* to = GlobalLock(memory.get());
    if (!to) return {};
    std::memcpy(to, bytes, size);
    GlobalUnlock(memory.get());
    return memory;
}

// 24 bits a pixel, bottom-up: the form every program reads.
UniqueGlobalMemory DibOf(const std::uint32_t* pixels, int width, int height)
{
    const std::size_t stride = Bgr24Stride(width);
    const std::size_t imageSize = stride * static_cast<std::size_t>(height);
    UniqueGlobalMemory memory(
        GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(BITMAPINFOHEADER) + imageSize));
    if (!memory) return memory;
    auto* header = static_cast<BITMAPINFOHEADER*>(GlobalLock(memory.get()));
    if (!header) return {};
    header->biSize = sizeof(BITMAPINFOHEADER);
    header->biWidth = width;
    header->biHeight = height;
    header->biPlanes = 1;
    header->biBitCount = 24;
    header->biCompression = BI_RGB;
    header->biSizeImage = static_cast<DWORD>(imageSize);
    auto* bits = reinterpret_cast<BYTE*>(header + 1);
    for (int y = 0; y < height; ++y)
        CopyAsBgr24(pixels + static_cast<std::size_t>(height - 1 - y) * width, width,
                    bits + static_cast<std::size_t>(y) * stride);
    GlobalUnlock(memory.get());
    return memory;
}

bool OpenClipboardPatiently(HWND owner)
{
    for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
        if (OpenClipboard(owner)) return true;
        Sleep(kOpenPauseMs);
    }
    return false;
}

}  // namespace

TClipboardPicture PrepareClipboardPicture(const std::uint32_t* pixels, int width, int height,
                                          const std::vector<std::uint8_t>& png)
{
    return {DibOf(pixels, width, height), GlobalCopy(png.data(), png.size())};
}

TClipboardResult PutPictureOnClipboard(HWND owner, const std::uint32_t* pixels, int width, int height,
                                       const std::vector<std::uint8_t>& png)
{
    return PutPictureOnClipboard(owner, PrepareClipboardPicture(pixels, width, height, png));
}

TClipboardResult PutPictureOnClipboard(HWND owner, TClipboardPicture picture)
{
    // Every copy is made before the clipboard is opened and emptied.
    UniqueGlobalMemory dib = std::move(picture.Dib);
    UniqueGlobalMemory pngCopy = std::move(picture.Png);
    if (!dib || !pngCopy) return TClipboardResult::NoMemory;
    if (!OpenClipboardPatiently(owner)) return TClipboardResult::Busy;
    bool put = EmptyClipboard() != FALSE;
    // The clipboard owns what it took; what it refused is still ours to free.
    if (put && SetClipboardData(CF_DIB, dib.get()))
        dib.release();
    else
        put = false;
    if (const UINT pngFormat = RegisterClipboardFormatW(L"PNG");
        put && pngFormat && SetClipboardData(pngFormat, pngCopy.get()))
        pngCopy.release();
    CloseClipboard();
    return put ? TClipboardResult::Done : TClipboardResult::Busy;
}

}  // namespace zelvora
