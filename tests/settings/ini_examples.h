// The two reference files that the written form must reproduce byte for byte.
#pragma once

#include <string>

// Create, SelectGroup "Einstellungen", three empty writes, Close.
const char kNewFileHex[] =
    "5B 45 69 6E 73 74 65 6C 6C 75 6E 67 65 6E 5D 0D "
    "0A 50 72 6F 67 72 61 6D 6D 20 3D 20 0D 0A 45 6E "
    "61 62 6C 65 50 61 72 61 6D 65 74 65 72 20 3D 20 "
    "0D 0A 50 61 72 61 6D 65 74 65 72 20 3D 20 0D 0A";

// A file edited by hand, with LF line ends and no mark...
const char kHandEdited[] =
    "; Notiz\n"
    "  [einstellungen]   ; von Hand\n"
    "programm=C:\\Tools\\app.exe\n"
    "EnableParameter=1\n"
    "\n"
    "Parameter   =   -x   \n"
    "Farbe\n"
    "[Andere]\n"
    "Wert = 5\n";

// ...and what it holds after the three settings are written back.
const char kHandEditedWritten[] =
    "; Notiz\r\n"
    "[einstellungen]\r\n"
    "Programm = C:\\Tools\\app.exe\r\n"
    "EnableParameter = 1\r\n"
    "Parameter = -x\r\n"
    "Farbe = \r\n"
    "[Andere]\r\n"
    "Wert = 5\r\n";

const char kMark[] = "\xEF\xBB\xBF";

inline std::string Hex(const std::string& bytes) {
  static const char digits[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char b : bytes) {
    if (!out.empty()) out += ' ';
    out += digits[b >> 4];
    out += digits[b & 15];
  }
  return out;
}
