#include "support/CliRunner.h"

#include "core/editor/BitmapCodec.h"
#include "support/TestData.h"

#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace murelo::test {
namespace {

std::string Slurp(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

} // namespace

CliResult RunCli(const std::vector<std::string>& args) {
    TempDir dir;
    const auto outFile = dir / "stdout", errFile = dir / "stderr";
    std::vector<std::string> argv{MURELO_CLI};
    argv.insert(argv.end(), args.begin(), args.end());

    const pid_t pid = fork();
    if (pid == 0) {
        if (!freopen(outFile.c_str(), "w", stdout) || !freopen(errFile.c_str(), "w", stderr))
            _exit(127);
        std::vector<char*> cargs;
        for (auto& a : argv)
            cargs.push_back(a.data());
        cargs.push_back(nullptr);
        execv(cargs[0], cargs.data());
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    CliResult r;
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.out = Slurp(outFile);
    r.err = Slurp(errFile);
    return r;
}

std::string SaveBitmap(const TempDir& dir, const std::string& name, const Picture& picture) {
    const auto bytes = EncodeBitmap24(picture);
    WriteBytes(dir / name, std::vector<unsigned char>(bytes.begin(), bytes.end()));
    return (dir / name).string();
}

} // namespace murelo::test
