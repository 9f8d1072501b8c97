#pragma once
// "QzResLoader.Loader": the client's language resources. A resource file is named
// <resource directory>/<base name>.<language> (for example ZeVoverazuzed.en) and holds UTF-8
// lines "key<TAB>text"; the key is the Chinese source text. In keys and texts "\t", "\n", "\r"
// and "\\" stand for a tab, a line feed, a carriage return and a backslash. Empty lines and lines
// that begin with "#" are skipped.
//
// The resource directory is the one the host sets with SetResourceDirectory; otherwise lang/ of
// the program's data folder (platform/automation/program_files.h: $TRACKQUERY_RESOURCE_DIR, the
// installed share/trackquery beside the program, or the source tree's resources for a program in
// its build folder).

#include <contracts/resources.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>

namespace client {

// Sets the resource directory of every loader; an empty path goes back to the default.
void SetResourceDirectory(const std::filesystem::path& directory);
std::filesystem::path ResourceDirectory();

// The texts of one resource file by key. Fails with error 53 when the file cannot be read and
// with error 5, naming the file and the line, when a line is not "key<TAB>text" or a key is
// given twice.
std::map<std::string, std::string> ReadResourceFile(const std::filesystem::path& file);

class ResLoader : public trackquery::IResLoader {
  public:
    std::string TypeName() const override { return "Loader"; }

    std::string ResFileBaseName() const override { return baseName_; }
    void SetResFileBaseName(const std::string& baseName) override;
    std::string LanguageID() const override { return languageId_; }
    void SetLanguageID(const std::string& languageId) override;

    // The text for `key`; the key itself when the file lacks it. The file is read on the first
    // lookup after a change of base name or language.
    std::string LoadString(const std::string& key) override;

  private:
    const std::map<std::string, std::string>& Texts();

    std::string baseName_;
    std::string languageId_;
    std::unique_ptr<std::map<std::string, std::string>> texts_;
};

}  // namespace client
