// The picture beside the check's report: loaded with GDI+ (which knows a
// picture by its contents, whatever its name says), scaled into its box
// once, and kept as a bitmap that paints at once.
#pragma once

#include <windows.h>

#include <string>

namespace mapio::win32 {

class PicturePreview {
 public:
  PicturePreview();  // starts GDI+ for as long as it lives
  ~PicturePreview();
  PicturePreview(const PicturePreview&) = delete;
  PicturePreview& operator=(const PicturePreview&) = delete;

  // The picture at `path` (UTF-8), at most `width` x `height` pixels and
  // never larger than it is; false, and nothing to paint, when it cannot
  // be read.
  bool Load(const std::string& path, int width, int height);
  void Clear();
  bool Empty() const { return bitmap_ == nullptr; }

  // Centred in `box`, on the dialog's background.
  void Paint(HDC dc, const RECT& box) const;

 private:
  ULONG_PTR token_ = 0;
  HBITMAP bitmap_ = nullptr;
  SIZE size_{};
};

}  // namespace mapio::win32
