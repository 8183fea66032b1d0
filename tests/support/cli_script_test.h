#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/runner.h"
#include "support/temp_dir.h"

namespace tessaril::testing {

// A CommandTest that runs tessaril-cli scripts in process: Run() returns the exit status and
// leaves what the script printed in out_ and err_. The lists, the settings and the file tools'
// result-file list live on from one Run to the next, as in one long script.
class CliScriptTest : public CommandTest {
 protected:
  int Run(const std::string& script) {
    std::istringstream in(script);
    out_.str("");
    err_.str("");
    return cli::RunScript(in, state_, frontend_, out_, err_, result_files_);
  }

  std::ostringstream out_;
  std::ostringstream err_;
  cli::CliFrontend frontend_{out_};
  std::vector<std::string> result_files_;
};

}  // namespace tessaril::testing
