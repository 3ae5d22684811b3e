#pragma once
#include <string>

// Message box flags and results, with the Windows values.
enum : unsigned {
  MB_OK = 0x00, MB_OKCANCEL = 0x01, MB_YESNO = 0x04,
  MB_ICONERROR = 0x10, MB_ICONQUESTION = 0x20, MB_ICONWARNING = 0x30, MB_ICONINFORMATION = 0x40,
};
enum : int { IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7 };

// A modal message box drawn by the form library: icon, text, and the buttons 确定, or 是(&Y) and
// 否(&N). The timers keep firing while it is open. Returns the button chosen; closing the box
// counts as OK, or as No in a Yes/No box.
int MessageBox(const std::string& text, const std::string& caption, unsigned flags);
