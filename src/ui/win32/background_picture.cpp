#include "ui/win32/background_picture.h"

#include <ole2.h>
#include <olectl.h>

#include <cstring>

#include "ui/layout.h"

namespace kalvoro::win32 {

namespace {

// A stream over a copy of the resource's bytes; the stream frees the copy.
IStream* StreamOfResource(HINSTANCE instance, int resourceId, LONG& size) {
    HRSRC resource = FindResourceW(instance, MAKEINTRESOURCEW(resourceId), RT_RCDATA);
    if (resource == nullptr) {
        return nullptr;
    }
    const DWORD bytesSize = SizeofResource(instance, resource);
    const void* bytes = LockResource(LoadResource(instance, resource));
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, bytesSize);
    if (bytes == nullptr || copy == nullptr) {
        return nullptr;
    }
    std::memcpy(GlobalLock(copy), bytes, bytesSize);
    size = static_cast<LONG>(bytesSize);
    GlobalUnlock(copy);
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(copy, TRUE, &stream))) {
        GlobalFree(copy);
        return nullptr;
    }
    return stream;
}

}  // namespace

BackgroundPicture::~BackgroundPicture() {
    if (bitmap_ != nullptr) {
        DeleteObject(bitmap_);
    }
}

void BackgroundPicture::Load(HINSTANCE instance, int resourceId, int dpi) {
    LONG bytes = 0;
    IStream* stream = StreamOfResource(instance, resourceId, bytes);
    if (stream == nullptr) {
        return;
    }
    IPicture* picture = nullptr;
    const HRESULT loaded =
        OleLoadPicture(stream, bytes, FALSE, IID_IPicture, reinterpret_cast<void**>(&picture));
    stream->Release();
    if (FAILED(loaded)) {
        return;
    }
    // The decoded bitmap's pixel size is its size at 96 dpi: on a denser
    // screen it grows with the controls, so that it stays behind them as drawn.
    OLE_HANDLE handle = 0;
    picture->get_Handle(&handle);
    BITMAP decoded{};
    GetObjectW(reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)), sizeof decoded, &decoded);
    size_ = {layout::PixelsFrom96(decoded.bmWidth, dpi),
             layout::PixelsFrom96(decoded.bmHeight, dpi)};
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    picture->get_Width(&width);
    picture->get_Height(&height);

    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    bitmap_ = CreateCompatibleBitmap(screen, size_.cx, size_.cy);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(memory, bitmap_);
    const RECT all{0, 0, size_.cx, size_.cy};
    FillRect(memory, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    // Averaged when stretched, not one source pixel of every few kept.
    SetStretchBltMode(memory, HALFTONE);
    SetBrushOrgEx(memory, 0, 0, nullptr);
    // The source rectangle is in HIMETRIC, from the bottom up.
    picture->Render(memory, 0, 0, size_.cx, size_.cy, 0, height, width, -height, nullptr);
    SelectObject(memory, old);
    DeleteDC(memory);
    picture->Release();
}

void BackgroundPicture::Paint(HWND window, HDC dc) const {
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    if (bitmap_ == nullptr) {
        return;
    }
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, bitmap_);
    BitBlt(dc, 0, 0, size_.cx, size_.cy, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
}

}  // namespace kalvoro::win32
