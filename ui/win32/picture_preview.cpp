#include "ui/win32/picture_preview.h"

// GDI+'s headers use min and max unqualified.
#include <algorithm>
using std::max;
using std::min;
#include <gdiplus.h>

#include "platform/wide_win32.h"

namespace mapio::win32 {

PicturePreview::PicturePreview() {
  Gdiplus::GdiplusStartupInput input;
  if (Gdiplus::GdiplusStartup(&token_, &input, nullptr) != Gdiplus::Ok) token_ = 0;
}

PicturePreview::~PicturePreview() {
  Clear();
  if (token_ != 0) Gdiplus::GdiplusShutdown(token_);
}

void PicturePreview::Clear() {
  if (bitmap_) DeleteObject(bitmap_);
  bitmap_ = nullptr;
  size_ = {};
}

bool PicturePreview::Load(const std::string& path, int width, int height) {
  Clear();
  if (token_ == 0 || width <= 0 || height <= 0) return false;
  const std::wstring name = platform::SystemPath(path);
  if (name.empty()) return false;
  // In its own scope: GDI+ keeps the file open while the bitmap lives.
  Gdiplus::Bitmap source(name.c_str());
  if (source.GetLastStatus() != Gdiplus::Ok || source.GetWidth() == 0 || source.GetHeight() == 0)
    return false;
  const double scale = std::min({1.0, static_cast<double>(width) / source.GetWidth(),
                                 static_cast<double>(height) / source.GetHeight()});
  const int shownWidth = std::max(1, static_cast<int>(source.GetWidth() * scale + 0.5));
  const int shownHeight = std::max(1, static_cast<int>(source.GetHeight() * scale + 0.5));
  Gdiplus::Bitmap scaled(shownWidth, shownHeight, PixelFormat32bppARGB);
  {
    Gdiplus::Graphics graphics(&scaled);
    graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
    graphics.DrawImage(&source, 0, 0, shownWidth, shownHeight);
  }
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const Gdiplus::Color background(255, GetRValue(face), GetGValue(face), GetBValue(face));
  if (scaled.GetHBITMAP(background, &bitmap_) != Gdiplus::Ok) {
    bitmap_ = nullptr;
    return false;
  }
  size_ = {shownWidth, shownHeight};
  return true;
}

void PicturePreview::Paint(HDC dc, const RECT& box) const {
  if (!bitmap_) return;
  HDC memory = CreateCompatibleDC(dc);
  const HGDIOBJ old = SelectObject(memory, bitmap_);
  const int x = box.left + (box.right - box.left - size_.cx) / 2;
  const int y = box.top + (box.bottom - box.top - size_.cy) / 2;
  BitBlt(dc, x, y, size_.cx, size_.cy, memory, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
}

}  // namespace mapio::win32
