#include "tests/e2e/screen_capture.h"

#include <windows.h>

#include <cstdio>

#include "tests/e2e/e2e_options.h"

namespace brumelis::e2e {
namespace {

BITMAPINFO TopDownInfo(Size extent) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = extent.width;
    info.bmiHeader.biHeight = -extent.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

}  // namespace

ScreenImage ScreenImage::Capture(const Rect& area) {
    ScreenImage image;
    if (area.width <= 0 || area.height <= 0) return image;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = TopDownInfo(area.Extent());
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap != nullptr) {
        HGDIOBJ previous = SelectObject(memory, bitmap);
        if (BitBlt(memory, 0, 0, area.width, area.height, screen, area.left, area.top, SRCCOPY)) {
            GdiFlush();
            const auto* source = static_cast<const std::uint32_t*>(bits);
            image.extent_ = area.Extent();
            image.pixels_.assign(source, source + area.width * area.height);
            for (std::uint32_t& pixel : image.pixels_) pixel &= 0xFFFFFFu;
        }
        SelectObject(memory, previous);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return image;
}

Rgb ScreenImage::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= extent_.width || y >= extent_.height) return 0xFFFFFFFFu;
    return pixels_[static_cast<std::size_t>(y * extent_.width + x)];
}

bool ScreenImage::SaveBmp(const std::wstring& path) const {
    if (Empty()) return false;
    const BITMAPINFO info = TopDownInfo(extent_);
    const DWORD pixelBytes = static_cast<DWORD>(pixels_.size() * sizeof pixels_[0]);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + pixelBytes;
    FILE* out = _wfopen(path.c_str(), L"wb");
    if (out == nullptr) return false;
    const bool written = std::fwrite(&file, sizeof file, 1, out) == 1 &&
                         std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out) == 1 &&
                         std::fwrite(pixels_.data(), pixelBytes, 1, out) == 1;
    return std::fclose(out) == 0 && written;
}

std::wstring ArtifactPath(const std::wstring& fileName) {
    const std::wstring& directory = TheOptions().artifactsPath;
    CreateDirectoryW(directory.c_str(), nullptr);
    return directory + L"\\" + fileName;
}

}  // namespace brumelis::e2e
