// The program's icon, drawn in code: a small family tree woven on a loom-blue tile.
#pragma once

#include <wx/bitmap.h>
#include <wx/iconbndl.h>

#include <string>

namespace kinloom::app {

wxBitmap ProgramIconBitmap(int size);
wxIconBundle ProgramIcons();
// Writes the 48-pixel icon as a PNG file; true on success.
bool SaveProgramIcon(const std::string& path);

}  // namespace kinloom::app
