// Entry point of the benchmark executable that every bench/*.cpp file joins; the report's
// context names the processor the figures were measured on.
#include <benchmark/benchmark.h>

#include <fstream>
#include <string>

namespace {

// The processor's model name from /proc/cpuinfo; empty when it is not known.
std::string processorModel() {
    std::ifstream info("/proc/cpuinfo");
    std::string line;
    while (std::getline(info, line)) {
        if (line.rfind("model name", 0) == 0 && line.find(':') != std::string::npos) {
            return line.substr(line.find(':') + 2);
        }
    }
    return {};
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::AddCustomContext("cpu_model", processorModel());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
