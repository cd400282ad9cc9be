// A panel's image is a JPEG in an RCDATA resource. OleLoadPicture decodes it
// from a stream over a copy of the resource bytes; the decoded bitmap is
// copied so that the picture object can go at once. ole32 and oleaut32 are
// loaded when the image is first drawn (ole_library.h).
#include "platform/win32/panel_image.h"

#include <windows.h>
#include <ole2.h>
#include <olectl.h>

#include <cstring>

#include "platform/win32/ole_library.h"

namespace brumelis {

namespace {

struct ComReleaser {
    void operator()(IUnknown* object) const { object->Release(); }
};
template <typename Interface>
using ComPtr = std::unique_ptr<Interface, ComReleaser>;

using CreateStreamCall = HRESULT(WINAPI*)(HGLOBAL, BOOL, IStream**);
using LoadPictureCall = HRESULT(WINAPI*)(IStream*, LONG, BOOL, REFIID, void**);

// OLE's entry points, loaded once.
struct Ole {
    CreateStreamCall createStream;
    LoadPictureCall loadPicture;
};

const Ole& LoadOle() {
    static const Ole ole = [] {
        InitializeOle();
        return Ole{OleEntry<CreateStreamCall>(L"ole32.dll", "CreateStreamOnHGlobal"),
                   OleEntry<LoadPictureCall>(L"oleaut32.dll", "OleLoadPicture")};
    }();
    return ole;
}

ComPtr<IStream> StreamOverResource(HINSTANCE instance, int resourceId) {
    HRSRC resource = ::FindResourceW(instance, MAKEINTRESOURCEW(resourceId), RT_RCDATA);
    if (resource == nullptr) ThrowLastError("FindResourceW");
    const DWORD size = ::SizeofResource(instance, resource);
    const void* bytes = ::LockResource(::LoadResource(instance, resource));
    if (bytes == nullptr || size == 0) ThrowLastError("LoadResource");
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, size);
    if (block == nullptr) ThrowLastError("GlobalAlloc");
    std::memcpy(::GlobalLock(block), bytes, size);
    ::GlobalUnlock(block);
    IStream* stream = nullptr;
    // TRUE: the stream frees the block when released.
    const HRESULT result = LoadOle().createStream(block, TRUE, &stream);
    if (FAILED(result)) {
        ::GlobalFree(block);
        ThrowResult(result, "CreateStreamOnHGlobal");
    }
    return ComPtr<IStream>(stream);
}

}  // namespace

UniqueBitmap LoadPanelImage(HINSTANCE instance, ImageId image) {
    const int resourceId = static_cast<int>(image);
    if (resourceId == 0) return nullptr;
    ComPtr<IStream> stream = StreamOverResource(instance, resourceId);
    STATSTG status{};
    stream->Stat(&status, STATFLAG_NONAME);
    IPicture* loaded = nullptr;
    HRESULT result = LoadOle().loadPicture(stream.get(), static_cast<LONG>(status.cbSize.QuadPart),
                                           FALSE, IID_IPicture, reinterpret_cast<void**>(&loaded));
    if (FAILED(result)) ThrowResult(result, "OleLoadPicture");
    ComPtr<IPicture> picture(loaded);
    OLE_HANDLE handle = 0;
    result = picture->get_Handle(&handle);
    if (FAILED(result)) ThrowResult(result, "IPicture::get_Handle");
    // GDI handles keep their meaning in 32 bits, which is what OLE_HANDLE holds.
    const HBITMAP decoded = reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle));
    HANDLE copy = ::CopyImage(decoded, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    if (copy == nullptr) ThrowLastError("CopyImage");
    return UniqueBitmap(static_cast<HBITMAP>(copy));
}

void DrawFilling(HDC target, HBITMAP image, int width, int height) {
    BITMAP size{};
    ::GetObjectW(image, sizeof size, &size);
    HDC source = ::CreateCompatibleDC(target);
    HGDIOBJ previous = ::SelectObject(source, image);
    if (width == size.bmWidth && height == size.bmHeight) {
        ::BitBlt(target, 0, 0, size.bmWidth, size.bmHeight, source, 0, 0, SRCCOPY);
    } else {
        // HALFTONE averages the source pixels: the gradient stays smooth.
        const int mode = ::SetStretchBltMode(target, HALFTONE);
        ::SetBrushOrgEx(target, 0, 0, nullptr);
        ::StretchBlt(target, 0, 0, width, height, source, 0, 0, size.bmWidth, size.bmHeight,
                     SRCCOPY);
        ::SetStretchBltMode(target, mode);
    }
    ::SelectObject(source, previous);
    ::DeleteDC(source);
}

}  // namespace brumelis
