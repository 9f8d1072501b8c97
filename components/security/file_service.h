#pragma once
// The client's file service. The folder it searches for the client's switch files is the one it
// was given when the components were registered; without one, the folder the library came from.

#include <contracts/security.h>

#include <string>

namespace client {

class FileService : public trackquery::IFileService {
  public:
    explicit FileService(std::string clientFolder = "") : clientFolder_(std::move(clientFolder)) {}
    std::string TypeName() const override { return "FileService"; }

    // The client folder (or `appPath` when none was configured), ending with "/".
    std::string GetSearchPath(const std::string& appPath) override;
    // The file's bytes as text; with `bTrimLineEnd` the line breaks at the end are dropped. A file
    // that cannot be read is error 53 ("File not found") or 75 ("Path/File access error").
    std::string ReadFileText(const std::string& path, bool bTrimLineEnd) override;

  private:
    std::string clientFolder_;
};

}  // namespace client
