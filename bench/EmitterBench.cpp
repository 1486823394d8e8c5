#include "convert/Emitters.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <unistd.h>

using namespace tavrik;

namespace {

class Workspace {
  public:
    Workspace() {
        char pattern[] = "/tmp/tavrik-bench-XXXXXX";
        if (mkdtemp(pattern) == nullptr)
            std::abort();
        dir_ = pattern;
    }
    ~Workspace() {
        for (const char* name : {"/in.bin", "/out.txt"})
            unlink((dir_ + name).c_str());
        rmdir(dir_.c_str());
    }
    std::string Input(std::size_t size) {
        std::mt19937 gen(1);
        std::string data(size, '\0');
        for (auto& c : data)
            c = static_cast<char>(gen());
        std::ofstream(dir_ + "/in.bin", std::ios::binary)
            .write(data.data(), static_cast<std::streamsize>(size));
        return dir_ + "/in.bin";
    }
    std::string Output() const { return dir_ + "/out.txt"; }

  private:
    std::string dir_;
};

void Convert(benchmark::State& state, SourceFormat format) {
    Workspace workspace;
    const auto size = static_cast<std::size_t>(state.range(0));
    const std::string input = workspace.Input(size);
    for (auto _ : state) {
        if (ConvertFile(format, input, workspace.Output(), "bench") != CONVERT_OK)
            state.SkipWithError("conversion failed");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(size));
}

void BM_ConvertToC(benchmark::State& state) {
    Convert(state, SourceFormat::C);
}
void BM_ConvertToAsm(benchmark::State& state) {
    Convert(state, SourceFormat::Asm);
}

BENCHMARK(BM_ConvertToC)
    ->Arg(64 << 10)
    ->Arg(4 << 20)
    ->Arg(64 << 20)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_ConvertToAsm)
    ->Arg(64 << 10)
    ->Arg(4 << 20)
    ->Arg(64 << 20)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
