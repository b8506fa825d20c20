#pragma once

#include <ctime>
#include <string>
#include <string_view>

namespace murelo {

// The name without its extension. Only the file-name part after the last '/' is searched,
// from its end, for a '.'; a '.' that starts the file name (".profile") is no extension.
std::string CutExtension(std::string_view path);

// The name a bitmap is written under: an extension that is ".bmp" in any letter case is
// kept (PHOTO.BMP stays PHOTO.BMP); any other extension is replaced by ".bmp".
std::string BitmapFileName(std::string_view path);

// True when the name ends in ".png" in any letter case: such a name is saved as a PNG.
bool IsPngFileName(std::string_view path);
// The name Save and Save As write under: a ".png" name as it is, any other as BitmapFileName.
std::string PictureSaveName(std::string_view path);

// Removes a trailing "_yyyymmdd_hhmmss" stamp (month 1..12, day 1..31, hour 0..23, minute
// and second 0..59, every position a decimal digit). Returns false and leaves the name
// unchanged when there is none.
bool StripTimeStamp(std::string& name);

// "yyyymmdd_hhmmss" of a local time.
std::string FormatTimeStamp(const std::tm& time);
// The stamp of the current local time, to the second.
std::string CurrentTimeStamp();

// Save Consecutive's target: the name without extension and without an earlier stamp,
// "_", the stamp, ".bmp". ("girl_20140105_123000.bmp" -> "girl_<stamp>.bmp")
std::string ConsecutiveFileName(std::string_view fileName, std::string_view stamp);

} // namespace murelo
