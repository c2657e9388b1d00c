#pragma once
// The Host of the command-line tool: messages go to standard error in the system's own words,
// questions are answered from standard input, and the progress dialog is a line on the
// terminal.

#include "core/Host.h"

#include <cstdio>
#include <memory>
#include <string>

namespace arbolink::cli {

class TerminalHost : public Host {
public:
    explicit TerminalHost(std::FILE* in = stdin, std::FILE* err = stderr);

    Button ShowDialog(DialogKind kind, const std::string& text, const Buttons& buttons) override;
    void Beep() override {}
    void ProcessMessages() override {}
    std::unique_ptr<ProgressDialog> CreateProgressDialog() override;
    void SetMainWindowEnabled(bool) override {}
    MainFields ReadFields() override { return fields_; }
    void SelectFieldText(Field) override {}

    void SetFields(const MainFields& fields) { fields_ = fields; }

private:
    std::FILE* in_;
    std::FILE* err_;
    MainFields fields_;
};

} // namespace arbolink::cli
