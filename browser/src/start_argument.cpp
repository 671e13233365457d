#include "start_argument.h"

CString ExtractStartArgument(LPCWSTR commandLine) {
  CString line(commandLine);
  const int length = line.GetLength();
  const int quote = length >= 1 ? line.Find(u'"', 1) : -1;
  if (quote + 2 < length) return line.Mid(quote + 2);
  return CString();
}

bool IsTrayOption(const CString& argument) { return argument.CompareNoCase(u"/tray") == 0; }

bool IsPriceOption(const CString& argument) { return argument.CompareNoCase(u"/price") == 0; }
