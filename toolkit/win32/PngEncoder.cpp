#include "toolkit/win32/PngEncoder.h"

#include <windows.h>
#include <objidl.h>
#include <wincodec.h>

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <string>

#include "toolkit/win32/ComPtr.h"
#include "toolkit/win32/PixelBuffer.h"
#include "toolkit/win32/SystemLibrary.h"

namespace zelvora {

namespace {

// Rows handed to the encoder at a time: a 4K screen needs no second copy of itself.
constexpr int kBandRows = 64;

void Check(HRESULT result, const char* step)
{
    if (SUCCEEDED(result)) return;
    char text[128];
    std::snprintf(text, sizeof text, "%s: 0x%08lX", step, static_cast<unsigned long>(result));
    throw std::runtime_error(text);
}

TComPtr<IWICImagingFactory> ImagingFactory()
{
    // Without COM's class registry: the component's own entry point.
    using TCreateFactory = HRESULT WINAPI(UINT, IWICImagingFactory**);
    auto* create = SystemFunction<TCreateFactory>(L"windowscodecs.dll", "WICCreateImagingFactory_Proxy");
    if (!create) throw std::runtime_error("windowscodecs.dll");
    TComPtr<IWICImagingFactory> factory;
    Check(create(WINCODEC_SDK_VERSION, factory.put()), "WICCreateImagingFactory");
    return factory;
}

TComPtr<IStream> MemoryStream()
{
    auto* create = SystemFunction<decltype(CreateStreamOnHGlobal)>(L"ole32.dll", "CreateStreamOnHGlobal");
    if (!create) throw std::runtime_error("ole32.dll");
    TComPtr<IStream> stream;
    Check(create(nullptr, TRUE, stream.put()), "CreateStreamOnHGlobal");
    return stream;
}

std::vector<std::uint8_t> ReadAll(IStream& stream)
{
    ULARGE_INTEGER size{};
    Check(stream.Seek(LARGE_INTEGER{}, STREAM_SEEK_END, &size), "IStream::Seek");
    Check(stream.Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr), "IStream::Seek");
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size.QuadPart));
    ULONG read = 0;
    Check(stream.Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read), "IStream::Read");
    if (read != bytes.size()) throw std::runtime_error("IStream::Read: short");
    return bytes;
}

}  // namespace

std::vector<std::uint8_t> EncodePng(const std::uint32_t* pixels, int width, int height)
{
    if (width <= 0 || height <= 0) throw std::runtime_error("empty picture");
    TComPtr<IWICImagingFactory> factory = ImagingFactory();
    TComPtr<IStream> stream = MemoryStream();
    TComPtr<IWICBitmapEncoder> encoder;
    Check(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.put()), "CreateEncoder");
    Check(encoder->Initialize(stream.get(), WICBitmapEncoderNoCache), "IWICBitmapEncoder::Initialize");
    TComPtr<IWICBitmapFrameEncode> frame;
    TComPtr<IPropertyBag2> options;
    Check(encoder->CreateNewFrame(frame.put(), options.put()), "CreateNewFrame");
    Check(frame->Initialize(options.get()), "IWICBitmapFrameEncode::Initialize");
    Check(frame->SetSize(static_cast<UINT>(width), static_cast<UINT>(height)), "SetSize");
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    Check(frame->SetPixelFormat(&format), "SetPixelFormat");
    if (!IsEqualGUID(format, GUID_WICPixelFormat24bppBGR))
        throw std::runtime_error("SetPixelFormat: 24bppBGR");
    const std::size_t stride = Bgr24Stride(width);
    std::vector<BYTE> band(stride * static_cast<std::size_t>(std::min(height, kBandRows)));
    for (int top = 0; top < height; top += kBandRows) {
        const int rows = std::min(kBandRows, height - top);
        for (int row = 0; row < rows; ++row)
            CopyAsBgr24(pixels + static_cast<std::size_t>(top + row) * width, width,
                        band.data() + static_cast<std::size_t>(row) * stride);
        Check(frame->WritePixels(static_cast<UINT>(rows), static_cast<UINT>(stride),
                                 static_cast<UINT>(stride * static_cast<std::size_t>(rows)), band.data()),
              "WritePixels");
    }
    Check(frame->Commit(), "IWICBitmapFrameEncode::Commit");
    Check(encoder->Commit(), "IWICBitmapEncoder::Commit");
    return ReadAll(*stream.get());
}

}  // namespace zelvora
