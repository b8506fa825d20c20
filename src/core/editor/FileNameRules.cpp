#include "core/editor/FileNameRules.h"

#include <cctype>
#include <cstdio>

namespace murelo {

namespace {

// Position of the extension's '.', or npos when the file name has none.
std::size_t ExtensionDot(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    const std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
    const std::size_t dot = path.rfind('.');
    if (dot == std::string_view::npos || dot <= nameStart)
        return std::string_view::npos;
    return dot;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// Two decimal digits at t[at], or -1 when either is not a digit.
int TwoDigits(std::string_view t, std::size_t at) {
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (!digit(t[at]) || !digit(t[at + 1]))
        return -1;
    return (t[at] - '0') * 10 + (t[at + 1] - '0');
}

bool IsTimeStamp(std::string_view t) {
    if (t.size() != 15 || t[8] != '_')
        return false;
    const int century = TwoDigits(t, 0), year = TwoDigits(t, 2);
    const int month = TwoDigits(t, 4), day = TwoDigits(t, 6);
    const int hour = TwoDigits(t, 9), minute = TwoDigits(t, 11), second = TwoDigits(t, 13);
    return century >= 0 && year >= 0 && month >= 1 && month <= 12 && day >= 1 && day <= 31 &&
           hour >= 0 && hour <= 23 && minute >= 0 && minute < 60 && second >= 0 && second < 60;
}

} // namespace

std::string CutExtension(std::string_view path) {
    return std::string(path.substr(0, ExtensionDot(path)));
}

std::string BitmapFileName(std::string_view path) {
    const std::size_t dot = ExtensionDot(path);
    if (dot != std::string_view::npos && EqualsIgnoringCase(path.substr(dot), ".bmp"))
        return std::string(path);
    return CutExtension(path) + ".bmp";
}

bool IsPngFileName(std::string_view path) {
    const std::size_t dot = ExtensionDot(path);
    return dot != std::string_view::npos && EqualsIgnoringCase(path.substr(dot), ".png");
}

std::string PictureSaveName(std::string_view path) {
    return IsPngFileName(path) ? std::string(path) : BitmapFileName(path);
}

bool StripTimeStamp(std::string& name) {
    const std::size_t last = name.rfind('_');
    if (last == std::string::npos || last == 0)
        return false;
    const std::size_t previous = name.rfind('_', last - 1);
    if (previous == std::string::npos || previous == 0)
        return false;
    if (!IsTimeStamp(std::string_view(name).substr(previous + 1)))
        return false;
    name.erase(previous);
    return true;
}

std::string FormatTimeStamp(const std::tm& time) {
    char buffer[80];
    std::snprintf(buffer, sizeof buffer, "%04d%02d%02d_%02d%02d%02d", time.tm_year + 1900,
                  time.tm_mon + 1, time.tm_mday, time.tm_hour, time.tm_min, time.tm_sec);
    return buffer;
}

std::string CurrentTimeStamp() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return FormatTimeStamp(local);
}

std::string ConsecutiveFileName(std::string_view fileName, std::string_view stamp) {
    std::string base = CutExtension(fileName);
    StripTimeStamp(base);
    return base + "_" + std::string(stamp) + ".bmp";
}

} // namespace murelo
