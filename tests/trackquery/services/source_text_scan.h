#pragma once
// Finds the user-visible Chinese texts in the library's sources: every string literal (adjacent
// literals joined) that holds a Chinese character, with composite texts split at "^|^", the
// "~$~" marks dropped and the outer spaces trimmed, exactly as LoadResText looks them up.

#include <filesystem>
#include <string>
#include <vector>

namespace scan {

struct SourceText {
    std::string text;
    std::filesystem::path file;
    int line = 0;
};

// The string literals of a C++ source text, escapes resolved; comments and character literals
// are skipped.
std::vector<SourceText> StringLiterals(const std::string& source);

bool HoldsChinese(const std::string& text);

// The resource keys a literal stands for.
std::vector<std::string> ResourceKeys(const std::string& literal);

// Every resource key in the .h and .cpp files below `root`.
std::vector<SourceText> ChineseTextsBelow(const std::filesystem::path& root);

}  // namespace scan
