#pragma once
// Where the host's command lines come from: a script file, echoed line by line behind the prompt
// of the window that takes it, or the terminal, where the prompt is printed before the user types.

#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace apps {

class CommandSource {
  public:
    // `scriptName` names the script in messages; empty for the terminal.
    CommandSource(std::istream& in, std::ostream& out, std::string scriptName);

    bool Interactive() const { return scriptName_.empty(); }
    const std::string& ScriptName() const { return scriptName_; }
    // The number of the line read last (1 for the first).
    int LineNumber() const { return lineNumber_; }

    // The next line, read after `prompt` ("icmo", "icmo/frmBillSel"); nothing at the end of the
    // input.
    std::optional<std::string> Next(const std::string& prompt);

    // A script's "answer" lines before its first command, for the boxes the start itself shows;
    // the comments and blank lines among them are passed over. The terminal has none.
    std::vector<std::string> LeadingAnswers();

  private:
    std::optional<std::string> ReadLine();

    std::istream& in_;
    std::ostream& out_;
    std::string scriptName_;
    int lineNumber_ = 0;
    std::optional<std::string> pending_;
};

}  // namespace apps
