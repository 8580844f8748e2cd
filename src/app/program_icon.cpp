#include "app/program_icon.h"

#include <wx/dcmemory.h>
#include <wx/graphics.h>
#include <wx/image.h>

#include <memory>

namespace kinloom::app {

wxBitmap ProgramIconBitmap(int size) {
  wxImage canvas(size, size);
  canvas.InitAlpha();
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) canvas.SetAlpha(x, y, 0);
  wxBitmap bitmap(canvas, 32);
  {
    wxMemoryDC dc(bitmap);
    std::unique_ptr<wxGraphicsContext> gc(wxGraphicsContext::Create(dc));
    if (gc) {
      const double s = size / 48.0;
      gc->SetBrush(wxBrush(wxColour(0x1F, 0x4E, 0x79)));
      gc->SetPen(*wxTRANSPARENT_PEN);
      gc->DrawRoundedRectangle(1 * s, 1 * s, 46 * s, 46 * s, 9 * s);
      // the threads of the loom
      gc->SetPen(wxPen(wxColour(0x6F, 0x9F, 0xD0), std::max(1, static_cast<int>(1.5 * s))));
      for (int i = 0; i < 4; ++i) {
        const double x = (9 + i * 10) * s;
        gc->StrokeLine(x, 5 * s, x, 43 * s);
      }
      // the tree: one root, two children, four grandchildren
      gc->SetPen(wxPen(wxColour(0xF5, 0xE6, 0xB8), std::max(1, static_cast<int>(2.5 * s))));
      const double root_x = 24 * s, root_y = 38 * s;
      const double mid_y = 25 * s, top_y = 12 * s;
      const double mids[2] = {14 * s, 34 * s};
      const double tops[4] = {9 * s, 19 * s, 29 * s, 39 * s};
      for (int m = 0; m < 2; ++m) {
        gc->StrokeLine(root_x, root_y, mids[m], mid_y);
        gc->StrokeLine(mids[m], mid_y, tops[m * 2], top_y);
        gc->StrokeLine(mids[m], mid_y, tops[m * 2 + 1], top_y);
      }
      gc->SetPen(*wxTRANSPARENT_PEN);
      gc->SetBrush(wxBrush(wxColour(0xE8, 0xA3, 0x3D)));
      const double r = 3.6 * s;
      gc->DrawEllipse(root_x - r, root_y - r, 2 * r, 2 * r);
      gc->SetBrush(wxBrush(wxColour(0xF5, 0xE6, 0xB8)));
      for (double x : mids) gc->DrawEllipse(x - r, mid_y - r, 2 * r, 2 * r);
      for (double x : tops) gc->DrawEllipse(x - r * 0.8, top_y - r * 0.8, 1.6 * r, 1.6 * r);
    }
    dc.SelectObject(wxNullBitmap);
  }
  return bitmap;
}

wxIconBundle ProgramIcons() {
  wxIconBundle bundle;
  for (int size : {16, 32, 48, 64}) {
    wxIcon icon;
    icon.CopyFromBitmap(ProgramIconBitmap(size));
    bundle.AddIcon(icon);
  }
  return bundle;
}

bool SaveProgramIcon(const std::string& path) {
  return ProgramIconBitmap(48).ConvertToImage().SaveFile(wxString::FromUTF8(path),
                                                         wxBITMAP_TYPE_PNG);
}

}  // namespace kinloom::app
