// Pictures for caption panels: raw picture data (bitmap, icon, metafile, JPEG, GIF) decoded by the
// system's OLE picture service, the panel's cache of pictures named by address, and a container of
// named pictures for mini-HTML image tags.
#pragma once

#include <windows.h>
#include <ocidl.h>
#include <ole2.h>
#include <olectl.h>

#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "toolkit/Component.h"

namespace zelvora {

class EPictureError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Raw picture data kept in memory and decoded once; empty until something loads.
class TOlePicture {
public:
    TOlePicture() = default;
    TOlePicture(const TOlePicture&) = delete;
    TOlePicture& operator=(const TOlePicture&) = delete;
    virtual ~TOlePicture() = default;

    // Raises EPictureError with the reason when the data cannot be decoded; the picture is then empty.
    void LoadFromData(std::string data);
    void LoadFromFile(const std::string& path);
    // An RCDATA resource of `module` (the program when null).
    void LoadFromResource(HMODULE module, const std::string& name);
    void Clear();

    bool Empty() const { return !picture_; }
    // Size in pixels at 96 dots per inch.
    int Width() const { return width_; }
    int Height() const { return height_; }
    void Draw(HDC dc, const RECT& r) const;

private:
    struct Releaser {
        void operator()(IUnknown* p) const { p->Release(); }
    };
    std::string data_;
    std::unique_ptr<IPicture, Releaser> picture_;
    int width_ = 0, height_ = 0;
};

// The body background of a panel.
class TAdvImage : public TOlePicture {};

// A picture of a mini-HTML text; multi-frame pictures show the frame at `FramePos`.
class THTMLPicture : public TOlePicture {
public:
    int FramePos = 0;
};

// Every picture loaded for an address, kept until the panel goes. "RES://name" is a resource of the
// program, "FILE://path" a file; other addresses are remembered but never fetched.
class THTMLPictureCache {
public:
    explicit THTMLPictureCache(HMODULE module = nullptr) : module_(module) {}
    // The picture for an address, loading it the first time; null when it cannot be shown.
    const THTMLPicture* Find(const std::string& address);
    std::size_t Count() const { return pictures_.size(); }

private:
    HMODULE module_;
    std::map<std::string, std::unique_ptr<THTMLPicture>> pictures_;
};

// Named pictures for image tags without an address; names are compared in upper case.
class TPictureContainer : public TComponent {
public:
    using TComponent::TComponent;
    static const TClassInfo& StaticClassInfo();
    const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }
    THTMLPicture& Add(const std::string& name);
    const THTMLPicture* Find(const std::string& name) const;

private:
    std::vector<std::pair<std::string, std::unique_ptr<THTMLPicture>>> items_;
};

}  // namespace zelvora
